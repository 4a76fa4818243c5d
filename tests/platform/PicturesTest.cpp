// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The program's own art at the scale of the screen it is shown on: the tab
// images, the Tip of the Day bulb and the program's icon are drawn with
// twice the detail at 200 %, keep their 1x look, and the palette bitmaps
// keep the colours their transparency keying relies on.

#include "res/Pictures.h"
#include "res/PixelArt.h"
#include "res/Resource.h"
#include "support/EdgeSteps.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {

constexpr QRgb kMagenta = qRgb(255, 0, 255);

bool Opaque(QRgb pixel)
{
    return qAlpha(pixel) > 127;
}

bool NotWhite(QRgb pixel)
{
    return (pixel & 0xFFFFFF) != 0xFFFFFF;
}

} // namespace

TEST(Pictures, ArtAtTwiceTheScaleHasTwiceTheDetailAlongItsEdges)
{
    const QIcon smile = StripIcon(IDB_TAB_IMAGES, 32, 0, kMagenta);
    const QIcon clock = StripIcon(IDB_TAB_IMAGES, 32, 2, kMagenta);
    const QIcon app = LoadAppIcon();
    const QImage bulb1 = LoadBitmapResource(IDB_LIGHTBULB, 1.0);
    const QImage bulb2 = LoadBitmapResource(IDB_LIGHTBULB, 2.0);
    const struct {
        const char* what;
        int steps1;
        int steps2;
    } cases[] = {
        {"tab smile", EdgeSteps(AsShown(smile, 32, 1), Opaque), EdgeSteps(AsShown(smile, 32, 2), Opaque)},
        {"tab clock", EdgeSteps(AsShown(clock, 32, 1), Opaque), EdgeSteps(AsShown(clock, 32, 2), Opaque)},
        {"program icon", EdgeSteps(AsShown(app, 32, 1), Opaque), EdgeSteps(AsShown(app, 32, 2), Opaque)},
        {"tip bulb", EdgeSteps(bulb1, NotWhite), EdgeSteps(bulb2, NotWhite)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_GE(c.steps1, 8) << "a curved outline to measure";
        EXPECT_GE(c.steps2 * 2, c.steps1 * 3) << c.steps1 << " steps at 1x, " << c.steps2 << " at 2x";
    }

    // The measure itself: the 1x picture enlarged, as a single-size icon is
    // shown at 200 %, has no more steps than at 1x.
    const QIcon enlarged(StripImage(LoadBitmapResource(IDB_TAB_IMAGES), 32, 0, kMagenta));
    EXPECT_EQ(EdgeSteps(AsShown(enlarged, 32, 2), Opaque), EdgeSteps(AsShown(enlarged, 32, 1), Opaque));
}

TEST(Pictures, TheBitmapsKeepTheir1xLookAndTheirPalettesAtEveryScale)
{
    // At 1x the drawing is the checked-in file, pixel for pixel.
    EXPECT_EQ(DrawTabStrip(1.0), LoadBitmapResource(IDB_TAB_IMAGES).convertToFormat(QImage::Format_RGB32));
    EXPECT_EQ(DrawBulbBitmap(1.0), LoadBitmapResource(IDB_LIGHTBULB).convertToFormat(QImage::Format_RGB32));
    EXPECT_EQ(LoadAppIcon().pixmap(QSize(32, 32), 1.0).toImage().size(), QSize(32, 32));

    for (const qreal scale : {1.25, 1.5, 2.0, 3.0}) {
        SCOPED_TRACE(std::to_string(scale));
        const QImage strip = LoadBitmapResource(IDB_TAB_IMAGES, scale);
        const QImage bulb = LoadBitmapResource(IDB_LIGHTBULB, scale);
        const int cell = qRound(32 * scale);
        EXPECT_EQ(strip.size(), QSize(4 * cell, cell));
        EXPECT_EQ(bulb.size(), QSize(qRound(26 * scale), qRound(32 * scale)));
        // No blended colours: the magenta keying and the bulb's flood fill
        // find exactly what was drawn as background.
        const auto onlyPalette = [](const QImage& image, const std::vector<QRgb>& palette) {
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    if (std::find(palette.begin(), palette.end(), image.pixel(x, y)) == palette.end())
                        return false;
            return true;
        };
        EXPECT_TRUE(onlyPalette(strip, TabPalette()));
        EXPECT_TRUE(onlyPalette(bulb, BulbPalette()));
        EXPECT_EQ(StripIcon(IDB_TAB_IMAGES, 32, 1, kMagenta).pixmap(QSize(32, 32), scale).toImage().size(),
                  QSize(cell, cell));
    }
}
