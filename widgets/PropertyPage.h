// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// One page of a tabbed main window, built from a dialog template. Its
// controls' button clicks arrive as commands (OnCmdMsg with the button's id);
// window messages sent to it arrive at WindowProc.

#include "platform/CmdTarget.h"
#include "platform/WindowMessage.h"
#include "widgets/DialogBuilder.h"

#include <QWidget>

class CPropertyPage : public QWidget, public CCmdTarget {
    Q_OBJECT

public:
    explicit CPropertyPage(const DialogTemplate& tmpl, QWidget* parent = nullptr);
    ~CPropertyPage() override;

    // Builds the controls and runs OnInitDialog, once.
    void Create();
    bool IsCreated() const { return m_created; }

    const DialogTemplate& Template() const { return m_template; }
    QString Caption() const { return DialogText(m_template.caption); }
    QSize TemplateSize() const { return m_size; }

    virtual bool OnSetActive() { return true; }
    virtual void OnCancel() {}

    // Runs the command's handler; false when the page has none.
    bool OnCmdMsg(int id) override;

protected:
    virtual ControlBindings Bindings() { return {}; }
    virtual bool OnInitDialog() { return true; }
    // Handles a window message; returns false for default processing.
    virtual bool WindowProc(int message, WPARAM wParam, LPARAM lParam, LRESULT* result);

    bool event(QEvent* e) override;

private:
    const DialogTemplate& m_template;
    QSize m_size;
    bool m_created = false;
};
