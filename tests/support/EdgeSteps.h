// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// How finely a picture's outline follows its shape, for telling art drawn at
// a screen's scale from art drawn smaller and enlarged. Header-only.

#include <QIcon>
#include <QImage>
#include <QPainter>

#include <functional>
#include <vector>

// The number of places where the outline of the figure (the pixels for which
// isFigure is true) moves from one row or column to the next, seen from each
// of the four sides: for each row, where the figure starts from the left and
// from the right; for each column, from the top and from the bottom. A curve
// drawn at twice the scale moves about twice as often as at 1x; the same
// curve enlarged from 1x moves exactly as often, only by longer steps.
inline int EdgeSteps(const QImage& image, const std::function<bool(QRgb)>& isFigure)
{
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    const int w = argb.width();
    const int h = argb.height();
    const auto figure = [&](int x, int y) { return isFigure(argb.pixel(x, y)); };
    // first(i): where line i first meets the figure scanning from one side;
    // -1 when it never does.
    const auto steps = [](int lines, const std::function<int(int)>& first) {
        int count = 0;
        int previous = -1;
        for (int i = 0; i < lines; ++i) {
            const int at = first(i);
            if (at >= 0 && previous >= 0 && at != previous)
                ++count;
            previous = at;
        }
        return count;
    };
    const auto scan = [&](int length, const std::function<bool(int)>& hit) {
        for (int j = 0; j < length; ++j)
            if (hit(j))
                return j;
        return -1;
    };
    return steps(h, [&](int y) { return scan(w, [&](int x) { return figure(x, y); }); }) +
           steps(h, [&](int y) { return scan(w, [&](int x) { return figure(w - 1 - x, y); }); }) +
           steps(w, [&](int x) { return scan(h, [&](int y) { return figure(x, y); }); }) +
           steps(w, [&](int x) { return scan(h, [&](int y) { return figure(x, h - 1 - y); }); });
}

// icon as a style paints it into a logical square of side pixels on a surface
// of the given scale: the pixmap asked for that scale, drawn into the square.
inline QImage AsShown(const QIcon& icon, int side, qreal scale)
{
    QImage surface(QSize(side, side) * scale, QImage::Format_ARGB32_Premultiplied);
    surface.fill(Qt::transparent);
    surface.setDevicePixelRatio(scale);
    QPainter painter(&surface);
    painter.drawPixmap(QRect(0, 0, side, side), icon.pixmap(QSize(side, side), scale));
    painter.end();
    surface.setDevicePixelRatio(1.0);
    return surface;
}
