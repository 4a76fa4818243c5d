// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/Geometry.h"

inline constexpr int IDANI_CAPTION = 3;

// Shows a window's caption travelling from one screen rectangle to another,
// as the Windows shell does when a window goes into or out of the tray.
// Elsewhere a brief outline follows the same path where top-level windows can
// be placed (X11); on Wayland and off screen nothing is drawn. It never
// blocks: the call returns at once.
void DrawAnimatedRects(int idAni, const CRect& from, const CRect& to);

// How many animations have been asked for (tests check the calls are made).
int AnimatedRectsRequests();
