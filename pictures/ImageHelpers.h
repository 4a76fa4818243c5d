// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// How a picture is fitted into a rectangle.

#include "platform/Geometry.h"

#include <QImage>
#include <QSize>
#include <QString>

// A rectangle with src's aspect ratio, as large as fits inside dst and centred
// in it; scale receives the factor from src's size to the result's size.
// Smaller sources are enlarged, larger ones reduced.
//
// Rounding: the side that limits the fit fills dst exactly; the other side is
// the exact proportional length rounded to the nearest pixel (halves up),
// clamped to at least 1 and at most dst's side. The leftover space is split
// with the smaller half (floor) on the left/top, so an odd pixel goes to the
// right/bottom.
//
// When src or dst is empty (or has a side longer than INT_MAX) nothing can be
// fitted: the result is an empty rectangle at dst's top-left corner and scale
// is 0, so a caller mapping points back through the scale must check for that.
CRect ResizeRect(const CRect& src, const CRect& dst, float& scale);
