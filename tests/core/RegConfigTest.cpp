// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/RegConfig.h"
#include "support/FileSizeLimit.h"
#include "support/HostileFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>

#include <sys/stat.h>

namespace {

struct ConfigFixture : ::testing::Test {
    void SetUp() override
    {
        RegConfig::StaticCreate();
        config = RegConfig::GetInstance();
        config->SetFilePath(dir.filePath("quilvane/settings.json"));
    }
    void TearDown() override { RegConfig::StaticDestroy(); }

    static QByteArray Read(const QString& path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    static void Write(const QString& path, const QByteArray& bytes)
    {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }

    QTemporaryDir dir;
    RegConfig* config = nullptr;
};

} // namespace

TEST_F(ConfigFixture, RoundTripKeepsAnyFolderText)
{
    EXPECT_FALSE(config->ReadData()); // nothing stored yet
    EXPECT_TRUE(config->m_strFolder.isEmpty());

    const QString folder = QString::fromUtf8("/home/me/Bilder \"2026\"\n\u00e9t\u00e9\\x/");
    config->m_strFolder = folder;
    ASSERT_TRUE(config->SaveData()); // creates the missing folder
    config->m_strFolder = "changed";
    EXPECT_TRUE(config->ReadData());
    EXPECT_EQ(config->m_strFolder, folder);
    EXPECT_TRUE(QDir(dir.filePath("quilvane")).entryList(QDir::Files | QDir::Hidden).size() == 1)
        << "no temporary file left beside the settings";
}

TEST_F(ConfigFixture, DamagedFilesGiveDefaults)
{
    const QString path = config->FilePath();
    config->m_strFolder = "/photos";
    ASSERT_TRUE(config->SaveData());
    const QByteArray good = Read(path);

    for (const QByteArray& bad : {good.left(good.size() / 2), QByteArray("\x00\xff\xfe garbage", 12), QByteArray(),
                                  QByteArray("[1,2,3]"), QByteArray("{\"folder\": 42}")}) {
        Write(path, bad);
        config->m_strFolder = "stale";
        config->ReadData();
        EXPECT_TRUE(config->m_strFolder.isEmpty()) << bad.toHex().toStdString();
    }
}

TEST_F(ConfigFixture, FailedSaveLeavesThePreviousFileWhole)
{
    const QString path = config->FilePath();
    config->m_strFolder = "/old/folder";
    ASSERT_TRUE(config->SaveData());
    const QByteArray before = Read(path);

    config->m_strFolder = QString(200, u'n');
    bool saved = true;
    {
        FileSizeLimit limit(16);
        ASSERT_TRUE(limit.active());
        saved = config->SaveData();
    }

    EXPECT_FALSE(saved);
    EXPECT_EQ(Read(path), before);

    // A folder that cannot exist (its parent is a file) is no crash either.
    Write(dir.filePath("blocker"), "x");
    config->SetFilePath(dir.filePath("blocker/settings.json"));
    EXPECT_FALSE(config->SaveData());
    EXPECT_FALSE(config->ReadData());
}

TEST_F(ConfigFixture, ARefusedFileIsKeptBesideTheNewOneAndUnknownKeysSurvive)
{
    const QString path = config->FilePath();
    QDir().mkpath(QFileInfo(path).absolutePath());
    QByteArray large = "{\"folder\": \"/big/\", \"pad\": \"" + QByteArray(2 << 20, 'x') + "\"}";
    const struct {
        const char* name;
        std::function<bool()> make;
        QByteArray bytes; // what must be found kept, when a regular file
    } cases[] = {
        {"valid but 2 MB", [&] { return hostile::WriteBytes(path, large); }, large},
        {"a bad byte", [&] { return hostile::WriteBytes(path, "{\"folder\": \"/a\xff/\"}"); },
         "{\"folder\": \"/a\xff/\"}"},
        {"fifo", [&] { return hostile::MakeFifo(path); }, {}},
        {"/dev/zero link", [&] { return QFile::link("/dev/zero", path); }, {}},
        {"directory", [&] { return QDir().mkdir(path); }, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(path);
        ASSERT_TRUE(c.make());
        EXPECT_FALSE(config->ReadData());
        EXPECT_TRUE(config->m_strFolder.isEmpty());
        config->m_strFolder = "/new/";
        ASSERT_TRUE(config->SaveData());
        const QFileInfo kept(path + ".refused");
        EXPECT_TRUE(kept.exists() || kept.isSymLink());
        if (!c.bytes.isEmpty()) {
            EXPECT_EQ(Read(kept.filePath()), c.bytes);
        }
        EXPECT_TRUE(config->ReadData());
        EXPECT_EQ(config->m_strFolder, "/new/");
        QDir(kept.filePath()).removeRecursively();
        QFile::remove(kept.filePath());
    }

    // Keys this version does not know are written back as they were.
    Write(path, "{\"version\": 9, \"folder\": \"/x/\", \"future\": {\"a\": [1, 2]}}");
    ASSERT_TRUE(config->ReadData());
    config->m_strFolder = "/y/";
    ASSERT_TRUE(config->SaveData());
    const QByteArray saved = Read(path);
    EXPECT_TRUE(saved.contains("\"future\"")) << saved.toStdString();
    EXPECT_TRUE(saved.contains("/y/"));
}

TEST_F(ConfigFixture, RecordsAreWrittenAtOnceMergedIntoWhatOthersWrote)
{
    const QString path = config->FilePath();
    Write(path, "{\"folder\": \"/mine/\", \"future\": 7}");
    ASSERT_TRUE(config->ReadData());

    // Names with a line break and bytes that are not UTF-8 (kept as lone
    // surrogates) come back as they went.
    const QString odd = QString("/p/line\nbreak ") + QChar(char16_t(0xDCFF)) + ".jpg";
    const WallpaperRecord picture{odd, 2, "x11"};
    ASSERT_TRUE(config->RecordWallpaper(picture));
    SlideShowRecord show{{odd, "/p/b.png"}, 9000, 1, true, 0, odd, true};
    ASSERT_TRUE(config->RecordSlideShow(show));

    // Another Quilvane (`quilvane --set` beside the window) writes meanwhile.
    QByteArray other = Read(path);
    other.replace("\"x11\"", "\"wlroots\"");
    other.replace("\"future\": 7", "\"future\": 8, \"newer\": true");
    Write(path, other);

    // The next record and the save at shutdown keep what it wrote.
    show.lastIndex = 1;
    show.lastShown = "/p/b.png";
    ASSERT_TRUE(config->RecordSlideShow(show));
    config->m_strFolder = "/changed/";
    ASSERT_TRUE(config->SaveData());
    const QByteArray saved = Read(path);
    EXPECT_TRUE(saved.contains("\"newer\": true") && saved.contains("\"future\": 8")) << saved.toStdString();
    ASSERT_TRUE(config->ReadData());
    EXPECT_EQ(config->m_strFolder, "/changed/");
    EXPECT_EQ(config->LastWallpaper(), (WallpaperRecord{odd, 2, "wlroots"}));
    EXPECT_EQ(config->SlideShow(), show);

    // Unchanged records are not written again (the file keeps its inode,
    // where every write replaces it through a rename).
    struct stat before {};
    ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &before), 0);
    EXPECT_TRUE(config->RecordSlideShow(show));
    EXPECT_TRUE(config->SaveData());
    struct stat after {};
    ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &after), 0);
    EXPECT_EQ(before.st_ino, after.st_ino);

    // A tick's picture and position go out in one write.
    {
        const RegConfig::BatchedWrites batch;
        ASSERT_TRUE(config->RecordWallpaper({"/p/b.png", 1, "x11"}));
        show.lastIndex = 0;
        ASSERT_TRUE(config->RecordSlideShow(show));
        struct stat during {};
        ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &during), 0);
        EXPECT_EQ(during.st_ino, after.st_ino) << "nothing written before the batch ends";
    }
    ASSERT_TRUE(config->ReadData());
    EXPECT_EQ(config->LastWallpaper().path, "/p/b.png");
    EXPECT_EQ(config->SlideShow().lastIndex, 0);
}
