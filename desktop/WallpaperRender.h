// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// What the desktop shows for a picture in a style, as a screen-sized image.
// Pure functions, so every style is checked pixel by pixel without a display;
// the plain X11 back end puts the result on the root window.
//
// Centre: the picture keeps its pixels and sits in the middle; the left edge
// is at floor((screen width - picture width) / 2), the top likewise, so an odd
// leftover pixel goes to the right and bottom. A picture larger than the
// screen is cropped about its centre by the same rule (never scaled): the
// floor puts the odd cropped pixel on the left and top.
// Tile: copies of the picture from the screen's top-left corner.
// Stretch: smoothly scaled to exactly the screen, aspect ignored.
// Wherever the picture does not cover the screen the desktop is black; its
// transparent parts show white, as in the program's previews.

#include "desktop/WallpaperStyle.h"

#include <QImage>
#include <QRect>
#include <QSize>

// floor((screen - picture) / 2): where a picture of that length starts when
// centred on a screen of that length (negative when it is longer).
int CentreOffset(int screen, int picture);

// The part of a picture of the given size that RenderWallpaper actually
// shows: the centred crop for centre, the top-left screenful for tile, all of
// it for stretch. Rendering just that part gives the same screen as rendering
// the whole picture, so a loader need decode no more.
QRect VisiblePictureRect(QSize picture, QSize screen, WallpaperStyle style);

// The screen image (Format_RGB32, exactly screen's size). Null when screen is
// empty; black when the picture is null.
QImage RenderWallpaper(const QImage& picture, QSize screen, WallpaperStyle style);
