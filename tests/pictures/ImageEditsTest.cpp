// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "pictures/ImageEdits.h"

#include <gtest/gtest.h>

#include <functional>

using namespace imageedits;

namespace {

// 3x2, every pixel different, some translucent: any misplaced pixel or
// dropped alpha shows.
QImage Asymmetric()
{
    QImage image(3, 2, QImage::Format_ARGB32);
    const QRgb pixels[2][3] = {
        {qRgba(255, 0, 0, 255), qRgba(0, 255, 0, 255), qRgba(0, 0, 255, 128)},
        {qRgba(10, 200, 30, 255), qRgba(128, 64, 200, 64), qRgba(255, 255, 255, 255)},
    };
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            image.setPixel(x, y, pixels[y][x]);
    return image;
}

QImage Palette()
{
    QImage image(3, 2, QImage::Format_Indexed8);
    image.setColorTable({qRgb(255, 0, 0), qRgb(0, 128, 0), qRgb(20, 40, 60)});
    const int indices[2][3] = {{0, 1, 2}, {2, 2, 1}};
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            image.setPixel(x, y, static_cast<uint>(indices[y][x]));
    return image;
}

QImage OneBit()
{
    QImage image(3, 2, QImage::Format_Mono);
    image.setColorTable({qRgb(255, 0, 0), qRgb(0, 0, 255)});
    image.fill(0);
    image.setPixel(0, 0, 1);
    image.setPixel(2, 1, 1);
    return image;
}

// The same picture in the formats a decoded file comes in.
std::vector<QImage> InEveryFormat()
{
    const QImage argb = Asymmetric();
    return {argb,
            argb.convertToFormat(QImage::Format_ARGB32_Premultiplied),
            argb.convertToFormat(QImage::Format_RGB32),
            argb.convertToFormat(QImage::Format_RGB888),
            argb.convertToFormat(QImage::Format_Grayscale8),
            Palette(),
            OneBit()};
}

// Checks that every source pixel arrives, unchanged, where `to` says.
void ExpectMoved(const QImage& src, const QImage& dst, QSize size, const std::function<QPoint(int, int)>& to)
{
    ASSERT_EQ(dst.size(), size) << "format " << src.format();
    EXPECT_EQ(dst.format(), src.format());
    for (int y = 0; y < src.height(); ++y)
        for (int x = 0; x < src.width(); ++x)
            EXPECT_EQ(dst.pixel(to(x, y)), src.pixel(x, y)) << "format " << src.format() << " at " << x << "," << y;
}

} // namespace

TEST(ImageEdits, MirrorFlipAndRotationsMoveEveryPixelInEveryFormat)
{
    for (const QImage& src : InEveryFormat()) {
        const QImage before = src.copy();
        const int w = src.width();
        const int h = src.height();

        ExpectMoved(src, Mirror(src), {w, h}, [&](int x, int y) { return QPoint(w - 1 - x, y); });
        ExpectMoved(src, Flip(src), {w, h}, [&](int x, int y) { return QPoint(x, h - 1 - y); });
        // Clockwise: the top row becomes the right-hand column.
        ExpectMoved(src, RotateRight(src), {h, w}, [&](int x, int y) { return QPoint(h - 1 - y, x); });
        // Counter-clockwise: the top row becomes the left-hand column, read upwards.
        ExpectMoved(src, RotateLeft(src), {h, w}, [&](int x, int y) { return QPoint(y, w - 1 - x); });

        EXPECT_EQ(src, before) << "edits must leave their input alone";
    }
}

TEST(ImageEdits, NegativeInvertsColoursAndKeepsAlpha)
{
    const auto inverted = [](QRgb c) { return qRgba(255 - qRed(c), 255 - qGreen(c), 255 - qBlue(c), qAlpha(c)); };

    for (const QImage& src : {Asymmetric(), Asymmetric().convertToFormat(QImage::Format_RGB32),
                              Asymmetric().convertToFormat(QImage::Format_Grayscale8), Palette(), OneBit()}) {
        const QImage before = src.copy();
        const QImage neg = Negative(src);
        ASSERT_EQ(neg.size(), src.size());
        EXPECT_EQ(neg.format(), src.format());
        for (int y = 0; y < src.height(); ++y)
            for (int x = 0; x < src.width(); ++x)
                EXPECT_EQ(neg.pixel(x, y), inverted(src.pixel(x, y)))
                    << "format " << src.format() << " at " << x << "," << y;
        EXPECT_EQ(src, before);
    }

    // Premultiplied pixels go through straight colour; rounding may move a
    // translucent channel by a step.
    const QImage pre = Asymmetric().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QImage negPre = Negative(pre);
    EXPECT_EQ(negPre.format(), QImage::Format_ARGB32_Premultiplied);
    const QImage straightSrc = pre.convertToFormat(QImage::Format_ARGB32);
    const QImage straightNeg = negPre.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < pre.height(); ++y) {
        for (int x = 0; x < pre.width(); ++x) {
            const QRgb want = inverted(straightSrc.pixel(x, y));
            const QRgb got = straightNeg.pixel(x, y);
            EXPECT_EQ(qAlpha(got), qAlpha(want));
            EXPECT_NEAR(qRed(got), qRed(want), 4) << x << "," << y;
            EXPECT_NEAR(qGreen(got), qGreen(want), 4) << x << "," << y;
            EXPECT_NEAR(qBlue(got), qBlue(want), 4) << x << "," << y;
        }
    }
}

TEST(ImageEdits, GrayScaleUsesBt601Luminance)
{
    // round(0.299 R + 0.587 G + 0.114 B) for the Asymmetric() pixels, row by row.
    const int luma[2][3] = {{76, 150, 29}, {124, 99, 255}};

    const QImage opaque = Asymmetric().convertToFormat(QImage::Format_RGB32);
    const QImage grey = GrayScale(opaque);
    ASSERT_EQ(grey.size(), opaque.size());
    EXPECT_EQ(grey.format(), QImage::Format_Grayscale8);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(grey.pixel(x, y), qRgb(luma[y][x], luma[y][x], luma[y][x])) << x << "," << y;

    // With alpha the translucency survives.
    const QImage translucent = Asymmetric();
    const QImage greyAlpha = GrayScale(translucent);
    ASSERT_EQ(greyAlpha.size(), translucent.size());
    EXPECT_TRUE(greyAlpha.hasAlphaChannel());
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(greyAlpha.pixel(x, y), qRgba(luma[y][x], luma[y][x], luma[y][x], qAlpha(translucent.pixel(x, y))))
                << x << "," << y;

    // Palette pictures go by their colours: red 76, dark green 75, (20, 40, 60) 36.
    const QImage greyPalette = GrayScale(Palette());
    EXPECT_EQ(greyPalette.pixel(0, 0), qRgb(76, 76, 76));
    EXPECT_EQ(greyPalette.pixel(1, 0), qRgb(75, 75, 75));
    EXPECT_EQ(greyPalette.pixel(2, 0), qRgb(36, 36, 36));
}

TEST(ImageEdits, NullInGivesNullOut)
{
    const QImage null;
    EXPECT_TRUE(Mirror(null).isNull());
    EXPECT_TRUE(Flip(null).isNull());
    EXPECT_TRUE(Negative(null).isNull());
    EXPECT_TRUE(GrayScale(null).isNull());
    EXPECT_TRUE(RotateLeft(null).isNull());
    EXPECT_TRUE(RotateRight(null).isNull());
}
