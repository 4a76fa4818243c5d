// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "widgets/Dialog.h"

#include "widgets/ModalRun.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QPushButton>

CDialog::CDialog(const DialogTemplate& tmpl, QWidget* parent) : QDialog(parent), m_template(tmpl)
{
    Qt::WindowFlags flags = Qt::Dialog;
    if (!(tmpl.style & ws::Caption))
        flags |= Qt::FramelessWindowHint;
    else
        flags |= Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
    setWindowFlags(flags);
    setModal(true);
}

CDialog::~CDialog() = default;

void CDialog::CreateControls()
{
    if (m_created)
        return;
    m_created = true;
    const QSize size = BuildDialog(this, m_template, Bindings());
    setFixedSize(size);
    for (QAbstractButton* button : findChildren<QAbstractButton*>()) {
        const int id = GetDlgCtrlID(button);
        if (id == 0 || id == IDC_STATIC)
            continue;
        connect(button, &QAbstractButton::clicked, this, [this, id] {
            if (id == 1)
                OnOK();
            else if (id == 2)
                OnCancel();
            else
                OnCmdMsg(id);
        });
    }
}

int CDialog::DoModal()
{
    CreateControls();
    OnInitDialog();
    m_ending = false;
    setResult(0);
    return RunModalLoop(this) == -1 ? -1 : result();
}

void CDialog::EndDialog(int code)
{
    m_ending = true;
    setResult(code);
    hide();
    EndModalLoop(this, code);
}

// Escape and QDialog's own paths end in reject/accept: send them through the
// virtual handlers so subclasses see every way of closing.
void CDialog::reject()
{
    OnCancel();
}
void CDialog::accept()
{
    OnOK();
}

void CDialog::closeEvent(QCloseEvent* event)
{
    if (m_ending || !IsInModalLoop(this)) {
        event->accept();
        return;
    }
    // The close box and the system close command act as Cancel.
    event->ignore();
    OnCancel();
}
