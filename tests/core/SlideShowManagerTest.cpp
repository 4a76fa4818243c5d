// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The slide show's choice of the next picture, from a live list that the
// test edits between ticks. Pictures go to a recording setter; names in
// `bad` stand for entries that are missing or not pictures.

#include "core/SlideShowManager.h"
#include "core/RegConfig.h"
#include "support/RecordingDesktop.h"
#include "support/StderrCapture.h"
#include "support/TestData.h"

#include <QDir>
#include <QImage>
#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <random>

namespace {

struct SlideShowFixture : ::testing::Test {
    void SetUp() override
    {
        SlideShowManager::StaticCreate();
        show = SlideShowManager::GetInstance();
        show->SeedRandom(20240607);
        show->SetWallpaperSetter([this](const QString& path, int style) {
            ++attempts;
            styles << style;
            if (bad.contains(path))
                return WallPaperManager::Result::NotAPicture;
            shown << path;
            return WallPaperManager::Result::Shown;
        });
    }
    void TearDown() override { SlideShowManager::StaticDestroy(); }

    void Fill(const QStringList& entries) { list = entries; }
    // The show reads the list afresh at every tick, as from the page's list box.
    SlideShowManager::Entries Live()
    {
        return [this] { return list; };
    }
    // The pictures shown by the next n ticks.
    QStringList Ticks(int n)
    {
        shown.clear();
        for (int i = 0; i < n; ++i)
            show->OnChangeWallpaper();
        return shown;
    }

    SlideShowManager* show = nullptr;
    QStringList list;
    QSet<QString> bad;
    QStringList shown;
    QList<int> styles;
    int attempts = 0;
};

bool IsRound(const QStringList& shown, const QStringList& entries)
{
    QStringList a = shown;
    QStringList b = entries;
    a.sort();
    b.sort();
    return a == b;
}

} // namespace

TEST_F(SlideShowFixture, InOrderWrapsAndUsesTheStartStyle)
{
    Fill({"a", "b", "c"});
    show->OnChangeWallpaper();
    EXPECT_EQ(attempts, 0) << "not started yet";

    show->OnStartTimer(Live(), false, 2);
    EXPECT_EQ(Ticks(7), QStringList({"a", "b", "c", "a", "b", "c", "a"}));
    EXPECT_EQ(QSet<int>(styles.begin(), styles.end()), QSet<int>({2}));

    show->OnEndTimer();
    EXPECT_TRUE(Ticks(2).isEmpty()) << "stopped";

    // A new start begins at the top again, with its own style.
    show->OnStartTimer(Live(), false, -1);
    styles.clear();
    EXPECT_EQ(Ticks(2), QStringList({"a", "b"}));
    EXPECT_EQ(styles, QList<int>({-1, -1}));
}

TEST_F(SlideShowFixture, InOrderFollowsTheLiveList)
{
    Fill({});
    show->OnStartTimer(Live(), false, 0);
    EXPECT_TRUE(Ticks(3).isEmpty());
    EXPECT_EQ(attempts, 0) << "an empty list changes nothing";

    Fill({"a", "b", "c", "d"});
    EXPECT_EQ(Ticks(2), QStringList({"a", "b"}));
    list.insert(0, "x"); // b moved down: still followed by c
    EXPECT_EQ(Ticks(1), QStringList({"c"}));
    list.removeAt(3); // c, the one just shown: d took its place
    EXPECT_EQ(Ticks(1), QStringList({"d"}));
    // Moved: d to the front; the next is the one after it there.
    list.removeAt(3);
    list.insert(0, "d");
    EXPECT_EQ(Ticks(1), QStringList({"x"}));
    Fill({"p", "q", "r"}); // all replaced: carry on from the same place
    EXPECT_EQ(Ticks(3), QStringList({"q", "r", "p"}));
    Fill({"p"}); // shrunk below the last position
    EXPECT_EQ(Ticks(2), QStringList({"p", "p"}));
}

TEST_F(SlideShowFixture, MissingEntriesAreSkippedWithinOnePass)
{
    bad = {"gone", "notes"};
    Fill({"a", "gone", "b", "notes"});
    show->OnStartTimer(Live(), false, 1);
    EXPECT_EQ(Ticks(4), QStringList({"a", "b", "a", "b"}));

    Fill({"gone", "notes"});
    attempts = 0;
    EXPECT_TRUE(Ticks(1).isEmpty());
    EXPECT_EQ(attempts, 2) << "one pass over the list, no more";

    show->OnStartTimer(Live(), true, 1);
    attempts = 0;
    EXPECT_TRUE(Ticks(1).isEmpty());
    EXPECT_EQ(attempts, 2);
}

TEST_F(SlideShowFixture, RandomComesInShuffledRounds)
{
    const QStringList entries = {"a", "b", "c", "d", "e", "f", "g"};
    Fill(entries);
    show->OnStartTimer(Live(), true, 0);
    const QStringList all = Ticks(7 * 30);
    QSet<QString> orders;
    for (int round = 0; round < 30; ++round) {
        const QStringList one = all.mid(round * 7, 7);
        EXPECT_TRUE(IsRound(one, entries)) << "round " << round << ": " << one.join(",").toStdString();
        orders.insert(one.join(","));
    }
    for (int i = 1; i < all.size(); ++i)
        ASSERT_NE(all[i], all[i - 1]) << "twice in a row at " << i;
    EXPECT_GT(orders.size(), 20) << "rounds come in different orders";

    Fill({"a", "b"});
    const QStringList two = Ticks(10);
    for (int i = 1; i < two.size(); ++i)
        EXPECT_NE(two[i], two[i - 1]);
    Fill({"only"});
    EXPECT_EQ(Ticks(2), QStringList({"only", "only"}));

    // Missing entries never show and do not spoil the rounds.
    bad = {"b", "d"};
    Fill({"a", "b", "c", "d", "e"});
    const QStringList good = Ticks(30);
    EXPECT_EQ(good.size(), 30);
    for (int round = 0; round < 10; ++round)
        EXPECT_TRUE(IsRound(good.mid(round * 3, 3), {"a", "c", "e"})) << good.join(",").toStdString();
}

TEST_F(SlideShowFixture, SurvivesRandomEditsBetweenTicks)
{
    std::mt19937 rng(7);
    const QStringList pool = {"a", "b", "c", "d", "e", "f", "gone1", "gone2"};
    bad = {"gone1", "gone2"};
    for (const bool random : {false, true}) {
        Fill({"a", "b", "c"});
        show->OnStartTimer(Live(), random, 2);
        QString previous;
        for (int step = 0; step < 10000; ++step) {
            const int n = int(list.size());
            switch (rng() % 7) {
            case 0:
            case 1:
                list.insert(n ? int(rng() % (n + 1)) : 0, pool[rng() % pool.size()]);
                break;
            case 2:
                if (n)
                    list.removeAt(int(rng() % n));
                break;
            case 3:
                if (n > 1) {
                    const int from = int(rng() % n);
                    const QString moved = list.at(from);
                    list.removeAt(from);
                    list.insert(int(rng() % n), moved);
                }
                break;
            case 4:
                if (rng() % 20 == 0)
                    list.clear();
                break;
            case 5:
                if (rng() % 10 == 0)
                    Fill({pool[rng() % pool.size()], pool[rng() % pool.size()]});
                break;
            default:
                break;
            }
            QSet<QString> present;
            for (int i = 0; i < int(list.size()); ++i)
                present.insert(list.at(i));
            const QSet<QString> showable = present - bad;

            attempts = 0;
            shown.clear();
            show->OnChangeWallpaper();
            ASSERT_LE(attempts, int(list.size()));
            ASSERT_LE(shown.size(), 1);
            ASSERT_EQ(shown.size(), showable.isEmpty() ? 0 : 1) << "a showable entry is always found";
            if (shown.isEmpty())
                continue;
            ASSERT_TRUE(showable.contains(shown[0]));
            if (random && showable.size() >= 2) {
                ASSERT_NE(shown[0], previous) << "step " << step;
            }
            previous = shown[0];
        }
    }
}

TEST_F(SlideShowFixture, RealFilesThroughTheWallPaperManager)
{
    // The default path: the WallPaperManager instance decides what is a
    // picture; its back end is a recorder.
    QTemporaryDir dir;
    QImage image(4, 4, QImage::Format_RGB32);
    image.fill(Qt::blue);
    ASSERT_TRUE(image.save(dir.filePath("one.png")));
    ASSERT_TRUE(image.save(dir.filePath("two.bmp")));
    ASSERT_TRUE(image.save(dir.filePath("three.png.txt"), "PNG"));

    std::vector<RecordingDesktop::Shown> desktop;
    WallPaperManager::StaticCreate();
    WallPaperManager::GetInstance()->SetBackend(std::make_unique<RecordingDesktop>(&desktop));
    show->SetWallpaperSetter({});
    // A PNG with a JPEG name is a picture (the content decides), a name that
    // is not ASCII reaches the desktop unchanged, and a file that only starts
    // like a PNG is skipped.
    const QString pngNamedJpg = TestData("png-named.jpg");
    const QString nonAscii = TestData(QString::fromUtf8("non-ascii/été 写真.png"));
    Fill({dir.filePath("one.png"), dir.filePath("missing.jpg"), dir.filePath("three.png.txt"), dir.filePath("two.bmp"),
          pngNamedJpg, TestData("truncated-after-signature.png"), nonAscii});
    show->OnStartTimer(Live(), false, 0);
    {
        const StderrCapture quiet;
        for (int i = 0; i < 6; ++i)
            show->OnChangeWallpaper();
    }
    EXPECT_EQ(RecordingDesktop::Paths(desktop),
              QStringList({dir.filePath("one.png"), dir.filePath("two.bmp"), pngNamedJpg, nonAscii,
                           dir.filePath("one.png"), dir.filePath("two.bmp")}));
    WallPaperManager::StaticDestroy();

    // Without a wallpaper manager the ticks do nothing.
    show->OnChangeWallpaper();
    EXPECT_EQ(desktop.size(), 6u);
}

TEST_F(SlideShowFixture, SourceEmptiedWhileRunning)
{
    // The page's source reads nothing once its list box is gone.
    bool alive = true;
    show->OnStartTimer([&alive] { return alive ? QStringList{"a"} : QStringList(); }, false, 0);
    EXPECT_EQ(Ticks(1), QStringList({"a"}));
    alive = false;
    EXPECT_TRUE(Ticks(1).isEmpty());
}

TEST_F(SlideShowFixture, APlayingShowIsRememberedAndResumesWhereItWas)
{
    QTemporaryDir dir;
    RegConfig::StaticCreate();
    RegConfig* config = RegConfig::GetInstance();
    config->SetFilePath(dir.filePath("settings.json"));
    const auto stored = [&] { // as the next start reads it from the file
        config->ReadData();
        return config->SlideShow();
    };

    Fill({"a", "b", "c"});
    show->OnStartTimer(Live(), true, 1, 7000);
    SlideShowRecord r = stored();
    EXPECT_EQ(r.entries, list);
    EXPECT_EQ(r.periodMs, 7000);
    EXPECT_EQ(r.style, 1);
    EXPECT_TRUE(r.random);
    EXPECT_TRUE(r.playing);
    EXPECT_EQ(r.lastIndex, -1);

    show->OnStartTimer(Live(), false, 2, 5000);
    Ticks(2);
    Fill({"a", "b", "c", "d"}); // edited while it plays
    r = stored();
    EXPECT_EQ(r.lastIndex, 1);
    EXPECT_EQ(r.lastShown, "b");
    EXPECT_FALSE(r.random);
    EXPECT_EQ(Ticks(1), QStringList{"c"});
    r = stored();
    EXPECT_EQ(r.entries, list);
    EXPECT_EQ(r.lastShown, "c");

    // Ended with the program (no stop): a new manager goes on after "c".
    SlideShowManager::StaticDestroy();
    SetUp();
    show->OnStartTimer(Live(), r.random, r.style, r.periodMs);
    show->ResumeAfter(r.lastIndex, r.lastShown);
    EXPECT_EQ(Ticks(2), (QStringList{"d", "a"}));

    show->OnEndTimer();
    EXPECT_FALSE(stored().playing) << "stopped by the user";
    RegConfig::StaticDestroy();
}
