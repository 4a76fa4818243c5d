// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The program's own start-up, main window and shutdown, driven from inside on
// whatever display and scale the environment gives (QT_QPA_PLATFORM,
// DISPLAY, QT_SCALE_FACTOR): for end-to-end tests that need the program on a
// screen of their own, and for screenshots.
//
//   design_session wallpaper   prints the design page's background labels,
//                              presses "Set As Wallpaper" and quits
//   design_session shots DIR   saves the two pages of the main window and the
//                              Tip of the Day as PNG files in DIR
//
// The start-up Tip of the Day stays closed in both. Exit code 0 when every
// step was done.

#include "app/MainPropertySheet.h"
#include "app/WallpaperApp.h"
#include "designer/TipDlg.h"
#include "designer/TipsReader.h"
#include "res/Pictures.h"
#include "res/Resource.h"
#include "widgets/DialogBuilder.h"
#include "widgets/ModalRun.h"
#include "widgets/WinApp.h"

#include <QApplication>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <cstdio>

namespace {

CMainPropertySheet* MainWindow()
{
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* sheet = qobject_cast<CMainPropertySheet*>(w); sheet && sheet->isVisible())
            return sheet;
    }
    return nullptr;
}

void Say(const QString& line)
{
    std::printf("%s\n", qPrintable(line));
    std::fflush(stdout);
}

bool SetAsWallpaper(CMainPropertySheet* sheet)
{
    CDesignPage& page = sheet->m_designPage;
    Say(GetDlgItemText(&page, IDC_BACKGROUND_WIDTH));
    Say(GetDlgItemText(&page, IDC_BACKGROUND_HEIGHT));
    auto* button = GetDlgItemAs<QPushButton>(&page, IDC_SET_AS_WALLPAPER);
    if (!button)
        return false;
    QTest::mouseClick(button, Qt::LeftButton);
    return true;
}

bool Save(QWidget* widget, const QString& path)
{
    const bool saved = widget->grab().save(path, "PNG");
    Say(QStringLiteral("%1 %2").arg(saved ? "wrote" : "cannot write", path));
    return saved;
}

bool TakeShots(CMainPropertySheet* sheet, const QString& dir, const QString& tips)
{
    auto* tabs = sheet->findChild<QTabWidget*>();
    if (!tabs)
        return false;
    // Active, so the keyboard focus shows as a user sees it.
    sheet->activateWindow();
    if (!QTest::qWaitForWindowActive(sheet))
        Say(QStringLiteral("the window did not become active"));
    bool ok = Save(sheet, dir + "/design.png");
    tabs->setCurrentIndex(1);
    GetDlgItem(&sheet->m_slideShowPage, IDC_SLIDE_LIST)->setFocus(Qt::TabFocusReason);
    QTest::qWait(200);
    ok = Save(sheet, dir + "/wallpaper.png") && ok;
    tabs->setCurrentIndex(0);

    SetTipsFilePath(tips);
    CTipDlg tip;
    QTimer::singleShot(0, &tip, [&] {
        if (QTest::qWaitForWindowExposed(&tip))
            ok = Save(&tip, dir + "/tip.png") && ok;
        tip.EndDialog(1);
    });
    tip.DoModal();
    return ok;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication qapp(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setWindowIcon(LoadAppIcon());
    const QStringList args = QApplication::arguments();
    const QString mode = args.value(1);
    if (mode != "wallpaper" && !(mode == "shots" && args.size() == 3)) {
        std::fprintf(stderr, "usage: design_session wallpaper | shots DIR\n");
        return 2;
    }
    // No Tip of the Day at start-up: without its file it stays closed.
    const QString tips = TipsFilePath();
    SetTipsFilePath(QStringLiteral("/nonexistent/Tips.tip"));

    QTimer::singleShot(0, [&] {
        CMainPropertySheet* sheet = MainWindow();
        bool done = sheet && QTest::qWaitForWindowExposed(sheet);
        QTest::qWait(300);
        if (done)
            done = mode == "wallpaper" ? SetAsWallpaper(sheet) : TakeShots(sheet, args[2], tips);
        PostQuit(done ? 0 : 1);
    });
    CWallpaperApp theApp;
    return RunApplication(theApp);
}
