// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "widgets/TrackedRect.h"

#include <algorithm>

namespace {

// The numbering of the parts, as the tracker's hit test has it.
enum Part { kTopLeft, kTopRight, kBottomRight, kBottomLeft, kTop, kRight, kBottom, kLeft, kMiddle };

} // namespace

CRect DraggedRect(const CRect& from, int part, CPoint start, CPoint now, bool allowInvert, CSize sizeMin)
{
    if (part < kTopLeft || part > kMiddle)
        return from;
    CRect r = from;
    const bool movesX = part != kTop && part != kBottom;
    const bool movesY = part != kLeft && part != kRight;
    const int dx = movesX ? now.x - start.x : 0;
    const int dy = movesY ? now.y - start.y : 0;
    if (part == kMiddle) {
        r.OffsetRect(dx, dy);
        return r;
    }

    const bool leftEdge = part == kTopLeft || part == kBottomLeft || part == kLeft;
    const bool topEdge = part == kTopLeft || part == kTopRight || part == kTop;
    if (movesX)
        (leftEdge ? r.left : r.right) += dx;
    if (movesY)
        (topEdge ? r.top : r.bottom) += dy;
    if (allowInvert)
        return r;
    if (movesX) {
        if (leftEdge)
            r.left = std::min(r.left, r.right - sizeMin.cx);
        else
            r.right = std::max(r.right, r.left + sizeMin.cx);
    }
    if (movesY) {
        if (topEdge)
            r.top = std::min(r.top, r.bottom - sizeMin.cy);
        else
            r.bottom = std::max(r.bottom, r.top + sizeMin.cy);
    }
    return r;
}
