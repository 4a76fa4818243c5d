// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Comparisons of pixels for the tests that look at what was drawn or decoded.

#include "platform/Geometry.h"

#include <QImage>
#include <algorithm>
#include <cstdlib>

namespace fixtures {

// Colour equality within a per-channel tolerance, for lossy formats and
// smoothed edges.
inline bool Near(QRgb a, QRgb b, int tolerance)
{
    return std::abs(qRed(a) - qRed(b)) <= tolerance && std::abs(qGreen(a) - qGreen(b)) <= tolerance &&
           std::abs(qBlue(a) - qBlue(b)) <= tolerance && std::abs(qAlpha(a) - qAlpha(b)) <= tolerance;
}

// The bounding rectangle (right and bottom outside) of the pixels of colour,
// alpha ignored; an inverted rectangle (image size, 0, 0) when none has it.
inline CRect Extent(const QImage& image, QRgb colour)
{
    CRect r(image.width(), image.height(), 0, 0);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF)) {
                r.left = std::min(r.left, x);
                r.top = std::min(r.top, y);
                r.right = std::max(r.right, x + 1);
                r.bottom = std::max(r.bottom, y + 1);
            }
    return r;
}

} // namespace fixtures
