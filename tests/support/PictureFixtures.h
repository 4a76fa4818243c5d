// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Picture files for the tests, made on the spot: through QImageWriter where
// Qt writes the format, by hand where it does not (GIF, 4/16/32-bit BMP, EXIF
// orientation).

#include "support/PixelChecks.h"

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QList>
#include <QSize>
#include <QString>

namespace fixtures {

// The bytes of image written by Qt in the given format ("jpeg", "png", "bmp").
QByteArray Encode(const QImage& image, const char* format, int quality = 95);

// Writes bytes to path; fails the current test when it cannot.
void WriteFile(const QString& path, const QByteArray& bytes);
QByteArray ReadFile(const QString& path);

// A JPEG of image with an EXIF APP1 segment carrying the orientation tag
// inserted right after the start-of-image marker.
QByteArray JpegWithOrientation(const QImage& image, int orientation);

// An uncompressed BMP of 4, 16 (5-5-5) or 32 bits per pixel, which Qt's
// writer does not produce. For 4 bits image must be Indexed8 with at most 16
// colours; other depths take any image.
QByteArray HandMadeBmp(const QImage& image, int bitCount);

// A GIF of an Indexed8 image whose global colour table has 2^paletteBits
// entries (paletteBits 2..8).
QByteArray HandMadeGif(const QImage& indexed, int paletteBits);

// A PNG chunk with its CRC.
QByteArray PngChunk(const char* type, const QByteArray& data);

// Bytes 0..255 in a fixed pseudo-random order, repeated to the length asked.
QByteArray Garbage(int length);

// Where JPEG's start-of-frame marker begins (offset of the 0xFF), or -1.
qsizetype FindJpegFrameHeader(const QByteArray& jpeg);

// Writes a picture of one colour in format to path and returns the path.
QString WriteSolid(const QString& path, QSize size, QRgb colour, const char* format = "png");

} // namespace fixtures
