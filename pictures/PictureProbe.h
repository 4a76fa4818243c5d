// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// What a picture file's own headers say, read before anything is decoded:
// its format, size and depth, whether it is complete, and what decoding it
// will cost in the decoder's own formats. Qt's JPEG reader fills a truncated
// file with grey and calls it a success, and its GIF and BMP readers keep
// what they got, so completeness is checked here for every format; and a
// tiny file can claim a picture whose decode takes gigabytes, so the cost is
// worked out here, where it can still be refused.

#include <QSize>
#include <QtGlobal>

#include <optional>

// Files claiming more pixels than this (256 megapixels) are refused without
// decoding: no camera makes them, and a forged header must not make us try.
inline constexpr qint64 kMaxPictureFilePixels = qint64{1} << 28;

struct PictureFacts {
    int type = 0; // a CXIMAGE_FORMAT_ code
    const char* qtFormat = "";
    qint64 width = 0; // as stored, before any EXIF turn
    qint64 height = 0;
    int bpp = 0;
    // Bytes a pixel takes in the image Qt decodes a PNG, GIF or BMP into at
    // full size (they are decoded whole, then reduced).
    int qtBytesPerPixel = 4;
    // JPEG: one component, which Qt decodes into 8-bit grey.
    bool grey = false;
    // JPEG: decoded in several passes over the whole picture (progressive,
    // or components in separate scans), for which libjpeg holds every
    // coefficient of the full-size picture, jpegCoefficientBytes of them.
    bool jpegMultiScan = false;
    qint64 jpegCoefficientBytes = 0;
    // GIF: the first frame's size; Qt holds the logical screen and a frame.
    qint64 frameWidth = 0;
    qint64 frameHeight = 0;
};

// The type code of the format the first bytes announce (the magic number
// alone); CXIMAGE_FORMAT_UNKNOWN for anything else. A dozen bytes suffice.
int SniffPictureType(const uchar* data, qint64 size);

// The facts of a complete file in memory; nullopt for anything that is not a
// complete BMP, JPEG, GIF or PNG of at most kMaxPictureFilePixels.
std::optional<PictureFacts> ProbePicture(const uchar* data, qint64 size);

// How a JPEG is reduced: libjpeg decodes to an exact eighth, quarter or half
// of it and ShrinkImage does the rest in one filtering step; or, where that
// costs too much, Qt has libjpeg decode to the nearest eighth and scales the
// result itself.
enum class JpegPlan { ExactThenShrink, QtScaled };

// The smallest exact eighth, quarter or half of a JPEG (one with whole pixels
// both ways, which Qt passes on unscaled) that still covers target, or the
// full size when none does; empty when that is more than 1.6 times the
// target and more than Qt's nearest eighth (an odd-sized photo for a small
// preview), where decoding it would cost more than it gains.
QSize JpegExactDecodeSize(const PictureFacts& facts, QSize target);

// Peak bytes of decoding the picture at `target` (in stored orientation):
// what the decoder holds at full size (the coefficients of a multi-pass
// JPEG, the whole PNG/GIF/BMP image in Qt's format, a GIF's logical screen),
// plus the decoder's reduced output, the result and the upright copy when
// the picture is turned (`turned`, JPEGs only).
qint64 DecodeCost(const PictureFacts& facts, QSize target, bool turned, JpegPlan plan = JpegPlan::QtScaled);
