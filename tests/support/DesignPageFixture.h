// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// A design page as the program has it: the core services made the way
// start-up makes them, settings and wallpapers kept in a private folder that
// is also the current folder, a folder of pictures remembered as the page's
// folder, and a desktop that only records what it was asked to show.
// Header-only, so the shared test library stays free of the upper layers.

#include "core/RegConfig.h"
#include "core/SlideShowManager.h"
#include "core/WallPaperManager.h"
#include "designer/DesignPage.h"
#include "support/DesignPageControls.h"
#include "support/HookGuards.h"
#include "support/RecordingDesktop.h"
#include "support/SceneSetup.h"

#include <QDir>
#include <QImage>
#include <QImageWriter>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <vector>

// Writes a picture of one colour in the format the name's extension asks
// for (.jpg/.jpeg JPEG, .bmp/.dib BMP, anything else PNG); returns the path.
inline QString WritePicture(const QString& path, QSize size, QRgb colour = 0xFF3070C0,
                            QImage::Format format = QImage::Format_RGB32)
{
    QImage image(size, format);
    image.fill(colour);
    const QString lower = path.toLower();
    const char* type = "png";
    if (lower.endsWith(QLatin1String(".jpg")) || lower.endsWith(QLatin1String(".jpeg")))
        type = "jpeg";
    else if (lower.endsWith(QLatin1String(".bmp")) || lower.endsWith(QLatin1String(".dib")))
        type = "bmp";
    QDir().mkpath(QFileInfo(path).path());
    EXPECT_TRUE(QImageWriter(path, type).write(image)) << path.toStdString();
    return path;
}

class DesignPageFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_previousFolder = QDir::currentPath();
        QDir::setCurrent(m_dir.path());
        m_pictures = m_dir.filePath(QStringLiteral("pictures"));
        QDir().mkpath(m_pictures);
        PreparePictures();

        // The start-up tip would open a modal dialog at the first paint.
        m_noStartupTip.emplace(false);
        RegConfig::StaticCreate();
        RegConfig::GetInstance()->SetFilePath(m_dir.filePath(QStringLiteral("settings.json")));
        RegConfig::GetInstance()->m_strFolder = RememberedFolder();
        SlideShowManager::StaticCreate();
        scene = CreateSceneWithoutTemplates(m_dir.filePath(QStringLiteral("no-templates")));
        WallPaperManager::StaticCreate();
        if (RecordsDesktop())
            WallPaperManager::GetInstance()->SetBackend(std::make_unique<RecordingDesktop>(&shown));

        page = std::make_unique<CDesignPage>();
        page->Create();
        page->resize(page->TemplateSize());
        page->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(page.get()));
    }

    void TearDown() override
    {
        m_promptAnswers.reset();
        page.reset();
        m_noStartupTip.reset();
        WallPaperManager::StaticDestroy();
        DestroyScene();
        SlideShowManager::StaticDestroy();
        RegConfig::StaticDestroy();
        QDir::setCurrent(m_previousFolder);
    }

    // Pictures put in the pictures folder before the page starts.
    virtual void PreparePictures() {}
    // The folder the page starts on.
    virtual QString RememberedFolder() const { return m_pictures; }
    // False: the session's own desktop shows the wallpapers.
    virtual bool RecordsDesktop() const { return true; }

    // Answers the next file prompts with path (nothing: cancelled), and
    // records the prompts asked.
    void AnswerPrompts(std::optional<QString> path)
    {
        m_promptAnswers.reset();
        m_promptAnswers = std::make_unique<FilePromptGuard>([this, path](const FilePrompt& prompt) {
            prompts.push_back(prompt);
            return path;
        });
    }

    // The desktop's part of "Set As Wallpaper" runs off the window's thread:
    // waits until it has reported back.
    static void WaitForTheDesktop() { QTRY_VERIFY_WITH_TIMEOUT(!WallPaperManager::GetInstance()->IsChanging(), 20000); }

    QString Path(const QString& relative) const { return m_dir.filePath(relative); }
    QString Pictures() const { return m_pictures; }
    QString Label(int id) const { return GetDlgItemText(page.get(), id); }

    // The page's controls, found by their ids.
    CListBox& PhotoList() const { return DesignPageControls::PhotoList(page.get()); }
    QTreeView& FolderTree() const { return DesignPageControls::FolderTree(page.get()); }
    CPhotoPreviewCtrl& Preview() const { return DesignPageControls::Preview(page.get()); }
    CPhotoImageEditCtrl& Canvas() const { return DesignPageControls::Canvas(page.get()); }

    QTemporaryDir m_dir;
    SceneGraph* scene = nullptr;
    std::unique_ptr<CDesignPage> page;
    std::vector<RecordingDesktop::Shown> shown;
    std::vector<FilePrompt> prompts;

private:
    std::optional<StartupTipGuard> m_noStartupTip;
    std::unique_ptr<FilePromptGuard> m_promptAnswers;
    QString m_previousFolder;
    QString m_pictures;
};
