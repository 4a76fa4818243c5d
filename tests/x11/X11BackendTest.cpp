// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The plain X11 back end for real, on the Xvfb whose display the test command
// puts in QUILVANE_TEST_DISPLAY: the root window's pixels read back for each
// style, the two root properties, and the freeing of the previous pixmap.
// Everything touching the root window is one test, so no two tests ever race
// for it.

#include "desktop/X11Backend.h"
#include "desktop/WallpaperRender.h"
#include "support/PatternImage.h"
#include "support/StderrCapture.h"
#include "support/X11Observer.h"
#include "support/XvfbServer.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>

namespace {

// Another program's background left the usual way, on a client of its own
// that stays retained after it closes; setBoth decides whether it also sets
// ESETROOT_PMAP_ID (and so offers its pixmap for freeing).
uint32_t LeaveForeignBackground(const QByteArray& display, bool setBoth)
{
    Observer other(display);
    xcb_connection_t* c = other.Get();
    const uint32_t pixmap = xcb_generate_id(c);
    xcb_create_pixmap(c, uint8_t(other.Depth()), pixmap, other.Root(), 8, 8);
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, other.Root(), other.Atom("_XROOTPMAP_ID"), XCB_ATOM_PIXMAP, 32, 1,
                        &pixmap);
    const uint32_t esetroot = setBoth ? pixmap : 0;
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, other.Root(), other.Atom("ESETROOT_PMAP_ID"), XCB_ATOM_PIXMAP, 32, 1,
                        &esetroot);
    xcb_set_close_down_mode(c, XCB_CLOSE_DOWN_RETAIN_PERMANENT);
    std::free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
    return pixmap;
}

} // namespace

TEST(X11Backend, RootWindowShowsEachStyleAndOwnsOnePixmap)
{
    const QByteArray display = TestDisplay();
    if (display.isEmpty())
        GTEST_SKIP() << "QUILVANE_TEST_DISPLAY is not set (scripts/run-tests.sh starts an Xvfb for this)";
    const Observer x(display);
    ASSERT_TRUE(x.Ok()) << "cannot open " << display.constData();
    ASSERT_EQ(x.Depth(), 24);
    const QSize root = x.RootSize();

    QTemporaryDir dir;
    const QImage small = PatternImage(301, 201);
    const QImage large = PatternImage(root.width() + 41, root.height() + 17); // odd excess
    ASSERT_TRUE(small.save(dir.filePath("small.png")));
    ASSERT_TRUE(large.save(dir.filePath("large.png")));
    X11Backend backend(display);

    const auto expectRoot = [&](const char* what, auto expected) {
        const QImage pixels = x.RootPixels();
        ASSERT_EQ(pixels.size(), root);
        for (int y = 0; y < root.height(); ++y)
            for (int x2 = 0; x2 < root.width(); ++x2)
                if (pixels.pixel(x2, y) != expected(x2, y)) {
                    ADD_FAILURE() << what << ": first wrong pixel at " << x2 << "," << y;
                    return;
                }
    };

    // Centre, worked out here: left = floor((root - picture) / 2).
    ASSERT_TRUE(backend.SetWallpaper(dir.filePath("small.png"), WallpaperStyle::Centre));
    const int left = (root.width() - 301) / 2;
    const int top = (root.height() - 201) / 2;
    expectRoot("centre", [&](int px, int py) {
        const int sx = px - left;
        const int sy = py - top;
        return sx >= 0 && sy >= 0 && sx < 301 && sy < 201 ? Pattern(sx, sy) : qRgb(0, 0, 0);
    });
    const uint32_t first = x.Property("_XROOTPMAP_ID");
    ASSERT_NE(first, 0u);
    EXPECT_EQ(x.Property("ESETROOT_PMAP_ID"), first);
    EXPECT_EQ(x.PixmapSize(first), root);

    ASSERT_TRUE(backend.SetWallpaper(dir.filePath("small.png"), WallpaperStyle::Tile));
    expectRoot("tile", [](int px, int py) { return Pattern(px % 301, py % 201); });
    const uint32_t second = x.Property("_XROOTPMAP_ID");
    EXPECT_NE(second, first);
    EXPECT_EQ(x.Property("ESETROOT_PMAP_ID"), second);
    EXPECT_TRUE(x.PixmapSize(first).isEmpty()) << "the previous pixmap is freed";
    EXPECT_EQ(x.PixmapSize(second), root);

    // Larger than the screen: cropped about the centre, the odd pixel cut on
    // the left and top.
    ASSERT_TRUE(backend.SetWallpaper(dir.filePath("large.png"), WallpaperStyle::Centre));
    expectRoot("centre crop", [](int px, int py) { return Pattern(px + 21, py + 9); });

    ASSERT_TRUE(backend.SetWallpaper(dir.filePath("small.png"), WallpaperStyle::Stretch));
    const QImage stretched = RenderWallpaper(small, root, WallpaperStyle::Stretch);
    expectRoot("stretch", [&](int px, int py) { return stretched.pixel(px, py); });
    EXPECT_EQ(x.RootPixels().pixel(0, 0), Pattern(0, 0)) << "a corner stays the picture's corner";

    // An unreadable picture changes nothing at all.
    const uint32_t before = x.Property("_XROOTPMAP_ID");
    const QString broken = dir.filePath("broken.png");
    QFile f(broken);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("\x89PNG\r\n\x1a\n and then nothing useful");
    f.close();
    StderrCapture stderrText;
    EXPECT_FALSE(backend.SetWallpaper(broken, WallpaperStyle::Tile));
    EXPECT_TRUE(stderrText.Take().contains("is not a picture that can be read"));
    EXPECT_EQ(x.Property("_XROOTPMAP_ID"), before);
    EXPECT_EQ(x.PixmapSize(before), root);
    expectRoot("unchanged", [&](int px, int py) { return stretched.pixel(px, py); });

    // Another setter's pixmap is freed only when both properties name it.
    const uint32_t offered = LeaveForeignBackground(display, true);
    ASSERT_TRUE(backend.SetWallpaper(dir.filePath("small.png"), WallpaperStyle::Tile));
    EXPECT_TRUE(x.PixmapSize(offered).isEmpty());
    const uint32_t kept = LeaveForeignBackground(display, false);
    ASSERT_TRUE(backend.SetWallpaper(dir.filePath("small.png"), WallpaperStyle::Centre));
    EXPECT_EQ(x.PixmapSize(kept), QSize(8, 8)) << "not ours to free";
    xcb_kill_client(x.Get(), kept);
    std::free(xcb_get_input_focus_reply(x.Get(), xcb_get_input_focus(x.Get()), nullptr));
}

TEST(X11Backend, ClearPartsOfAPictureShowWhiteAsInThePreviews)
{
    const QByteArray display = TestDisplay();
    if (display.isEmpty())
        GTEST_SKIP() << "QUILVANE_TEST_DISPLAY is not set (scripts/run-tests.sh starts an Xvfb for this)";
    const Observer x(display);
    ASSERT_TRUE(x.Ok()) << "cannot open " << display.constData();
    const QSize root = x.RootSize();

    // A red square on a clear field, centred: white round the square, black
    // beyond the picture.
    QTemporaryDir dir;
    QImage picture(100, 60, QImage::Format_ARGB32);
    picture.fill(Qt::transparent);
    QPainter(&picture).fillRect(40, 20, 20, 20, QColor(255, 0, 0));
    ASSERT_TRUE(picture.save(dir.filePath("clear.png")));
    X11Backend backend(display);
    ASSERT_TRUE(backend.SetWallpaper(dir.filePath("clear.png"), WallpaperStyle::Centre));

    const QImage pixels = x.RootPixels();
    ASSERT_EQ(pixels.size(), root);
    const QPoint corner((root.width() - 100) / 2, (root.height() - 60) / 2);
    EXPECT_EQ(pixels.pixel(corner + QPoint(50, 30)), qRgb(255, 0, 0));
    EXPECT_EQ(pixels.pixel(corner + QPoint(5, 5)), qRgb(255, 255, 255));
    EXPECT_EQ(pixels.pixel(corner + QPoint(95, 55)), qRgb(255, 255, 255));
    EXPECT_EQ(pixels.pixel(corner - QPoint(5, 5)), qRgb(0, 0, 0));
}

TEST(X11Backend, NoDisplayChangesNothing)
{
    X11Backend backend(":4095"); // nothing listens there
    bool asked = false;
    StderrCapture stderrText;
    EXPECT_FALSE(backend.SetRootImage([&](QSize) {
        asked = true;
        return QImage();
    }));
    EXPECT_TRUE(stderrText.Take().contains("cannot open the X display :4095"));
    EXPECT_FALSE(asked);
}

TEST(X11Backend, SixteenBitServerGetsItsOwnPixelFormat)
{
    // A server of our own at depth 16 (5-6-5): the one pixel format the test
    // server does not have, and an odd width, so rows need padding.
    XvfbServer xvfb("63x47x16");
    if (xvfb.Display().isEmpty())
        GTEST_SKIP() << "Xvfb is not installed";
    const QByteArray display = xvfb.Display();

    QTemporaryDir dir;
    const QImage picture = PatternImage(20, 10);
    ASSERT_TRUE(picture.save(dir.filePath("p.png")));
    X11Backend backend(display);
    ASSERT_TRUE(backend.SetWallpaper(dir.filePath("p.png"), WallpaperStyle::Tile));

    {
        const Observer x(display);
        ASSERT_TRUE(x.Ok());
        ASSERT_EQ(x.Depth(), 16);
        auto* reply = xcb_get_image_reply(
            x.Get(), xcb_get_image(x.Get(), XCB_IMAGE_FORMAT_Z_PIXMAP, x.Root(), 0, 0, 63, 47, ~0u), nullptr);
        ASSERT_NE(reply, nullptr);
        ASSERT_EQ(xcb_get_image_data_length(reply), 64 * 47 * 2); // rows padded to 32 bits
        const auto* data = reinterpret_cast<const uint16_t*>(xcb_get_image_data(reply));
        int wrong = 0;
        for (int y = 0; y < 47; ++y)
            for (int px = 0; px < 63; ++px) {
                const QRgb c = Pattern(px % 20, y % 10);
                const uint16_t expected = uint16_t(((qRed(c) >> 3) << 11) | ((qGreen(c) >> 2) << 5) | (qBlue(c) >> 3));
                wrong += data[y * 64 + px] != expected;
            }
        std::free(reply);
        EXPECT_EQ(wrong, 0);
    }
}

TEST(X11Backend, EveryMonitorShowsThePictureOnItsOwn)
{
    // Two RandR monitors of different sizes on one root, with a strip of
    // root above the left one that no monitor covers.
    XvfbServer xvfb("1200x500x24");
    ASSERT_FALSE(xvfb.Display().isEmpty()) << "Xvfb is not installed (scripts/install-deps.sh)";
    ASSERT_EQ(xvfb.Run("xrandr", {"--setmonitor", "LEFT", "500/100x400/80+0+100", "screen"}), 0)
        << "xrandr is needed (package x11-xserver-utils)";
    ASSERT_EQ(xvfb.Run("xrandr", {"--setmonitor", "RIGHT", "700/140x500/100+500+0", "none"}), 0);
    const QRect monitors[] = {{0, 100, 500, 400}, {500, 0, 700, 500}};

    QTemporaryDir dir;
    const QImage picture = PatternImage(120, 90);
    ASSERT_TRUE(picture.save(dir.filePath("p.png")));
    X11Backend backend(xvfb.Display());
    for (const WallpaperStyle style : {WallpaperStyle::Centre, WallpaperStyle::Stretch, WallpaperStyle::Tile}) {
        ASSERT_TRUE(backend.SetWallpaper(dir.filePath("p.png"), style));
        const Observer x(xvfb.Display());
        const QImage root = x.RootPixels();
        ASSERT_FALSE(root.isNull());
        for (const QRect& monitor : monitors) {
            EXPECT_EQ(root.copy(monitor), RenderWallpaper(picture, monitor.size(), style))
                << int(style) << " on " << monitor.x();
        }
        QImage uncovered(500, 100, QImage::Format_RGB32);
        uncovered.fill(Qt::black);
        EXPECT_EQ(root.copy(0, 0, 500, 100), uncovered);
        if (style == WallpaperStyle::Centre) {
            // Each picture's centre at its monitor's centre, none on the seam.
            EXPECT_EQ(root.pixel(250 - 60, 300 - 45), picture.pixel(0, 0));
            EXPECT_EQ(root.pixel(850 - 60, 250 - 45), picture.pixel(0, 0));
            EXPECT_EQ(root.pixel(500, 250), qRgb(0, 0, 0));
        }
    }
}

TEST(X11Backend, AMonitorThatComesGetsThePictureUnlessAnotherBackgroundCame)
{
    XvfbServer xvfb("1200x500x24");
    ASSERT_FALSE(xvfb.Display().isEmpty()) << "Xvfb is not installed (scripts/install-deps.sh)";
    ASSERT_EQ(xvfb.Run("xrandr", {"--setmonitor", "LEFT", "500/100x400/80+0+100", "screen"}), 0)
        << "xrandr is needed (package x11-xserver-utils)";
    QTemporaryDir dir;
    const QImage picture = PatternImage(120, 90);
    ASSERT_TRUE(picture.save(dir.filePath("p.png")));
    X11Backend backend(xvfb.Display());
    EXPECT_TRUE(backend.FollowMonitors(dir.filePath("p.png"), WallpaperStyle::Stretch)) << "nothing of ours yet";
    ASSERT_TRUE(backend.SetWallpaper(dir.filePath("p.png"), WallpaperStyle::Stretch));

    const QRect left(0, 100, 500, 400), right(500, 0, 700, 500);
    ASSERT_EQ(xvfb.Run("xrandr", {"--setmonitor", "RIGHT", "700/140x500/100+500+0", "none"}), 0);
    {
        const Observer x(xvfb.Display());
        EXPECT_NE(x.RootPixels().copy(right), RenderWallpaper(picture, right.size(), WallpaperStyle::Stretch))
            << "the new monitor shows the picture before it was followed: the test proves nothing";
    }
    ASSERT_TRUE(backend.FollowMonitors(dir.filePath("p.png"), WallpaperStyle::Stretch));
    {
        const Observer x(xvfb.Display());
        const QImage root = x.RootPixels();
        for (const QRect& monitor : {left, right})
            EXPECT_EQ(root.copy(monitor), RenderWallpaper(picture, monitor.size(), WallpaperStyle::Stretch))
                << "on " << monitor.x();
    }

    // Another program's background since: the monitors changing again leave
    // it alone.
    const uint32_t foreign = LeaveForeignBackground(xvfb.Display(), true);
    ASSERT_EQ(xvfb.Run("xrandr", {"--delmonitor", "RIGHT"}), 0);
    ASSERT_TRUE(backend.FollowMonitors(dir.filePath("p.png"), WallpaperStyle::Stretch));
    const Observer x(xvfb.Display());
    EXPECT_EQ(x.Property("_XROOTPMAP_ID"), foreign);
}

TEST(X11Backend, ALostServerIsAFailure)
{
    XvfbServer xvfb("320x200x24");
    ASSERT_FALSE(xvfb.Display().isEmpty()) << "Xvfb is not installed (scripts/install-deps.sh)";
    X11Backend backend(xvfb.Display());
    // The server goes while the picture is being prepared, the slow step.
    StderrCapture stderrText;
    const bool done = backend.SetRootImage([&](QSize size) {
        xvfb.Stop();
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::red);
        return image;
    });
    const QString said = stderrText.Take();
    EXPECT_FALSE(done);
    EXPECT_TRUE(said.contains("the connection to the X server was lost; the wallpaper stays as it is"))
        << qPrintable(said);
}
