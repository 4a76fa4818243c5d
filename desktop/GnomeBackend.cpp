// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "desktop/GnomeBackend.h"

#include "desktop/GSettingsWallpaper.h"

bool GnomeBackend::SetWallpaper(const QString& absolutePath, WallpaperStyle style)
{
    GSettingsWallpaper::Keys keys;
    keys.schema = "org.gnome.desktop.background";
    keys.uriKey = "picture-uri";
    keys.darkUriKey = "picture-uri-dark";
    return GSettingsWallpaper::Apply(keys, absolutePath, style);
}
