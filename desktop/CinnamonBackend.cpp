// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "desktop/CinnamonBackend.h"

#include "desktop/GSettingsWallpaper.h"

bool CinnamonBackend::SetWallpaper(const QString& absolutePath, WallpaperStyle style)
{
    GSettingsWallpaper::Keys keys;
    keys.schema = "org.cinnamon.desktop.background";
    keys.uriKey = "picture-uri";
    return GSettingsWallpaper::Apply(keys, absolutePath, style);
}
