// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Whole sessions of the program in the test process, the way its entry point
// runs them: start-up, something done once the main window runs, shutdown.
// Header-only, so the shared test library stays free of the upper layers.

#include "app/MainPropertySheet.h"
#include "app/WallpaperApp.h"
#include "support/DesignPageControls.h"
#include "widgets/ModalRun.h"
#include "widgets/WinApp.h"

#include <QApplication>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

// The main window while it is shown; null otherwise.
inline CMainPropertySheet* FindSheet()
{
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* sheet = qobject_cast<CMainPropertySheet*>(w); sheet && sheet->isVisible())
            return sheet;
    }
    return nullptr;
}

// What a session ends with when start-up wrongly asked for a message loop,
// and when a failed test left it running.
constexpr int kLoopAfterStartup = 77;
constexpr int kLeftRunning = 78;

// The application as it is, except that a message loop after start-up would
// wait for a quit message: one is posted, so such a fault fails the test
// instead of hanging it.
class SessionApp : public CWallpaperApp {
public:
    bool InitInstance() override
    {
        const bool loop = CWallpaperApp::InitInstance();
        if (loop)
            PostQuit(kLoopAfterStartup);
        return loop;
    }
};

// Runs a whole session: start-up, `during` once the main window runs, then
// shutdown. Returns the exit code.
inline int RunSession(const std::function<void(CMainPropertySheet*)>& during)
{
    ResetQuitState();
    // The start-up tip would open a modal dialog at the first paint.
    const StartupTipGuard noStartupTip(false);
    SessionApp app;
    QTimer::singleShot(0, [during] {
        CMainPropertySheet* sheet = FindSheet();
        ASSERT_NE(sheet, nullptr);
        during(sheet);
        // A fatal failure left `during` early, before it ended the session:
        // ended here, so the test fails instead of hanging.
        if (::testing::Test::HasFatalFailure() && IsInModalLoop(sheet) && !IsQuitPending())
            PostQuit(kLeftRunning);
    });
    const int code = RunApplication(app);
    ResetQuitState();
    return code;
}
