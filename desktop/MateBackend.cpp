// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "desktop/MateBackend.h"

#include "desktop/GSettingsWallpaper.h"

bool MateBackend::SetWallpaper(const QString& absolutePath, WallpaperStyle style)
{
    GSettingsWallpaper::Keys keys;
    keys.schema = "org.mate.background";
    keys.pathKey = "picture-filename";
    return GSettingsWallpaper::Apply(keys, absolutePath, style);
}
