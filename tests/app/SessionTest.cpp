// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// One Quilvane per user session, from the window's side: this process runs
// the window and owns the session; the real program, started as a second
// process, must reach it (bring it to the front from the tray or from
// minimised, play a list in the slide-show page, next, stop) over the
// runtime folder's socket or a session bus, and must never reach the window
// of another user (another runtime folder, another bus).

#include "app/MainPropertySheet.h"
#include "app/WallpaperApp.h"
#include "core/SlideListFile.h"
#include "core/SlideShowManager.h"
#include "core/WallPaperManager.h"
#include "designer/DesignPage.h"
#include "res/Resource.h"
#include "session/SessionInstance.h"
#include "support/AppSession.h"
#include "support/DesignPageFixture.h"
#include "support/EnvironmentGuard.h"
#include "support/PrivateBus.h"
#include "support/QuilvaneUser.h"
#include "support/SlideShowPageControls.h"
#include "widgets/MenuTemplate.h"
#include "widgets/ModalRun.h"
#include "widgets/TrayIcon.h"

#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>

namespace {

// Runs a window session in this process, owning the session `user`'s
// folders (and bus, when given) name; `during` runs once the window is up.
void RunOwningSession(const QuilvaneUser& user, const QString& bus,
                      const std::function<void(CMainPropertySheet&)>& during)
{
    EnvironmentGuard runtime("XDG_RUNTIME_DIR", QFile::encodeName(user.RuntimeDir()));
    EnvironmentGuard busAddress("DBUS_SESSION_BUS_ADDRESS");
    if (bus.isEmpty())
        busAddress.Unset();
    else
        busAddress.Set(bus.toUtf8());
    const std::optional<bool> tray = SetSystemTrayAvailableOverride(true);
    ResetQuitState();
    const StartupTipGuard noStartupTip(false);
    SessionInstance session;
    ASSERT_EQ(session.Claim(), SessionInstance::Role::Owner);
    CWallpaperApp app;
    app.SetSession(&session, false);
    QTimer::singleShot(0, [&] {
        CMainPropertySheet* sheet = FindSheet();
        ASSERT_NE(sheet, nullptr);
        during(*sheet);
        sheet->close();
    });
    RunApplication(app);
    ResetQuitState();
    SetSystemTrayAvailableOverride(tray);
}

// Runs the program to its end while this process's window keeps answering.
QuilvaneUser::Result RunBeside(const QuilvaneUser& user, const QStringList& arguments)
{
    auto program = user.Start(arguments);
    QuilvaneUser::Result result;
    if (!QTest::qWaitFor([&] { return program->state() == QProcess::NotRunning; }, 60000)) {
        program->kill();
        program->waitForFinished();
        return result;
    }
    result.code = program->exitStatus() == QProcess::NormalExit ? program->exitCode() : -1;
    result.out = program->readAllStandardOutput();
    result.err = program->readAllStandardError();
    return result;
}

bool InFront(const CMainPropertySheet& sheet)
{
    return sheet.isVisible() && !sheet.isMinimized();
}

} // namespace

TEST(Session, ASecondStartBringsTheWindowBackFromTheTrayAndFromMinimised)
{
    for (const bool onBus : {false, true}) {
        SCOPED_TRACE(onBus ? "session bus" : "runtime folder socket");
        PrivateBus bus;
        if (onBus && bus.Address().isEmpty())
            GTEST_SKIP() << "dbus-daemon is not installed";
        QuilvaneUser user;
        if (onBus)
            user.Set("DBUS_SESSION_BUS_ADDRESS", bus.Address());
        // A second window would show and quit: exit 0 either way, so the
        // first window's state is what tells.
        user.Set("QUILVANE_QUIT_WHEN_SHOWN", "1");
        RunOwningSession(user, onBus ? bus.Address() : QString(), [&](CMainPropertySheet& sheet) {
            sheet.OnShrinkToTray(0, 0);
            ASSERT_FALSE(sheet.isVisible());
            QuilvaneUser::Result r = RunBeside(user, {});
            EXPECT_EQ(r.code, 0) << r.err.toStdString();
            EXPECT_TRUE(InFront(sheet)) << "back from the tray";

            sheet.showMinimized();
            QTest::qWait(50);
            r = RunBeside(user, {});
            EXPECT_EQ(r.code, 0) << r.err.toStdString();
            EXPECT_TRUE(QTest::qWaitFor([&] { return InFront(sheet); }, 2000)) << "back from minimised";
        });
    }
}

TEST(Session, TwoUsersNeverReachEachOther)
{
    PrivateBus busA;
    PrivateBus busB;
    for (const bool onBus : {false, true}) {
        SCOPED_TRACE(onBus ? "two session buses" : "two runtime folders");
        if (onBus && (busA.Address().isEmpty() || busB.Address().isEmpty()))
            GTEST_SKIP() << "dbus-daemon is not installed";
        QuilvaneUser ann;
        QuilvaneUser bob;
        bob.Set("QUILVANE_QUIT_WHEN_SHOWN", "1");
        if (onBus)
            bob.Set("DBUS_SESSION_BUS_ADDRESS", busB.Address());
        RunOwningSession(ann, onBus ? busA.Address() : QString(), [&](CMainPropertySheet& sheet) {
            sheet.OnShrinkToTray(0, 0);
            // Bob's start opens Bob's own window (which quits as soon as it
            // shows); Ann's stays in her tray.
            const QuilvaneUser::Result r = RunBeside(bob, {});
            EXPECT_EQ(r.code, 0) << r.err.toStdString();
            EXPECT_FALSE(sheet.isVisible());
            const QuilvaneUser::Result next = RunBeside(bob, {"--next"});
            EXPECT_TRUE(next.err.contains("no slide show is running")) << next.err.toStdString();
        });
    }
}

TEST(Session, PlayNextAndStopReachTheSlideShowPage)
{
    QTemporaryDir dir;
    const QStringList pictures{WritePicture(dir.filePath("a.png"), {8, 8}), WritePicture(dir.filePath("b.png"), {8, 8}),
                               WritePicture(dir.filePath("c.png"), {8, 8})};
    QByteArrayList entries;
    for (const QString& p : pictures)
        entries << EntryBytes(p);
    ASSERT_TRUE(WriteSlideListFile(dir.filePath("show.lsl"), entries));
    QuilvaneUser user;
    std::vector<RecordingDesktop::Shown> shown;
    RunOwningSession(user, {}, [&](CMainPropertySheet& sheet) {
        WallPaperManager::GetInstance()->SetBackend(std::make_unique<RecordingDesktop>(&shown));
        CSetWallpaperDlg& page = sheet.m_slideShowPage;
        QuilvaneUser::Result r = RunBeside(user, {"--next"});
        EXPECT_NE(r.code, 0);
        EXPECT_TRUE(r.err.contains("no slide show is running")) << r.err.toStdString();

        r = RunBeside(user, {"--play", dir.filePath("show.lsl"), "--every", "1h", "--mode", "tile"});
        EXPECT_EQ(r.code, 0) << r.err.toStdString();
        EXPECT_TRUE(page.IsPlaying());
        EXPECT_EQ(SlideShowControls::Slides(&page).GetTexts(), pictures);
        EXPECT_EQ(SlideShowControls::Frequency(&page).text(), "3600");
        EXPECT_EQ(SlideShowControls::ShowType(&page).currentIndex(), 1);
        // The page's changes run on the slide show's worker thread.
        const auto settled = [] { return !SlideShowManager::GetInstance()->IsChanging(); };
        QTRY_VERIFY_WITH_TIMEOUT(settled(), 10000);
        ASSERT_EQ(shown.size(), 1u) << "the first picture at once";
        EXPECT_EQ(shown[0].path, pictures[0]);
        EXPECT_EQ(shown[0].style, WallpaperStyle::Tile);

        r = RunBeside(user, {"--next"});
        EXPECT_EQ(r.code, 0) << r.err.toStdString();
        QTRY_VERIFY_WITH_TIMEOUT(settled(), 10000);
        ASSERT_EQ(shown.size(), 2u);
        EXPECT_EQ(shown[1].path, pictures[1]);

        r = RunBeside(user, {"--stop"});
        EXPECT_EQ(r.code, 0) << r.err.toStdString();
        EXPECT_FALSE(page.IsPlaying());
        EXPECT_EQ(SlideShowControls::PlayStop(&page).text(), "Play");
        r = RunBeside(user, {"--stop"});
        EXPECT_NE(r.code, 0);
        EXPECT_TRUE(r.err.contains("no slide show is running")) << r.err.toStdString();
    });
}

TEST(Session, RestoreAtLoginInTheFileMenuFollowsTheEntry)
{
    QuilvaneUser user;
    EnvironmentGuard config("XDG_CONFIG_HOME", QFile::encodeName(user.ConfigHome()));
    RunOwningSession(user, {}, [&](CMainPropertySheet& sheet) {
        QMenu* file = sheet.m_menuBar->actions().first()->menu();
        ASSERT_NE(file, nullptr);
        const QList<QAction*> items = file->actions();
        QAction* login = FindMenuCommand(file, ID_RESTORE_AT_LOGIN);
        ASSERT_NE(login, nullptr);
        EXPECT_EQ(login->text(), "Restore at &Login");
        ASSERT_GE(items.indexOf(login), 0);
        EXPECT_EQ(items.at(items.indexOf(login) + 1)->text(), "&Quit") << "right above Quit";
        EXPECT_TRUE(login->isCheckable());
        EXPECT_FALSE(login->isChecked());
        const QString entry = user.ConfigHome() + "/autostart/quilvane.desktop";

        login->trigger();
        EXPECT_TRUE(QFile::exists(entry));
        EXPECT_TRUE(login->isChecked());
        login->trigger();
        EXPECT_FALSE(QFile::exists(entry));
        EXPECT_FALSE(login->isChecked());

        // Changed from the command line while the window runs.
        ASSERT_EQ(RunBeside(user, {"--autostart", "on"}).code, 0);
        Q_EMIT file->aboutToShow();
        EXPECT_TRUE(login->isChecked());
    });
}
