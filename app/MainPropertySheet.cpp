// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/MainPropertySheet.h"

#include "app/TrayRect.h"
#include "platform/CallTrace.h"
#include "res/Menus.h"
#include "res/Pictures.h"
#include "res/Resource.h"
#include "session/AutostartEntry.h"
#include "widgets/AnimatedRects.h"
#include "widgets/MenuTemplate.h"
#include "widgets/ModalRun.h"
#include "widgets/TrayIcon.h"
#include "widgets/WinApp.h"

#include <QCloseEvent>
#include <QCursor>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QTabWidget>
#include <QVBoxLayout>
#include <memory>

namespace {
constexpr QRgb kTransparent = qRgb(255, 0, 255);
} // namespace

CMainPropertySheet::CMainPropertySheet(Look look, int imageStripId, int imageWidth)
    : QWidget(nullptr), m_imageStripId(imageStripId), m_imageWidth(imageWidth)
{
    (void)look; // tabs are the only look this window has
    setWindowTitle(tr("Quilvane"));
    setWindowIcon(LoadAppIcon());

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_tabs = new QTabWidget(this);
    m_tabs->setDocumentMode(false);
    layout->addWidget(m_tabs);

    AddPage(&m_designPage);
    AddPage(&m_slideShowPage);
    calltrace::Record("CMainPropertySheet::CMainPropertySheet");
}

CMainPropertySheet::~CMainPropertySheet()
{
    // The pages are members: take them out of the tabs before the members go,
    // slide-show page first, then the design page (which removes the tray
    // icon), so the tray icon is the last of the window to go.
    delete m_menuBar;
    m_menuBar = nullptr;
    m_tabs->removeTab(1);
    m_slideShowPage.setParent(nullptr);
    m_tabs->removeTab(0);
    m_designPage.setParent(nullptr);
    calltrace::Record("CMainPropertySheet::~CMainPropertySheet");
}

void CMainPropertySheet::AddPage(CPropertyPage* page)
{
    const int index = m_tabs->count();
    // Drawn at the scale each screen shows it at.
    QIcon icon;
    if (m_imageStripId != 0 && !LoadBitmapResource(m_imageStripId).isNull())
        icon = StripIcon(m_imageStripId, m_imageWidth, index, kTransparent);
    m_tabs->addTab(page, icon, page->Caption());
    if (m_imageWidth > 0)
        m_tabs->setIconSize(QSize(m_imageWidth, m_imageWidth));
}

bool CMainPropertySheet::OnInitDialog()
{
    if (m_initialised)
        return true;
    m_menuBar = new QMenuBar(this);
    BuildMenuBar(
        m_menuBar, MainMenu(), [this](int id) { OnCommand(id); }, &MainAccelerators());
    static_cast<QVBoxLayout*>(layout())->setMenuBar(m_menuBar);
    InstallAccelerators(this, MainAccelerators(), [this](int id) { OnCommand(id); });
    for (QAction* popup : m_menuBar->actions()) {
        QMenu* menu = popup->menu();
        if (!menu)
            continue;
        connect(menu, &QMenu::aboutToShow, this, &CMainPropertySheet::UpdateCommandUI);
        // "Restore at Login" is checked while the login entry is there, which
        // `quilvane --autostart` may change while the window runs.
        if (QAction* login = FindMenuCommand(menu, ID_RESTORE_AT_LOGIN)) {
            login->setCheckable(true);
            login->setChecked(AutostartEnabled());
            connect(menu, &QMenu::aboutToShow, login, [login] { login->setChecked(AutostartEnabled()); });
        }
    }
    connect(&m_designPage, &CDesignPage::designChanged, this, [this] {
        UpdateCommandUI();
        UpdateTitle();
    });

    // The first page is active from the start, so its window (and with it
    // the tray icon) exists from start-up; the others are made when first
    // selected.
    m_designPage.Create();
    connect(m_tabs, &QTabWidget::currentChanged, this, [this](int) {
        if (CPropertyPage* page = GetActivePage()) {
            page->Create();
            page->OnSetActive();
        }
        UpdateCommandUI();
    });
    m_designPage.OnSetActive();
    // The keyboard starts on the page itself, not on the window's tab bar,
    // so the page's keys (Delete for the selected photo among them) work
    // before any click into the page. Not on the folder tree: a tree without
    // a selection would select its first folder on gaining the focus, and
    // the remembered folder with it. On a window not shown yet, the page
    // gets the focus when the window is activated.
    m_designPage.setFocus(Qt::OtherFocusReason);
    adjustSize();
    UpdateCommandUI();
    m_initialised = true;
    return true;
}

bool CMainPropertySheet::IsCommandEnabled(int id) const
{
    const bool designShown = GetActivePage() == &m_designPage;
    if (id == ID_EDIT_UNDO)
        return designShown && m_designPage.CanUndo();
    if (id == ID_EDIT_REDO)
        return designShown && m_designPage.CanRedo();
    return true;
}

void CMainPropertySheet::UpdateCommandUI()
{
    UpdateMenuCommands(m_menuBar, [this](int id) { return IsCommandEnabled(id); });
}

void CMainPropertySheet::UpdateTitle()
{
    // A design never saved and never changed keeps the program's own title.
    const QString document = m_designPage.DocumentPath();
    const bool modified = m_designPage.IsModified();
    if (document.isEmpty() && !modified) {
        setWindowTitle(tr("Quilvane"));
    } else {
        const QString name = document.isEmpty() ? tr("Untitled") : QFileInfo(document).fileName();
        // "[*]" is where Qt shows the change mark.
        setWindowTitle(tr("%1[*] - Quilvane").arg(name));
    }
    setWindowModified(modified);
}

int CMainPropertySheet::DoModal()
{
    if (!m_initialised)
        OnInitDialog();
    calltrace::Record("CMainPropertySheet::DoModal");
    return RunModalLoop(this);
}

CPropertyPage* CMainPropertySheet::GetActivePage() const
{
    return qobject_cast<CPropertyPage*>(m_tabs->currentWidget());
}

bool CMainPropertySheet::OnCmdMsg(int id)
{
    switch (id) {
    case ID_TRAY_CONFIGURE:
        OnConfigure();
        return true;
    case ID_FILE_OPEN:
        // The design opened is shown.
        m_tabs->setCurrentWidget(&m_designPage);
        return m_designPage.OnCmdMsg(id);
    case ID_FILE_SAVE:
        return m_designPage.OnCmdMsg(id);
    case ID_QUIT:
        // Cancelled: the command goes no further. Otherwise the application
        // ends the program.
        return !m_designPage.SaveModified();
    default:
        return false;
    }
}

void CMainPropertySheet::OnCommand(int id)
{
    RouteCommand(id, {this, GetActivePage(), AfxGetApp()});
}

void CMainPropertySheet::SetForegroundWindow()
{
    raise();
    activateWindow();
}

LRESULT CMainPropertySheet::OnShrinkToTray(WPARAM, LPARAM)
{
    CRect rcTray;
    GetTrayWndRect(&rcTray);
    m_rcRestore = FromQRect(frameGeometry());
    m_restoreClientSize = size();

    // A window cannot shrink to nothing here, and a window manager may refuse
    // to move it: hidden is what "in the tray" means. Without a tray to bring
    // it back from, the window only minimises, so it stays reachable.
    if (IsSystemTrayAvailable())
        hide();
    else
        showMinimized();
    DrawAnimatedRects(IDANI_CAPTION, m_rcRestore, rcTray);
    return 1;
}

void CMainPropertySheet::OnConfigure()
{
    // Not in the tray (never hidden, or shown again by other means): come
    // to the front where the window is.
    if (m_rcRestore.IsRectEmpty() || (isVisible() && !isMinimized())) {
        if (isMinimized())
            showNormal();
        else
            show();
        SetForegroundWindow();
        return;
    }

    CRect rcTray;
    GetTrayWndRect(&rcTray);
    DrawAnimatedRects(IDANI_CAPTION, rcTray, m_rcRestore);
    resize(m_restoreClientSize);
    move(m_rcRestore.left, m_rcRestore.top);
    if (isMinimized())
        showNormal();
    else
        show();
    SetForegroundWindow();
}

LRESULT CMainPropertySheet::OnTrayNotify(WPARAM, LPARAM lParam)
{
    switch (static_cast<int>(lParam)) {
    case WM_LBUTTONDBLCLK:
        SetForegroundWindow();
        OnConfigure();
        break;
    case WM_RBUTTONUP: {
        const QPoint cursor = QCursor::pos();
        std::unique_ptr<QMenu> menu(LoadPopupMenu(TrayMenu(), 0));
        SetMenuDefaultItem(menu.get(), ID_TRAY_CONFIGURE);
        SetForegroundWindow();
        // Right-aligned: the menu's right edge is at the cursor.
        const QPoint topLeft(cursor.x() - menu->sizeHint().width(), cursor.y());
        // The chosen action dies with the menu: take its command first.
        const int command = ActionCommandId(menu->exec(topLeft));
        PostWndMessage(this, WM_NULL);
        menu.reset();
        if (command != 0)
            OnCommand(command);
        break;
    }
    default:
        break;
    }
    return 1;
}

bool CMainPropertySheet::event(QEvent* e)
{
    if (e->type() == WindowMessageEvent::Type()) {
        auto* msg = static_cast<WindowMessageEvent*>(e);
        switch (msg->message()) {
        case WM_HIDE_TO_TRAY:
            msg->setResult(OnShrinkToTray(msg->wParam(), msg->lParam()));
            break;
        case WM_TRAY_NOTIFY:
            msg->setResult(OnTrayNotify(msg->wParam(), msg->lParam()));
            break;
        case WM_COMMAND:
            OnCommand(static_cast<int>(msg->wParam() & 0xFFFF));
            break;
        case WM_CLOSE:
            close();
            break;
        default:
            break;
        }
        return true;
    }
    return QWidget::event(e);
}

void CMainPropertySheet::closeEvent(QCloseEvent* e)
{
    // A changed design asks first; Cancel keeps the program running.
    if (!m_designPage.SaveModified()) {
        e->ignore();
        return;
    }
    // Closing ends the modal run, whether the window is shown or in the tray.
    e->accept();
    EndModalLoop(this, IDC_CANCEL);
}
