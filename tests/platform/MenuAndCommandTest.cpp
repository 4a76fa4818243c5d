// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/CmdTarget.h"
#include "res/Menus.h"
#include "res/Resource.h"
#include "widgets/MenuTemplate.h"

#include <QAction>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <gtest/gtest.h>
#include <memory>

namespace {

// Menu texts and ids in order, separators as "-", sub-menus as "popup:".
std::vector<std::pair<QString, int>> Flatten(const QMenu* menu)
{
    std::vector<std::pair<QString, int>> out;
    for (QAction* a : menu->actions())
        out.emplace_back(a->isSeparator() ? QStringLiteral("-") : a->text(), ActionCommandId(a));
    return out;
}

struct Recorder : CCmdTarget {
    explicit Recorder(int handles) : m_handles(handles) {}
    bool OnCmdMsg(int id) override
    {
        if (id != m_handles)
            return false;
        ++calls;
        return true;
    }
    int m_handles;
    int calls = 0;
};

} // namespace

TEST(Menus, MainMenuBarTextsAndIdsInOrder)
{
    std::vector<int> fired;
    QMenuBar bar;
    BuildMenuBar(
        &bar, MainMenu(), [&](int id) { fired.push_back(id); }, &MainAccelerators());
    const QList<QAction*> popups = bar.actions();
    ASSERT_EQ(popups.size(), 3);
    EXPECT_EQ(popups[0]->text(), "&File");
    EXPECT_EQ(popups[1]->text(), "&Edit Photos");
    EXPECT_EQ(popups[2]->text(), "&Help");

    using V = std::vector<std::pair<QString, int>>;
    EXPECT_EQ(Flatten(popups[0]->menu()),
              (V{{"&Open", 32789}, {"&Save", 32790}, {"-", 0}, {"Restore at &Login", 32840}, {"&Quit", 32797}}));
    EXPECT_EQ(Flatten(popups[1]->menu()), (V{{"&Undo", ID_EDIT_UNDO},
                                             {"&Redo", ID_EDIT_REDO},
                                             {"-", 0},
                                             {"&Mirror", 32795},
                                             {"&Flip", 32796},
                                             {"&Negative", 32799},
                                             {"-", 0},
                                             {"Rotate &Left", 32800},
                                             {"Rotate &Right", 32801},
                                             {"-", 0},
                                             {"Gray Scale", 32798}}));
    EXPECT_EQ(Flatten(popups[2]->menu()), (V{{"&Tip of day", 32793}, {"-", 0}, {"&About", 32791}}));

    // Every item is enabled and hands its own id to the router.
    FindMenuCommand(popups[1]->menu(), ID_ROTATE_LEFT)->trigger();
    FindMenuCommand(popups[0]->menu(), ID_FILE_OPEN)->trigger();
    EXPECT_TRUE(FindMenuCommand(popups[0]->menu(), ID_FILE_SAVE)->isEnabled());
    EXPECT_EQ(fired, (std::vector<int>{32800, 32789}));

    // The main window's keys show beside their commands.
    EXPECT_EQ(FindMenuCommand(popups[0]->menu(), ID_FILE_OPEN)->shortcut(), QKeySequence("Ctrl+O"));
    EXPECT_EQ(FindMenuCommand(popups[0]->menu(), ID_FILE_SAVE)->shortcut(), QKeySequence("Ctrl+S"));
    EXPECT_EQ(FindMenuCommand(popups[1]->menu(), ID_EDIT_UNDO)->shortcut(), QKeySequence("Ctrl+Z"));
    EXPECT_EQ(FindMenuCommand(popups[1]->menu(), ID_EDIT_REDO)->shortcuts(),
              (QList<QKeySequence>{QKeySequence("Ctrl+Shift+Z"), QKeySequence("Ctrl+Y")}));
    EXPECT_TRUE(FindMenuCommand(popups[1]->menu(), ID_MIRROR)->shortcut().isEmpty());

    // Commands are greyed and enabled as asked.
    UpdateMenuCommands(&bar, [](int id) { return id != ID_EDIT_REDO; });
    EXPECT_FALSE(FindMenuCommand(popups[1]->menu(), ID_EDIT_REDO)->isEnabled());
    EXPECT_TRUE(FindMenuCommand(popups[1]->menu(), ID_EDIT_UNDO)->isEnabled());
}

TEST(Menus, ContextAndTrayPopups)
{
    using V = std::vector<std::pair<QString, int>>;
    std::unique_ptr<QMenu> tray(LoadPopupMenu(TrayMenu()));
    ASSERT_TRUE(tray);
    EXPECT_EQ(tray->title(), "Context Menu");
    EXPECT_EQ(Flatten(tray.get()),
              (V{{"&Configure Tessorel", 32774}, {"&About Tessorel", 32775}, {"-", 0}, {"E&xit Tessorel", 32777}}));
    SetMenuDefaultItem(tray.get(), ID_TRAY_CONFIGURE);
    ASSERT_NE(tray->defaultAction(), nullptr);
    EXPECT_EQ(ActionCommandId(tray->defaultAction()), 32774);

    std::unique_ptr<QMenu> photo(LoadPopupMenu(PhotoMenu()));
    EXPECT_EQ(photo->title(), "Click Photo");
    EXPECT_EQ(Flatten(photo.get()),
              (V{{"&Change Photo Image", 32782}, {"&Delete Photo", 32781}, {"&Restore Actual ZoomRatio", 32784}}));
    std::unique_ptr<QMenu> back(LoadPopupMenu(BackgroundMenu()));
    EXPECT_EQ(back->title(), "Click BackGround");
    EXPECT_EQ(Flatten(back.get()), (V{{"&Change Background", 32778}, {"&Add Photo", 32779}}));
    EXPECT_EQ(LoadPopupMenu(BackgroundMenu(), 1), nullptr);
}

TEST(Menus, AcceleratorsTranslateOnlyUnmodifiedPresses)
{
    const AcceleratorTable& t = DesignAccelerators();
    const QKeyEvent del(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier);
    const QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    const QKeyEvent shiftDel(QEvent::KeyPress, Qt::Key_Delete, Qt::ShiftModifier);
    const QKeyEvent delUp(QEvent::KeyRelease, Qt::Key_Delete, Qt::NoModifier);
    const QKeyEvent other(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier);
    EXPECT_EQ(TranslateAccelerator(t, &del), ID_DELETE_KEY);
    EXPECT_EQ(TranslateAccelerator(t, &esc), ID_IGNORE_ESCAPE);
    EXPECT_EQ(TranslateAccelerator(t, &shiftDel), 0);
    EXPECT_EQ(TranslateAccelerator(t, &delUp), 0);
    EXPECT_EQ(TranslateAccelerator(t, &other), 0);
}

TEST(Commands, RoutingStopsAtTheFirstTargetThatHandles)
{
    Recorder window(1), page(2), app(2);
    EXPECT_TRUE(RouteCommand(2, {&window, &page, &app}));
    EXPECT_EQ(page.calls, 1);
    EXPECT_EQ(app.calls, 0);
    EXPECT_TRUE(RouteCommand(2, {&window, nullptr, &app}));
    EXPECT_EQ(app.calls, 1);
    EXPECT_FALSE(RouteCommand(3, {&window, &page, &app}));
}
