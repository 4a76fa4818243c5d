#pragma once

#include "widgets/WinApp.h"

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
};
