// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "desktop/WallpaperPicture.h"

#include "desktop/WallpaperRender.h"

#include <algorithm>
#include <cmath>

namespace {

// Big enough that a decode at this size has read every byte of the file,
// small enough that a JPEG is decoded at an eighth of its size.
constexpr QSize kCheckSize(64, 64);

} // namespace

std::optional<PictureSource> OpenWallpaperPicture(const QString& path)
{
    if (FindType(FindExtension(path)) == CXIMAGE_FORMAT_UNKNOWN)
        return std::nullopt;
    return PictureSource::Open(path);
}

bool IsReadablePicture(const QString& path)
{
    const std::optional<PictureSource> source = OpenWallpaperPicture(path);
    return source && !source->Decode(kCheckSize).isNull();
}
QSize StretchDecodeSize(QSize picture, QSize screen)
{
    if (picture.isEmpty() || screen.isEmpty())
        return picture;
    const double scale = std::max(double(screen.width()) / picture.width(), double(screen.height()) / picture.height());
    if (scale >= 1.0)
        return picture;
    // The small allowance keeps a product such as 4000 * 0.27 from rounding
    // up past an exact pixel count.
    const auto cover = [scale](int length, int atLeast) {
        return std::max(atLeast, static_cast<int>(std::ceil(length * scale - 1e-9)));
    };
    return QSize(std::min(picture.width(), cover(picture.width(), 1)),
                 std::min(picture.height(), cover(picture.height(), 1)));
}

QImage LoadWallpaperPicture(const PictureSource& source, QSize screen, WallpaperStyle style)
{
    const QSize upright = source.Upright();
    if (screen.isEmpty())
        return source.Decode(QSize());
    if (style == WallpaperStyle::Stretch) {
        // Shrunk both ways, a JPEG comes straight at the screen's size.
        if (screen.width() <= upright.width() && screen.height() <= upright.height()) {
            QImage straight = source.DecodeStraightTo(screen);
            if (!straight.isNull())
                return straight;
        }
        return source.Decode(source.CoveringDecodeSize(StretchDecodeSize(upright, screen)));
    }
    const QRect visible = VisiblePictureRect(upright, screen, style);
    if (visible.size() == upright)
        return source.Decode(QSize());
    return source.DecodePart(visible);
}

QImage LoadWallpaperPicture(const QString& path, QSize screen, WallpaperStyle style)
{
    const std::optional<PictureSource> source = OpenWallpaperPicture(path);
    return source ? LoadWallpaperPicture(*source, screen, style) : QImage();
}
