// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Where a drag takes a tracked rectangle. Plain arithmetic on rectangles and
// points, apart from the tracking loop that feeds it the mouse, so the rules
// can be read and checked on their own.

#include "platform/Geometry.h"

// The rectangle that from becomes when the part grabbed at start is dragged
// to now. part numbers a corner (0 top left, 1 top right, 2 bottom right,
// 3 bottom left), a side (4 top, 5 right, 6 bottom, 7 left) or the middle
// (8), as CRectTracker::HitTest reports them. The middle moves the whole
// rectangle; a corner moves its two edges, a side its one, each by the drag
// along its own axis. Without allowInvert a moved edge stops sizeMin short of
// the opposite one, so the rectangle never turns inside out; with it, the
// result may be inverted (not normalised). Any other part leaves from as it is.
CRect DraggedRect(const CRect& from, int part, CPoint start, CPoint now, bool allowInvert, CSize sizeMin);
