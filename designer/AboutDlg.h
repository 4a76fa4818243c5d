#pragma once

#include "widgets/Dialog.h"

// The About box. Both the application's Help menu and the tray menu's design
// page open it, so it lives beside the design page, which may not depend on
// the application layer.
class CAboutDlg : public CDialog {
    Q_OBJECT

public:
    explicit CAboutDlg(QWidget* parent = nullptr);

protected:
    bool OnInitDialog() override;
};
