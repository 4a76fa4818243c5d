// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "pictures/ImageHelpers.h"
#include "pictures/AreaScaler.h"
#include "pictures/PictureFiles.h"

#include <QImageReader>
#include <QImageWriter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <climits>
#include <set>

TEST(ImageHelpers, FindExtensionTakesTheLastDotOfTheLastPathComponent)
{
    const struct {
        const char* name;
        const char* ext;
    } cases[] = {
        {"photo.jpg", "jpg"},
        {"PHOTO.JPG", "JPG"},
        {"archive.tar.gz", "gz"},
        {"/home/me/holiday.2023/beach.png", "png"},
        {"/home/me/holiday.2023/beach", ""},
        {"C:\\my.photos\\beach", ""},
        {"C:\\my.photos\\beach.bmp", "bmp"},
        {"relative.dir/file", ""},
        {"noextension", ""},
        {"trailingdot.", ""},
        {"/pictures/.hidden", "hidden"},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FindExtension(QString::fromUtf8(c.name)), QString::fromUtf8(c.ext)) << c.name;
}

TEST(ImageHelpers, FindTypeMapsEachPictureExtensionToItsFormat)
{
    EXPECT_EQ(FindType("bmp"), CXIMAGE_FORMAT_BMP);
    EXPECT_EQ(FindType("dib"), CXIMAGE_FORMAT_BMP);
    EXPECT_EQ(FindType("jpg"), CXIMAGE_FORMAT_JPG);
    EXPECT_EQ(FindType("jpeg"), CXIMAGE_FORMAT_JPG);
    EXPECT_EQ(FindType("gif"), CXIMAGE_FORMAT_GIF);
    EXPECT_EQ(FindType("png"), CXIMAGE_FORMAT_PNG);
    EXPECT_EQ(FindType("JPG"), CXIMAGE_FORMAT_JPG);

    for (const char* other : {"", "tif", "tiff", "jp", "jpgx", "pngg", ".png", "svg", "ico", "txt"})
        EXPECT_EQ(FindType(other), CXIMAGE_FORMAT_UNKNOWN) << other;

    // From a whole file name: the last component's extension, any case.
    EXPECT_EQ(PictureTypeOf("/photos/IMG_0001.JPG"), CXIMAGE_FORMAT_JPG);
    EXPECT_EQ(PictureTypeOf("/my.photos/scan.Dib"), CXIMAGE_FORMAT_BMP);
    EXPECT_EQ(PictureTypeOf("/my.photos/png"), CXIMAGE_FORMAT_UNKNOWN);
    EXPECT_EQ(PictureTypeOf("notes.txt"), CXIMAGE_FORMAT_UNKNOWN);

    const std::set<int> codes = {CXIMAGE_FORMAT_BMP, CXIMAGE_FORMAT_JPG, CXIMAGE_FORMAT_GIF, CXIMAGE_FORMAT_PNG};
    EXPECT_EQ(codes.size(), 4u);
    EXPECT_EQ(codes.count(CXIMAGE_FORMAT_UNKNOWN), 0u);
}

TEST(ImageHelpers, ResizeRectFitsAndCentresWideTallAndEqualShapes)
{
    float scale = -1;

    // Wide source in a square: full width, centred vertically.
    EXPECT_EQ(ResizeRect(CRect(0, 0, 400, 200), CRect(0, 0, 100, 100), scale), CRect(0, 25, 100, 75));
    EXPECT_FLOAT_EQ(scale, 0.25f);

    // Tall source: full height, centred horizontally.
    EXPECT_EQ(ResizeRect(CRect(0, 0, 200, 400), CRect(0, 0, 100, 100), scale), CRect(25, 0, 75, 100));
    EXPECT_FLOAT_EQ(scale, 0.25f);

    // Same aspect: exactly the destination, wherever it is.
    EXPECT_EQ(ResizeRect(CRect(7, 9, 307, 159), CRect(10, 20, 210, 120), scale), CRect(10, 20, 210, 120));
    EXPECT_FLOAT_EQ(scale, 200.0f / 300.0f);

    // Small sources are enlarged.
    EXPECT_EQ(ResizeRect(CRect(0, 0, 10, 5), CRect(50, 60, 150, 160), scale), CRect(50, 85, 150, 135));
    EXPECT_FLOAT_EQ(scale, 10.0f);

    // A screen-shaped destination and a 3:2 photo.
    EXPECT_EQ(ResizeRect(CRect(0, 0, 6000, 4000), CRect(0, 0, 1920, 1080), scale), CRect(150, 0, 1770, 1080));
    EXPECT_FLOAT_EQ(scale, 0.27f);
}

TEST(ImageHelpers, ResizeRectRoundsToNearestAndPutsTheOddPixelRightAndBelow)
{
    float scale = 0;

    // 3:2 into 100x100: height 66.67 rounds to 67; 33 spare rows split 16 above, 17 below.
    EXPECT_EQ(ResizeRect(CRect(0, 0, 3, 2), CRect(0, 0, 100, 100), scale), CRect(0, 16, 100, 83));

    // 4:3 into 10x10: height exactly 7.5 rounds up to 8.
    EXPECT_EQ(ResizeRect(CRect(0, 0, 4, 3), CRect(0, 0, 10, 10), scale), CRect(0, 1, 10, 9));

    // Tall 3:4 into 10x10: width 7.5 rounds up to 8, one column each side.
    EXPECT_EQ(ResizeRect(CRect(0, 0, 3, 4), CRect(0, 0, 10, 10), scale), CRect(1, 0, 9, 10));

    // Square into 11x10: the spare column goes to the right.
    EXPECT_EQ(ResizeRect(CRect(0, 0, 10, 10), CRect(0, 0, 11, 10), scale), CRect(0, 0, 10, 10));
    // ... also with negative coordinates, where a signed division would round the other way.
    EXPECT_EQ(ResizeRect(CRect(0, 0, 10, 10), CRect(-11, -10, 0, 0), scale), CRect(-11, -10, -1, 0));
    EXPECT_EQ(ResizeRect(CRect(0, 0, 10, 10), CRect(-10, -13, 0, 0), scale), CRect(-10, -12, 0, -2));

    // A sliver keeps at least one pixel.
    EXPECT_EQ(ResizeRect(CRect(0, 0, 10000, 1), CRect(0, 0, 100, 100), scale), CRect(0, 49, 100, 50));
    EXPECT_FLOAT_EQ(scale, 0.01f);
}

TEST(ImageHelpers, ResizeRectWithNothingToFitGivesAnEmptyRectAndZeroScale)
{
    float scale = 1;
    const CRect dst(5, 6, 105, 106);
    EXPECT_EQ(ResizeRect(CRect(0, 0, 0, 50), dst, scale), CRect(5, 6, 5, 6));
    EXPECT_EQ(scale, 0.0f);

    scale = 1;
    EXPECT_EQ(ResizeRect(CRect(0, 0, 50, 0), dst, scale), CRect(5, 6, 5, 6));
    EXPECT_EQ(scale, 0.0f);

    scale = 1;
    EXPECT_TRUE(ResizeRect(CRect(0, 0, 40, 30), CRect(10, 10, 10, 50), scale).IsRectEmpty());
    EXPECT_EQ(scale, 0.0f);

    // Inverted (not normalised) rectangles are empty too.
    scale = 1;
    EXPECT_TRUE(ResizeRect(CRect(40, 30, 0, 0), dst, scale).IsRectEmpty());
    EXPECT_EQ(scale, 0.0f);

    // A destination wider than the int range cannot be measured.
    scale = 1;
    EXPECT_TRUE(ResizeRect(CRect(0, 0, 4, 3), CRect(INT_MIN, 0, INT_MAX, 10), scale).IsRectEmpty());
    EXPECT_EQ(scale, 0.0f);
}

TEST(ImageHelpers, AreaShrinkAveragesExactAreasAndKeepsAlpha)
{
    // 3 -> 2 across: the middle pixel is shared half and half.
    QImage row(3, 1, QImage::Format_ARGB32_Premultiplied);
    row.setPixel(0, 0, qRgba(0, 0, 0, 255));
    row.setPixel(1, 0, qRgba(90, 90, 90, 255));
    row.setPixel(2, 0, qRgba(0, 0, 0, 0));
    const QImage shrunk = AreaScaler(row, {}, row.size(), QSize(2, 1), ScaleFilter::Area).Region(QRect(0, 0, 2, 1));
    ASSERT_EQ(shrunk.size(), QSize(2, 1));
    EXPECT_EQ(shrunk.pixel(0, 0), qRgba(30, 30, 30, 255)); // (0 + 45) / 1.5
    EXPECT_EQ(qAlpha(shrunk.pixel(1, 0)), 85);             // (127.5 + 0) / 1.5
}
