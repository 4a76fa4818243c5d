// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "pictures/ImageEdits.h"

#include <QTransform>

namespace imageedits {

namespace {

bool IsPaletteFormat(QImage::Format format)
{
    return format == QImage::Format_Mono || format == QImage::Format_MonoLSB || format == QImage::Format_Indexed8;
}

// An exact quarter turn goes through Qt's memory-rotation path: no
// interpolation, the format (palette included) survives.
QImage QuarterTurn(const QImage& src, qreal degrees)
{
    if (src.isNull())
        return {};
    return src.transformed(QTransform().rotate(degrees));
}

// BT.601 luminance in fixed point, weights summing to 65536: identical on
// every platform and within 0.01 of the exact value, where qGray's
// (11, 16, 5) / 32 or weights scaled to 256 are off by one for pure red.
int Luma(QRgb c)
{
    return (19595 * qRed(c) + 38470 * qGreen(c) + 7471 * qBlue(c) + 32768) >> 16;
}

} // namespace

QImage Mirror(const QImage& src)
{
    if (src.isNull())
        return {};
    return src.mirrored(true, false);
}

QImage Flip(const QImage& src)
{
    if (src.isNull())
        return {};
    return src.mirrored(false, true);
}

QImage Negative(const QImage& src)
{
    if (src.isNull())
        return {};

    // QImage::invertPixels on a palette picture flips the pixel *indices*
    // (index i becomes 255 - i, or 1 - i for one bit), which only looks like
    // a negative for a full black-to-white palette and points past the end of
    // a short one. Inverting the palette entries themselves is right for
    // every palette.
    if (IsPaletteFormat(src.format())) {
        QImage out = src.copy();
        if (out.isNull())
            return {};
        QList<QRgb> table = out.colorTable();
        for (QRgb& c : table)
            c = qRgba(255 - qRed(c), 255 - qGreen(c), 255 - qBlue(c), qAlpha(c));
        out.setColorTable(table);
        return out;
    }

    // invertPixels XORs every byte of formats narrower than 32 bits, which
    // would invert the alpha of the packed premultiplied formats too; go
    // through straight ARGB (or RGBA64 to keep 16-bit channels) for any
    // format with alpha and come back to the caller's format.
    if (src.hasAlphaChannel()) {
        const QImage::Format work = src.depth() == 64 ? QImage::Format_RGBA64 : QImage::Format_ARGB32;
        QImage out = src.convertToFormat(work);
        if (out.isNull())
            return {};
        out.invertPixels(QImage::InvertRgb);
        return out.format() == src.format() ? out : out.convertToFormat(src.format());
    }

    QImage out = src.copy();
    if (out.isNull())
        return {};
    out.invertPixels(QImage::InvertRgb);
    return out;
}

QImage GrayScale(const QImage& src)
{
    if (src.isNull())
        return {};
    if (src.format() == QImage::Format_Grayscale8 || src.format() == QImage::Format_Grayscale16)
        return src;

    const bool alpha = src.hasAlphaChannel();
    const QImage in = src.convertToFormat(alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    QImage out(src.size(), alpha ? QImage::Format_ARGB32 : QImage::Format_Grayscale8);
    if (in.isNull() || out.isNull())
        return {};

    for (int y = 0; y < in.height(); ++y) {
        const QRgb* s = reinterpret_cast<const QRgb*>(in.constScanLine(y));
        if (alpha) {
            QRgb* d = reinterpret_cast<QRgb*>(out.scanLine(y));
            for (int x = 0; x < in.width(); ++x) {
                const int g = Luma(s[x]);
                d[x] = qRgba(g, g, g, qAlpha(s[x]));
            }
        } else {
            uchar* d = out.scanLine(y);
            for (int x = 0; x < in.width(); ++x)
                d[x] = static_cast<uchar>(Luma(s[x]));
        }
    }
    out.setDotsPerMeterX(src.dotsPerMeterX());
    out.setDotsPerMeterY(src.dotsPerMeterY());
    return out;
}

QImage RotateLeft(const QImage& src)
{
    return QuarterTurn(src, -90);
}

QImage RotateRight(const QImage& src)
{
    // Qt's y axis points down, so a positive angle turns clockwise on screen.
    return QuarterTurn(src, 90);
}

} // namespace imageedits
