// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/CmdTarget.h"

// The one application object. It is the last stop of command routing; its
// start-up routine runs the main window and its shutdown routine gives the
// process's exit code.
class CWinApp : public CCmdTarget {
public:
    CWinApp();
    ~CWinApp() override;
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    // Returns whether a message loop should follow; a dialog-style program
    // runs its window here and returns false.
    virtual bool InitInstance() { return true; }
    // The process's exit code: the code of the quit message, 0 without one.
    virtual int ExitInstance();
};

// The application object, or null when there is none.
CWinApp* AfxGetApp();

// What the program's entry point does with its application object: start-up,
// then a message loop only if start-up asks for one, then shutdown, always,
// also when start-up returned false (a dialog-style program has run its
// window inside start-up by then). Returns shutdown's exit code.
int RunApplication(CWinApp& app);
