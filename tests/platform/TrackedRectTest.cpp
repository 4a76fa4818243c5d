// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Where a drag takes a tracked rectangle, without a window: each part the
// mouse can grab, the minimum size that stops an edge, and inversion.

#include "widgets/TrackedRect.h"
#include "widgets/RectTracker.h"

#include <gtest/gtest.h>

TEST(DraggedRect, EachPartMovesItsOwnEdgesAndStopsShortOfTheOppositeOne)
{
    using T = CRectTracker;
    const CRect from(10, 10, 50, 40);
    const CPoint start(30, 20);
    const struct {
        const char* what;
        int part;
        CPoint now;
        bool invert;
        CSize min;
        CRect expected;
    } cases[] = {
        {"middle moves all", T::hitMiddle, {35, 15}, false, {8, 8}, {15, 5, 55, 35}},
        {"middle ignores the minimum", T::hitMiddle, {-100, 200}, false, {100, 100}, {-120, 190, -80, 220}},
        {"top left", T::hitTopLeft, {25, 17}, false, {8, 8}, {5, 7, 50, 40}},
        {"top right", T::hitTopRight, {40, 25}, false, {8, 8}, {10, 15, 60, 40}},
        {"bottom right", T::hitBottomRight, {40, 30}, false, {8, 8}, {10, 10, 60, 50}},
        {"bottom left", T::hitBottomLeft, {20, 30}, false, {8, 8}, {0, 10, 50, 50}},
        {"top side, across ignored", T::hitTop, {130, 22}, false, {8, 8}, {10, 12, 50, 40}},
        {"right side, along ignored", T::hitRight, {25, -70}, false, {8, 8}, {10, 10, 45, 40}},
        {"bottom side", T::hitBottom, {0, 27}, false, {8, 8}, {10, 10, 50, 47}},
        {"left side", T::hitLeft, {34, 99}, false, {8, 8}, {14, 10, 50, 40}},
        {"no drag", T::hitBottomRight, {30, 20}, false, {8, 8}, from},

        {"left past right stops", T::hitLeft, {120, 20}, false, {8, 8}, {42, 10, 50, 40}},
        {"right past left stops", T::hitRight, {-70, 20}, false, {8, 8}, {10, 10, 18, 40}},
        {"top past bottom stops", T::hitTop, {30, 90}, false, {8, 8}, {10, 32, 50, 40}},
        {"bottom past top stops", T::hitBottom, {30, -90}, false, {8, 8}, {10, 10, 50, 18}},
        {"corner past both stops", T::hitTopLeft, {200, 200}, false, {8, 8}, {42, 32, 50, 40}},
        {"corner with its own minimum", T::hitBottomRight, {-200, -200}, false, {20, 5}, {10, 10, 30, 15}},
        {"a small drag within the minimum", T::hitRight, {5, 20}, false, {8, 8}, {10, 10, 25, 40}},
        {"a narrow rectangle grows to it", T::hitRight, {-13, 20}, false, {50, 8}, {10, 10, 60, 40}},

        {"inverted right", T::hitRight, {-70, 20}, true, {8, 8}, {10, 10, -50, 40}},
        {"inverted top", T::hitTop, {30, 120}, true, {8, 8}, {10, 110, 50, 40}},
        {"inverted corner", T::hitTopLeft, {100, 100}, true, {8, 8}, {80, 90, 50, 40}},

        {"nothing grabbed", T::hitNothing, {90, 90}, false, {8, 8}, from},
        {"no such part", 9, {90, 90}, true, {8, 8}, from},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DraggedRect(from, c.part, start, c.now, c.invert, c.min), c.expected) << c.what;
}
