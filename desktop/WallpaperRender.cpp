// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "desktop/WallpaperRender.h"

#include "pictures/AreaScaler.h"
#include "pictures/ImageHelpers.h"

#include <QPainter>

#include <algorithm>
#include <cstring>

namespace {

constexpr QRgb kBackground = 0xff000000;
// What shows through a picture's transparent parts: white, as the previews,
// the design page and the saved design show them.
constexpr QRgb kUnderPicture = 0xffffffff;

// The picture as opaque pixels, composed over white, so the copying below
// can be plain row copies.
QImage OverBackground(const QImage& picture)
{
    if (!picture.hasAlphaChannel())
        return picture.convertToFormat(QImage::Format_RGB32);
    QImage opaque(picture.size(), QImage::Format_RGB32);
    opaque.fill(kUnderPicture);
    QPainter painter(&opaque);
    painter.drawImage(0, 0, picture);
    painter.end();
    return opaque;
}

// Copies the source row segment [from, from + count) to dst, byte-exact.
void CopyPixels(QRgb* dst, const QRgb* src, int count)
{
    std::memcpy(dst, src, static_cast<size_t>(count) * sizeof(QRgb));
}

QImage RenderCentre(const QImage& tile, QSize screen)
{
    QImage out(screen, QImage::Format_RGB32);
    out.fill(kBackground);
    const int left = CentreOffset(screen.width(), tile.width());
    const int top = CentreOffset(screen.height(), tile.height());
    const QRect onScreen = QRect(QPoint(left, top), tile.size()).intersected(QRect(QPoint(0, 0), screen));
    if (onScreen.isEmpty())
        return out;
    for (int y = onScreen.top(); y <= onScreen.bottom(); ++y) {
        const auto* src = reinterpret_cast<const QRgb*>(tile.constScanLine(y - top));
        auto* dst = reinterpret_cast<QRgb*>(out.scanLine(y));
        CopyPixels(dst + onScreen.left(), src + (onScreen.left() - left), onScreen.width());
    }
    return out;
}

QImage RenderTile(const QImage& tile, QSize screen)
{
    QImage out(screen, QImage::Format_RGB32);
    const int w = tile.width();
    for (int y = 0; y < screen.height(); ++y) {
        const auto* src = reinterpret_cast<const QRgb*>(tile.constScanLine(y % tile.height()));
        auto* dst = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < screen.width(); x += w)
            CopyPixels(dst + x, src, std::min(w, screen.width() - x));
    }
    return out;
}

QImage RenderStretch(const QImage& opaque, QSize screen)
{
    if (opaque.size() == screen)
        return opaque;
    // Shrinking averages the exact area each screen pixel covers (sharper
    // than Qt's smooth scale and free of aliasing); enlarging, or shrinking
    // one way while enlarging the other, is Qt's smooth scale.
    if (screen.width() <= opaque.width() && screen.height() <= opaque.height())
        return ShrinkImage(opaque, screen).convertToFormat(QImage::Format_RGB32);
    return opaque.scaled(screen, Qt::IgnoreAspectRatio, Qt::SmoothTransformation).convertToFormat(QImage::Format_RGB32);
}

} // namespace

int CentreOffset(int screen, int picture)
{
    const int diff = screen - picture;
    return diff >= 0 ? diff / 2 : -((1 - diff) / 2);
}

QRect VisiblePictureRect(QSize picture, QSize screen, WallpaperStyle style)
{
    const QRect all(QPoint(0, 0), picture);
    if (picture.isEmpty() || screen.isEmpty())
        return all;
    switch (style) {
    case WallpaperStyle::Stretch:
        return all;
    case WallpaperStyle::Tile:
        return QRect(0, 0, std::min(picture.width(), screen.width()), std::min(picture.height(), screen.height()));
    case WallpaperStyle::Centre:
        break;
    }
    const QRect placed(
        QPoint(CentreOffset(screen.width(), picture.width()), CentreOffset(screen.height(), picture.height())),
        picture);
    // In picture coordinates: the screen seen from the picture's corner.
    return QRect(QPoint(-placed.left(), -placed.top()), screen).intersected(all);
}

QImage RenderWallpaper(const QImage& picture, QSize screen, WallpaperStyle style)
{
    if (screen.isEmpty())
        return {};
    if (picture.isNull()) {
        QImage black(screen, QImage::Format_RGB32);
        black.fill(kBackground);
        return black;
    }
    const QImage opaque = OverBackground(picture);
    switch (style) {
    case WallpaperStyle::Tile:
        return RenderTile(opaque, screen);
    case WallpaperStyle::Stretch:
        return RenderStretch(opaque, screen);
    case WallpaperStyle::Centre:
        break;
    }
    return RenderCentre(opaque, screen);
}
