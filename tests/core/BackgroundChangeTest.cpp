// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Changes run on the managers' worker threads: the window's thread keeps
// answering while a desktop hangs, results and messages come back to it, and
// a slide-show tick that finds the last change still running is skipped (or
// waits, when the user asked for it), and what was shown is remembered there.

#include "core/RegConfig.h"
#include "core/SlideShowManager.h"
#include "core/WallPaperManager.h"
#include "support/StalledDesktop.h"
#include "support/StderrCapture.h"

#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <optional>
#include <utility>

namespace {

struct BackgroundChangeFixture : ::testing::Test {
    void SetUp() override
    {
        WallPaperManager::StaticCreate();
        SlideShowManager::StaticCreate();
        WallPaperManager::GetInstance()->SetBackend(std::make_unique<StalledDesktop>(&desktop));
        QImage image(8, 6, QImage::Format_RGB32);
        image.fill(Qt::blue);
        for (const char* name : {"a.png", "b.png", "c.png"}) {
            ASSERT_TRUE(image.save(dir.filePath(name)));
            pictures << dir.filePath(name);
        }
    }
    void TearDown() override
    {
        // Whatever the test left stalled ends now.
        desktop.release.release(10);
        SlideShowManager::StaticDestroy();
        WallPaperManager::StaticDestroy();
    }
    bool Entered() { return desktop.entered.tryAcquire(1, StalledDesktop::kGiveUpMs); }

    StalledDesktop::State desktop;
    QTemporaryDir dir;
    QStringList pictures;
};

} // namespace

TEST_F(BackgroundChangeFixture, TheWindowThreadAnswersWhileTheDesktopHangs)
{
    WallPaperManager* manager = WallPaperManager::GetInstance();
    std::optional<WallPaperManager::Result> result;
    QObject window;
    manager->ApplyWallPaperInBackground(pictures[0], 2, &window, [&](auto r) { result = r; });
    ASSERT_TRUE(Entered()) << "the change never reached the desktop";
    EXPECT_TRUE(manager->IsChanging());

    // The desktop is stuck in the change the whole time the loop is probed.
    EXPECT_LT(MedianEventLoopAnswerMs(20), 30.0);
    EXPECT_FALSE(result.has_value());
    EXPECT_EQ(desktop.calls, 1);

    desktop.release.release();
    QTRY_VERIFY_WITH_TIMEOUT(result.has_value(), 10000);
    EXPECT_EQ(*result, WallPaperManager::Result::Shown);
    EXPECT_FALSE(manager->IsChanging());
    EXPECT_FALSE(desktop.gaveUp);
}

TEST_F(BackgroundChangeFixture, MessagesArriveWithTheResultAndAGoneWindowGetsNothing)
{
    WallPaperManager* manager = WallPaperManager::GetInstance();
    desktop.succeed = false;
    StderrCapture err;
    std::optional<WallPaperManager::Result> result;
    QString saidBeforeResult;
    QObject window;
    manager->ApplyWallPaperInBackground(pictures[0], 0, &window, [&](auto r) {
        result = r;
        saidBeforeResult = err.Take();
    });
    ASSERT_TRUE(Entered());
    desktop.release.release();
    QTRY_VERIFY_WITH_TIMEOUT(result.has_value(), 10000);
    EXPECT_EQ(*result, WallPaperManager::Result::DesktopFailed);
    EXPECT_TRUE(saidBeforeResult.contains("the stalled desktop said no; the wallpaper stays as it is"))
        << saidBeforeResult.toStdString();

    // A window closed while its change runs is not called back.
    bool called = false;
    auto gone = std::make_unique<QObject>();
    manager->ApplyWallPaperInBackground(pictures[1], 0, gone.get(), [&](auto) { called = true; });
    ASSERT_TRUE(Entered());
    gone.reset();
    desktop.release.release();
    QTRY_VERIFY_WITH_TIMEOUT(!manager->IsChanging(), 10000);
    EXPECT_FALSE(called);
    EXPECT_EQ(desktop.calls, 2);
}

TEST_F(BackgroundChangeFixture, ATickDuringAChangeIsSkippedAndTheShowGoesOnFromIt)
{
    SlideShowManager* show = SlideShowManager::GetInstance();
    show->OnStartTimer([this] { return pictures; }, false, 1);
    ASSERT_TRUE(show->OnChangeWallpaperInBackground());
    ASSERT_TRUE(Entered());
    // Two ticks while the desktop hangs: neither starts nor waits.
    EXPECT_FALSE(show->OnChangeWallpaperInBackground());
    EXPECT_FALSE(show->OnChangeWallpaperInBackground());
    desktop.release.release();
    QTRY_VERIFY_WITH_TIMEOUT(!show->IsChanging(), 10000);
    EXPECT_EQ(desktop.calls, 1) << "skipped ticks are not queued";

    // The next tick starts from the picture the background change showed.
    std::vector<QString> seen;
    show->SetWallpaperSetter([&](const QString& path, int style) {
        EXPECT_EQ(style, 1);
        seen.push_back(path);
        return WallPaperManager::Result::Shown;
    });
    ASSERT_TRUE(show->OnChangeWallpaperInBackground());
    QTRY_VERIFY_WITH_TIMEOUT(!show->IsChanging(), 10000);
    EXPECT_EQ(seen, std::vector<QString>{pictures[1]});

    // A change that reports after the show was stopped and started again
    // leaves the new show where it starts.
    show->SetWallpaperSetter([&](const QString& path, int) {
        desktop.entered.release();
        desktop.release.acquire();
        seen.push_back(path);
        return WallPaperManager::Result::Shown;
    });
    ASSERT_TRUE(show->OnChangeWallpaperInBackground());
    ASSERT_TRUE(Entered());
    show->OnEndTimer();
    show->OnStartTimer([this] { return pictures; }, false, 1);
    desktop.release.release();
    QTRY_VERIFY_WITH_TIMEOUT(!show->IsChanging(), 10000);
    desktop.release.release();
    ASSERT_TRUE(show->OnChangeWallpaperInBackground());
    QTRY_VERIFY_WITH_TIMEOUT(!show->IsChanging(), 10000);
    EXPECT_EQ(seen, (std::vector<QString>{pictures[1], pictures[2], pictures[0]}));
}

TEST_F(BackgroundChangeFixture, WhatABackgroundChangeShowedIsRememberedOnceItReports)
{
    RegConfig::StaticCreate();
    RegConfig* config = RegConfig::GetInstance();
    config->SetFilePath(dir.filePath("settings.json"));
    const auto stored = [&] { // as the next start reads the file
        config->ReadData();
        return std::pair{config->LastWallpaper(), config->SlideShow()};
    };
    const auto canonical = [&](int i) { return QFileInfo(pictures[i]).canonicalFilePath(); };
    SlideShowManager* show = SlideShowManager::GetInstance();
    show->OnStartTimer([this] { return pictures; }, false, 2, 60000);

    // A tick the user asks for while the show's change hangs waits for it,
    // where a timer's tick is dropped.
    ASSERT_TRUE(show->OnChangeWallpaperInBackground());
    ASSERT_TRUE(Entered());
    EXPECT_FALSE(show->OnChangeWallpaperInBackground(SlideShowManager::WhileChanging::Skip));
    EXPECT_TRUE(show->OnChangeWallpaperInBackground(SlideShowManager::WhileChanging::Wait));
    EXPECT_TRUE(stored().first.path.isEmpty()) << "nothing is remembered before the change reports";
    desktop.release.release(2);
    QTRY_VERIFY_WITH_TIMEOUT(desktop.calls == 2 && !show->IsChanging(), 10000);
    auto [wallpaper, slides] = stored();
    EXPECT_EQ(wallpaper.path, canonical(1));
    EXPECT_EQ(wallpaper.style, 2);
    EXPECT_EQ(wallpaper.desktop, "stalled");
    EXPECT_EQ(slides.lastIndex, 1);
    EXPECT_EQ(slides.lastShown, pictures[1]);
    EXPECT_TRUE(slides.playing);

    // A change made at once on this thread after a background one finished,
    // but before that one reported, is the one on the desktop and stays the
    // one remembered.
    WallPaperManager* manager = WallPaperManager::GetInstance();
    while (desktop.entered.tryAcquire()) {
    }
    manager->ApplyWallPaperInBackground(pictures[0], 0);
    ASSERT_TRUE(Entered());
    desktop.release.release(2);
    EXPECT_EQ(manager->ApplyWallPaper(pictures[2], 1), WallPaperManager::Result::Shown);
    EXPECT_EQ(stored().first.path, canonical(2));
    QTRY_VERIFY_WITH_TIMEOUT(!manager->IsChanging(), 10000);
    EXPECT_EQ(desktop.calls, 4);
    EXPECT_EQ(stored().first.path, canonical(2));
    EXPECT_EQ(stored().first.style, 1);

    show->OnEndTimer();
    RegConfig::StaticDestroy();
}
