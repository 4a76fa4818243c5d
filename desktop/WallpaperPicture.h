// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Reading picture files for the desktop, through the program's one way into
// a picture (PictureSource), decoding no more pixels than the desktop will
// show.

#include "desktop/WallpaperStyle.h"
#include "pictures/PictureFiles.h"
#include "pictures/PictureSource.h"

#include <QImage>
#include <QSize>
#include <QString>

#include <optional>

// The file opened as a picture when its extension names a picture type
// (FindExtension/FindType); nothing otherwise or when it cannot be read.
std::optional<PictureSource> OpenWallpaperPicture(const QString& path);

// Whether the file is one we show: its extension names a picture type
// (FindExtension/FindType) and it decodes completely. Cheap for photos: the
// check decodes at a thumbnail's size, which libjpeg does while reading.
bool IsReadablePicture(const QString& path);

// The smallest size with the picture's proportions that still covers the
// screen in both directions (never larger than the picture itself): decoding
// a picture to be stretched any larger only adds pixels the scaling throws
// away, and any smaller would lose detail on one axis.
QSize StretchDecodeSize(QSize picture, QSize screen);

// The pixels RenderWallpaper needs to show the picture on a screen of that
// size in that style: for stretch the picture decoded at StretchDecodeSize
// (or the decoder's exact reduction just above it), or a JPEG shrunk both
// ways already at the screen's size; for centre and tile only
// VisiblePictureRect of it (a JPEG decodes just those rows and columns). Null
// when the picture does not decode.
QImage LoadWallpaperPicture(const PictureSource& source, QSize screen, WallpaperStyle style);
// The same for a file, opened for this one call; null when it is not a
// readable picture.
QImage LoadWallpaperPicture(const QString& path, QSize screen, WallpaperStyle style);
