// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// A picture whose neighbouring pixels all differ, so any misplaced, mirrored
// or rescaled pixel shows in a comparison.

#include <QImage>

inline QRgb Pattern(int x, int y)
{
    return qRgb((x * 7 + y) & 0xff, (y * 5 + 3) & 0xff, (x * 3 + y * 11) & 0xff);
}

inline QImage PatternImage(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, Pattern(x, y));
    return image;
}
