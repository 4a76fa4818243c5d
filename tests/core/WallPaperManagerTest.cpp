// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// WallPaperManager in front of a recording back end: which requests reach the
// desktop at all, with which absolute path and style.

#include "core/WallPaperManager.h"
#include "support/EnvironmentGuard.h"
#include "support/RecordingDesktop.h"
#include "support/StderrCapture.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct WallPaperManagerFixture : ::testing::Test {
    void SetUp() override
    {
        WallPaperManager::StaticCreate();
        manager = WallPaperManager::GetInstance();
        manager->SetBackend(std::make_unique<RecordingDesktop>(&calls));
        QDir().mkpath(dir.filePath("pics"));
        QImage image(6, 4, QImage::Format_RGB32);
        image.fill(Qt::red);
        ASSERT_TRUE(image.save(dir.filePath("pics/red photo.png")));
        ASSERT_TRUE(image.save(dir.filePath("pics/upper.JPG"), "JPEG"));
        Write(dir.filePath("pics/broken.jpg"), "\xff\xd8\xff\xe0 not really");
        ASSERT_TRUE(image.save(dir.filePath("pics/png-named.txt"), "PNG"));
        QDir().mkpath(dir.filePath("pics/folder.jpg"));
    }
    void TearDown() override { WallPaperManager::StaticDestroy(); }

    static void Write(const QString& path, const QByteArray& bytes)
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    // The request's result and what it said on standard error.
    std::pair<WallPaperManager::Result, QString> Apply(const QString& path, int style)
    {
        StderrCapture stderrText;
        const auto result = manager->ApplyWallPaper(path, style);
        return {result, stderrText.Take()};
    }

    QTemporaryDir dir;
    WallPaperManager* manager = nullptr;
    std::vector<RecordingDesktop::Shown> calls;
};

} // namespace

TEST_F(WallPaperManagerFixture, PicturesReachTheDesktopAbsoluteWithTheirStyle)
{
    const QString oldCurrent = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir.path()));
    const std::pair<int, WallpaperStyle> styles[] = {{0, WallpaperStyle::Centre},
                                                     {1, WallpaperStyle::Tile},
                                                     {2, WallpaperStyle::Stretch},
                                                     {-1, WallpaperStyle::Centre},
                                                     {7, WallpaperStyle::Centre}};
    for (const auto& [style, expected] : styles) {
        calls.clear();
        manager->SetWallPaper("pics/red photo.png", style);
        ASSERT_EQ(calls.size(), 1u);
        EXPECT_EQ(calls[0].path, dir.filePath("pics/red photo.png"));
        EXPECT_EQ(calls[0].style, expected) << style;
    }
    calls.clear();
    EXPECT_EQ(Apply("./pics/../pics/upper.JPG", 2).first, WallPaperManager::Result::Shown);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].path, dir.filePath("pics/upper.JPG"));
    QDir::setCurrent(oldCurrent);
}

TEST_F(WallPaperManagerFixture, WhatIsNotAPictureNeverReachesTheDesktop)
{
    const struct {
        QString path;
        const char* message;
    } rejected[] = {
        {dir.filePath("pics/missing.png"), "does not exist"},
        {dir.filePath("pics/folder.jpg"), "does not exist"},
        {dir.filePath("pics/png-named.txt"), "is not a picture file"},
        {dir.filePath("pics/broken.jpg"), "is not a picture that can be read"},
        {"", "no picture named"},
    };
    for (const auto& r : rejected) {
        const auto [result, said] = Apply(r.path, 0);
        EXPECT_EQ(result, WallPaperManager::Result::NotAPicture) << r.path.toStdString();
        EXPECT_TRUE(said.contains(r.message)) << qPrintable(said);
        EXPECT_TRUE(said.contains("the wallpaper stays as it is")) << qPrintable(said);
    }
    EXPECT_TRUE(calls.empty());
}

TEST_F(WallPaperManagerFixture, BackEndFailuresAndSelfDecodingBackEnds)
{
    manager->SetBackend(std::make_unique<RecordingDesktop>(&calls, RecordingDesktop::Answers{.succeed = false}));
    EXPECT_EQ(Apply(dir.filePath("pics/red photo.png"), 0).first, WallPaperManager::Result::DesktopFailed);

    // A back end that decodes the picture itself is handed a broken file (it
    // refuses it on its own) and the failure is put down to the picture.
    manager->SetBackend(
        std::make_unique<RecordingDesktop>(&calls, RecordingDesktop::Answers{.succeed = false, .decodes = true}));
    calls.clear();
    EXPECT_EQ(Apply(dir.filePath("pics/broken.jpg"), 0).first, WallPaperManager::Result::NotAPicture);
    EXPECT_EQ(calls.size(), 1u);
    EXPECT_EQ(Apply(dir.filePath("pics/red photo.png"), 0).first, WallPaperManager::Result::DesktopFailed);
}

TEST_F(WallPaperManagerFixture, SupportActiveDesktopAndTheSessionBackEnd)
{
    EXPECT_TRUE(manager->SupportActiveDesktop());
    manager->SetSupportActiveDesktopOverride(false);
    EXPECT_FALSE(manager->SupportActiveDesktop());
    manager->SetSupportActiveDesktopOverride(std::nullopt);
    EXPECT_TRUE(manager->SupportActiveDesktop());

    // Without a back end of the test's, the session's is chosen on first use.
    manager->SetBackend(nullptr);
    const EnvironmentGuard desktop("QUILVANE_DESKTOP", "none");
    EXPECT_EQ(manager->Backend().Name(), "none");
    const auto [result, said] = Apply(dir.filePath("pics/red photo.png"), 1);
    EXPECT_EQ(result, WallPaperManager::Result::DesktopFailed);
    EXPECT_TRUE(said.contains("QUILVANE_DESKTOP=none")) << qPrintable(said);
}

TEST_F(WallPaperManagerFixture, OneResolvedNameIsCheckedAndSetAndShownEscaped)
{
    // link/.. is real/ for the file system but the top folder as text; both
    // hold an x.png, so checking one name and setting another would show.
    QDir().mkpath(dir.filePath("real/sub"));
    ASSERT_TRUE(QFile::link(dir.filePath("real/sub"), dir.filePath("link")));
    ASSERT_TRUE(QFile::copy(dir.filePath("pics/red photo.png"), dir.filePath("real/x.png")));
    ASSERT_TRUE(QFile::copy(dir.filePath("pics/red photo.png"), dir.filePath("x.png")));
    EXPECT_EQ(Apply(dir.filePath("link/../x.png"), 0).first, WallPaperManager::Result::Shown);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].path, QFileInfo(dir.filePath("real/x.png")).canonicalFilePath());

    // Gone where the file system looks: refused, although the cleaned text
    // still names a file.
    ASSERT_TRUE(QFile::rename(dir.filePath("real/x.png"), dir.filePath("real/y.png")));
    calls.clear();
    EXPECT_EQ(Apply(dir.filePath("link/../x.png"), 0).first, WallPaperManager::Result::NotAPicture);
    EXPECT_TRUE(calls.empty());

    // Escape sequences in a name reach the terminal escaped.
    for (const QString& name : {QStringLiteral("pics/\x1b]0;title\x07.png"), QStringLiteral("pics/\x1b[2J.txt")}) {
        const auto [result, said] = Apply(dir.filePath(name), 0);
        EXPECT_EQ(result, WallPaperManager::Result::NotAPicture);
        EXPECT_FALSE(said.contains(QChar(0x1b))) << qPrintable(said);
        EXPECT_TRUE(said.contains("\\x1b")) << qPrintable(said);
    }
    QFile odd(dir.filePath("pics/\x1b[2J.png"));
    ASSERT_TRUE(odd.open(QIODevice::WriteOnly));
    odd.close();
    const auto [result, said] = Apply(odd.fileName(), 0);
    EXPECT_EQ(result, WallPaperManager::Result::NotAPicture);
    EXPECT_TRUE(said.contains("\\x1b[2J.png is not a picture that can be read")) << qPrintable(said);
}

TEST_F(WallPaperManagerFixture, TheLastPictureShownFollowsTheMonitors)
{
    // Nothing of ours on the desktop yet: nothing to follow.
    manager->MonitorsChanged();
    EXPECT_TRUE(calls.empty());

    const QString red = dir.filePath("pics/red photo.png");
    ASSERT_EQ(Apply(red, 1).first, WallPaperManager::Result::Shown);
    // Refused pictures and a desktop that failed leave the last one shown.
    Apply(dir.filePath("pics/broken.jpg"), 2);
    manager->SetBackend(std::make_unique<RecordingDesktop>(&calls, RecordingDesktop::Answers{.succeed = false}));
    ASSERT_EQ(Apply(dir.filePath("pics/upper.JPG"), 2).first, WallPaperManager::Result::DesktopFailed);
    manager->SetBackend(std::make_unique<RecordingDesktop>(&calls));
    calls.clear();
    manager->MonitorsChanged();
    EXPECT_EQ(calls, (std::vector<RecordingDesktop::Shown>{{red, WallpaperStyle::Tile, true}}));

    // A picture removed since (a slide show's) is not put back.
    ASSERT_TRUE(QFile::remove(red));
    calls.clear();
    manager->MonitorsChanged();
    EXPECT_TRUE(calls.empty());
}
