// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "widgets/WinApp.h"

#include "platform/CallTrace.h"
#include "widgets/ModalRun.h"

namespace {
CWinApp* g_app = nullptr;
}

CWinApp::CWinApp()
{
    if (!g_app)
        g_app = this;
}

CWinApp::~CWinApp()
{
    if (g_app == this)
        g_app = nullptr;
}

int CWinApp::ExitInstance()
{
    return IsQuitPending() ? QuitExitCode() : 0;
}

CWinApp* AfxGetApp()
{
    return g_app;
}

int RunApplication(CWinApp& app)
{
    const bool loop = app.InitInstance();
    calltrace::Record(loop ? "RunApplication: message loop" : "RunApplication: no message loop");
    if (loop)
        RunMessageLoop();
    return app.ExitInstance();
}
