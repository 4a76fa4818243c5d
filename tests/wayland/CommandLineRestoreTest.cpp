// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// `quilvane --restore` after a new login on a wlroots compositor: the first
// compositor (and with it the swaybg drawing the wallpaper) ends with the
// session; on a new one, --restore starts swaybg through the back end as a
// set does, with the last picture, and resumes the show that was playing.

#include "core/SlideListFile.h"
#include "support/HeadlessCompositor.h"
#include "support/PictureFixtures.h"
#include "support/QuilvaneUser.h"

#include <QElapsedTimer>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

namespace {

const QRgb kRed = qRgb(255, 0, 0);
const QRgb kGreen = qRgb(0, 255, 0);
const QRgb kBlue = qRgb(0, 0, 255);

// Milliseconds until the middle of the output shows colour; -1 if never.
qint64 WaitForColour(const HeadlessCompositor& compositor, QRgb colour, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < timeoutMs) {
        const QImage screen = compositor.Capture();
        if (!screen.isNull() && screen.pixel(screen.width() / 2, screen.height() / 2) == colour)
            return clock.elapsed();
        QTest::qWait(50);
    }
    return -1;
}

} // namespace

TEST(CommandLineOnWlroots, RestoreAfterANewLoginBringsBackThePictureAndTheShow)
{
    auto compositor = std::make_unique<HeadlessCompositor>();
    if (!compositor->Problem().isEmpty())
        GTEST_SKIP() << compositor->Problem().toStdString();
    QTemporaryDir pictures;
    const auto solid = [&](const char* name, QRgb colour) {
        return fixtures::WriteSolid(pictures.filePath(name), QSize(16, 16), colour);
    };
    const QString red = solid("red.png", kRed);
    const QString list = pictures.filePath("show.lsl");
    ASSERT_TRUE(
        WriteSlideListFile(list, {EntryBytes(solid("green.png", kGreen)), EntryBytes(solid("blue.png", kBlue))}));

    QuilvaneUser user;
    user.Set("QUILVANE_DESKTOP", "wlroots");
    const auto login = [&] {
        compositor = std::make_unique<HeadlessCompositor>();
        ASSERT_TRUE(compositor->Problem().isEmpty()) << compositor->Problem().toStdString();
        user.Set("WAYLAND_DISPLAY", compositor->Display());
    };
    user.Set("WAYLAND_DISPLAY", compositor->Display());

    QuilvaneUser::Result r = user.Run({"--set", red, "--mode", "stretch"});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    ASSERT_GE(WaitForColour(*compositor, kRed, 5000), 0);
    login();
    EXPECT_NE(WaitForColour(*compositor, kRed, 500), 0) << "a new session starts without it";
    r = user.Run({"--restore"});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_GE(WaitForColour(*compositor, kRed, 5000), 0);

    auto show = user.Start({"--play", list, "--every", "1", "--mode", "stretch"});
    ASSERT_GE(WaitForColour(*compositor, kGreen, 10000), 0) << show->readAllStandardError().toStdString();
    ASSERT_GE(WaitForColour(*compositor, kBlue, 3000), 0);
    EXPECT_EQ(QuilvaneUser::End(*show), 0);
    login();
    show = user.Start({"--restore"});
    EXPECT_GE(WaitForColour(*compositor, kBlue, 10000), 0) << show->readAllStandardError().toStdString();
    EXPECT_GE(WaitForColour(*compositor, kGreen, 3000), 300) << "the show goes on from the last picture";
    r = user.Run({"--stop"});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    ASSERT_TRUE(show->waitForFinished(10000));
    EXPECT_EQ(show->exitCode(), 0);
}
