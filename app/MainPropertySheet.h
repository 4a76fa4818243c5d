// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "designer/DesignPage.h"
#include "platform/CmdTarget.h"
#include "platform/Geometry.h"
#include "platform/WindowMessage.h"
#include "slideshow/SetWallpaperDlg.h"

#include <QWidget>

class QMenuBar;
class QTabWidget;

// The main window: the two pages on tabs under a menu bar, run modally by the
// application. It hides into the tray and comes back from there. Its title
// names the design's document and marks a design with unsaved changes; a
// changed design asks before quitting replaces it.
class CMainPropertySheet : public QWidget, public CCmdTarget {
    Q_OBJECT

public:
    enum class Look { Tabs };

    CMainPropertySheet(Look look, int imageStripId, int imageWidth);
    ~CMainPropertySheet() override;

    // Initialises the window, shows it and runs it until it is closed or the
    // quit message arrives.
    int DoModal();

    CDesignPage m_designPage;
    CSetWallpaperDlg m_slideShowPage;
    QMenuBar* m_menuBar = nullptr;
    // Window rectangle (frame included) when the window was last hidden into
    // the tray; empty until then.
    CRect m_rcRestore;

    // The sheet's own commands (the tray menu's "Configure"), the File
    // menu's Open and Save, which belong to the design whichever page is
    // shown, and the question before "&Quit" goes on to the application.
    bool OnCmdMsg(int id) override;
    // Offers a command to this window, the active page and the application.
    void OnCommand(int id);

    LRESULT OnShrinkToTray(WPARAM wParam, LPARAM lParam);
    void OnConfigure();
    LRESULT OnTrayNotify(WPARAM wParam, LPARAM lParam);

    CPropertyPage* GetActivePage() const;
    QTabWidget* TabWidget() const { return m_tabs; }

    // Creates the menu bar and the first page's window (once).
    bool OnInitDialog();

    // Whether a command of the menu bar can be chosen now: Undo and Redo
    // only on the design page with something to undo or redo.
    bool IsCommandEnabled(int id) const;
    void UpdateCommandUI();
    void UpdateTitle();

protected:
    bool event(QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    void AddPage(CPropertyPage* page);
    void SetForegroundWindow();

    QTabWidget* m_tabs = nullptr;
    int m_imageStripId;
    int m_imageWidth;
    QSize m_restoreClientSize;
    bool m_initialised = false;
};
