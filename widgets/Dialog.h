// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// A dialog built from a template and run modally by our own modal run: the
// base of the program's dialogs. OK
// (id 1) and Cancel (id 2), Enter on the default button, Escape and the close
// box reach OnOK and OnCancel; other buttons reach OnCmdMsg with their id.

#include "platform/CmdTarget.h"
#include "widgets/DialogBuilder.h"

#include <QDialog>

class CDialog : public QDialog, public CCmdTarget {
    Q_OBJECT

public:
    explicit CDialog(const DialogTemplate& tmpl, QWidget* parent = nullptr);
    ~CDialog() override;

    // Creates the controls (once), runs OnInitDialog, shows the dialog and
    // runs it modally; returns the code given to EndDialog.
    virtual int DoModal();

    // Ends the modal run with code and hides the dialog.
    void EndDialog(int code);

    const DialogTemplate& Template() const { return m_template; }
    bool IsCreated() const { return m_created; }

    // Creates the controls without showing anything (also used by DoModal).
    void CreateControls();

protected:
    // Member controls standing for template ids, placed by the builder.
    virtual ControlBindings Bindings() { return {}; }
    virtual bool OnInitDialog() { return true; }
    virtual void OnOK() { EndDialog(1); }
    virtual void OnCancel() { EndDialog(2); }

    void reject() override;
    void accept() override;
    void closeEvent(QCloseEvent* event) override;

private:
    const DialogTemplate& m_template;
    bool m_created = false;
    bool m_ending = false;
};
