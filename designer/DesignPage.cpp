#include "designer/DesignPage.h"

#include "designer/AboutDlg.h"
#include "designer/TipDlg.h"
#include "res/Dialogs.h"
#include "res/Pictures.h"
#include "res/Resource.h"

#include <QTimer>

bool g_bTipPending = true;

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

void CDesignPage::paintEvent(QPaintEvent* event)
{
    CPropertyPage::paintEvent(event);
    if (!g_bTipPending)
        return;
    g_bTipPending = false;
    // A modal run inside paintEvent would nest an event loop in the middle
    // of painting the page, which Qt does not allow; the tip opens as soon
    // as this paint (and the rest of the window's) is finished instead.
    QTimer::singleShot(0, this, &CDesignPage::OnStartupTip);
}

void CDesignPage::OnStartupTip()
{
    // Constructed even when it stays closed: reading the tip moves the
    // remembered position on, as every opening does. Without a tips file the
    // start-up stays silent; only an opening the user asked for beeps.
    CTipDlg dlg;
    if (dlg.m_bShowAtStartup && dlg.m_pTipsFile)
        dlg.DoModal();
}

bool CDesignPage::OnCmdMsg(int id)
{
    static constexpr CommandEntry<CDesignPage> commands[] = {
        {IDC_OK, &CDesignPage::OnHideToTray},
        {ID_TRAY_ABOUT, &CDesignPage::OnTrayAbout},
        {ID_TRAY_EXIT, &CDesignPage::OnTrayExit},
        {ID_IGNORE_ESCAPE, &CDesignPage::OnIgnoreEscape},
    };
    return DispatchCommand<CDesignPage>(this, id, commands) || CPropertyPage::OnCmdMsg(id);
}

void CDesignPage::OnCancel()
{
    CPropertyPage::OnCancel();
}

void CDesignPage::OnHideToTray()
{
    SendWndMessage(window(), WM_HIDE_TO_TRAY, 0, 0);
}

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
