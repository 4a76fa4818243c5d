// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The picture edits a photo on the scene offers, as pure functions: the input
// is left alone and the edited copy returned. A null input gives a null
// result, and so does running out of memory for the copy: callers keep the
// picture they had when the result is null.

#include <QImage>

namespace imageedits {

// Left and right swapped (a vertical mirror axis). Keeps the pixel format.
QImage Mirror(const QImage& src);

// Top and bottom swapped. Keeps the pixel format.
QImage Flip(const QImage& src);

// Every colour inverted (255 - value per channel); alpha is kept. Keeps the
// pixel format.
QImage Negative(const QImage& src);

// Luminance with the ITU-R BT.601 weights (0.299 R + 0.587 G + 0.114 B),
// rounded to nearest. Pictures without alpha come back as 8-bit grey;
// pictures with alpha come back as ARGB32 with grey colour and their alpha.
QImage GrayScale(const QImage& src);

// A quarter turn counter-clockwise: the top-right corner becomes top-left.
QImage RotateLeft(const QImage& src);

// A quarter turn clockwise: the top-left corner becomes top-right.
QImage RotateRight(const QImage& src);

} // namespace imageedits
