// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The command line from the user's side on X servers with the plain X11
// desktop: the real program run as separate processes, the root window read
// back by a client of our own. --set in each style; --play in order at one
// second, --next, --stop and a second --play replacing the first; --restore
// on a fresh server after the first session ended (a new login), with the
// last picture and the show it resumes; bad input refused at once; the
// login entry; --help and --version without any display.

#include "core/SlideListFile.h"
#include "support/PatternImage.h"
#include "support/PictureFixtures.h"
#include "support/PrivateBus.h"
#include "support/QuilvaneUser.h"
#include "support/X11Observer.h"
#include "support/XvfbServer.h"

#include <QElapsedTimer>
#include <QStandardPaths>
#include <QTest>
#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

const QRgb kRed = qRgb(255, 0, 0);
const QRgb kGreen = qRgb(0, 255, 0);
const QRgb kBlue = qRgb(0, 0, 255);
const QRgb kYellow = qRgb(255, 255, 0);

QRgb Centre(const Observer& x)
{
    const QImage root = x.RootPixels();
    return root.isNull() ? 0 : root.pixel(root.width() / 2, root.height() / 2);
}

// Milliseconds until the middle of the root shows colour; -1 if it never did.
qint64 WaitForColour(const Observer& x, QRgb colour, int timeoutMs = 5000)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < timeoutMs) {
        if (Centre(x) == colour)
            return clock.elapsed();
        QTest::qWait(20);
    }
    return -1;
}

std::string Text(const QuilvaneUser::Result& r)
{
    return "exit " + std::to_string(r.code) + ", stderr: " + r.err.toStdString();
}

class CommandLineOnX11 : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_display = TestDisplay();
        if (m_display.isEmpty())
            GTEST_SKIP() << "QUILVANE_TEST_DISPLAY is not set (scripts/run-tests.sh starts an Xvfb for this)";
        UseDisplay(m_user, m_display);
    }

    static void UseDisplay(QuilvaneUser& user, const QByteArray& display)
    {
        user.Set("DISPLAY", QString::fromLatin1(display));
        user.Set("QUILVANE_DESKTOP", "x11");
    }

    QString Solid(const QString& name, QRgb colour)
    {
        return fixtures::WriteSolid(m_pictures.filePath(name), QSize(16, 16), colour);
    }

    QString List(const QString& name, const QStringList& pictures)
    {
        QByteArrayList entries;
        for (const QString& p : pictures)
            entries << EntryBytes(p);
        const QString path = m_pictures.filePath(name);
        EXPECT_TRUE(WriteSlideListFile(path, entries));
        return path;
    }

    QByteArray m_display;
    QuilvaneUser m_user;
    QTemporaryDir m_pictures;
};

} // namespace

TEST_F(CommandLineOnX11, SetShowsThePictureInEachStyle)
{
    const Observer x(m_display);
    ASSERT_TRUE(x.Ok());
    const QSize root = x.RootSize();
    // A name with a space and a line break reaches the desktop as it is.
    const QString pattern = m_pictures.filePath("my\nphoto one.png");
    ASSERT_TRUE(PatternImage(301, 201).save(pattern, "PNG"));
    QImage halves(64, 48, QImage::Format_RGB32);
    halves.fill(kRed);
    for (int y = 0; y < 48; ++y)
        for (int x2 = 32; x2 < 64; ++x2)
            halves.setPixel(x2, y, kBlue);
    const QString twoColours = m_pictures.filePath("halves.png");
    ASSERT_TRUE(halves.save(twoColours, "PNG"));

    const auto firstWrong = [&](auto expected) -> QString {
        const QImage pixels = x.RootPixels();
        if (pixels.size() != root)
            return "no root pixels";
        for (int y = 0; y < root.height(); ++y)
            for (int x2 = 0; x2 < root.width(); ++x2)
                if (pixels.pixel(x2, y) != expected(x2, y))
                    return QString("%1,%2").arg(x2).arg(y);
        return {};
    };

    QuilvaneUser::Result r = m_user.Run({"--set", pattern, "--mode", "center"});
    ASSERT_EQ(r.code, 0) << Text(r);
    const int left = (root.width() - 301) / 2;
    const int top = (root.height() - 201) / 2;
    EXPECT_EQ(firstWrong([&](int px, int py) {
                  const int sx = px - left;
                  const int sy = py - top;
                  return sx >= 0 && sy >= 0 && sx < 301 && sy < 201 ? Pattern(sx, sy) : qRgb(0, 0, 0);
              }),
              QString());

    r = m_user.Run({"--set", pattern, "--mode", "tile"});
    ASSERT_EQ(r.code, 0) << Text(r);
    EXPECT_EQ(firstWrong([](int px, int py) { return Pattern(px % 301, py % 201); }), QString());

    r = m_user.Run({"--mode", "stretch", "--set", twoColours});
    ASSERT_EQ(r.code, 0) << Text(r);
    const QImage stretched = x.RootPixels();
    ASSERT_EQ(stretched.size(), root);
    for (const QPoint p : {QPoint(10, 10), QPoint(root.width() / 2 - 20, root.height() - 10)})
        EXPECT_EQ(stretched.pixel(p), kRed) << p.x() << "," << p.y();
    for (const QPoint p : {QPoint(root.width() - 10, 10), QPoint(root.width() / 2 + 20, root.height() - 10)})
        EXPECT_EQ(stretched.pixel(p), kBlue) << p.x() << "," << p.y();

    // No --mode: centred, as the design page sets its pictures.
    const QString red = Solid("red.png", kRed);
    r = m_user.Run({"--set", red});
    ASSERT_EQ(r.code, 0) << Text(r);
    EXPECT_EQ(Centre(x), kRed);
    EXPECT_EQ(x.RootPixels().pixel(5, 5), qRgb(0, 0, 0));
}

TEST_F(CommandLineOnX11, PlayGoesInOrderAtOneSecondThenNextAndStop)
{
    const Observer x(m_display);
    ASSERT_TRUE(x.Ok());
    const QString list =
        List("three.lsl", {Solid("red.png", kRed), Solid("green.png", kGreen), Solid("blue.png", kBlue)});
    ASSERT_EQ(m_user.Run({"--set", Solid("yellow.png", kYellow)}).code, 0);

    const auto show = m_user.Start({"--play", list, "--every", "1", "--mode", "stretch"});
    // The first picture at once, then one a second, in list order.
    ASSERT_GE(WaitForColour(x, kRed, 10000), 0) << show->readAllStandardError().toStdString();
    const qint64 toGreen = WaitForColour(x, kGreen, 3000);
    const qint64 toBlue = WaitForColour(x, kBlue, 3000);
    const qint64 toRed = WaitForColour(x, kRed, 3000);
    EXPECT_GE(toGreen, 0);
    for (const qint64 step : {toBlue, toRed}) {
        EXPECT_GE(step, 700);
        EXPECT_LE(step, 1600);
    }

    // --next: the next picture now, and a full period before the one after.
    QuilvaneUser::Result r = m_user.Run({"--next"});
    EXPECT_EQ(r.code, 0) << Text(r);
    EXPECT_EQ(WaitForColour(x, kGreen, 300) >= 0, true) << "--next shows the next picture at once";
    EXPECT_GE(WaitForColour(x, kBlue, 3000), 700);

    r = m_user.Run({"--stop"});
    EXPECT_EQ(r.code, 0) << Text(r);
    ASSERT_TRUE(show->waitForFinished(10000));
    EXPECT_EQ(show->exitCode(), 0) << show->readAllStandardError().toStdString();
    const QRgb last = Centre(x);
    QTest::qWait(1500);
    EXPECT_EQ(Centre(x), last) << "nothing changes after --stop";

    r = m_user.Run({"--next"});
    EXPECT_NE(r.code, 0);
    EXPECT_TRUE(r.err.contains("no slide show is running")) << r.err.toStdString();
    r = m_user.Run({"--stop"});
    EXPECT_NE(r.code, 0);
    EXPECT_TRUE(r.err.contains("no slide show is running")) << r.err.toStdString();
}

TEST_F(CommandLineOnX11, ASecondPlayReplacesTheRunningShow)
{
    const Observer x(m_display);
    ASSERT_TRUE(x.Ok());
    const QString first = List("first.lsl", {Solid("red.png", kRed), Solid("green.png", kGreen)});
    const QString second = List("second.lsl", {Solid("yellow.png", kYellow)});
    const auto show = m_user.Start({"--play", first, "--every", "1", "--mode", "stretch"});
    ASSERT_GE(WaitForColour(x, kRed, 10000), 0);

    const QuilvaneUser::Result r = m_user.Run({"--play", second, "--every", "1", "--mode", "stretch"});
    EXPECT_EQ(r.code, 0) << Text(r);
    ASSERT_GE(WaitForColour(x, kYellow, 2000), 0);
    QTest::qWait(2500);
    EXPECT_EQ(Centre(x), kYellow) << "the first show no longer runs";
    EXPECT_EQ(show->state(), QProcess::Running) << "the first process plays the new show";
    EXPECT_EQ(m_user.Run({"--stop"}).code, 0);
    ASSERT_TRUE(show->waitForFinished(10000));
}

TEST_F(CommandLineOnX11, RestoreOnANewServerPutsBackThePictureAndTheShow)
{
    const QString red = Solid("red.png", kRed);
    const QString list = List("show.lsl", {Solid("green.png", kGreen), Solid("blue.png", kBlue), red});
    std::unique_ptr<XvfbServer> server = std::make_unique<XvfbServer>("320x240x24");
    ASSERT_FALSE(server->Display().isEmpty()) << "Xvfb did not start";
    UseDisplay(m_user, server->Display());

    // A picture alone: back on a fresh server, in its style, drawn for the
    // screen the new session has.
    QuilvaneUser::Result r = m_user.Run({"--set", red, "--mode", "tile"});
    ASSERT_EQ(r.code, 0) << Text(r);
    server = std::make_unique<XvfbServer>("400x300x24");
    UseDisplay(m_user, server->Display());
    r = m_user.Run({"--restore"});
    ASSERT_EQ(r.code, 0) << Text(r);
    {
        const Observer x(server->Display());
        const QImage root = x.RootPixels();
        ASSERT_EQ(root.size(), QSize(400, 300));
        EXPECT_EQ(root.pixel(1, 1), kRed) << "tiled: the corners too";
        EXPECT_EQ(root.pixel(398, 298), kRed);
    }

    // A show that was playing when the session ended.
    auto show = m_user.Start({"--play", list, "--every", "1", "--mode", "stretch"});
    {
        const Observer x(server->Display());
        ASSERT_GE(WaitForColour(x, kGreen, 10000), 0);
        ASSERT_GE(WaitForColour(x, kBlue, 3000), 0);
    }
    EXPECT_EQ(QuilvaneUser::End(*show), 0) << "SIGTERM ends the show normally";
    server = std::make_unique<XvfbServer>("320x240x24");
    UseDisplay(m_user, server->Display());
    const Observer x(server->Display());
    ASSERT_NE(Centre(x), kBlue);
    show = m_user.Start({"--restore"});
    // The last picture at once, then the show goes on from it.
    EXPECT_GE(WaitForColour(x, kBlue, 10000), 0) << show->readAllStandardError().toStdString();
    const qint64 toRed = WaitForColour(x, kRed, 3000);
    EXPECT_GE(toRed, 500);
    EXPECT_LE(toRed, 1600);
    EXPECT_GE(WaitForColour(x, kGreen, 3000), 500);
    r = m_user.Run({"--stop"});
    EXPECT_EQ(r.code, 0) << Text(r);
    ASSERT_TRUE(show->waitForFinished(10000));

    // Stopped: --restore puts back the picture only, and ends.
    r = m_user.Run({"--restore"}, 20000);
    EXPECT_EQ(r.code, 0) << Text(r);

    // The picture deleted meanwhile: said, non-zero, and what is remembered
    // stays for a later --restore.
    QFile settings(m_user.SettingsPath());
    ASSERT_TRUE(settings.open(QIODevice::ReadOnly));
    const QByteArray before = settings.readAll();
    settings.close();
    for (const QString& p : {red, m_pictures.filePath("green.png"), m_pictures.filePath("blue.png")})
        QFile::remove(p);
    r = m_user.Run({"--restore"}, 20000);
    EXPECT_NE(r.code, 0);
    EXPECT_TRUE(r.err.contains("does not exist")) << r.err.toStdString();
    ASSERT_TRUE(settings.open(QIODevice::ReadOnly));
    EXPECT_EQ(settings.readAll(), before);
}

TEST_F(CommandLineOnX11, BadInputIsRefusedAtOnceAndChangesNothing)
{
    const Observer x(m_display);
    ASSERT_TRUE(x.Ok());
    ASSERT_EQ(m_user.Run({"--set", Solid("yellow.png", kYellow), "--mode", "stretch"}).code, 0);
    const QString fifo = m_pictures.filePath("fifo.jpg");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString gone = List("gone.lsl", {m_pictures.filePath("a.png"), m_pictures.filePath("b.png")});
    const QString empty = List("empty.lsl", {});
    const QString notPictures = List("words.lsl", {m_pictures.filePath("gone.lsl"), "/dev/zero"});
    // Not UTF-8: skipped with one warning, the other entry shown.
    QByteArrayList mixed{QFile::encodeName(m_pictures.path()) + "/caf\xe9.png", EntryBytes(Solid("green.png", kGreen))};
    const QString mixedList = m_pictures.filePath("mixed.lsl");
    ASSERT_TRUE(WriteSlideListFile(mixedList, mixed));

    const struct {
        QStringList args;
        const char* reason;
    } cases[] = {
        {{"--set", fifo}, "is not a regular file"},
        {{"--set", "/dev/zero"}, "is not a regular file"},
        {{"--set", m_pictures.path()}, "is not a regular file"},
        {{"--set", m_pictures.filePath("missing.png")}, "does not exist"},
        {{"--set", m_pictures.filePath("gone.lsl")}, "is not a picture"},
        {{"--play", fifo}, "is not a regular file"},
        {{"--play", "/dev/zero"}, "is not a regular file"},
        {{"--play", m_pictures.path()}, "is not a regular file"},
        {{"--play", gone}, "can be shown"},
        {{"--play", notPictures}, "can be shown"},
        {{"--play", empty}, "names no pictures"},
    };
    for (const auto& c : cases) {
        QElapsedTimer clock;
        clock.start();
        const QuilvaneUser::Result r = m_user.Run(c.args, 20000);
        const std::string shown = c.args.join(' ').toStdString();
        EXPECT_EQ(r.code, 1) << shown << ": " << Text(r);
        EXPECT_TRUE(r.err.contains(c.reason)) << shown << ": " << r.err.toStdString();
        EXPECT_LT(clock.elapsed(), 15000) << shown;
        EXPECT_EQ(Centre(x), kYellow) << shown;
    }

    const auto show = m_user.Start({"--play", mixedList, "--every", "1", "--mode", "stretch"});
    EXPECT_GE(WaitForColour(x, kGreen, 10000), 0);
    QTest::qWait(2500);
    EXPECT_EQ(m_user.Run({"--stop"}).code, 0);
    ASSERT_TRUE(show->waitForFinished(10000));
    const QByteArray errors = show->readAllStandardError();
    EXPECT_EQ(errors.count("not UTF-8"), 1) << errors.toStdString();
}

TEST_F(CommandLineOnX11, TheLoginEntryIsWrittenValidAndRemoved)
{
    const QString entry = m_user.ConfigHome() + "/autostart/quilvane.desktop";
    QuilvaneUser::Result r = m_user.Run({"--autostart", "on"});
    ASSERT_EQ(r.code, 0) << Text(r);
    QFile file(entry);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    EXPECT_TRUE(text.contains("\nExec=") && text.contains(" --restore\n")) << text.toStdString();
    if (QStandardPaths::findExecutable("desktop-file-validate").isEmpty()) {
        ADD_FAILURE() << "desktop-file-validate is missing (scripts/install-deps.sh installs desktop-file-utils)";
    } else {
        QProcess validate;
        validate.start("desktop-file-validate", {entry});
        ASSERT_TRUE(validate.waitForFinished(20000));
        EXPECT_EQ(validate.exitCode(), 0) << validate.readAll().toStdString();
        EXPECT_TRUE(validate.readAll().isEmpty());
    }
    r = m_user.Run({"--autostart", "off"});
    EXPECT_EQ(r.code, 0) << Text(r);
    EXPECT_FALSE(QFile::exists(entry));
    EXPECT_EQ(m_user.Run({"--autostart", "off"}).code, 0) << "already off";
}

TEST(CommandLine, HelpVersionAndMistakesNeedNoDisplay)
{
    QuilvaneUser user;
    user.Unset("QT_QPA_PLATFORM");
    QuilvaneUser::Result r = user.Run({"--help"});
    EXPECT_EQ(r.code, 0) << Text(r);
    EXPECT_TRUE(r.out.contains("--restore")) << r.out.toStdString();
    r = user.Run({"--version"});
    EXPECT_EQ(r.code, 0) << Text(r);
    EXPECT_TRUE(r.out.startsWith("quilvane ")) << r.out.toStdString();
    for (const QStringList& wrong : {QStringList{"--bogus"}, QStringList{"--set"}, QStringList{"--mode", "tile"}}) {
        r = user.Run(wrong);
        EXPECT_EQ(r.code, 2) << wrong.join(' ').toStdString();
        EXPECT_TRUE(r.err.contains("Usage:")) << r.err.toStdString();
        EXPECT_TRUE(r.out.isEmpty());
    }
    // Nothing remembered: --restore ends at once, without a window.
    QElapsedTimer clock;
    clock.start();
    r = user.Run({"--restore"});
    EXPECT_EQ(r.code, 0) << Text(r);
    EXPECT_TRUE(r.err.isEmpty()) << r.err.toStdString();
    EXPECT_LT(clock.elapsed(), 10000);
}

TEST_F(CommandLineOnX11, AWindowStartTakesOverAWindowlessShow)
{
    const Observer x(m_display);
    ASSERT_TRUE(x.Ok());
    const QString list = List("show.lsl", {Solid("red.png", kRed), Solid("green.png", kGreen)});
    const auto show = m_user.Start({"--play", list, "--every", "1", "--mode", "stretch"});
    ASSERT_GE(WaitForColour(x, kRed, 10000), 0);

    // One Quilvane per session: the windowless one hands over and ends, the
    // window's slide-show page plays the show on.
    const auto window = m_user.Start({});
    ASSERT_TRUE(show->waitForFinished(15000));
    EXPECT_EQ(show->exitCode(), 0) << show->readAllStandardError().toStdString();
    ASSERT_EQ(window->state(), QProcess::Running) << window->readAllStandardError().toStdString();
    EXPECT_GE(WaitForColour(x, kGreen, 5000), 0);
    EXPECT_GE(WaitForColour(x, kRed, 3000), 0) << "still playing, in the window";

    const QuilvaneUser::Result r = m_user.Run({"--stop"});
    EXPECT_EQ(r.code, 0) << Text(r);
    const QRgb last = Centre(x);
    QTest::qWait(1500);
    EXPECT_EQ(Centre(x), last) << "the window's show stopped";
    EXPECT_EQ(window->state(), QProcess::Running) << "the window stays";
    window->kill();
    window->waitForFinished();
}

TEST_F(CommandLineOnX11, StartsAtTheSameMomentEndWithOneOwner)
{
    const Observer x(m_display);
    ASSERT_TRUE(x.Ok());
    const QString list = List("show.lsl", {Solid("red.png", kRed), Solid("green.png", kGreen)});
    PrivateBus bus;
    for (const bool onBus : {false, true}) {
        SCOPED_TRACE(onBus ? "session bus" : "runtime folder socket");
        if (onBus && bus.Address().isEmpty())
            GTEST_SKIP() << "dbus-daemon is not installed";
        if (onBus)
            m_user.Set("DBUS_SESSION_BUS_ADDRESS", bus.Address());
        std::vector<std::unique_ptr<QProcess>> starts;
        for (int i = 0; i < 5; ++i)
            starts.push_back(m_user.Start({"--play", list, "--every", "1", "--mode", "stretch"}));
        // Four hand their show to the fifth and end; never none, never two.
        ASSERT_TRUE(QTest::qWaitFor(
            [&] {
                return std::count_if(starts.begin(), starts.end(),
                                     [](const auto& p) { return p->state() == QProcess::NotRunning; }) == 4;
            },
            30000));
        QTest::qWait(1500);
        int running = 0;
        for (const auto& p : starts) {
            if (p->state() == QProcess::Running)
                ++running;
            else
                EXPECT_EQ(p->exitCode(), 0) << p->readAllStandardError().toStdString();
        }
        EXPECT_EQ(running, 1);
        const QuilvaneUser::Result r = m_user.Run({"--stop"});
        EXPECT_EQ(r.code, 0) << Text(r);
        for (const auto& p : starts)
            EXPECT_TRUE(p->state() == QProcess::NotRunning || p->waitForFinished(10000));
    }
}
