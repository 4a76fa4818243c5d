// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// A decoded picture: BMP (.bmp, .dib), JPEG, GIF (first frame) or PNG.
//
// The picture remembers its file's own width, height and bits per pixel for
// display, but holds pixels only up to the size it will be drawn at: with a
// decode limit set, JPEGs are reduced by libjpeg while decoding and the other
// formats right after. Broken, truncated and absurdly large files are an
// ordinary outcome: Load returns false and the picture is invalid.

#include "pictures/ImageHelpers.h"
#include "pictures/PictureFiles.h"
#include "pictures/PictureProbe.h"
#include "platform/Geometry.h"

#include <QImage>
#include <QPixmap>
#include <QSize>
#include <QString>

#include <functional>

class QPainter;

// Whether new pixels given to CxImage::SetImage are the old ones turned by a
// quarter.
enum class ImageTurn { None, QuarterTurn };

class CxImage {
public:
    // Files claiming more pixels than this (256 megapixels) are refused
    // without decoding: no camera makes them, and a forged header must not
    // make us try.
    static constexpr qint64 kMaxFilePixels = kMaxPictureFilePixels;

    // The largest file read at all (a 100-megapixel JPEG takes about 40 MB).
    static constexpr qint64 kMaxFileBytes = qint64{128} << 20;

    // What one load may cost, the file's bytes included, worked out in the
    // decoder's own formats before decoding (DecodeCost). A picture whose
    // decode would cost more is decoded smaller until it fits; one whose
    // decoder would exceed it at any size (a progressive JPEG's coefficients,
    // a PNG, GIF or BMP decoded whole) is refused.
    static constexpr qint64 kDecodeBudgetBytes = qint64{200} << 20;

    // The most pixels a picture is decoded to (64 megapixels) even where the
    // budget allows more.
    static constexpr qint64 kMaxDecodePixels = qint64{1} << 26;

    // Qt's process-wide image allocation limit, a second line behind the
    // budget (Qt's own default of 128 MB refuses a 50-megapixel photo).
    static constexpr int kAllocationLimitMB = 256;

    explicit CxImage(int imageType = CXIMAGE_FORMAT_UNKNOWN);

    // Decodes the file. The type (from FindType) is only a hint: the file's
    // content decides, so a PNG named .jpg still loads. Returns false, and
    // leaves the picture invalid, for anything that is not a regular file
    // holding a complete BMP, JPEG, GIF or PNG within the limits above; a
    // FIFO, a device or a file that is no picture is refused without reading
    // more than its first bytes.
    bool Load(const QString& path, int type);

    // Pictures loaded after this decode no more pixels than fit in maxSize
    // (aspect kept, never enlarged). An empty size removes the limit.
    void SetMaxDecodeSize(QSize maxSize)
    {
        m_maxDecodeSize = maxSize;
        m_decodeLimitSource = nullptr;
    }
    // The limit is asked of source at each load instead: for a picture whose
    // limit follows a control's size at the moment it loads.
    void SetMaxDecodeSizeSource(std::function<QSize()> source) { m_decodeLimitSource = std::move(source); }
    // The limit the next load honours.
    QSize GetMaxDecodeSize() const;

    bool IsValid() const { return !m_image.isNull(); }

    // The file's own size, upright: a JPEG whose EXIF orientation turns it a
    // quarter reports its width and height swapped relative to its header.
    int GetWidth() const { return m_width; }
    int GetHeight() const { return m_height; }

    // The file's own depth: 1, 4, 8, 16, 24 or 32 for BMP (from its header),
    // 8 (grey) or 24 for JPEG (32 for CMYK), the palette's bits for GIF, and
    // bits per sample times samples per pixel for PNG (24 RGB, 32 RGBA, 8 grey,
    // 1/2/4/8 palette; 48 and 64 for 16-bit RGB and RGBA).
    unsigned short GetBpp() const { return m_bpp; }

    // The picture's type code: the format its content turned out to be.
    int GetType() const { return m_type; }

    // The pixels actually held, possibly smaller than GetWidth x GetHeight.
    const QImage& GetImage() const { return m_image; }
    QSize GetDecodedSize() const { return m_image.size(); }

    // Replaces the pixels, typically with an edit of GetImage(). A quarter
    // turn (said explicitly: the held pixels may be square where the file is
    // not) swaps the reported width and height; otherwise an image of the
    // same size keeps them and any other size becomes the reported size. The
    // depth follows the new pixels when their format changed (a grey-scale
    // edit reports 8).
    void SetImage(QImage image, ImageTurn turn = ImageTurn::None);

    // Draws the whole picture scaled smoothly into target.
    void Draw2(QPainter* dc, const CRect& target) const;

    // A pixmap of the picture for drawing on screen; null when invalid.
    QPixmap MakeBitmap() const;

    // Forgets the picture; the decode limit stays.
    void Destroy();

private:
    QImage m_image;
    QSize m_maxDecodeSize;
    std::function<QSize()> m_decodeLimitSource;
    int m_type = CXIMAGE_FORMAT_UNKNOWN;
    int m_width = 0;
    int m_height = 0;
    unsigned short m_bpp = 0;
};
