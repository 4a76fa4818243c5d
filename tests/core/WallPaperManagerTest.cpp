// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// WallPaperManager in front of a recording back end: which requests reach the
// desktop at all, with which absolute path and style.

#include "core/WallPaperManager.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class RecordingBackend final : public DesktopBackend {
public:
    struct Call {
        QString path;
        WallpaperStyle style;
    };
    RecordingBackend(std::vector<Call>* calls, bool succeed, bool decodes)
        : m_calls(calls), m_succeed(succeed), m_decodes(decodes)
    {
    }
    QString Name() const override { return "recording"; }
    bool DecodesPicture() const override { return m_decodes; }
    bool SetWallpaper(const QString& path, WallpaperStyle style) override
    {
        m_calls->push_back({path, style});
        return m_succeed;
    }
    bool FollowMonitors(const QString& path, WallpaperStyle style) override
    {
        m_calls->push_back({"follow " + path, style});
        return true;
    }

private:
    std::vector<Call>* m_calls;
    bool m_succeed;
    bool m_decodes;
};

struct WallPaperManagerFixture : ::testing::Test {
    void SetUp() override
    {
        WallPaperManager::StaticCreate();
        manager = WallPaperManager::GetInstance();
        manager->SetBackend(std::make_unique<RecordingBackend>(&calls, true, false));
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
    std::pair<WallPaperManager::Result, std::string> Apply(const QString& path, int style)
    {
        ::testing::internal::CaptureStderr();
        const auto result = manager->ApplyWallPaper(path, style);
        return {result, ::testing::internal::GetCapturedStderr()};
    }

    QTemporaryDir dir;
    WallPaperManager* manager = nullptr;
    std::vector<RecordingBackend::Call> calls;
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
        EXPECT_NE(said.find(r.message), std::string::npos) << said;
        EXPECT_NE(said.find("the wallpaper stays as it is"), std::string::npos) << said;
    }
    EXPECT_TRUE(calls.empty());
}

TEST_F(WallPaperManagerFixture, BackEndFailuresAndSelfDecodingBackEnds)
{
    manager->SetBackend(std::make_unique<RecordingBackend>(&calls, false, false));
    EXPECT_EQ(Apply(dir.filePath("pics/red photo.png"), 0).first, WallPaperManager::Result::DesktopFailed);

    // A back end that decodes the picture itself is handed a broken file (it
    // refuses it on its own) and the failure is put down to the picture.
    manager->SetBackend(std::make_unique<RecordingBackend>(&calls, false, true));
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
    qputenv("QUILVANE_DESKTOP", "none");
    EXPECT_EQ(manager->Backend().Name(), "none");
    const auto [result, said] = Apply(dir.filePath("pics/red photo.png"), 1);
    EXPECT_EQ(result, WallPaperManager::Result::DesktopFailed);
    EXPECT_NE(said.find("QUILVANE_DESKTOP=none"), std::string::npos) << said;
    qunsetenv("QUILVANE_DESKTOP");
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
        EXPECT_EQ(said.find('\x1b'), std::string::npos) << said;
        EXPECT_NE(said.find("\\x1b"), std::string::npos) << said;
    }
    QFile odd(dir.filePath("pics/\x1b[2J.png"));
    ASSERT_TRUE(odd.open(QIODevice::WriteOnly));
    odd.close();
    const auto [result, said] = Apply(odd.fileName(), 0);
    EXPECT_EQ(result, WallPaperManager::Result::NotAPicture);
    EXPECT_NE(said.find("\\x1b[2J.png is not a picture that can be read"), std::string::npos) << said;
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
    manager->SetBackend(std::make_unique<RecordingBackend>(&calls, false, false));
    ASSERT_EQ(Apply(dir.filePath("pics/upper.JPG"), 2).first, WallPaperManager::Result::DesktopFailed);
    manager->SetBackend(std::make_unique<RecordingBackend>(&calls, true, false));
    calls.clear();
    manager->MonitorsChanged();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].path, "follow " + red);
    EXPECT_EQ(calls[0].style, WallpaperStyle::Tile);

    // A picture removed since (a slide show's) is not put back.
    ASSERT_TRUE(QFile::remove(red));
    calls.clear();
    manager->MonitorsChanged();
    EXPECT_TRUE(calls.empty());
}
