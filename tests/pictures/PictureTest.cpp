// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "pictures/Picture.h"
#include "pictures/ImageEdits.h"
#include "support/PictureFixtures.h"
#include "support/ProcessMemory.h"

#include <QFile>
#include <QImageWriter>
#include <QPainter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <iostream>

using namespace fixtures;

namespace {

class PictureTest : public ::testing::Test {
protected:
    QString Write(const QString& name, const QByteArray& bytes)
    {
        const QString path = m_dir.filePath(name);
        WriteFile(path, bytes);
        return path;
    }

    // Loads the way the application does: the type from the extension.
    static bool LoadByName(CxImage& picture, const QString& path)
    {
        return picture.Load(path, FindType(FindExtension(path).toLower()));
    }

    QTemporaryDir m_dir;
};

QImage Filled(QSize size, QImage::Format format, QRgb colour)
{
    QImage image(size, QImage::Format_ARGB32);
    image.fill(colour);
    image.setPixel(0, 0, qRgba(10, 20, 30, 255));
    return image.convertToFormat(format);
}

// 16 distinct colours indexed (x + 5y) % 16 over a 5x3 picture: odd width,
// so 4-bit rows need padding.
QImage SixteenColours()
{
    QImage image(5, 3, QImage::Format_Indexed8);
    QList<QRgb> table;
    for (int i = 0; i < 16; ++i)
        table.append(qRgb(i * 16, 255 - i * 16, (i * 37) % 256));
    image.setColorTable(table);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            image.setPixel(x, y, static_cast<uint>((x + 5 * y) % 16));
    return image;
}

QImage TwoFiftySixColours()
{
    QImage image(7, 5, QImage::Format_Indexed8);
    QList<QRgb> table;
    for (int i = 0; i < 256; ++i)
        table.append(qRgb(i, 255 - i, (i * 3) % 256));
    image.setColorTable(table);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x)
            image.setPixel(x, y, static_cast<uint>((x * 31 + y * 7) % 256));
    return image;
}

// Colours 5-5-5 keeps exactly (channels 0 or 255).
QImage PrimaryColours()
{
    QImage image(4, 2, QImage::Format_RGB32);
    const QRgb colours[8] = {qRgb(255, 0, 0), qRgb(0, 255, 0),   qRgb(0, 0, 255),   qRgb(255, 255, 255),
                             qRgb(0, 0, 0),   qRgb(255, 255, 0), qRgb(0, 255, 255), qRgb(255, 0, 255)};
    for (int i = 0; i < 8; ++i)
        image.setPixel(i % 4, i / 4, colours[i]);
    return image;
}

void ExpectSamePixels(const QImage& got, const QImage& want, const QString& what, int tolerance = 0)
{
    ASSERT_EQ(got.size(), want.size()) << what.toStdString();
    for (int y = 0; y < want.height(); ++y)
        for (int x = 0; x < want.width(); ++x)
            ASSERT_TRUE(Near(got.pixel(x, y), want.pixel(x, y), tolerance))
                << what.toStdString() << " at " << x << "," << y << ": " << std::hex << got.pixel(x, y) << " for "
                << want.pixel(x, y);
}

// 64x32, a different colour in each quadrant, so each of the eight ways of
// turning and mirroring it looks different.
constexpr QRgb kTopLeft = qRgb(220, 30, 30);
constexpr QRgb kTopRight = qRgb(30, 200, 30);
constexpr QRgb kBottomLeft = qRgb(30, 30, 220);
constexpr QRgb kBottomRight = qRgb(240, 240, 240);

QImage Quadrants(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y,
                           y < h / 2 ? (x < w / 2 ? kTopLeft : kTopRight) : (x < w / 2 ? kBottomLeft : kBottomRight));
    return image;
}

void ExpectUprightQuadrants(const QImage& image, const std::string& what)
{
    const int w = image.width();
    const int h = image.height();
    EXPECT_TRUE(Near(image.pixel(w / 4, h / 4), kTopLeft, 48)) << what;
    EXPECT_TRUE(Near(image.pixel(3 * w / 4, h / 4), kTopRight, 48)) << what;
    EXPECT_TRUE(Near(image.pixel(w / 4, 3 * h / 4), kBottomLeft, 48)) << what;
    EXPECT_TRUE(Near(image.pixel(3 * w / 4, 3 * h / 4), kBottomRight, 48)) << what;
}

// The stored picture for an EXIF orientation: the one that, turned the way
// the tag says, shows `upright`. For each upright pixel, where it is stored.
QImage StoredFor(const QImage& upright, int orientation)
{
    const int w = upright.width();
    const int h = upright.height();
    const bool quarter = orientation >= 5;
    QImage stored(quarter ? h : w, quarter ? w : h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            QPoint s;
            switch (orientation) {
            case 1:
                s = {x, y};
                break;
            case 2:
                s = {w - 1 - x, y};
                break;
            case 3:
                s = {w - 1 - x, h - 1 - y};
                break;
            case 4:
                s = {x, h - 1 - y};
                break;
            case 5:
                s = {y, x};
                break;
            case 6:
                s = {y, w - 1 - x};
                break;
            case 7:
                s = {h - 1 - y, w - 1 - x};
                break;
            default:
                s = {h - 1 - y, x};
                break;
            }
            stored.setPixel(s, upright.pixel(x, y));
        }
    }
    return stored;
}

} // namespace

TEST_F(PictureTest, ReportsTheFilesOwnBitsPerPixel)
{
    QImage translucent = Filled({6, 4}, QImage::Format_ARGB32, qRgba(200, 100, 50, 128));
    const struct {
        const char* name;
        QByteArray bytes;
        int bpp;
        int type;
    } cases[] = {
        {"rgb.jpg", Encode(Filled({6, 4}, QImage::Format_RGB32, qRgb(200, 100, 50)), "jpeg"), 24, CXIMAGE_FORMAT_JPG},
        {"grey.jpg", Encode(Filled({6, 4}, QImage::Format_Grayscale8, qRgb(90, 90, 90)), "jpeg"), 8,
         CXIMAGE_FORMAT_JPG},
        {"rgb.png", Encode(Filled({6, 4}, QImage::Format_RGB32, qRgb(200, 100, 50)), "png"), 24, CXIMAGE_FORMAT_PNG},
        {"alpha.png", Encode(translucent, "png"), 32, CXIMAGE_FORMAT_PNG},
        {"grey.png", Encode(Filled({6, 4}, QImage::Format_Grayscale8, qRgb(90, 90, 90)), "png"), 8, CXIMAGE_FORMAT_PNG},
        {"palette.png", Encode(TwoFiftySixColours(), "png"), 8, CXIMAGE_FORMAT_PNG},
        {"onebit.png", Encode(Filled({6, 4}, QImage::Format_Mono, qRgb(255, 255, 255)), "png"), 1, CXIMAGE_FORMAT_PNG},
        {"grey16.png", Encode(Filled({6, 4}, QImage::Format_Grayscale16, qRgb(90, 90, 90)), "png"), 16,
         CXIMAGE_FORMAT_PNG},
        {"rgb16.png", Encode(Filled({6, 4}, QImage::Format_RGBX64, qRgb(200, 100, 50)), "png"), 48, CXIMAGE_FORMAT_PNG},
        {"rgba16.png", Encode(translucent.convertToFormat(QImage::Format_RGBA64), "png"), 64, CXIMAGE_FORMAT_PNG},
        {"onebit.bmp", Encode(Filled({6, 4}, QImage::Format_Mono, qRgb(255, 255, 255)), "bmp"), 1, CXIMAGE_FORMAT_BMP},
        {"fourbit.bmp", HandMadeBmp(SixteenColours(), 4), 4, CXIMAGE_FORMAT_BMP},
        {"eightbit.bmp", Encode(TwoFiftySixColours(), "bmp"), 8, CXIMAGE_FORMAT_BMP},
        {"sixteen.bmp", HandMadeBmp(PrimaryColours(), 16), 16, CXIMAGE_FORMAT_BMP},
        {"truecolour.bmp", Encode(Filled({6, 4}, QImage::Format_RGB888, qRgb(200, 100, 50)), "bmp"), 24,
         CXIMAGE_FORMAT_BMP},
        {"thirtytwo.bmp", HandMadeBmp(PrimaryColours(), 32), 32, CXIMAGE_FORMAT_BMP},
        {"eightbit.gif", HandMadeGif(TwoFiftySixColours(), 8), 8, CXIMAGE_FORMAT_GIF},
        {"fourbit.gif", HandMadeGif(SixteenColours(), 4), 4, CXIMAGE_FORMAT_GIF},
    };
    for (const auto& c : cases) {
        CxImage picture;
        ASSERT_TRUE(LoadByName(picture, Write(c.name, c.bytes))) << c.name;
        EXPECT_TRUE(picture.IsValid()) << c.name;
        EXPECT_EQ(picture.GetBpp(), c.bpp) << c.name;
        EXPECT_EQ(picture.GetType(), c.type) << c.name;
        EXPECT_EQ(QSize(picture.GetWidth(), picture.GetHeight()), picture.GetDecodedSize()) << c.name;
    }
}

TEST_F(PictureTest, HandMadeFilesDecodeToTheirPixels)
{
    CxImage picture;
    ASSERT_TRUE(LoadByName(picture, Write("four.bmp", HandMadeBmp(SixteenColours(), 4))));
    ExpectSamePixels(picture.GetImage(), SixteenColours(), "4-bit BMP");
    ASSERT_TRUE(LoadByName(picture, Write("sixteen.bmp", HandMadeBmp(PrimaryColours(), 16))));
    // Qt widens 5-bit channels by shifting (31 becomes 248), not by
    // replicating the top bits.
    ExpectSamePixels(picture.GetImage(), PrimaryColours(), "16-bit BMP", 7);
    ASSERT_TRUE(LoadByName(picture, Write("thirtytwo.bmp", HandMadeBmp(PrimaryColours(), 32))));
    ExpectSamePixels(picture.GetImage(), PrimaryColours(), "32-bit BMP");
    ASSERT_TRUE(LoadByName(picture, Write("eight.gif", HandMadeGif(TwoFiftySixColours(), 8))));
    ExpectSamePixels(picture.GetImage(), TwoFiftySixColours(), "8-bit GIF");
    ASSERT_TRUE(LoadByName(picture, Write("four.gif", HandMadeGif(SixteenColours(), 4))));
    ExpectSamePixels(picture.GetImage(), SixteenColours(), "4-bit GIF");
}

TEST_F(PictureTest, DibAndMisnamedFilesLoadByTheirContent)
{
    const QImage primaries = PrimaryColours();
    const QByteArray bmp = Encode(primaries, "bmp");
    const QByteArray png = Encode(primaries, "png");
    const QByteArray gif = HandMadeGif(SixteenColours(), 4);
    const QByteArray jpeg = Encode(Quadrants(64, 32), "jpeg");

    const struct {
        const char* name;
        const QByteArray& bytes;
        int type;
    } cases[] = {
        {"bitmap.dib", bmp, CXIMAGE_FORMAT_BMP},     {"bitmap.DIB", bmp, CXIMAGE_FORMAT_BMP},
        {"really-png.jpg", png, CXIMAGE_FORMAT_PNG}, {"really-jpeg.png", jpeg, CXIMAGE_FORMAT_JPG},
        {"really-gif.bmp", gif, CXIMAGE_FORMAT_GIF}, {"really-bmp.jpeg", bmp, CXIMAGE_FORMAT_BMP},
        {"no-extension", png, CXIMAGE_FORMAT_PNG},
    };
    for (const auto& c : cases) {
        CxImage picture;
        ASSERT_TRUE(LoadByName(picture, Write(c.name, c.bytes))) << c.name;
        EXPECT_EQ(picture.GetType(), c.type) << c.name;
        if (c.type == CXIMAGE_FORMAT_BMP || c.type == CXIMAGE_FORMAT_PNG)
            ExpectSamePixels(picture.GetImage(), primaries, c.name);
    }
}

TEST_F(PictureTest, AllEightExifOrientationsComeOutUpright)
{
    const QImage upright = Quadrants(64, 32);
    for (int orientation = 1; orientation <= 8; ++orientation) {
        const std::string what = "orientation " + std::to_string(orientation);
        const QString path = Write(QString("o%1.jpg").arg(orientation),
                                   JpegWithOrientation(StoredFor(upright, orientation), orientation));
        CxImage picture;
        ASSERT_TRUE(picture.Load(path, CXIMAGE_FORMAT_JPG)) << what;
        // The reported size is the upright one, as the picture is shown.
        EXPECT_EQ(picture.GetWidth(), 64) << what;
        EXPECT_EQ(picture.GetHeight(), 32) << what;
        ASSERT_EQ(picture.GetDecodedSize(), QSize(64, 32)) << what;
        ExpectUprightQuadrants(picture.GetImage(), what);

        // With a decode limit the reduction happens before the turn: the
        // limit applies to the upright picture.
        CxImage reduced;
        reduced.SetMaxDecodeSize({32, 32});
        ASSERT_TRUE(reduced.Load(path, CXIMAGE_FORMAT_JPG)) << what;
        EXPECT_EQ(reduced.GetWidth(), 64) << what;
        ASSERT_EQ(reduced.GetDecodedSize(), QSize(32, 16)) << what;
        ExpectUprightQuadrants(reduced.GetImage(), what + " reduced");
    }
}

TEST_F(PictureTest, DecodeLimitReducesPixelsButKeepsTheFilesSize)
{
    const QImage big = Quadrants(400, 300);
    for (const char* format : {"jpeg", "png", "bmp"}) {
        const QString path = Write(QString("big.") + format, Encode(big, format));
        CxImage picture;
        picture.SetMaxDecodeSize({100, 100});
        ASSERT_TRUE(LoadByName(picture, path)) << format;
        EXPECT_EQ(picture.GetWidth(), 400) << format;
        EXPECT_EQ(picture.GetHeight(), 300) << format;
        EXPECT_EQ(picture.GetDecodedSize(), QSize(100, 75)) << format;
        ExpectUprightQuadrants(picture.GetImage(), format);

        // A limit larger than the picture never enlarges it.
        picture.SetMaxDecodeSize({1000, 1000});
        ASSERT_TRUE(LoadByName(picture, path)) << format;
        EXPECT_EQ(picture.GetDecodedSize(), QSize(400, 300)) << format;

        // The limit survives Destroy; an empty limit removes it.
        picture.SetMaxDecodeSize({50, 400});
        picture.Destroy();
        ASSERT_TRUE(LoadByName(picture, path)) << format;
        EXPECT_EQ(picture.GetDecodedSize(), QSize(50, 38)) << format;
        picture.SetMaxDecodeSize({});
        ASSERT_TRUE(LoadByName(picture, path)) << format;
        EXPECT_EQ(picture.GetDecodedSize(), QSize(400, 300)) << format;
    }
}

TEST_F(PictureTest, BrokenFilesGiveAnInvalidPicture)
{
    const QByteArray jpeg = Encode(Quadrants(64, 64), "jpeg");
    const QByteArray png = Encode(Quadrants(64, 64), "png");
    const QByteArray bmp = Encode(Quadrants(64, 64), "bmp");
    const QByteArray gif = HandMadeGif(TwoFiftySixColours(), 8);

    // A complete, well-formed JPEG whose frame header claims 60000x60000.
    QByteArray hugeJpeg = jpeg;
    const qsizetype sof = FindJpegFrameHeader(hugeJpeg);
    ASSERT_GT(sof, 0);
    hugeJpeg[sof + 5] = char(0xEA); // height 0xEA60 = 60000
    hugeJpeg[sof + 6] = char(0x60);
    hugeJpeg[sof + 7] = char(0xEA); // width
    hugeJpeg[sof + 8] = char(0x60);

    // A complete PNG (valid CRCs, IDAT, IEND) whose header claims 60000x60000.
    QByteArray ihdr;
    for (const int v : {0, 0, 0xEA, 0x60, 0, 0, 0xEA, 0x60, 8, 2, 0, 0, 0})
        ihdr.append(char(v));
    const QByteArray hugePng = png.left(8) + PngChunk("IHDR", ihdr) +
                               PngChunk("IDAT", QByteArray::fromHex("789c030000000001")) + PngChunk("IEND", {});

    // Within every size limit, but 8000x8000 RGBA rows cannot come out of
    // a few bytes of compressed data.
    QByteArray bigIhdr;
    for (const int v : {0, 0, 0x1F, 0x40, 0, 0, 0x1F, 0x40, 8, 6, 0, 0, 0})
        bigIhdr.append(char(v));
    const QByteArray emptyPng = png.left(8) + PngChunk("IHDR", bigIhdr) +
                                PngChunk("IDAT", QByteArray::fromHex("789c030000000001")) + PngChunk("IEND", {});

    // A BMP header for 60000x60000 at 24 bits, and one at a depth BMP has not got.
    QByteArray hugeBmp = bmp.left(54);
    hugeBmp[18] = char(0x60);
    hugeBmp[19] = char(0xEA);
    hugeBmp[22] = char(0x60);
    hugeBmp[23] = char(0xEA);
    QByteArray sevenBitBmp = bmp;
    sevenBitBmp[28] = 7;

    // A GIF whose screen is 60000x60000 around a small, complete image.
    QByteArray hugeGif = gif;
    hugeGif[6] = char(0x60);
    hugeGif[7] = char(0xEA);
    hugeGif[8] = char(0x60);
    hugeGif[9] = char(0xEA);

    QByteArray wrongIhdrLength = png;
    wrongIhdrLength[11] = 12;

    QByteArray zeroFrameLength = jpeg;
    zeroFrameLength[sof + 2] = 0;
    zeroFrameLength[sof + 3] = 0;

    const struct {
        const char* name;
        QByteArray bytes;
    } cases[] = {
        {"zero_bytes.jpg", {}},
        {"zero_bytes.png", {}},
        {"truncated_half.jpg", jpeg.left(jpeg.size() / 2)},
        {"truncated_in_last_scan.jpg", jpeg.left(jpeg.size() - 40)},
        {"truncated_header.jpg", jpeg.left(sof + 4)},
        {"truncated_half.png", png.left(png.size() / 2)},
        {"truncated_before_iend.png", png.left(png.size() - 12)},
        {"truncated_rows.bmp", bmp.left(bmp.size() - 100)},
        {"truncated_header.bmp", bmp.left(20)},
        {"truncated_image.gif", gif.left(gif.size() - 30)},
        {"truncated_palette.gif", gif.left(200)},
        {"garbage.png", Garbage(5000)},
        {"garbage.jpg", Garbage(5000)},
        {"text.bmp", "this is not a picture, it is a shopping list\n"},
        {"signature_only.png", png.left(8)},
        {"signature_only.jpg", jpeg.left(3)},
        {"signature_only.gif", "GIF89a"},
        {"claims_60000x60000.jpg", hugeJpeg},
        {"claims_60000x60000.png", hugePng},
        {"claims_8000x8000_without_data.png", emptyPng},
        {"claims_60000x60000.bmp", hugeBmp},
        {"claims_60000x60000.gif", hugeGif},
        {"seven_bit.bmp", sevenBitBmp},
        {"wrong_ihdr_length.png", wrongIhdrLength},
        {"zero_frame_length.jpg", zeroFrameLength},
    };

    // Each case starts from a good picture: a failed load must not leave the
    // previous one behind.
    const QString good = Write("good.png", png);
    for (const auto& c : cases) {
        CxImage picture;
        picture.SetMaxDecodeSize({256, 256});
        ASSERT_TRUE(LoadByName(picture, good));
        EXPECT_FALSE(LoadByName(picture, Write(c.name, c.bytes))) << c.name;
        EXPECT_FALSE(picture.IsValid()) << c.name;
        EXPECT_EQ(picture.GetWidth(), 0) << c.name;
        EXPECT_EQ(picture.GetHeight(), 0) << c.name;
        EXPECT_EQ(picture.GetBpp(), 0) << c.name;
        EXPECT_TRUE(picture.MakeBitmap().isNull()) << c.name;
    }

    CxImage picture;
    EXPECT_FALSE(picture.Load(m_dir.filePath("does-not-exist.jpg"), CXIMAGE_FORMAT_JPG));
    EXPECT_FALSE(picture.Load(m_dir.path(), CXIMAGE_FORMAT_JPG));
    EXPECT_FALSE(picture.IsValid());
}

TEST_F(PictureTest, EditsKeepTheReportedSizeAndDepthInStep)
{
    CxImage picture;
    picture.SetMaxDecodeSize({100, 100});
    ASSERT_TRUE(LoadByName(picture, Write("photo.jpg", Encode(Quadrants(400, 300), "jpeg"))));
    ASSERT_EQ(picture.GetDecodedSize(), QSize(100, 75));

    picture.SetImage(imageedits::RotateLeft(picture.GetImage()), ImageTurn::QuarterTurn);
    EXPECT_EQ(picture.GetDecodedSize(), QSize(75, 100));
    EXPECT_EQ(picture.GetWidth(), 300);
    EXPECT_EQ(picture.GetHeight(), 400);
    EXPECT_EQ(picture.GetBpp(), 24);

    picture.SetImage(imageedits::Mirror(picture.GetImage()));
    EXPECT_EQ(picture.GetWidth(), 300);
    EXPECT_EQ(picture.GetBpp(), 24);

    picture.SetImage(imageedits::GrayScale(picture.GetImage()));
    EXPECT_EQ(picture.GetBpp(), 8);
    EXPECT_EQ(picture.GetWidth(), 300);

    // Pixels of some other size are a new picture.
    picture.SetImage(QImage(10, 20, QImage::Format_ARGB32));
    EXPECT_EQ(picture.GetWidth(), 10);
    EXPECT_EQ(picture.GetHeight(), 20);
    EXPECT_EQ(picture.GetBpp(), 32);

    picture.SetImage(QImage());
    EXPECT_FALSE(picture.IsValid());
    EXPECT_EQ(picture.GetWidth(), 0);

    // A quarter turn of square pixels held for an oblong file: only the
    // caller knows it turned them.
    picture.SetMaxDecodeSize({100, 100});
    ASSERT_TRUE(LoadByName(picture, Write("nearly-square.png", Encode(Quadrants(401, 400), "png"))));
    ASSERT_EQ(picture.GetDecodedSize(), QSize(100, 100));
    picture.SetImage(imageedits::RotateRight(picture.GetImage()), ImageTurn::QuarterTurn);
    EXPECT_EQ(picture.GetWidth(), 400);
    EXPECT_EQ(picture.GetHeight(), 401);
    picture.SetImage(imageedits::Mirror(picture.GetImage()));
    EXPECT_EQ(picture.GetWidth(), 400);
}

TEST_F(PictureTest, ReducedDecodesKeepThePicturesColoursAtEveryDepth)
{
    // Blue left half, red right half, in every depth the loader reads.
    QImage halves(400, 300, QImage::Format_RGB32);
    halves.fill(qRgb(255, 0, 0));
    for (int y = 0; y < 300; ++y)
        for (int x = 0; x < 200; ++x)
            halves.setPixel(x, y, qRgb(0, 0, 255));
    QImage mono = halves.convertToFormat(QImage::Format_Mono, Qt::ThresholdDither);
    mono.setColorTable({qRgb(0, 0, 255), qRgb(255, 0, 0)});
    mono.fill(0);
    for (int y = 0; y < 300; ++y)
        for (int x = 200; x < 400; ++x)
            mono.setPixel(x, y, 1);
    QImage indexed = mono.convertToFormat(QImage::Format_Indexed8);
    QImage sixteen = indexed;
    QList<QRgb> table = indexed.colorTable();
    while (table.size() < 16)
        table.append(qRgb(0, 255, 0));
    sixteen.setColorTable(table);
    QImage twoFiftySix = indexed;
    while (table.size() < 256)
        table.append(qRgb(0, 255, 0));
    twoFiftySix.setColorTable(table);
    const QImage withAlpha = halves.convertToFormat(QImage::Format_ARGB32);

    const struct {
        const char* name;
        QByteArray bytes;
    } files[] = {
        {"1bit.png", Encode(mono, "png")},
        {"4bit.png", Encode(sixteen, "png")},
        {"8bit.png", Encode(twoFiftySix, "png")},
        {"24bit.png", Encode(halves, "png")},
        {"32bit.png", Encode(withAlpha, "png")},
        {"48bit.png", Encode(halves.convertToFormat(QImage::Format_RGBX64), "png")},
        {"1bit.bmp", Encode(mono, "bmp")},
        {"4bit.bmp", HandMadeBmp(sixteen, 4)},
        {"8bit.bmp", Encode(twoFiftySix, "bmp")},
        {"16bit.bmp", HandMadeBmp(halves, 16)},
        {"24bit.bmp", Encode(halves, "bmp")},
        {"32bit.bmp", HandMadeBmp(halves, 32)},
        {"2bit.gif", HandMadeGif(indexed, 2)},
        {"photo.jpg", Encode(halves, "jpeg")},
    };
    for (const auto& f : files) {
        SCOPED_TRACE(f.name);
        CxImage picture;
        picture.SetMaxDecodeSize({40, 30});
        ASSERT_TRUE(LoadByName(picture, Write(f.name, f.bytes)));
        ASSERT_EQ(picture.GetDecodedSize(), QSize(40, 30));
        const QImage& image = picture.GetImage();
        EXPECT_TRUE(Near(image.pixel(8, 15), qRgb(0, 0, 255), 16)) << std::hex << image.pixel(8, 15);
        EXPECT_TRUE(Near(image.pixel(31, 15), qRgb(255, 0, 0), 16)) << std::hex << image.pixel(31, 15);
    }
}

TEST_F(PictureTest, Draw2ScalesIntoTheTargetWithItsRightAndBottomEdgesOutside)
{
    CxImage picture;
    QImage halves(2, 1, QImage::Format_RGB32);
    halves.setPixel(0, 0, qRgb(255, 0, 0));
    halves.setPixel(1, 0, qRgb(0, 0, 255));
    picture.SetImage(halves);

    QImage canvas(40, 30, QImage::Format_RGB32);
    canvas.fill(Qt::white);
    {
        QPainter painter(&canvas);
        picture.Draw2(&painter, CRect(10, 5, 30, 15));
        picture.Draw2(&painter, CRect(5, 20, 5, 25)); // empty: draws nothing
        picture.Draw2(nullptr, CRect(0, 0, 40, 30));
    }
    EXPECT_TRUE(Near(canvas.pixel(11, 6), qRgb(255, 0, 0), 8));
    EXPECT_TRUE(Near(canvas.pixel(28, 13), qRgb(0, 0, 255), 8));
    EXPECT_EQ(canvas.pixel(30, 10), qRgb(255, 255, 255)); // right edge excluded
    EXPECT_EQ(canvas.pixel(20, 15), qRgb(255, 255, 255)); // bottom edge excluded
    EXPECT_EQ(canvas.pixel(9, 10), qRgb(255, 255, 255));
    EXPECT_EQ(canvas.pixel(20, 4), qRgb(255, 255, 255));
    EXPECT_EQ(canvas.pixel(5, 22), qRgb(255, 255, 255));

    const QPixmap bitmap = picture.MakeBitmap();
    EXPECT_EQ(bitmap.size(), QSize(2, 1));
    EXPECT_EQ(bitmap.toImage().pixel(1, 0), qRgb(0, 0, 255));
}

TEST_F(PictureTest, HundredMegapixelJpegLoadsReducedWithinBoundedMemory)
{
    // 12000x8400 (100.8 megapixels): 403 MB decoded at four bytes a pixel,
    // far beyond Qt's default 128 MB allocation limit. Flat areas keep the
    // encoding quick.
    constexpr int kWidth = 12000;
    constexpr int kHeight = 8400;
    const QString path = m_dir.filePath("huge.jpg");
    {
        QImage huge(kWidth, kHeight, QImage::Format_RGB32);
        ASSERT_FALSE(huge.isNull());
        huge.fill(kTopRight);
        QPainter painter(&huge);
        painter.fillRect(0, 0, kWidth / 2, kHeight / 2, QColor(kTopLeft));
        painter.fillRect(kWidth / 2, kHeight / 2, kWidth / 2, kHeight / 2, QColor(kBottomRight));
        painter.end();
        QImageWriter writer(path, "jpeg");
        writer.setQuality(80);
        ASSERT_TRUE(writer.write(huge)) << writer.errorString().toStdString();
    }

    const bool measured = ResetPeakRss();
    const qint64 baselineKb = ProcStatusKb("VmRSS");

    CxImage picture;
    picture.SetMaxDecodeSize({1920, 1080});
    ASSERT_TRUE(picture.Load(path, CXIMAGE_FORMAT_JPG));
    EXPECT_EQ(picture.GetWidth(), kWidth);
    EXPECT_EQ(picture.GetHeight(), kHeight);
    EXPECT_EQ(picture.GetBpp(), 24);
    EXPECT_EQ(picture.GetDecodedSize(), QSize(1543, 1080));
    const QImage& image = picture.GetImage();
    EXPECT_TRUE(Near(image.pixel(image.width() / 4, image.height() / 4), kTopLeft, 24));
    EXPECT_TRUE(Near(image.pixel(3 * image.width() / 4, image.height() / 4), kTopRight, 24));
    EXPECT_TRUE(Near(image.pixel(3 * image.width() / 4, 3 * image.height() / 4), kBottomRight, 24));

    if (measured && baselineKb > 0) {
        // libjpeg decodes at a quarter of the size (3000x2100, 25 MB); a full
        // decode would need 403 MB.
        const qint64 growthMb = (ProcStatusKb("VmHWM") - baselineKb) / 1024;
        EXPECT_LT(growthMb, 160) << "peak memory grew by " << growthMb << " MB";
    } else {
        std::cout << "[   NOTE   ] peak memory not measured: /proc/self/clear_refs unavailable\n";
    }

    // Without a decode limit the picture is still reduced, to what the
    // decode budget allows: still a large picture.
    ResetPeakRss();
    const qint64 beforeWholeKb = ProcStatusKb("VmRSS");
    CxImage whole;
    ASSERT_TRUE(whole.Load(path, CXIMAGE_FORMAT_JPG));
    if (measured && beforeWholeKb > 0) {
        const qint64 growthMb = (ProcStatusKb("VmHWM") - beforeWholeKb) / 1024;
        // The budget, plus what the sanitizers add to each allocation.
        EXPECT_LT(growthMb, (CxImage::kDecodeBudgetBytes >> 20) + 50) << "peak memory grew by " << growthMb << " MB";
    }
    EXPECT_EQ(whole.GetWidth(), kWidth);
    const QSize decoded = whole.GetDecodedSize();
    const qint64 pixels = qint64{decoded.width()} * decoded.height();
    EXPECT_LE(pixels, CxImage::kMaxDecodePixels);
    EXPECT_GT(pixels, qint64{12} << 20);
    EXPECT_NEAR(double(decoded.width()) / decoded.height(), double(kWidth) / kHeight, 0.001);
}
