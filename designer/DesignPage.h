#pragma once

#include "platform/PropertyPage.h"
#include "platform/TrayIcon.h"

#include <QIcon>

// True until the design page's first paint, which clears it and offers the
// Tip of the Day: the start-up tip comes once per process. GUI thread only.
extern bool g_bTipPending;

// The page on which a wallpaper is composed. It owns the tray icon's record:
// the icon is added when the page's window is initialised and removed when
// the page is destroyed.
//
// Still to come with the design page work: the folder tree, photo list,
// preview, canvas, accelerators, drag and drop and the scene commands. The
// controls are laid out already.
class CDesignPage : public CPropertyPage {
    Q_OBJECT

public:
    explicit CDesignPage(QWidget* parent = nullptr);
    ~CDesignPage() override;

    bool OnCmdMsg(int id) override;
    void OnCancel() override;

    QIcon m_hIcon;
    int m_nSelectedPhoto = -1;
    NotifyIconData m_nid;

    void OnHideToTray();
    void OnTrayAbout();
    void OnTrayExit();
    void OnIgnoreEscape() {}
    // The start-up Tip of the Day: shown when its start-up setting is on.
    void OnStartupTip();

protected:
    bool OnInitDialog() override;
    void paintEvent(QPaintEvent* event) override;

private:
    bool m_trayAdded = false;
};
