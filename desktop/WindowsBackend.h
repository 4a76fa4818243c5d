// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Windows: the style goes to the user's desktop settings in the registry
// (HKCU\Control Panel\Desktop: WallpaperStyle and TileWallpaper), then the
// picture is set and the change announced to every program; when the picture
// is refused, the style values are put back. Built only on
// Windows.

#include "desktop/DesktopBackend.h"

class WindowsBackend final : public DesktopBackend {
public:
    QString Name() const override { return QStringLiteral("windows"); }
    bool SetWallpaper(const QString& absolutePath, WallpaperStyle style) override;
};
