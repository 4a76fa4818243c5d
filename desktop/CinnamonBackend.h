// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Cinnamon keeps the GNOME layout of background keys in a schema of its own.

#include "desktop/DesktopBackend.h"

class CinnamonBackend final : public DesktopBackend {
public:
    QString Name() const override { return QStringLiteral("cinnamon"); }
    bool SetWallpaper(const QString& absolutePath, WallpaperStyle style) override;
};
