// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "desktop/WallpaperPicture.h"

#include "desktop/WallpaperRender.h"
#include "pictures/ImageHelpers.h"
#include "pictures/Picture.h"
#include "platform/SafeFile.h"

#include <QFile>
#include <QImageIOHandler>
#include <QImageReader>

#include <algorithm>
#include <cmath>
#include <memory>

namespace {

// Big enough that a decode at this size has read every byte of the file,
// small enough that a JPEG is decoded at an eighth of its size.
constexpr QSize kCheckSize(64, 64);

int TypeOf(const QString& path)
{
    return FindType(FindExtension(path));
}

const char* QtFormatOf(int cxType)
{
    switch (cxType) {
    case CXIMAGE_FORMAT_JPG:
        return "jpeg";
    case CXIMAGE_FORMAT_PNG:
        return "png";
    case CXIMAGE_FORMAT_GIF:
        return "gif";
    case CXIMAGE_FORMAT_BMP:
        return "bmp";
    default:
        return "";
    }
}

struct Header {
    QSize upright;
    bool transformed = false;
};

// The picture's upright size from its header alone (nothing decoded).
Header ReadHeader(const QString& path)
{
    // Only a regular file: a FIFO would block the reader in its open.
    Header header;
    const std::unique_ptr<QFile> file = OpenRegularFile(path);
    if (!file)
        return header;
    QImageReader reader(file.get());
    // By content, as the loader does: Qt takes a ".dib" name to mean a
    // bitmap without its file header, which ours are not.
    reader.setDecideFormatFromContent(true);
    reader.setAutoTransform(true);
    const QSize stored = reader.size();
    if (!stored.isValid())
        return header;
    header.transformed = reader.transformation() != QImageIOHandler::TransformationNone;
    header.upright = (reader.transformation() & QImageIOHandler::TransformationRotate90) ? stored.transposed() : stored;
    return header;
}

QImage LoadWhole(const QString& path, QSize limit)
{
    CxImage picture;
    picture.SetMaxDecodeSize(limit);
    if (!picture.Load(path, TypeOf(path)))
        return {};
    return picture.GetImage();
}

// Decodes only `visible` of a picture whose upright size is `upright`.
QImage LoadPart(const QString& path, const Header& header, const QRect& visible)
{
    // The shared loader first, so a truncated or forged file is refused
    // exactly as everywhere else in the program (Qt's JPEG reader would
    // happily fill a truncated file's missing rows with grey).
    CxImage check;
    check.SetMaxDecodeSize(kCheckSize);
    if (!check.Load(path, TypeOf(path)))
        return {};

    // A region decode reads rows and columns of the stored picture, so it is
    // only used when stored and upright are the same.
    if (!header.transformed) {
        const std::unique_ptr<QFile> file = OpenRegularFile(path);
        if (!file)
            return {};
        QImageReader reader(file.get(), QtFormatOf(check.GetType()));
        reader.setAutoDetectImageFormat(false);
        if (reader.supportsOption(QImageIOHandler::ClipRect)) {
            reader.setClipRect(visible);
            QImage part;
            if (reader.read(&part) && part.size() == visible.size())
                return part;
        }
    }

    const QImage whole = LoadWhole(path, QSize());
    if (whole.isNull())
        return {};
    if (whole.size() == header.upright)
        return whole.copy(visible);
    // The loader reduced an enormous picture to its pixel cap: take the same
    // part of the reduced one.
    const double fx = double(whole.width()) / header.upright.width();
    const double fy = double(whole.height()) / header.upright.height();
    return whole.copy(QRect(int(visible.x() * fx), int(visible.y() * fy), std::max(1, int(visible.width() * fx)),
                            std::max(1, int(visible.height() * fy))));
}

// The size to load a stretched picture at, given the size that covers the
// screen. For a JPEG that is the smallest exact half, quarter or eighth that
// still covers it (within 1.6 times each way, as the loader's own rule):
// libjpeg decodes straight to it, and the renderer then shrinks it to the
// screen in one area-averaging step, with no copy at the covering size in
// between.
QSize StretchLoadSize(const QString& path, const Header& header, QSize cover)
{
    if (TypeOf(path) != CXIMAGE_FORMAT_JPG || header.transformed || cover == header.upright)
        return cover;
    const QSize full = header.upright;
    for (const int divisor : {8, 4, 2}) {
        if (full.width() % divisor || full.height() % divisor)
            continue;
        const QSize reduced = full / divisor;
        if (reduced.width() < cover.width() || reduced.height() < cover.height())
            continue;
        const bool near = reduced.width() * 5 <= cover.width() * 8 && reduced.height() * 5 <= cover.height() * 8;
        return near ? reduced : cover;
    }
    return cover;
}

} // namespace

bool IsReadablePicture(const QString& path)
{
    if (TypeOf(path) == CXIMAGE_FORMAT_UNKNOWN)
        return false;
    CxImage picture;
    picture.SetMaxDecodeSize(kCheckSize);
    return picture.Load(path, TypeOf(path));
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

QImage LoadWallpaperPicture(const QString& path, QSize screen, WallpaperStyle style)
{
    if (TypeOf(path) == CXIMAGE_FORMAT_UNKNOWN)
        return {};
    const Header header = ReadHeader(path);
    if (header.upright.isEmpty() || screen.isEmpty())
        return LoadWhole(path, style == WallpaperStyle::Stretch ? screen : QSize());

    if (style == WallpaperStyle::Stretch)
        return LoadWhole(path, StretchLoadSize(path, header, StretchDecodeSize(header.upright, screen)));

    const QRect visible = VisiblePictureRect(header.upright, screen, style);
    if (visible.size() == header.upright)
        return LoadWhole(path, QSize());
    return LoadPart(path, header, visible);
}
