// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

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
