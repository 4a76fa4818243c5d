// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The screen images for centre, tile and stretch, checked pixel by pixel
// against positions worked out here, and the loader's promise to decode no
// more than those images need.

#include "bench/PhotoLikeImage.h"
#include "desktop/WallpaperPicture.h"
#include "desktop/WallpaperRender.h"
#include "pictures/AreaScaler.h"
#include "support/PatternImage.h"
#include "support/ScaleReference.h"

#include <QImageReader>
#include <QImageWriter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstdlib>

namespace {

constexpr QRgb kBlack = 0xff000000;

// The first pixel where actual differs from expected(x, y), as text.
template <typename Expected> std::string FirstDifference(const QImage& actual, Expected expected)
{
    for (int y = 0; y < actual.height(); ++y)
        for (int x = 0; x < actual.width(); ++x)
            if (actual.pixel(x, y) != expected(x, y))
                return "at " + std::to_string(x) + "," + std::to_string(y);
    return {};
}

} // namespace

TEST(DesktopRender, CentreSmallerLargerOddAndEven)
{
    struct Case {
        QSize picture;
        QSize screen;
    };
    const Case cases[] = {
        {{4, 2}, {10, 8}},   // even leftovers
        {{3, 5}, {10, 8}},   // odd leftovers
        {{14, 12}, {10, 8}}, // larger, even excess: cropped
        {{13, 11}, {10, 8}}, // larger, odd excess
        {{13, 3}, {10, 8}},  // wider but shorter
        {{10, 8}, {10, 8}},  // exactly the screen
    };
    for (const Case& c : cases) {
        const QImage out =
            RenderWallpaper(PatternImage(c.picture.width(), c.picture.height()), c.screen, WallpaperStyle::Centre);
        ASSERT_EQ(out.size(), c.screen);
        ASSERT_EQ(out.format(), QImage::Format_RGB32);
        // Worked out independently: left = floor((screen - picture) / 2).
        const auto floorHalf = [](int d) { return d >= 0 ? d / 2 : (d - 1) / 2; };
        const int left = floorHalf(c.screen.width() - c.picture.width());
        const int top = floorHalf(c.screen.height() - c.picture.height());
        const auto expected = [&](int x, int y) {
            const int px = x - left;
            const int py = y - top;
            const bool inside = px >= 0 && py >= 0 && px < c.picture.width() && py < c.picture.height();
            return inside ? Pattern(px, py) : kBlack;
        };
        EXPECT_EQ(FirstDifference(out, expected), "")
            << c.picture.width() << "x" << c.picture.height() << " on " << c.screen.width() << "x" << c.screen.height();
    }
}

TEST(DesktopRender, TileStartsAtTopLeft)
{
    for (const QSize picture : {QSize(3, 2), QSize(4, 5), QSize(1, 1), QSize(12, 3), QSize(20, 20)}) {
        const QSize screen(10, 7);
        const QImage out =
            RenderWallpaper(PatternImage(picture.width(), picture.height()), screen, WallpaperStyle::Tile);
        ASSERT_EQ(out.size(), screen);
        EXPECT_EQ(
            FirstDifference(out, [&](int x, int y) { return Pattern(x % picture.width(), y % picture.height()); }), "")
            << picture.width() << "x" << picture.height();
    }
}

TEST(DesktopRender, StretchFillsExactlyTheScreen)
{
    // Four flat quadrants: away from the seams the smooth scaling has
    // nothing to blend, so those pixels are exact.
    QImage quadrants(4, 4, QImage::Format_RGB32);
    const QRgb colours[4] = {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255), qRgb(255, 255, 255)};
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            quadrants.setPixel(x, y, colours[(y / 2) * 2 + x / 2]);

    for (const QSize screen : {QSize(40, 30), QSize(3, 2) * 10, QSize(2, 2)}) {
        const QImage out = RenderWallpaper(quadrants, screen, WallpaperStyle::Stretch);
        ASSERT_EQ(out.size(), screen);
        const int w = screen.width();
        const int h = screen.height();
        if (w >= 8 && h >= 8) {
            EXPECT_EQ(out.pixel(0, 0), colours[0]);
            EXPECT_EQ(out.pixel(w - 1, 0), colours[1]);
            EXPECT_EQ(out.pixel(0, h - 1), colours[2]);
            EXPECT_EQ(out.pixel(w - 1, h - 1), colours[3]);
            EXPECT_EQ(out.pixel(w / 4, h / 4), colours[0]);
            EXPECT_EQ(out.pixel(3 * w / 4, 3 * h / 4), colours[3]);
        }
    }
    // Larger than the screen, and one flat colour: every pixel that colour.
    QImage flat(1000, 30, QImage::Format_RGB32);
    flat.fill(qRgb(12, 34, 56));
    const QImage out = RenderWallpaper(flat, QSize(17, 9), WallpaperStyle::Stretch);
    ASSERT_EQ(out.size(), QSize(17, 9));
    EXPECT_EQ(FirstDifference(out, [](int, int) { return qRgb(12, 34, 56); }), "");
    // The same size: untouched.
    const QImage same = PatternImage(9, 5);
    EXPECT_EQ(RenderWallpaper(same, QSize(9, 5), WallpaperStyle::Stretch), same);
}

TEST(DesktopRender, TransparencyShowsWhiteAsInThePreviewsAndNullPicturesGiveBlack)
{
    // Opaque, clear and half-clear pixels; the desktop beside the picture
    // stays black, the clear parts of the picture show white in every style.
    QImage picture(3, 1, QImage::Format_ARGB32);
    picture.setPixel(0, 0, qRgba(200, 100, 50, 255));
    picture.setPixel(1, 0, qRgba(0, 0, 0, 0));
    picture.setPixel(2, 0, qRgba(0, 0, 255, 128));
    const QRgb halfBlueOnWhite = qRgb(127, 127, 255);
    const auto near = [](QRgb a, QRgb b) {
        return std::abs(qRed(a) - qRed(b)) <= 1 && std::abs(qGreen(a) - qGreen(b)) <= 1 &&
               std::abs(qBlue(a) - qBlue(b)) <= 1;
    };
    const QImage centre = RenderWallpaper(picture, QSize(5, 1), WallpaperStyle::Centre);
    EXPECT_EQ(centre.pixel(0, 0), kBlack) << "beside the picture";
    EXPECT_EQ(centre.pixel(1, 0), qRgb(200, 100, 50));
    EXPECT_EQ(centre.pixel(2, 0), qRgb(255, 255, 255));
    EXPECT_TRUE(near(centre.pixel(3, 0), halfBlueOnWhite)) << std::hex << centre.pixel(3, 0);
    EXPECT_EQ(centre.pixel(4, 0), kBlack);
    const QImage tile = RenderWallpaper(picture, QSize(6, 1), WallpaperStyle::Tile);
    EXPECT_EQ(tile.pixel(4, 0), qRgb(255, 255, 255));
    EXPECT_TRUE(near(tile.pixel(5, 0), halfBlueOnWhite));
    QImage clear(2, 2, QImage::Format_ARGB32);
    clear.fill(Qt::transparent);
    const QImage stretch = RenderWallpaper(clear, QSize(7, 5), WallpaperStyle::Stretch);
    EXPECT_EQ(FirstDifference(stretch, [](int, int) { return qRgb(255, 255, 255); }), "");

    const QImage none = RenderWallpaper(QImage(), QSize(3, 2), WallpaperStyle::Tile);
    EXPECT_EQ(FirstDifference(none, [](int, int) { return kBlack; }), "");
    EXPECT_TRUE(RenderWallpaper(picture, QSize(), WallpaperStyle::Centre).isNull());
}

TEST(DesktopRender, VisiblePartRendersLikeTheWholePicture)
{
    const QSize screen(10, 8);
    for (const WallpaperStyle style : {WallpaperStyle::Centre, WallpaperStyle::Tile}) {
        for (const QSize size : {QSize(4, 3), QSize(13, 11), QSize(14, 3), QSize(3, 19), QSize(10, 8), QSize(31, 30)}) {
            const QImage whole = PatternImage(size.width(), size.height());
            const QRect visible = VisiblePictureRect(size, screen, style);
            EXPECT_TRUE(QRect(QPoint(0, 0), size).contains(visible));
            EXPECT_LE(visible.width(), screen.width());
            EXPECT_LE(visible.height(), screen.height());
            EXPECT_EQ(RenderWallpaper(whole.copy(visible), screen, style), RenderWallpaper(whole, screen, style))
                << int(style) << " " << size.width() << "x" << size.height();
        }
    }
    EXPECT_EQ(VisiblePictureRect(QSize(50, 40), screen, WallpaperStyle::Stretch), QRect(0, 0, 50, 40));
}

TEST(DesktopRender, StretchDecodeSizeCoversTheScreen)
{
    EXPECT_EQ(StretchDecodeSize(QSize(6000, 4000), QSize(1920, 1080)), QSize(1920, 1280));
    EXPECT_EQ(StretchDecodeSize(QSize(4000, 6000), QSize(1920, 1080)), QSize(1920, 2880));
    EXPECT_EQ(StretchDecodeSize(QSize(8000, 1000), QSize(1920, 1080)), QSize(8000, 1000)); // already too short
    EXPECT_EQ(StretchDecodeSize(QSize(800, 600), QSize(1920, 1080)), QSize(800, 600));     // never enlarged
    for (const QSize picture : {QSize(6001, 3999), QSize(5000, 2813), QSize(7777, 4321), QSize(1921, 1081)}) {
        const QSize d = StretchDecodeSize(picture, QSize(1920, 1080));
        EXPECT_GE(d.width(), 1920) << picture.width();
        EXPECT_GE(d.height(), 1080) << picture.height();
        EXPECT_TRUE(d.width() == 1920 || d.height() == 1080) << "no larger than needed";
    }
}

TEST(DesktopRender, LoaderDecodesOnlyWhatIsShown)
{
    QTemporaryDir dir;
    const QImage big = PatternImage(1200, 900);
    const QString png = dir.filePath("big.png");
    const QString jpg = dir.filePath("big.jpg");
    ASSERT_TRUE(big.save(png));
    ASSERT_TRUE(big.save(jpg, "JPEG", 95));
    const QSize screen(320, 200);

    // Stretch: decoded at the covering size, not at 1200x900.
    const QImage stretched = LoadWallpaperPicture(jpg, screen, WallpaperStyle::Stretch);
    ASSERT_FALSE(stretched.isNull());
    EXPECT_LE(stretched.width(), 330);
    EXPECT_GE(stretched.width(), 320);
    EXPECT_GE(stretched.height(), 200);

    // A ".dib" is a whole bitmap file to us, not Qt's headerless kind.
    const QString dib = dir.filePath("big.dib");
    ASSERT_TRUE(big.save(dib, "BMP"));
    EXPECT_EQ(LoadWallpaperPicture(dib, screen, WallpaperStyle::Stretch).size(), QSize(320, 240));

    // Centre and tile: just the part on screen, and the right part.
    const QImage centredPng = LoadWallpaperPicture(png, screen, WallpaperStyle::Centre);
    EXPECT_EQ(centredPng, big.copy(QRect(440, 350, 320, 200)));
    const QImage tiledPng = LoadWallpaperPicture(png, screen, WallpaperStyle::Tile);
    EXPECT_EQ(tiledPng, big.copy(QRect(0, 0, 320, 200)));

    const QImage centredJpg = LoadWallpaperPicture(jpg, screen, WallpaperStyle::Centre);
    ASSERT_EQ(centredJpg.size(), screen);
    QImageReader full(jpg);
    const QImage fullJpg = full.read().convertToFormat(QImage::Format_RGB32);
    const QImage expected = fullJpg.copy(QRect(440, 350, 320, 200));
    int worst = 0;
    for (int y = 0; y < screen.height(); ++y)
        for (int x = 0; x < screen.width(); ++x) {
            const QRgb a = centredJpg.pixel(x, y);
            const QRgb b = expected.pixel(x, y);
            worst = std::max(
                {worst, std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)), std::abs(qBlue(a) - qBlue(b))});
        }
    EXPECT_LE(worst, 8) << "the region decode shows the same part of the photo";

    // A small picture is decoded whole.
    const QString small = dir.filePath("small.png");
    ASSERT_TRUE(PatternImage(30, 20).save(small));
    EXPECT_EQ(LoadWallpaperPicture(small, screen, WallpaperStyle::Centre), PatternImage(30, 20));
}

TEST(WallpaperRender, ShrinkingIsWithin50dBOfALanczosReference)
{
    // Photo-like JPEGs with a camera's grain, reduced the way a photo is
    // stretched onto a screen (the ratios of 2501x1601 and 6000x4000 onto
    // 1920x1080, at half the size to keep the reference quick): by the
    // shrink itself, by the wallpaper renderer, and all the way from the
    // file through the wallpaper loader and renderer.
    constexpr QSize kScreen(960, 540);
    QTemporaryDir dir;
    for (const QSize size : {QSize(1250, 800), QSize(3000, 2000)}) {
        SCOPED_TRACE(size.width());
        QImage photo = DrawPhotoLike(size, 3);
        lanczos::AddGrain(photo, 4, 7);
        const QString path = dir.filePath("photo.jpg");
        QImageWriter writer(path, "jpeg");
        writer.setQuality(90);
        ASSERT_TRUE(writer.write(photo));
        const QImage decoded = QImageReader(path).read();
        const QImage reference = lanczos::Resample(decoded, kScreen);
        EXPECT_GE(lanczos::Psnr(ShrinkImage(decoded, kScreen), reference), 50.0);
        EXPECT_GE(lanczos::Psnr(RenderWallpaper(decoded, kScreen, WallpaperStyle::Stretch), reference), 50.0);
        const QImage loaded = LoadWallpaperPicture(path, kScreen, WallpaperStyle::Stretch);
        EXPECT_GE(lanczos::Psnr(RenderWallpaper(loaded, kScreen, WallpaperStyle::Stretch), reference), 50.0);
    }
}
