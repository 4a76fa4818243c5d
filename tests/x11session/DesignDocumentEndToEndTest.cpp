// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Design documents and the history as a user meets them, on the test Xvfb
// with the program's own windows and menus: a design composed, saved through
// File > Save, the program quit and started again, the design opened through
// File > Open and shown as it was; a photo dragged, Ctrl+Z, Ctrl+Y.

#include "core/SceneGraph.h"
#include "res/Resource.h"
#include "support/AppSession.h"
#include "support/DesignPageControls.h"
#include "support/HookGuards.h"
#include "support/PatternImage.h"
#include "widgets/DialogBuilder.h"
#include "widgets/MenuTemplate.h"

#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <deque>

namespace {

class DesignDocumentEndToEndTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            GTEST_SKIP() << "needs the test Xvfb (scripts/run-tests.sh starts one and puts it in "
                            "QUILVANE_TEST_DISPLAY)";
        ASSERT_TRUE(m_dir.isValid());
        ASSERT_TRUE(PatternImage(640, 360).save(Path("background.png")));
        ASSERT_TRUE(PatternImage(300, 200).save(Path("wide.png")));
        ASSERT_TRUE(PatternImage(160, 240).save(Path("tall.png")));
    }

    QString Path(const QString& name) const { return m_dir.filePath(name); }

    // Clicks the menu bar's popup, then its command, with the mouse.
    static void ChooseFromMenu(CMainPropertySheet* sheet, int popup, int command)
    {
        QMenuBar* bar = sheet->m_menuBar;
        QAction* title = bar->actions().at(popup);
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(title).center());
        QMenu* menu = title->menu();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
        QAction* item = FindMenuCommand(menu, command);
        ASSERT_NE(item, nullptr);
        ASSERT_TRUE(item->isEnabled());
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(item).center());
        QTRY_VERIFY(!menu->isVisible());
    }

    // Pictures dropped from a file manager at a canvas point.
    static void DropFiles(CDesignPage& page, const QStringList& files, QPoint canvasPoint)
    {
        QMimeData data;
        QList<QUrl> urls;
        for (const QString& file : files)
            urls << QUrl::fromLocalFile(file);
        data.setUrls(urls);
        const QPoint at = DesignPageControls::Canvas(&page).mapTo(&page, canvasPoint);
        // Qt delivers a drop where the drag entered and was taken.
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(&page, &enter);
        QDragMoveEvent move(at, Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(&page, &move);
        QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(&page, &drop);
    }

    // A left press on the canvas (forwarded by the page, as the canvas lets
    // presses through), moves and the release inside the tracker's loop.
    static void CanvasDrag(CDesignPage& page, QPoint from, QPoint to)
    {
        CPhotoImageEditCtrl* canvas = &DesignPageControls::Canvas(&page);
        QTimer::singleShot(0, canvas, [canvas, from, to] {
            QTest::mouseMove(canvas, (from + to) / 2);
            QTest::mouseMove(canvas, to);
            QTest::mouseRelease(canvas, Qt::LeftButton, {}, to);
        });
        QTest::mousePress(&page, Qt::LeftButton, {}, canvas->mapTo(&page, from));
        QCoreApplication::processEvents();
        QTest::mouseRelease(&page, Qt::LeftButton, {}, canvas->mapTo(&page, from));
    }

    static QImage Canvas(CDesignPage& page) { return DesignPageControls::Canvas(&page).grab().toImage(); }

    static void Activate(CMainPropertySheet* sheet)
    {
        sheet->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(sheet));
    }

    QTemporaryDir m_dir;
    std::deque<QString> m_files; // answers of the file prompts, in order
    const FilePromptGuard m_prompts{[this](const FilePrompt&) {
        if (m_files.empty())
            return std::optional<QString>();
        const QString next = m_files.front();
        m_files.pop_front();
        return std::optional<QString>(next);
    }};
};

} // namespace

TEST_F(DesignDocumentEndToEndTest, ADesignSavedQuitAndOpenedAgainAndAMoveUndoneAndRedone)
{
    QImage composed;
    RunSession([&](CMainPropertySheet* sheet) {
        CDesignPage& page = sheet->m_designPage;
        Activate(sheet);
        m_files = {Path("background.png")};
        QTest::mouseClick(GetDlgItemAs<QPushButton>(&page, IDC_CHANGE_BACKGROUND), Qt::LeftButton);
        DropFiles(page, {Path("wide.png"), Path("tall.png")}, {40, 60});
        ASSERT_EQ(SceneGraph::GetInstance()->GetPhotoCount(), 2);
        // The second photo selected with a click, then turned grey from the
        // Edit Photos menu.
        const QPoint tall = SceneGraph::GetInstance()
                                ->GetPhotoDrawRect(SceneGraph::GetInstance()->GetPhoto(1))
                                .CenterPoint()
                                .ToQPoint();
        CanvasDrag(page, tall, tall);
        ChooseFromMenu(sheet, 1, ID_GRAY_SCALE);
        ASSERT_EQ(SceneGraph::GetInstance()->GetPhoto(1)->GetEdits(), std::vector<PhotoEdit>{PhotoEdit::GrayScale});
        EXPECT_TRUE(sheet->isWindowModified());

        m_files = {Path("design")};
        ChooseFromMenu(sheet, 0, ID_FILE_SAVE);
        EXPECT_EQ(page.DocumentPath(), Path("design.qvdesign"));
        EXPECT_EQ(sheet->windowTitle(), "design.qvdesign[*] - Quilvane");
        EXPECT_FALSE(sheet->isWindowModified());
        // A click beside the photos leaves none marked by the tracker.
        const QPoint empty(DesignPageControls::Canvas(&page).width() - 10,
                           DesignPageControls::Canvas(&page).height() - 10);
        CanvasDrag(page, empty, empty);
        ASSERT_EQ(SceneGraph::GetInstance()->GetSelectedSceneObj(), nullptr);
        composed = Canvas(page);
        ChooseFromMenu(sheet, 0, ID_QUIT);
    });
    ASSERT_FALSE(composed.isNull());

    QStringList questions;
    const MessageBoxGuard boxes([&](const QString&, const QString& text) {
        questions << text;
        return IDNO;
    });
    RunSession([&](CMainPropertySheet* sheet) {
        CDesignPage& page = sheet->m_designPage;
        Activate(sheet);
        EXPECT_NE(Canvas(page), composed) << "a new session starts on a new design";
        m_files = {Path("design.qvdesign")};
        ChooseFromMenu(sheet, 0, ID_FILE_OPEN);
        const QImage opened = Canvas(page);
        EXPECT_EQ(opened, composed);

        // The first photo dragged by a corner the other does not cover, then
        // the move taken back and made again with the keys.
        SceneGraph* scene = SceneGraph::GetInstance();
        const QPoint wide = scene->GetPhotoDrawRect(scene->GetPhoto(0)).TopLeft().ToQPoint() + QPoint(8, 8);
        CanvasDrag(page, wide, wide);
        ASSERT_EQ(scene->GetSelectedSceneObj(), scene->GetPhoto(0));
        const QImage before = Canvas(page);
        CanvasDrag(page, wide, wide + QPoint(70, 40));
        const QImage moved = Canvas(page);
        EXPECT_NE(moved, before);
        EXPECT_TRUE(sheet->isWindowModified());

        Activate(sheet);
        QTest::keyClick(sheet, Qt::Key_Z, Qt::ControlModifier);
        EXPECT_EQ(Canvas(page), before);
        EXPECT_FALSE(sheet->isWindowModified());
        QTest::keyClick(sheet, Qt::Key_Y, Qt::ControlModifier);
        EXPECT_EQ(Canvas(page), moved);
        ChooseFromMenu(sheet, 0, ID_QUIT);
    });
    EXPECT_EQ(questions, QStringList{"Save changes to the design?"}) << "asked once, before quitting";
}
