// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The design page's life cycle and the routing of its input: commands,
// accelerators, the drag manager's messages, and the mouse presses that reach
// the page through the canvas; and the helpers every part of the page shares.

#include "designer/DesignPage.h"

#include "core/RegConfig.h"
#include "core/SceneGraph.h"
#include "designer/AboutDlg.h"
#include "designer/TipDlg.h"
#include "res/Dialogs.h"
#include "res/Menus.h"
#include "res/Pictures.h"
#include "res/Resource.h"
#include "widgets/FocusFrame.h"
#include "widgets/MenuTemplate.h"

#include <QApplication>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStandardPaths>
#include <QTimer>
#include <utility>

namespace {
// The controls the drag manager watches: the list and the preview as
// sources, the canvas as the target.
constexpr DRAGDROPWND kDragDropControls[] = {
    {IDC_PHOTO_LIST, DDW_SOURCE},
    {IDC_PHOTO_PREVIEW, DDW_SOURCE},
    {IDC_DESIGN_CANVAS, DDW_TARGET},
    {0, 0},
};
} // namespace

CDesignPage::CDesignPage(QWidget* parent) : CPropertyPage(DesignPageTemplate(), parent), m_hIcon(LoadAppIcon()) {}

CDesignPage::~CDesignPage()
{
    // The controls outlive the drag manager by a little (members go in
    // reverse order, the page's children last): their events no longer
    // come here.
    removeEventFilter(this);
    for (QWidget* child : findChildren<QWidget*>())
        child->removeEventFilter(this);
    if (m_trayAdded)
        ShellNotifyIcon(NIM_DELETE, m_nid);
    if (SceneGraph* scene = SceneGraph::GetInstance())
        scene->SetHistoryListener({});
}

ControlBindings CDesignPage::Bindings()
{
    return {
        {IDC_FOLDER_TREE, &m_treeFolders},
        {IDC_PHOTO_PREVIEW, &m_preview},
        {IDC_DESIGN_CANVAS, &m_canvas},
        {IDC_PHOTO_LIST, &m_listPhotos},
        {IDC_CHANGE_BACKGROUND, &m_btnChangeBackground},
        {IDC_PHOTO_WIDTH, &m_staticWidth},
    };
}

bool CDesignPage::OnInitDialog()
{
    // A page has no system menu here, so the About entry that would go there
    // has none to go into; About stays in the Help menu and the tray menu.
    setWindowIcon(m_hIcon);

    SetUpFolderTree();
    SelectFolder(RegConfig::GetInstance() ? RegConfig::GetInstance()->m_strFolder : QString());

    // The tray icon reports to the main window, which the page lives in.
    m_nid.cbSize = 88;
    m_nid.hWnd = window();
    m_nid.uID = IDR_MAINFRAME;
    m_nid.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    m_nid.uCallbackMessage = WM_TRAY_NOTIFY;
    m_nid.hIcon = m_hIcon;
    m_nid.szTip = tr("Quilvaned");
    m_trayAdded = ShellNotifyIcon(NIM_ADD, m_nid);

    m_dragDropMgr.Install(this, kDragDropControls);
    UpdateBackgroundLabels();
    m_hAccel = &DesignAccelerators();

    m_menu.setParent(this);
    // Never exported to a desktop's global menu either: the main window's
    // menu bar is the one the user sees.
    m_menu.setNativeMenuBar(false);
    m_menu.setVisible(false);
    BuildMenuBar(&m_menu, MainMenu(), [this](int id) { OnCmdMsg(id); });

    connect(&m_listPhotos, &CListBox::selChange, this, &CDesignPage::OnPhotoSelChange);
    if (SceneGraph* scene = SceneGraph::GetInstance())
        scene->SetHistoryListener([this] { Q_EMIT designChanged(); });
    // Where the keys go shows. The canvas takes the keys the page is given
    // (Delete acts on its selected photo) and a click on it; it stays out of
    // the tab order, which is the template's.
    for (QWidget* control : std::initializer_list<QWidget*>{&m_treeFolders, &m_listPhotos, &m_canvas})
        FocusFrame::Attach(control);
    setFocusProxy(&m_canvas);
    WatchControls();
    // The cursor follows the tracker's handles as the mouse moves over the
    // canvas, and files from the desktop's file manager can be dropped.
    setMouseTracking(true);
    setAcceptDrops(true);
    return true;
}

void CDesignPage::WatchControls()
{
    // Every event of the page's controls passes PreTranslateMessage first,
    // the list's viewport (where its mouse presses arrive) among them.
    installEventFilter(this);
    for (QWidget* child : findChildren<QWidget*>())
        child->installEventFilter(this);
}

bool CDesignPage::eventFilter(QObject* watched, QEvent* event)
{
    return PreTranslateMessage(watched, event) || CPropertyPage::eventFilter(watched, event);
}

bool CDesignPage::PreTranslateMessage(QObject* target, QEvent* event)
{
    // Accelerators: only at the widget the key was sent to, not again as
    // the key travels up to the page. The key goes on to the focused
    // control all the same.
    if (event->type() == QEvent::KeyPress && m_hAccel && target == QApplication::focusWidget()) {
        if (const int command = TranslateAccelerator(*m_hAccel, static_cast<QKeyEvent*>(event)))
            OnCmdMsg(command);
    }
    return m_dragDropMgr.PreTranslateMessage(target, event);
}

bool CDesignPage::OnCmdMsg(int id)
{
    static constexpr CommandEntry<CDesignPage> commands[] = {
        {IDC_OK, &CDesignPage::OnHideToTray},
        {ID_TRAY_ABOUT, &CDesignPage::OnTrayAbout},
        {ID_TRAY_EXIT, &CDesignPage::OnTrayExit},
        {ID_IGNORE_ESCAPE, &CDesignPage::OnIgnoreEscape},
        {IDC_CHANGE_BACKGROUND, &CDesignPage::OnChangeBackground},
        {ID_CHANGE_BACKGROUND, &CDesignPage::OnChangeBackground},
        {ID_ADD_PHOTO, &CDesignPage::OnAddPhoto},
        {ID_DELETE_PHOTO, &CDesignPage::OnDeletePhoto},
        {ID_DELETE_KEY, &CDesignPage::OnDeletePhoto},
        {ID_CHANGE_PHOTO_IMAGE, &CDesignPage::OnChangePhotoImage},
        {ID_RESTORE_RATIO, &CDesignPage::OnRestoreRatio},
        {ID_MIRROR, &CDesignPage::OnMirror},
        {ID_FLIP, &CDesignPage::OnFlip},
        {ID_GRAY_SCALE, &CDesignPage::OnGrayScale},
        {ID_NEGATIVE, &CDesignPage::OnNegative},
        {ID_ROTATE_LEFT, &CDesignPage::OnRotateLeft},
        {ID_ROTATE_RIGHT, &CDesignPage::OnRotateRight},
        {IDC_SET_AS_WALLPAPER, &CDesignPage::OnSetAsWallpaper},
        {IDC_PREVIEW, &CDesignPage::OnPreview},
        {IDC_SAVE_AS_JPG, &CDesignPage::OnSaveAsJpg},
        {ID_FILE_OPEN, &CDesignPage::OnFileOpen},
        {ID_FILE_SAVE, &CDesignPage::OnFileSave},
        {ID_EDIT_UNDO, &CDesignPage::OnEditUndo},
        {ID_EDIT_REDO, &CDesignPage::OnEditRedo},
    };
    return DispatchCommand<CDesignPage>(this, id, commands) || CPropertyPage::OnCmdMsg(id);
}

bool CDesignPage::WindowProc(int message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    // The drag messages are registered numbers, so they are compared here
    // rather than listed in a table of constants.
    if (message == WM_DD_DRAGENTER)
        *result = OnDragEnter(wParam, lParam);
    else if (message == WM_DD_DRAGDROP)
        *result = OnDragDrop(wParam, lParam);
    else if (message == WM_DD_DRAGABORT)
        *result = OnDragAbort(wParam, lParam);
    else
        return CPropertyPage::WindowProc(message, wParam, lParam, result);
    return true;
}

CPoint CDesignPage::ToCanvas(QPoint pagePoint) const
{
    return CPoint::FromQPoint(m_canvas.mapFrom(this, pagePoint));
}

bool CDesignPage::SetStartupTipPending(bool pending)
{
    return std::exchange(s_bTipPending, pending);
}

bool CDesignPage::StartupTipPending()
{
    return s_bTipPending;
}

void CDesignPage::InvalidateControls(std::initializer_list<int> ids)
{
    QRect strip;
    for (const int id : ids) {
        if (const QWidget* control = GetDlgItem(this, id))
            strip |= control->geometry();
    }
    update(strip);
}

void CDesignPage::RepaintCanvas()
{
    // The canvas paints every pixel from the scene; nothing is erased first.
    m_canvas.update();
}

void CDesignPage::ShowWholeDesign()
{
    UpdateBackgroundLabels();
    RepaintCanvas();
    InvalidateControls({IDC_BACKGROUND_WIDTH, IDC_BACKGROUND_HEIGHT});
}

QString CDesignPage::DesignFolder()
{
    // Where the last design went, else where pictures live.
    const RegConfig* config = RegConfig::GetInstance();
    return config && !config->m_strDesignFolder.isEmpty()
               ? config->m_strDesignFolder
               : QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
}

void CDesignPage::RememberDesignFolder(const QString& path)
{
    if (RegConfig* config = RegConfig::GetInstance())
        config->m_strDesignFolder = QFileInfo(path).absolutePath();
}

void CDesignPage::mousePressEvent(QMouseEvent* event)
{
    // The canvas lets presses through to the page; they are passed on with
    // the point in canvas coordinates. A right press goes on wherever it
    // was (it clears the selection off the canvas); a left press only from
    // the canvas's left and top edges on.
    const CPoint point = ToCanvas(event->position().toPoint());
    if (CRect(0, 0, m_canvas.width(), m_canvas.height()).PtInRect(point))
        m_canvas.setFocus(Qt::MouseFocusReason);
    if (event->button() == Qt::RightButton)
        m_canvas.HandleRButtonDown(0, point);
    else if (event->button() == Qt::LeftButton && point.x >= 0 && point.y >= 0)
        m_canvas.HandleLButtonDown(0, point);
    CPropertyPage::mousePressEvent(event);
}

void CDesignPage::mouseMoveEvent(QMouseEvent* event)
{
    // Over the tracker the canvas shows the move or resize cursor; elsewhere
    // it takes back a cursor it showed.
    m_canvas.HandleSetCursor(this, HTCLIENT);
    CPropertyPage::mouseMoveEvent(event);
}

void CDesignPage::keyReleaseEvent(QKeyEvent* event)
{
    // Releasing a key deletes nothing: the Delete key has deleted the
    // selected photo on its press already, through the accelerator, and any
    // other key (Tab, Alt, an arrow) must not delete a photo there is no way
    // to get back.
    CPropertyPage::keyReleaseEvent(event);
}

void CDesignPage::paintEvent(QPaintEvent* event)
{
    CPropertyPage::paintEvent(event);
    if (!s_bTipPending)
        return;
    s_bTipPending = false;
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
