// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Drives a dialog's modal run from a test: the script runs inside the run once
// it has started, the way a user acts on a dialog that is up.

#include "widgets/Dialog.h"

#include <QTimer>
#include <functional>

// What a run ends with when the script left the dialog open.
constexpr int kStillOpen = -99;

// Runs dlg modally with script played inside the run and returns the run's
// code. A run the script did not end is ended with kStillOpen, so a dialog
// that fails to close fails the test instead of hanging it.
inline int DriveModal(CDialog& dlg, const std::function<void()>& script)
{
    QTimer::singleShot(0, &dlg, [&dlg, script] {
        script();
        if (dlg.isVisible())
            dlg.EndDialog(kStillOpen);
    });
    return dlg.DoModal();
}
