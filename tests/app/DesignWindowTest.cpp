// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The main window and design documents: the question before quitting
// replaces a changed design, the title, the greyed Undo and Redo, and the
// window's keys, in whole sessions of the program.

#include "core/DesignDocument.h"
#include "core/SceneGraph.h"
#include "res/Resource.h"
#include "support/AppSession.h"
#include "support/HookGuards.h"
#include "support/PatternImage.h"
#include "widgets/MenuTemplate.h"

#include <QFile>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTest>
#include <functional>

namespace {

class DesignWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        photo = m_dir.filePath("photo.png");
        ASSERT_TRUE(PatternImage(120, 80).save(photo));
    }

    // A photo added: the design has changed.
    void Change()
    {
        CRect rect(20, 20, 90, 90);
        ASSERT_TRUE(SceneGraph::GetInstance()->CreateSceneObject(photo, rect));
    }

    // Answers every question with answer, counting them.
    std::unique_ptr<MessageBoxGuard> Answer(int answer)
    {
        return std::make_unique<MessageBoxGuard>([this, answer](const QString&, const QString& text) {
            questions << text;
            return answer;
        });
    }

    static QAction* Command(CMainPropertySheet* sheet, int id)
    {
        for (QAction* popup : sheet->m_menuBar->actions()) {
            if (QAction* a = FindMenuCommand(popup->menu(), id))
                return a;
        }
        return nullptr;
    }

    QTemporaryDir m_dir;
    QString photo;
    QStringList questions;
};

} // namespace

TEST_F(DesignWindowTest, QuittingAChangedDesignAsksSaveDiscardOrCancel)
{
    const QString document = m_dir.filePath("kept.qvdesign");
    const FilePromptGuard prompts([&](const FilePrompt&) { return std::optional<QString>(document); });
    // The three ways out: "&Quit", the close box, the tray menu's "Exit".
    const std::vector<std::pair<const char*, std::function<void(CMainPropertySheet*)>>> ways{
        {"Quit", [](CMainPropertySheet* s) { Command(s, ID_QUIT)->trigger(); }},
        {"close box", [](CMainPropertySheet* s) { s->close(); }},
        {"tray Exit", [](CMainPropertySheet* s) { s->OnCommand(ID_TRAY_EXIT); }},
    };
    for (const auto& [what, quit] : ways) {
        SCOPED_TRACE(what);
        QFile::remove(document);
        questions.clear();
        // Never changed: no question.
        {
            const auto answer = Answer(IDCANCEL);
            RunSession(quit);
            EXPECT_TRUE(questions.isEmpty());
        }
        // Cancel keeps the program running; Discard then ends it unsaved.
        bool runningAfterCancel = false;
        RunSession([&, quit = quit](CMainPropertySheet* sheet) {
            Change();
            {
                const auto answer = Answer(IDCANCEL);
                quit(sheet);
                runningAfterCancel = IsInModalLoop(sheet) && !IsQuitPending();
            }
            const auto answer = Answer(IDNO);
            quit(sheet);
        });
        EXPECT_TRUE(runningAfterCancel);
        EXPECT_EQ(questions, (QStringList{"Save changes to the design?", "Save changes to the design?"}));
        EXPECT_FALSE(QFile::exists(document));
        // Save writes the design, then the program ends.
        RunSession([&, quit = quit](CMainPropertySheet* sheet) {
            Change();
            const auto answer = Answer(IDYES);
            quit(sheet);
        });
        const DesignReading saved = ReadDesignFile(document);
        ASSERT_TRUE(saved.design) << saved.error.toStdString();
        EXPECT_EQ(saved.design->photos.size(), 1u);
    }
}

TEST_F(DesignWindowTest, TitleMenusAndKeysFollowTheDesign)
{
    const QString document = m_dir.filePath("mine.qvdesign");
    // Saved under a bare name, opened by its full one.
    const FilePromptGuard prompts([&](const FilePrompt& prompt) {
        return std::optional<QString>(prompt.kind == FilePrompt::Kind::Save ? m_dir.filePath("mine") : document);
    });
    const auto answer = Answer(IDNO);
    RunSession([&](CMainPropertySheet* sheet) {
        SceneGraph* scene = SceneGraph::GetInstance();
        QAction* undo = Command(sheet, ID_EDIT_UNDO);
        QAction* redo = Command(sheet, ID_EDIT_REDO);
        ASSERT_TRUE(undo && redo);
        EXPECT_EQ(sheet->windowTitle(), "Quilvane");
        EXPECT_FALSE(undo->isEnabled());
        EXPECT_FALSE(redo->isEnabled());

        Change();
        EXPECT_EQ(sheet->windowTitle(), "Untitled[*] - Quilvane");
        EXPECT_TRUE(sheet->isWindowModified());
        EXPECT_TRUE(undo->isEnabled());
        EXPECT_FALSE(redo->isEnabled());

        sheet->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(sheet));
        QTest::keyClick(sheet, Qt::Key_S, Qt::ControlModifier);
        EXPECT_TRUE(QFile::exists(document));
        EXPECT_EQ(sheet->windowTitle(), "mine.qvdesign[*] - Quilvane");
        EXPECT_FALSE(sheet->isWindowModified());

        QTest::keyClick(sheet, Qt::Key_Z, Qt::ControlModifier);
        EXPECT_EQ(scene->GetPhotoCount(), 0);
        EXPECT_TRUE(sheet->isWindowModified());
        EXPECT_FALSE(undo->isEnabled());
        EXPECT_TRUE(redo->isEnabled());
        QTest::keyClick(sheet, Qt::Key_Y, Qt::ControlModifier);
        EXPECT_EQ(scene->GetPhotoCount(), 1);
        EXPECT_FALSE(sheet->isWindowModified());
        QTest::keyClick(sheet, Qt::Key_Z, Qt::ControlModifier);
        QTest::keyClick(sheet, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        EXPECT_EQ(scene->GetPhotoCount(), 1);

        // On the slide-show page the design's history is out of reach.
        sheet->TabWidget()->setCurrentIndex(1);
        EXPECT_FALSE(undo->isEnabled());
        QTest::keyClick(sheet, Qt::Key_Z, Qt::ControlModifier);
        EXPECT_EQ(scene->GetPhotoCount(), 1);

        // Ctrl+O from there shows the design page with the document opened.
        ASSERT_TRUE(scene->DeletePhoto(scene->GetPhoto(0)));
        QTest::keyClick(sheet, Qt::Key_O, Qt::ControlModifier);
        EXPECT_EQ(questions, QStringList{"Save changes to the design?"});
        EXPECT_EQ(sheet->GetActivePage(), &sheet->m_designPage);
        EXPECT_EQ(scene->GetPhotoCount(), 1);
        EXPECT_EQ(sheet->windowTitle(), "mine.qvdesign[*] - Quilvane");
        EXPECT_FALSE(sheet->isWindowModified());
        sheet->close();
    });
}
