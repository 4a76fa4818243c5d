// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// A control of a dialog or page, found by its id as the program's own code
// finds it. Header-only and free of gtest, so the benchmarks use it too.

#include "widgets/DialogBuilder.h"

#include <QtGlobal>

// The control of that id and type; a host without it ends the test program,
// as nothing can be driven without its controls.
template <class Control> Control& ControlOf(const QWidget* host, int id)
{
    Control* control = GetDlgItemAs<Control>(host, id);
    if (!control)
        qFatal("no control %d of the type asked for", id);
    return *control;
}
