#include "designer/DesignPage.h"

#include "designer/AboutDlg.h"
#include "res/Dialogs.h"
#include "res/Pictures.h"
#include "res/Resource.h"

CDesignPage::CDesignPage(QWidget* parent) : CPropertyPage(DesignPageTemplate(), parent), m_hIcon(LoadAppIcon()) {}

CDesignPage::~CDesignPage()
{
    if (m_trayAdded)
        ShellNotifyIcon(NIM_DELETE, m_nid);
}

bool CDesignPage::OnInitDialog()
{
    setWindowIcon(m_hIcon);

    // The tray icon reports to the main window, which the page lives in.
    m_nid.cbSize = 88;
    m_nid.hWnd = window();
    m_nid.uID = IDR_MAINFRAME;
    m_nid.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    m_nid.uCallbackMessage = WM_TRAY_NOTIFY;
    m_nid.hIcon = m_hIcon;
    m_nid.szTip = QStringLiteral("Quilvaned");
    m_trayAdded = ShellNotifyIcon(NIM_ADD, m_nid);
    return true;
}

bool CDesignPage::OnCmdMsg(int id)
{
    switch (id) {
    case IDC_OK:
        OnHideToTray();
        return true;
    case ID_TRAY_ABOUT:
        OnTrayAbout();
        return true;
    case ID_TRAY_EXIT:
        OnTrayExit();
        return true;
    case ID_IGNORE_ESCAPE:
        OnIgnoreEscape();
        return true;
    default:
        return CPropertyPage::OnCmdMsg(id);
    }
}

void CDesignPage::OnCancel() { CPropertyPage::OnCancel(); }

void CDesignPage::OnHideToTray() { SendWndMessage(window(), WM_HIDE_TO_TRAY, 0, 0); }

void CDesignPage::OnTrayAbout()
{
    CAboutDlg dlg;
    dlg.DoModal();
}

void CDesignPage::OnTrayExit()
{
    SendWndMessage(this, WM_CLOSE, 0, 0);
    // "Exit" in the tray menu is the one way out while the window sits in
    // the tray; closing the page alone would leave the program running with
    // no window. So it closes the main window, which ends the program
    // through the usual shutdown, with the settings saved.
    if (window() != this)
        SendWndMessage(window(), WM_CLOSE, 0, 0);
}
