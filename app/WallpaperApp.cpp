// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/WallpaperApp.h"

#include "app/MainPropertySheet.h"
#include "core/PhotoTemplateProcessor.h"
#include "core/RegConfig.h"
#include "core/SceneGraph.h"
#include "core/SlideShowManager.h"
#include "core/WallPaperManager.h"
#include "designer/AboutDlg.h"
#include "designer/TipDlg.h"
#include "res/Resource.h"
#include "session/AutostartEntry.h"
#include "widgets/MessageBox.h"
#include "widgets/ModalRun.h"

#ifdef _WIN32
#include <objbase.h>
#endif

bool CWallpaperApp::InitInstance()
{
#ifdef _WIN32
    // The shell's folder dialogs and the desktop calls use COM.
    CoInitialize(nullptr);
#endif
    RegConfig::StaticCreate();
    RegConfig::GetInstance()->ReadData();
    SlideShowManager::StaticCreate();
    PhotoTemplateProcessor::StaticCreate();
    SceneGraph::StaticCreate();
    WallPaperManager::StaticCreate();
    // A design started from a template covers the screen edge to edge.
    PhotoTemplateProcessor::GetInstance()->SetScreenSize(PhotoTemplateProcessor::PrimaryScreenSize());
    PhotoTemplateProcessor::GetInstance()->LoadAllTemplate();
    SceneGraph::GetInstance()->Init(PhotoTemplateProcessor::GetInstance());

    // Common controls, the shell and context-menu managers and the visual
    // manager have no counterpart to initialise: Qt draws every control in
    // the desktop's own style.

    CMainPropertySheet sheet(CMainPropertySheet::Look::Tabs, IDB_TAB_IMAGES, 32);
    if (m_session)
        m_session->SetHandler([this, &sheet](const SessionInstance::Request& r) { return OnSessionRequest(sheet, r); });
    if (m_resumeShow)
        ResumeShowInPage(sheet);
    sheet.DoModal();
    if (m_session) {
        // A start from now on finds the session free, or waits its turn.
        m_session->SetHandler(nullptr);
        m_session->Release();
    }
    return false;
}

int CWallpaperApp::ExitInstance()
{
    SlideShowManager::StaticDestroy();
    WallPaperManager::StaticDestroy();
    PhotoTemplateProcessor::StaticDestroy();
    SceneGraph::StaticDestroy();
    if (RegConfig* config = RegConfig::GetInstance())
        config->SaveData();
    RegConfig::StaticDestroy();
#ifdef _WIN32
    CoUninitialize();
#endif
    return CWinApp::ExitInstance();
}

bool CWallpaperApp::OnCmdMsg(int id)
{
    switch (id) {
    case ID_APP_ABOUT:
        OnAppAbout();
        return true;
    case ID_QUIT:
        OnQuit();
        return true;
    case ID_SHOW_TIP:
        OnShowTip();
        return true;
    case ID_RESTORE_AT_LOGIN:
        OnRestoreAtLogin();
        return true;
    default:
        return false;
    }
}

void CWallpaperApp::OnAppAbout()
{
    CAboutDlg dlg;
    dlg.DoModal();
}

// Opened from the menu the tip always shows, whatever the start-up setting.
void CWallpaperApp::OnShowTip()
{
    CTipDlg dlg;
    dlg.DoModal();
}

void CWallpaperApp::OnQuit()
{
    PostQuit(0);
}

void CWallpaperApp::OnRestoreAtLogin()
{
    QString error;
    if (!SetAutostart(!AutostartEnabled(), &error))
        AfxMessageBox(error);
}
