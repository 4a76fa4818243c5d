// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "designer/AboutDlg.h"

#include "res/Dialogs.h"
#include "res/Pictures.h"

#include <QLabel>

CAboutDlg::CAboutDlg(QWidget* parent) : CDialog(AboutDialogTemplate(), parent) {}

bool CAboutDlg::OnInitDialog()
{
    for (QLabel* label : findChildren<QLabel*>(QStringLiteral("icon")))
        label->setPixmap(LoadAppIcon().pixmap(QSize(32, 32), label->devicePixelRatioF()));
    return true;
}
