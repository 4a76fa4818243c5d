// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

// How a picture covers the desktop. The pages pass the style as the index of
// their show-type list ("CENTER", "TILE", "STRETCH"); that list is an editable
// drop-down, so -1 (nothing selected) arrives too and means centre, as does
// any other value we do not know.

enum class WallpaperStyle { Centre = 0, Tile = 1, Stretch = 2 };

constexpr WallpaperStyle WallpaperStyleFromInt(int style)
{
    switch (style) {
    case 1:
        return WallpaperStyle::Tile;
    case 2:
        return WallpaperStyle::Stretch;
    default:
        return WallpaperStyle::Centre;
    }
}

// The style as the command-line tools of several desktops spell it
// (pcmanfm's --wallpaper-mode, sway's bg mode).
inline QString WallpaperStyleWord(WallpaperStyle style)
{
    switch (style) {
    case WallpaperStyle::Tile:
        return QStringLiteral("tile");
    case WallpaperStyle::Stretch:
        return QStringLiteral("stretch");
    case WallpaperStyle::Centre:
        break;
    }
    return QStringLiteral("center");
}
