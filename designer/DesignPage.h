#pragma once

#include "platform/PropertyPage.h"
#include "platform/TrayIcon.h"

#include <QIcon>

// The page on which a wallpaper is composed. It owns the tray icon's record:
// the icon is added when the page's window is initialised and removed when
// the page is destroyed.
//
// Still to come with the design page work: the folder tree, photo list,
// preview, canvas, accelerators, drag and drop, the scene commands and the
// Tip of the Day at the first paint. The controls are laid out already.
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

protected:
    bool OnInitDialog() override;

private:
    bool m_trayAdded = false;
};
