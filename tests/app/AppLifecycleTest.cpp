// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/MainPropertySheet.h"
#include "app/WallpaperApp.h"
#include "core/PhotoTemplateProcessor.h"
#include "core/RegConfig.h"
#include "core/SceneGraph.h"
#include "core/SlideShowManager.h"
#include "core/WallPaperManager.h"
#include "designer/DesignPage.h"
#include "designer/TipsReader.h"
#include "platform/CallTrace.h"
#include "res/Resource.h"
#include "support/AppSession.h"
#include "support/DesignPageControls.h"
#include "support/HookGuards.h"
#include "support/TipsPathGuard.h"
#include "widgets/MenuTemplate.h"
#include "widgets/MessageBox.h"
#include "widgets/ModalRun.h"
#include "widgets/WinApp.h"

#include <QApplication>
#include <QFile>
#include <QMenuBar>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace {

// How many of the five core services exist now.
int ServicesUp()
{
    return (RegConfig::GetInstance() != nullptr) + (SlideShowManager::GetInstance() != nullptr) +
           (PhotoTemplateProcessor::GetInstance() != nullptr) + (SceneGraph::GetInstance() != nullptr) +
           (WallPaperManager::GetInstance() != nullptr);
}

QByteArray SettingsFile()
{
    QFile f(RegConfig::DefaultFilePath());
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

TEST(AppLifecycle, StartupAndShutdownCallTheServicesInOrder)
{
    calltrace::Start();
    int servicesWhileRunning = 0;
    const int code = RunSession([&](CMainPropertySheet* sheet) {
        servicesWhileRunning = ServicesUp();
        sheet->close();
    });
    const std::vector<std::string> calls = calltrace::Stop();
    // The sheet's entries come from the sheet itself, the loop decision from
    // the entry point's own routine.
    const std::vector<std::string> expected{
        "RegConfig::StaticCreate",
        "RegConfig::ReadData",
        "SlideShowManager::StaticCreate",
        "PhotoTemplateProcessor::StaticCreate",
        "SceneGraph::StaticCreate",
        "WallPaperManager::StaticCreate",
        "PhotoTemplateProcessor::LoadAllTemplate",
        "SceneGraph::Init",
        "CMainPropertySheet::CMainPropertySheet",
        "CMainPropertySheet::DoModal",
        "CMainPropertySheet::~CMainPropertySheet",
        "RunApplication: no message loop",
        "SlideShowManager::StaticDestroy",
        "WallPaperManager::StaticDestroy",
        "PhotoTemplateProcessor::StaticDestroy",
        "SceneGraph::StaticDestroy",
        "RegConfig::SaveData",
        "RegConfig::StaticDestroy",
    };
    EXPECT_EQ(calls, expected);
    EXPECT_EQ(code, 0);
    EXPECT_EQ(servicesWhileRunning, 5);
    EXPECT_EQ(ServicesUp(), 0);
}

TEST(AppLifecycle, ClosingAndQuitBothSaveTheSettings)
{
    // Closing the window.
    RunSession([](CMainPropertySheet* sheet) {
        RegConfig::GetInstance()->m_strFolder = QStringLiteral("/closed/by/the/box/");
        sheet->close();
    });
    EXPECT_TRUE(SettingsFile().contains("/closed/by/the/box/"));

    // "&Quit" in the File menu, while the window is hidden in the tray.
    const int code = RunSession([](CMainPropertySheet* sheet) {
        EXPECT_EQ(RegConfig::GetInstance()->m_strFolder, QStringLiteral("/closed/by/the/box/"));
        RegConfig::GetInstance()->m_strFolder = QStringLiteral("/quit/from/the/menu/");
        sheet->hide();
        QAction* quit = nullptr;
        for (QAction* popup : sheet->m_menuBar->actions()) {
            if (!quit)
                quit = FindMenuCommand(popup->menu(), ID_QUIT);
        }
        ASSERT_NE(quit, nullptr);
        quit->trigger();
    });
    EXPECT_EQ(code, 0);
    EXPECT_TRUE(SettingsFile().contains("/quit/from/the/menu/"));
}

TEST(AppLifecycle, ExitCodeIsTheQuitMessagesCode)
{
    const int code = RunSession([](CMainPropertySheet*) { PostQuit(3); });
    EXPECT_EQ(code, 3);
}

TEST(AppLifecycle, TrayExitEndsTheProgramThroughShutdown)
{
    RunSession([](CMainPropertySheet* sheet) {
        RegConfig::GetInstance()->m_strFolder = QStringLiteral("/left/through/the/tray/");
        sheet->OnCommand(ID_TRAY_EXIT);
    });
    EXPECT_TRUE(SettingsFile().contains("/left/through/the/tray/")) << "the settings are saved";
    EXPECT_EQ(ServicesUp(), 0) << "every service is gone";
}

TEST(AppLifecycle, TipOfDayWithoutATipsFileOnlyBeeps)
{
    TipsPathGuard tips(QStringLiteral("/nonexistent/Tips.tip"));
    int beeps = 0;
    BeepGuard beep([&] { ++beeps; });
    CWallpaperApp app;
    EXPECT_TRUE(app.OnCmdMsg(ID_SHOW_TIP));
    EXPECT_EQ(beeps, 1);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}
