// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The swaybg back end on a real wlroots compositor running headless: what
// the output shows (read back with grim) for each style and for a file name
// full of quotes, '$' and letters outside ASCII; a hundred changes in a row
// leaving exactly one swaybg of ours; the wallpaper staying after the
// process that set it has quit; and swaybg processes that are not ours left
// alone. Each test gets a compositor and a runtime folder of its own, so
// tests run side by side never see each other's instances.

#include "desktop/SwaybgBackend.h"
#include "desktop/DetachedProcess.h"
#include "support/EnvironmentGuard.h"
#include "support/HeadlessCompositor.h"
#include "support/PictureFixtures.h"
#include "support/StderrCapture.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>
#include <optional>

namespace {

const QRgb kRed = qRgb(255, 0, 0);
const QRgb kBlue = qRgb(0, 0, 255);

// Left half red, right half blue.
QImage TwoColours(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(kRed);
    for (int y = 0; y < height; ++y)
        for (int x = width / 2; x < width; ++x)
            image.setPixel(x, y, kBlue);
    return image;
}

// The swaybg processes drawing on this compositor (zombies are gone).
std::vector<pid_t> SwaybgsOn(const QString& display)
{
    std::vector<pid_t> found;
    const QByteArray wanted = "WAYLAND_DISPLAY=" + QFile::encodeName(display);
    for (const QString& entry : QDir("/proc").entryList(QDir::Dirs)) {
        bool number = false;
        const pid_t pid = entry.toInt(&number);
        const QStringList command = number ? ProcessCommandLine(pid) : QStringList();
        if (command.isEmpty() || !command.first().endsWith("/swaybg") || !ReadProcessStat(pid).Running())
            continue;
        QFile environment(QString("/proc/%1/environ").arg(pid));
        if (environment.open(QIODevice::ReadOnly) && environment.readAll().split('\0').contains(wanted))
            found.push_back(pid);
    }
    return found;
}

class SwaybgOnWlroots : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!m_compositor.Problem().isEmpty())
            GTEST_SKIP() << m_compositor.Problem().toStdString();
        m_display.emplace("WAYLAND_DISPLAY", QFile::encodeName(m_compositor.Display()));
        QFile::setPermissions(m_runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        m_runtimeDir.emplace("XDG_RUNTIME_DIR", QFile::encodeName(m_runtime.path()));
    }
    void TearDown() override
    {
        if (!m_compositor.Problem().isEmpty())
            return;
        for (const pid_t pid : SwaybgsOn(m_compositor.Display()))
            ::kill(pid, SIGTERM);
        m_runtimeDir.reset();
        m_display.reset();
    }

    QString Picture(const QString& name, const QImage& image)
    {
        const QString path = m_pictures.filePath(name);
        EXPECT_TRUE(image.save(path, "PNG")) << path.toStdString();
        return path;
    }
    QString Solid(const QString& name, QRgb colour)
    {
        return fixtures::WriteSolid(m_pictures.filePath(name), QSize(16, 16), colour);
    }

    HeadlessCompositor m_compositor;
    QTemporaryDir m_runtime;
    QTemporaryDir m_pictures;
    std::optional<EnvironmentGuard> m_display;
    std::optional<EnvironmentGuard> m_runtimeDir;
};

} // namespace

TEST_F(SwaybgOnWlroots, EachStyleShowsThePicture)
{
    const QString path = Picture("two colours.png", TwoColours(64, 48));
    SwaybgBackend backend;
    struct Probe {
        QPoint at;
        QRgb colour;
    };
    // The output is 640x480; the picture 64x48.
    const struct {
        WallpaperStyle style;
        std::vector<Probe> probes;
    } cases[] = {
        // Away from the edges, which swaybg's scaling blends with black.
        {WallpaperStyle::Stretch, {{{20, 240}, kRed}, {{620, 240}, kBlue}, {{300, 20}, kRed}, {{340, 460}, kBlue}}},
        {WallpaperStyle::Centre, {{{288 + 5, 216 + 5}, kRed}, {{288 + 58, 216 + 42}, kBlue}}},
        {WallpaperStyle::Tile,
         {{{64 * 3 + 5, 48 * 2 + 5}, kRed}, {{64 * 3 + 58, 48 * 2 + 5}, kBlue}, {{5, 470}, kRed}}},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(backend.SetWallpaper(path, c.style)) << int(c.style);
        const QImage screen = m_compositor.Capture();
        ASSERT_EQ(screen.size(), QSize(640, 480));
        for (const Probe& probe : c.probes)
            EXPECT_EQ(screen.pixel(probe.at), probe.colour)
                << int(c.style) << " at " << probe.at.x() << "," << probe.at.y();
        if (c.style == WallpaperStyle::Centre) {
            EXPECT_NE(screen.pixel(5, 5), kRed);
            EXPECT_NE(screen.pixel(635, 475), kBlue);
        }
    }
    EXPECT_EQ(SwaybgsOn(m_compositor.Display()).size(), 1u);
}

TEST_F(SwaybgOnWlroots, AnyFileNameReachesSwaybgAsItIs)
{
    const QString path = Solid(QString::fromUtf8("it's \"a\" $HOME $(x) été 写真 -m tile.png"), kBlue);
    ASSERT_TRUE(SwaybgBackend().SetWallpaper(path, WallpaperStyle::Stretch));
    const QImage screen = m_compositor.Capture();
    EXPECT_EQ(screen.pixel(40, 40), kBlue);
    EXPECT_EQ(screen.pixel(600, 440), kBlue);
}

TEST_F(SwaybgOnWlroots, AHundredChangesLeaveOneInstance)
{
    const QString paths[] = {Solid("red.png", kRed), Solid("blue.png", kBlue)};
    SwaybgBackend backend;
    for (int i = 0; i < 100; ++i) {
        ASSERT_TRUE(backend.SetWallpaper(paths[i % 2], WallpaperStyle::Stretch)) << i;
        // Drawn by the time the change returns, the previous one ended.
        ASSERT_EQ(m_compositor.Capture().pixel(320, 240), i % 2 ? kBlue : kRed) << i;
    }
    const auto running = SwaybgsOn(m_compositor.Display());
    EXPECT_EQ(running.size(), 1u);
    const QStringList records = QDir(SwaybgBackend::StateFolder()).entryList({"swaybg-*.pid"}, QDir::Files);
    ASSERT_EQ(records.size(), 1);
    ASSERT_EQ(running.size(), 1u);
    EXPECT_EQ(records.first(), QString("swaybg-%1.pid").arg(running.front()));
}

TEST_F(SwaybgOnWlroots, TheWallpaperStaysAfterQuitting)
{
    const QString path = Solid("red.png", kRed);
    // A process of its own sets the wallpaper and quits, as the program
    // does when the user closes it.
    GTEST_FLAG_SET(death_test_style, "fast");
    EXPECT_EXIT(std::_Exit(SwaybgBackend().SetWallpaper(path, WallpaperStyle::Stretch) ? 0 : 1),
                ::testing::ExitedWithCode(0), "");
    EXPECT_EQ(SwaybgsOn(m_compositor.Display()).size(), 1u);
    EXPECT_EQ(m_compositor.Capture().pixel(320, 240), kRed);
}

TEST_F(SwaybgOnWlroots, APictureSwaybgRefusesKeepsTheWallpaper)
{
    SwaybgBackend backend;
    ASSERT_TRUE(backend.SetWallpaper(Solid("red.png", kRed), WallpaperStyle::Stretch));
    const QString broken = m_pictures.filePath("broken\x1b[2J.png");
    fixtures::WriteFile(broken, "\x89PNG not really");
    StderrCapture stderrText;
    EXPECT_FALSE(backend.SetWallpaper(broken, WallpaperStyle::Tile));
    const QString said = stderrText.Take();
    EXPECT_TRUE(said.contains("swaybg cannot show")) << qPrintable(said);
    EXPECT_FALSE(said.contains(QChar(0x1b))) << qPrintable(said);
    EXPECT_EQ(SwaybgsOn(m_compositor.Display()).size(), 1u);
    EXPECT_EQ(m_compositor.Capture().pixel(320, 240), kRed);
}

TEST_F(SwaybgOnWlroots, SwaybgsOfOthersAreLeftAlone)
{
    const QString redPath = Solid("red.png", kRed);
    // Someone else's swaybg, and a record of ours that a reused process id
    // now points at it: its start time differs.
    QString error;
    const pid_t foreign =
        StartDetached(QStandardPaths::findExecutable("swaybg"), {"-i", redPath, "-m", "tile"}, "/dev/null", error);
    ASSERT_GT(foreign, 0) << error.toStdString();
    QDir().mkpath(SwaybgBackend::StateFolder());
    QFile forged(SwaybgBackend::StateFolder() + QString("/swaybg-%1.pid").arg(foreign));
    ASSERT_TRUE(forged.open(QIODevice::WriteOnly));
    forged.write(QByteArray::number(ReadProcessStat(foreign).startTime + 1) + "\n/usr/bin/swaybg\n");
    forged.close();

    SwaybgBackend backend;
    ASSERT_TRUE(backend.SetWallpaper(Solid("blue.png", kBlue), WallpaperStyle::Stretch));
    ASSERT_TRUE(backend.SetWallpaper(redPath, WallpaperStyle::Centre));
    EXPECT_TRUE(ReadProcessStat(foreign).Running());
    EXPECT_EQ(SwaybgsOn(m_compositor.Display()).size(), 2u);
}

TEST(SwaybgBackend, WithoutSwaybgNothingChanges)
{
    QTemporaryDir emptyPath;
    QString said;
    bool done = true;
    {
        const EnvironmentGuard path("PATH", QFile::encodeName(emptyPath.path()));
        StderrCapture stderrText;
        done = SwaybgBackend().SetWallpaper("/p/a.png", WallpaperStyle::Centre);
        said = stderrText.Take();
    }
    EXPECT_FALSE(done);
    EXPECT_TRUE(said.contains("install the package \"swaybg\"")) << qPrintable(said);
    EXPECT_TRUE(said.contains("the wallpaper stays as it is")) << qPrintable(said);
}
