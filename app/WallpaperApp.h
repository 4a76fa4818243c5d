// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "session/SessionInstance.h"
#include "widgets/WinApp.h"

class CMainPropertySheet;

// The application: brings the core services up in a fixed order, runs the
// main window modally from its start-up routine, and takes everything down
// again (saving the settings) in its shutdown routine.
class CWallpaperApp : public CWinApp {
public:
    CWallpaperApp() = default;

    // Runs the whole session; returns false, so no message loop follows.
    bool InitInstance() override;
    // Destroys the core services, saves the settings; returns the exit code.
    int ExitInstance() override;

    bool OnCmdMsg(int id) override;

    void OnAppAbout();
    void OnShowTip();
    void OnQuit();
    void OnRestoreAtLogin();

    // The session this window owns (main claims it): later starts reach the
    // window through it. resumeShow: a windowless show handed the session
    // over, and the window plays it on from where it was.
    void SetSession(SessionInstance* session, bool resumeShow)
    {
        m_session = session;
        m_resumeShow = resumeShow;
    }

private:
    // What a later `quilvane ...` asks of the window: come to the front,
    // play a show, the next picture, stop.
    SessionInstance::Reply OnSessionRequest(CMainPropertySheet& sheet, const SessionInstance::Request& request);
    // Plays the remembered show in the slide-show page, from where it was.
    static void ResumeShowInPage(CMainPropertySheet& sheet);

    SessionInstance* m_session = nullptr;
    bool m_resumeShow = false;
};
