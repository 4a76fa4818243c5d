// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/Geometry.h"

// The screen rectangle of the notification area, where a window hiding into
// the tray goes and where it comes back from: the tray icon's own geometry
// where the platform reports it, otherwise a small square at the corner of
// the primary screen where the desktop keeps its tray.
void GetTrayWndRect(CRect* rect);
