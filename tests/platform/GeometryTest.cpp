// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/Geometry.h"

#include <gtest/gtest.h>

TEST(Geometry, RightAndBottomEdgesAreOutside)
{
    const CRect r(10, 20, 30, 50);
    EXPECT_EQ(r.Width(), 20);
    EXPECT_EQ(r.Height(), 30);
    EXPECT_TRUE(r.PtInRect({10, 20}));
    EXPECT_TRUE(r.PtInRect({29, 49}));
    EXPECT_FALSE(r.PtInRect({30, 25}));
    EXPECT_FALSE(r.PtInRect({15, 50}));
    EXPECT_FALSE(r.PtInRect({9, 25}));

    // QRect's right() is inclusive: the conversion must not lose or add a pixel.
    const QRect q = r.ToQRect();
    EXPECT_EQ(q.width(), 20);
    EXPECT_EQ(q.right(), 29);
    EXPECT_EQ(CRect::FromQRect(q), r);
    EXPECT_TRUE(q.contains(29, 49));
    EXPECT_FALSE(q.contains(30, 49));
}

TEST(Geometry, NormalizeIntersectUnionDeflateOffset)
{
    CRect r(30, 40, 10, 20);
    EXPECT_TRUE(r.IsRectEmpty());
    r.NormalizeRect();
    EXPECT_EQ(r, CRect(10, 20, 30, 40));

    CRect i;
    EXPECT_TRUE(i.IntersectRect(CRect(0, 0, 20, 30), CRect(10, 10, 40, 40)));
    EXPECT_EQ(i, CRect(10, 10, 20, 30));
    // Rectangles that only touch along an edge do not intersect.
    EXPECT_FALSE(i.IntersectRect(CRect(0, 0, 10, 10), CRect(10, 0, 20, 10)));
    EXPECT_TRUE(i.IsRectNull());

    CRect u;
    EXPECT_TRUE(u.UnionRect(CRect(0, 0, 5, 5), CRect(10, 10, 20, 30)));
    EXPECT_EQ(u, CRect(0, 0, 20, 30));
    EXPECT_TRUE(u.UnionRect(CRect(), CRect(1, 2, 3, 4)));
    EXPECT_EQ(u, CRect(1, 2, 3, 4));

    CRect d(0, 0, 100, 50);
    d.DeflateRect(4, 4);
    EXPECT_EQ(d, CRect(4, 4, 96, 46));
    d.OffsetRect(-4, 10);
    EXPECT_EQ(d, CRect(0, 14, 92, 56));
    d.InflateRect(1, 2);
    EXPECT_EQ(d, CRect(-1, 12, 93, 58));
}

TEST(Geometry, MulDivRoundsHalvesAwayFromZero)
{
    EXPECT_EQ(MulDiv(1, 6, 4), 2);  // 1.5
    EXPECT_EQ(MulDiv(5, 6, 4), 8);  // 7.5
    EXPECT_EQ(MulDiv(3, 13, 8), 5); // 4.875
    EXPECT_EQ(MulDiv(1, 13, 8), 2); // 1.625
    EXPECT_EQ(MulDiv(4, 13, 8), 7); // 6.5
    EXPECT_EQ(MulDiv(-5, 6, 4), -8);
    EXPECT_EQ(MulDiv(5, 6, -4), -8);
    EXPECT_EQ(MulDiv(7, 7, 0), -1);
    // No overflow in the intermediate product.
    EXPECT_EQ(MulDiv(1 << 30, 4, 8), 1 << 29);
}
