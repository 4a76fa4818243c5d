// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// MATE names the picture by a plain file path (picture-filename), not a URI.

#include "desktop/DesktopBackend.h"

class MateBackend final : public DesktopBackend {
public:
    QString Name() const override { return QStringLiteral("mate"); }
    bool SetWallpaper(const QString& absolutePath, WallpaperStyle style) override;
};
