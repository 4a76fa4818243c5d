// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The program on a 3840x2160 screen at 200 % (an Xvfb of the test's own,
// QT_SCALE_FACTOR=2, the plain X11 desktop): the design it starts with is the
// screen's size in device pixels, and "Set As Wallpaper" covers the whole
// root window with it.

#include "support/X11Observer.h"
#include "support/XvfbServer.h"

#include <QDir>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(ScaledScreenEndToEnd, TheFirstDesignCoversAFourKScreenAtDoubleScale)
{
    XvfbServer server(QStringLiteral("3840x2160x24"));
    if (server.Display().isEmpty())
        GTEST_SKIP() << "Xvfb could not be started";
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DISPLAY", QString::fromLatin1(server.Display()));
    env.insert("QT_QPA_PLATFORM", "xcb");
    env.insert("QT_SCALE_FACTOR", "2");
    env.insert("QUILVANE_DESKTOP", "x11");
    env.insert("XDG_CONFIG_HOME", home.filePath("config"));
    env.insert("XDG_CACHE_HOME", home.filePath("cache"));
    env.remove("WAYLAND_DISPLAY");
    // The xcb platform's keyboard library copies names out of server replies
    // with strndup, which reads a buffer with no terminating zero; strict
    // string checks take that for an overflow.
    env.insert("ASAN_OPTIONS", env.value("ASAN_OPTIONS") + ":strict_string_checks=0");
    QProcess session;
    session.setProcessEnvironment(env);
    session.setWorkingDirectory(home.path());
    session.start(QStringLiteral(QUILVANE_DESIGN_SESSION), {QStringLiteral("wallpaper")});
    ASSERT_TRUE(session.waitForFinished(240000));
    const QString said = QString::fromUtf8(session.readAllStandardOutput());
    const std::string errors = session.readAllStandardError().toStdString();
    ASSERT_EQ(session.exitStatus(), QProcess::NormalExit) << errors;
    EXPECT_EQ(session.exitCode(), 0) << errors;
    EXPECT_TRUE(said.contains("Background Width : 3840")) << said.toStdString();
    EXPECT_TRUE(said.contains("Background Height : 2160")) << said.toStdString();

    QImage saved(home.filePath("wallpaper/wallpaper_1.jpg"), "jpeg");
    ASSERT_EQ(saved.size(), QSize(3840, 2160));
    saved = saved.convertToFormat(QImage::Format_RGB32);

    // The root window's picture is the design, pixel for pixel, edge to edge.
    const Observer x(server.Display());
    ASSERT_TRUE(x.Ok());
    ASSERT_EQ(x.RootSize(), QSize(3840, 2160));
    const uint32_t pixmap = x.Property("_XROOTPMAP_ID");
    ASSERT_NE(pixmap, 0u);
    ASSERT_EQ(x.PixmapSize(pixmap), QSize(3840, 2160));
    EXPECT_TRUE(x.Pixels(pixmap, QSize(3840, 2160)) == saved) << "the desktop shows the design on the whole screen";
    // The program has ended: the screen itself shows it too.
    EXPECT_TRUE(x.RootPixels() == saved);
}
