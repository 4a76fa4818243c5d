// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "widgets/PropertyPage.h"

#include <QAbstractButton>

CPropertyPage::CPropertyPage(const DialogTemplate& tmpl, QWidget* parent) : QWidget(parent), m_template(tmpl) {}

CPropertyPage::~CPropertyPage() = default;

void CPropertyPage::Create()
{
    if (m_created)
        return;
    m_created = true;
    m_size = BuildDialog(this, m_template, Bindings());
    // A widget shows the children it has when it is itself shown; children
    // added later stay hidden until shown one by one. A page built when its
    // tab is first selected is already on screen, so every control the
    // template marks visible is shown here (on a page not yet shown this only
    // marks them to appear with it).
    const QList<QWidget*> controls = DialogControls(this);
    for (qsizetype i = 0; i < controls.size() && i < qsizetype(m_template.controls.size()); ++i)
        controls[i]->setVisible(m_template.controls[i].style & ws::Visible);
    setMinimumSize(m_size);
    for (QAbstractButton* button : findChildren<QAbstractButton*>()) {
        const int id = GetDlgCtrlID(button);
        if (id == 0 || id == IDC_STATIC)
            continue;
        connect(button, &QAbstractButton::clicked, this, [this, id] { OnCmdMsg(id); });
    }
    OnInitDialog();
}

bool CPropertyPage::OnCmdMsg(int id)
{
    if (id == 2) {
        OnCancel();
        return true;
    }
    return false;
}

bool CPropertyPage::WindowProc(int message, WPARAM, LPARAM, LRESULT*)
{
    // A page's default answer to WM_CLOSE is its cancel command.
    if (message == WM_CLOSE) {
        OnCmdMsg(2);
        return true;
    }
    return false;
}

bool CPropertyPage::event(QEvent* e)
{
    if (e->type() == WindowMessageEvent::Type()) {
        auto* msg = static_cast<WindowMessageEvent*>(e);
        LRESULT result = 0;
        if (WindowProc(msg->message(), msg->wParam(), msg->lParam(), &result))
            msg->setResult(result);
        return true;
    }
    return QWidget::event(e);
}
