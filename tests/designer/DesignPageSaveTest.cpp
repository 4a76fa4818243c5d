// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The design page's ways out: numbered wallpapers put on the desktop and a
// JPEG the user names.

#include "res/Resource.h"
#include "support/DesignPageFixture.h"
#include "support/FileSizeLimit.h"
#include "support/StderrCapture.h"

#include <QFile>
#include <QImageReader>
#include <QStandardPaths>

namespace {

class DesignSaveTest : public DesignPageFixture {
protected:
    void Touch(const QString& relative, const QByteArray& bytes = "x")
    {
        QDir().mkpath(QFileInfo(Path(relative)).path());
        QFile file(Path(relative));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    QSize SavedSize(const QString& relative) const
    {
        QImageReader reader(Path(relative), "jpeg");
        return reader.size();
    }
};

} // namespace

TEST_F(DesignSaveTest, TheFirstFreeNumberIsTaken)
{
    const struct {
        QStringList files;
        QStringList folders;
        const char* next;
    } cases[] = {
        {{}, {}, "wallpaper/wallpaper_1.jpg"},
        {{"wallpaper_1.jpg", "wallpaper_2.jpg"}, {}, "wallpaper/wallpaper_3.jpg"},
        {{"wallpaper_2.jpg"}, {}, "wallpaper/wallpaper_1.jpg"},
        {{}, {"wallpaper_1.jpg"}, "wallpaper/wallpaper_2.jpg"},
        {{"wallpaper_01.jpg", "Wallpaper_1.jpg", "wallpaper_1.jpeg"}, {}, "wallpaper/wallpaper_1.jpg"},
    };
    for (const auto& c : cases) {
        QDir(Path("wallpaper")).removeRecursively();
        for (const QString& name : c.files)
            Touch("wallpaper/" + name);
        for (const QString& name : c.folders)
            QDir().mkpath(Path("wallpaper/" + name));
        EXPECT_EQ(CDesignPage::NextWallpaperPath(), c.next) << c.files.join(',').toStdString();
    }
}

TEST_F(DesignSaveTest, SetAsWallpaperWritesTheNextFileAndShowsItCentred)
{
    ASSERT_FALSE(QFileInfo::exists(Path("wallpaper")));
    const QSize full(scene->GetSceneGraphWidth(), scene->GetSceneGraphHeight());
    for (int n = 1; n <= 2; ++n) {
        QTest::mouseClick(GetDlgItemAs<QPushButton>(page.get(), IDC_SET_AS_WALLPAPER), Qt::LeftButton);
        const QString name = QStringLiteral("wallpaper/wallpaper_%1.jpg").arg(n);
        EXPECT_EQ(SavedSize(name), full) << "the folder is made on first use";
        WaitForTheDesktop();
        ASSERT_EQ(shown.size(), size_t(n));
        EXPECT_EQ(shown.back().path, QFileInfo(Path(name)).absoluteFilePath());
        EXPECT_EQ(shown.back().style, WallpaperStyle::Centre);
    }
}

TEST_F(DesignSaveTest, AFailedSaveLeavesTheDesktopAlone)
{
    StderrCapture stderrText;
    {
        FileSizeLimit limit(16);
        ASSERT_TRUE(limit.active());
        QTest::mouseClick(GetDlgItemAs<QPushButton>(page.get(), IDC_SET_AS_WALLPAPER), Qt::LeftButton);
    }
    WaitForTheDesktop();
    const QString said = stderrText.Take();
    EXPECT_TRUE(said.contains(QStringLiteral("could not save the design as wallpaper/wallpaper_1.jpg: ")))
        << qPrintable(said);
    EXPECT_GT(said.section(QStringLiteral("wallpaper_1.jpg: "), 1).trimmed().size(), 3) << "and says why";
    EXPECT_FALSE(QFileInfo::exists(Path("wallpaper/wallpaper_1.jpg")));
    EXPECT_TRUE(shown.empty()) << "a file that was not written is not shown";
}

TEST_F(DesignSaveTest, SaveAsAddsTheExtensionAndReplacesAnExistingFile)
{
    const QSize full(scene->GetSceneGraphWidth(), scene->GetSceneGraphHeight());
    AnswerPrompts(Path("design"));
    page->OnCmdMsg(IDC_SAVE_AS_JPG);
    EXPECT_EQ(SavedSize("design.jpg"), full);
    ASSERT_EQ(prompts.size(), 1u);
    EXPECT_EQ(prompts[0].kind, FilePrompt::Kind::Save);
    EXPECT_EQ(prompts[0].filter, "*.jpg| *.jpg||");
    EXPECT_EQ(prompts[0].defaultExt, ".jpg");

    Touch("old.jpg", "not a picture at all");
    AnswerPrompts(Path("old.jpg"));
    page->OnCmdMsg(IDC_SAVE_AS_JPG);
    EXPECT_EQ(SavedSize("old.jpg"), full) << "replaced without a question";

    AnswerPrompts(std::nullopt);
    page->OnCmdMsg(IDC_SAVE_AS_JPG);
    EXPECT_TRUE(shown.empty()) << "saving never touches the desktop";
}

TEST_F(DesignSaveTest, SaveAsStartsInThePicturesFolderThenWhereTheLastDesignWent)
{
    AnswerPrompts(std::nullopt);
    page->OnCmdMsg(IDC_SAVE_AS_JPG);
    ASSERT_EQ(prompts.size(), 1u);
    EXPECT_EQ(prompts[0].directory, QStandardPaths::writableLocation(QStandardPaths::PicturesLocation));

    QDir().mkpath(Path("designs"));
    AnswerPrompts(Path("designs/first"));
    page->OnCmdMsg(IDC_SAVE_AS_JPG);
    ASSERT_TRUE(QFileInfo::exists(Path("designs/first.jpg")));
    AnswerPrompts(std::nullopt);
    page->OnCmdMsg(IDC_SAVE_AS_JPG);
    ASSERT_EQ(prompts.size(), 3u);
    EXPECT_EQ(QDir::cleanPath(prompts[2].directory), Path("designs"));

    // Kept with the settings for the next session.
    RegConfig* config = RegConfig::GetInstance();
    ASSERT_TRUE(config->SaveData());
    config->m_strDesignFolder.clear();
    ASSERT_TRUE(config->ReadData());
    EXPECT_EQ(QDir::cleanPath(config->m_strDesignFolder), Path("designs"));
}
