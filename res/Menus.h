// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "widgets/MenuTemplate.h"

const MenuTemplate& TrayMenu();               // 129
const MenuTemplate& PhotoMenu();              // 133
const MenuTemplate& BackgroundMenu();         // 134
const MenuTemplate& MainMenu();               // 140
const AcceleratorTable& DesignAccelerators(); // 138
// The main window's keys, wherever the focus is in it: Ctrl+O, Ctrl+S,
// Ctrl+Z, Ctrl+Shift+Z and Ctrl+Y.
const AcceleratorTable& MainAccelerators(); // 190
