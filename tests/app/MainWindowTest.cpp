// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/MainPropertySheet.h"
#include "res/Resource.h"
#include "support/DesignPageControls.h"
#include "support/HookGuards.h"
#include "widgets/DialogBuilder.h"
#include "widgets/MenuTemplate.h"
#include "widgets/ModalRun.h"
#include "widgets/TrayIcon.h"

#include <QApplication>
#include <QCursor>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>

namespace {

struct SheetFixture : ::testing::Test {
    void SetUp() override
    {
        sheet = std::make_unique<CMainPropertySheet>(CMainPropertySheet::Look::Tabs, IDB_TAB_IMAGES, 32);
        sheet->OnInitDialog();
        sheet->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(sheet.get()));
    }
    void TearDown() override { sheet.reset(); }

    LRESULT Tray(int mouseMessage) { return SendWndMessage(sheet.get(), WM_TRAY_NOTIFY, 128, mouseMessage); }

    // A tray for the whole test, set before the sheet exists and restored
    // after it is gone (members go in reverse order).
    const SystemTrayGuard tray{true};
    // The start-up tip would open a modal dialog at the first paint.
    const StartupTipGuard noStartupTip{false};
    std::unique_ptr<CMainPropertySheet> sheet;
};

} // namespace

TEST_F(SheetFixture, TabsMenuAndNoSheetButtons)
{
    EXPECT_EQ(sheet->windowTitle(), "Quilvane");
    QTabWidget* tabs = sheet->TabWidget();
    ASSERT_EQ(tabs->count(), 2);
    EXPECT_EQ(tabs->tabText(0), "Design");
    EXPECT_EQ(tabs->tabText(1), "Wallpaper");
    EXPECT_EQ(tabs->widget(0), &sheet->m_designPage);
    EXPECT_EQ(tabs->widget(1), &sheet->m_slideShowPage);

    // The first two images of the strip, with the magenta made transparent.
    for (int i = 0; i < 2; ++i) {
        const QImage image = tabs->tabIcon(i).pixmap(32, 32).toImage().convertToFormat(QImage::Format_ARGB32);
        ASSERT_EQ(image.size(), QSize(32, 32));
        EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0) << "corner should be transparent";
        int opaque = 0;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x) {
                const QRgb p = image.pixel(x, y);
                EXPECT_FALSE(qAlpha(p) == 255 && qRed(p) == 255 && qGreen(p) == 0 && qBlue(p) == 255);
                opaque += qAlpha(p) == 255;
            }
        EXPECT_GT(opaque, 100);
    }
    EXPECT_NE(tabs->tabIcon(0).pixmap(32, 32).toImage(), tabs->tabIcon(1).pixmap(32, 32).toImage());

    QStringList titles;
    for (QAction* a : sheet->m_menuBar->actions())
        titles << a->text();
    EXPECT_EQ(titles, (QStringList{"&File", "&Edit Photos", "&Help"}));

    // No Apply, OK, Cancel or Help row of the sheet's own: every button
    // belongs to a page.
    for (QPushButton* b : sheet->findChildren<QPushButton*>()) {
        const bool onPage = sheet->m_designPage.isAncestorOf(b) || sheet->m_slideShowPage.isAncestorOf(b);
        EXPECT_TRUE(onPage) << b->text().toStdString();
    }

    // The slide-show page's window is made when its tab is first chosen.
    EXPECT_TRUE(sheet->m_designPage.IsCreated());
    EXPECT_FALSE(sheet->m_slideShowPage.IsCreated());
    tabs->setCurrentIndex(1);
    EXPECT_TRUE(sheet->m_slideShowPage.IsCreated());
    EXPECT_EQ(sheet->GetActivePage(), &sheet->m_slideShowPage);
}

TEST_F(SheetFixture, TrayIconLivesWithTheDesignPage)
{
    QSystemTrayIcon* icon = FindTrayIcon(sheet.get(), 128);
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(icon->toolTip(), "Quilvaned");
    EXPECT_FALSE(icon->icon().isNull());
    // Its activations reach the main window as the tray message: a double
    // click brings the hidden window back.
    SendWndMessage(sheet.get(), WM_HIDE_TO_TRAY);
    ASSERT_FALSE(sheet->isVisible());
    {
        const TrayDoubleClicksGuard reports(true);
        Q_EMIT icon->activated(QSystemTrayIcon::DoubleClick);
    }
    EXPECT_TRUE(sheet->isVisible());
    QWidget* window = sheet.get();
    sheet.reset();
    EXPECT_EQ(FindTrayIcon(window, 128), nullptr);
}

TEST_F(SheetFixture, OkHidesIntoTheTrayAndDoubleClickRestoresTheGeometry)
{
    sheet->setGeometry(137, 91, 900, 640);
    QTest::qWait(0);
    const QRect frame = sheet->frameGeometry();
    const QRect client = sheet->geometry();

    auto* ok = GetDlgItemAs<QPushButton>(&sheet->m_designPage, IDC_OK);
    ASSERT_NE(ok, nullptr);
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_FALSE(sheet->isVisible());
    EXPECT_EQ(sheet->m_rcRestore, FromQRect(frame));

    // Single clicks, presses and moves do nothing; every code answers 1.
    for (int code : {0x200, 0x201, 0x202, 0x204, 0x208})
        EXPECT_EQ(Tray(code), 1);
    EXPECT_FALSE(sheet->isVisible());

    EXPECT_EQ(Tray(0x203), 1);
    EXPECT_TRUE(sheet->isVisible());
    EXPECT_EQ(sheet->geometry(), client);
    EXPECT_EQ(sheet->frameGeometry(), frame);

    // A second round trip keeps it too.
    SendWndMessage(sheet.get(), WM_HIDE_TO_TRAY);
    EXPECT_FALSE(sheet->isVisible());
    sheet->OnCommand(ID_TRAY_CONFIGURE);
    EXPECT_TRUE(sheet->isVisible());
    EXPECT_EQ(sheet->geometry(), client);
}

TEST_F(SheetFixture, WhereTheTrayHasNoDoubleClickOneActivationRestores)
{
    QSystemTrayIcon* icon = FindTrayIcon(sheet.get(), 128);
    ASSERT_NE(icon, nullptr);
    SendWndMessage(sheet.get(), WM_HIDE_TO_TRAY);
    ASSERT_FALSE(sheet->isVisible());
    {
        // A tray that reports double clicks: a single click stays a click.
        const TrayDoubleClicksGuard reports(true);
        Q_EMIT icon->activated(QSystemTrayIcon::Trigger);
        EXPECT_FALSE(sheet->isVisible());
    }
    // StatusNotifierItem trays (KDE Plasma, GNOME's AppIndicator) send one
    // activation, never a double click: that restores the window.
    const TrayDoubleClicksGuard noDoubleClicks(false);
    Q_EMIT icon->activated(QSystemTrayIcon::Trigger);
    EXPECT_TRUE(sheet->isVisible());
}

TEST_F(SheetFixture, WithoutATrayOkMinimisesInstead)
{
    const SystemTrayGuard noTray(false);
    EXPECT_EQ(SendWndMessage(sheet.get(), WM_HIDE_TO_TRAY), 1);
    EXPECT_TRUE(sheet->isVisible());
    EXPECT_TRUE(sheet->isMinimized());
    Tray(0x203);
    EXPECT_FALSE(sheet->isMinimized());
}

TEST_F(SheetFixture, RestoreBeforeAnyHideLeavesTheWindowWhereItIs)
{
    sheet->setGeometry(200, 150, 880, 620);
    QTest::qWait(0);
    const QRect before = sheet->geometry();
    EXPECT_TRUE(sheet->m_rcRestore.IsRectEmpty());
    Tray(0x203);
    EXPECT_TRUE(sheet->isVisible());
    EXPECT_EQ(sheet->geometry(), before);
}

TEST_F(SheetFixture, RightClickShowsTheTrayMenuRightAlignedAtTheCursor)
{
    const QPoint cursor(700, 420);
    QCursor::setPos(cursor);
    if (QCursor::pos() != cursor)
        GTEST_SKIP() << "this platform cannot place the cursor";

    SendWndMessage(sheet.get(), WM_HIDE_TO_TRAY);
    ASSERT_FALSE(sheet->isVisible());

    // First opening: look at it, then dismiss it; nothing happens.
    bool checked = false;
    QTimer::singleShot(0, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        EXPECT_EQ(menu->geometry().x() + menu->width(), cursor.x());
        EXPECT_EQ(menu->geometry().y(), cursor.y());
        ASSERT_NE(menu->defaultAction(), nullptr);
        EXPECT_EQ(ActionCommandId(menu->defaultAction()), ID_TRAY_CONFIGURE);
        EXPECT_EQ(menu->defaultAction()->text(), "&Configure Tessorel");
        checked = true;
        QTest::keyClick(menu, Qt::Key_Escape);
    });
    EXPECT_EQ(Tray(0x205), 1);
    EXPECT_TRUE(checked);
    EXPECT_FALSE(sheet->isVisible());

    // Second opening: choose "Configure", which restores the window.
    QTimer::singleShot(0, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        menu->setActiveAction(FindMenuCommand(menu, ID_TRAY_CONFIGURE));
        QTest::keyClick(menu, Qt::Key_Return);
    });
    Tray(0x205);
    EXPECT_TRUE(sheet->isVisible());
}

TEST_F(SheetFixture, AboutFromTheTrayMenuOpensTheAboutBox)
{
    QString title;
    QTimer::singleShot(0, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        menu->setActiveAction(FindMenuCommand(menu, ID_TRAY_ABOUT));
        QTimer::singleShot(0, [&] {
            QWidget* box = QApplication::activeModalWidget();
            ASSERT_NE(box, nullptr);
            title = box->windowTitle();
            QStringList texts;
            QTest::mouseClick(GetDlgItemAs<QPushButton>(box, IDC_OK), Qt::LeftButton);
        });
        QTest::keyClick(menu, Qt::Key_Return);
    });
    Tray(0x205);
    EXPECT_EQ(title, "About Quilvane V1");
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(SheetFixture, EveryControlOfBothPagesShowsOnItsTab)
{
    QTabWidget* tabs = sheet->TabWidget();
    const auto expectShown = [&](CPropertyPage* page, const char* when) {
        ASSERT_EQ(tabs->currentWidget(), page);
        const QList<QWidget*> controls = DialogControls(page);
        ASSERT_EQ(controls.size(), qsizetype(page->Template().controls.size())) << when;
        for (qsizetype i = 0; i < controls.size(); ++i) {
            const DialogControl& c = page->Template().controls[i];
            if (!(c.style & ws::Visible))
                continue;
            QWidget* w = controls[i];
            EXPECT_TRUE(w->isVisible()) << when << ": control " << c.id << " \"" << c.text << "\" is hidden";
            EXPECT_FALSE(w->geometry().isEmpty()) << when << ": control " << c.id;
            EXPECT_TRUE(page->rect().contains(w->geometry())) << when << ": control " << c.id << " lies off the page";
        }
    };
    expectShown(&sheet->m_designPage, "design page at start-up");
    tabs->setCurrentIndex(1);
    expectShown(&sheet->m_slideShowPage, "wallpaper page first selected");
    tabs->setCurrentIndex(0);
    expectShown(&sheet->m_designPage, "back to the design page");
    tabs->setCurrentIndex(1);
    expectShown(&sheet->m_slideShowPage, "wallpaper page again");
    EXPECT_FALSE(sheet->m_designPage.isVisible());
}

TEST_F(SheetFixture, KeysReachTheDesignPageAtStart)
{
    // The window opens with the keyboard on the design page, so its keys
    // (Delete among them) work before any click.
    sheet->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(sheet.get()));
    QWidget* focus = QApplication::focusWidget();
    ASSERT_NE(focus, nullptr);
    EXPECT_TRUE(focus == &sheet->m_designPage || sheet->m_designPage.isAncestorOf(focus))
        << focus->metaObject()->className();
}
