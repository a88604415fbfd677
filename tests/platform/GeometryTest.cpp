#include <gtest/gtest.h>

#include "platform/Color.h"
#include "platform/Geometry.h"

TEST(Geometry, RectPointTestsExcludeRightAndBottom) {
    const CRect r(10, 20, 30, 40);
    EXPECT_TRUE(r.PtInRect({10, 20}));
    EXPECT_TRUE(r.PtInRect({29, 39}));
    EXPECT_FALSE(r.PtInRect({30, 20}));
    EXPECT_FALSE(r.PtInRect({10, 40}));
    EXPECT_FALSE(CRect(5, 5, 5, 9).PtInRect({5, 5}));
}

TEST(Geometry, NormaliseIntersectUnion) {
    CRect r(30, 40, 10, 20);
    EXPECT_TRUE(r.IsRectEmpty());
    r.NormalizeRect();
    EXPECT_EQ(r, CRect(10, 20, 30, 40));

    CRect i;
    EXPECT_TRUE(i.IntersectRect(CRect(0, 0, 10, 10), CRect(5, 5, 20, 20)));
    EXPECT_EQ(i, CRect(5, 5, 10, 10));
    // Touching rectangles do not intersect; the result is all zeros.
    EXPECT_FALSE(i.IntersectRect(CRect(0, 0, 10, 10), CRect(10, 0, 20, 10)));
    EXPECT_TRUE(i.IsRectNull());

    CRect u;
    EXPECT_TRUE(u.UnionRect(CRect(0, 0, 10, 10), CRect(20, 5, 30, 8)));
    EXPECT_EQ(u, CRect(0, 0, 30, 10));
    // Empty rectangles do not widen a union.
    EXPECT_TRUE(u.UnionRect(CRect(100, 100, 100, 200), CRect(1, 2, 3, 4)));
    EXPECT_EQ(u, CRect(1, 2, 3, 4));
    EXPECT_FALSE(u.UnionRect(CRect(), CRect(5, 5, 5, 5)));
    EXPECT_TRUE(u.IsRectNull());
}

TEST(Geometry, InflateOffsetCentre) {
    CRect r(0, 0, 10, 10);
    r.InflateRect(2, 3);
    EXPECT_EQ(r, CRect(-2, -3, 12, 13));
    r.OffsetRect(5, -5);
    EXPECT_EQ(r, CRect(3, -8, 17, 8));
    EXPECT_EQ(CRect(-5, -5, 0, 0).CenterPoint(), CPoint(-2, -2));  // rounds toward zero
}

TEST(Geometry, ExtremeRectanglesSaturateInsteadOfOverflowing) {
    const CRect all(INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX);
    EXPECT_EQ(all.Width(), INT32_MAX);
    EXPECT_EQ(all.Height(), INT32_MAX);
    EXPECT_EQ(all.CenterPoint(), CPoint(0, 0));
    const CRect inside_out(INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN);
    EXPECT_EQ(inside_out.Width(), INT32_MIN);
    EXPECT_EQ(inside_out.Size(), CSize(INT32_MIN, INT32_MIN));
    EXPECT_EQ(CRect(INT32_MAX - 1, 0, INT32_MAX, 0).CenterPoint(), CPoint(INT32_MAX - 1, 0));
    EXPECT_EQ(CRect(INT32_MIN, INT32_MIN, INT32_MIN + 1, INT32_MIN + 1).CenterPoint(),
              CPoint(INT32_MIN + 1, INT32_MIN + 1));  // toward zero
    EXPECT_EQ(vx::Saturate32(int64_t(INT32_MAX) + 1), INT32_MAX);
    EXPECT_EQ(vx::Saturate32(-5), -5);
}

TEST(Geometry, MulDivRoundsHalfAwayFromZero) {
    EXPECT_EQ(vx::MulDiv(5, 1, 2), 3);
    EXPECT_EQ(vx::MulDiv(-5, 1, 2), -3);
    EXPECT_EQ(vx::MulDiv(5, -1, 2), -3);
    EXPECT_EQ(vx::MulDiv(-5, -1, -2), -3);
    EXPECT_EQ(vx::MulDiv(1, 1, 3), 0);
    EXPECT_EQ(vx::MulDiv(2, 1, 3), 1);
    EXPECT_EQ(vx::MulDiv(100, 150, 100), 150);
    EXPECT_EQ(vx::MulDiv(7, 3, 0), -1);
    // The product may exceed 32 bits; the result may not.
    EXPECT_EQ(vx::MulDiv(2000000000, 2, 4), 1000000000);
    EXPECT_EQ(vx::MulDiv(2000000000, 2, 1), -1);
}

TEST(Color, LayoutAndStandardList) {
    EXPECT_EQ(vx::RGB(1, 2, 3), 0x030201);
    EXPECT_EQ(vx::GetRValue(vx::RGB(1, 2, 3)), 1);
    EXPECT_EQ(vx::GetBValue(vx::RGB(1, 2, 3)), 3);
    ASSERT_EQ(vx::kStandardColors.size(), 19u);
    EXPECT_EQ(vx::kStandardColors[1], vx::RGB(255, 255, 255));
    EXPECT_EQ(vx::kStandardColors[18], vx::RGB(255, 255, 128));
}

// Sides a mapping clamped to the 32-bit limits stay there when they are
// grown, moved or added to (they used to wrap to the far side).
TEST(Geometry, ArithmeticAtTheLimitsSaturates) {
    CRect r(INT32_MIN, INT32_MIN + 1, INT32_MAX, INT32_MAX - 1);
    r.InflateRect(1, 1);
    EXPECT_EQ(r, CRect(INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX));
    r.InflateRect(1, 2, 3, 4);
    EXPECT_EQ(r, CRect(INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX));
    r.DeflateRect(INT32_MIN, INT32_MIN);  // -INT32_MIN does not fit either
    EXPECT_EQ(r, CRect(INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX));

    CRect far(INT32_MAX - 10, INT32_MIN + 10, INT32_MAX - 5, INT32_MIN + 20);
    far.OffsetRect(100, -100);
    EXPECT_EQ(far, CRect(INT32_MAX, INT32_MIN, INT32_MAX, INT32_MIN));
    CRect moved(INT32_MIN, 0, INT32_MIN + 10, 10);
    moved.MoveToXY(INT32_MAX - 20, 5);  // an offset wider than 32 bits
    EXPECT_EQ(moved, CRect(INT32_MAX - 20, 5, INT32_MAX - 10, 15));
    moved.MoveToXY(INT32_MAX - 4, 0);
    EXPECT_EQ(moved, CRect(INT32_MAX - 4, 0, INT32_MAX, 10));

    EXPECT_EQ(CRect(CPoint(INT32_MAX - 1, 0), CSize(10, INT32_MAX)), CRect(INT32_MAX - 1, 0, INT32_MAX, INT32_MAX));
    EXPECT_EQ(CPoint(INT32_MAX, INT32_MIN) + CPoint(1, -1), CPoint(INT32_MAX, INT32_MIN));
    EXPECT_EQ(CPoint(INT32_MIN, INT32_MAX) - CPoint(1, -1), CPoint(INT32_MIN, INT32_MAX));
    CPoint p(INT32_MAX - 1, 0);
    p.Offset(5, INT32_MIN);
    EXPECT_EQ(p, CPoint(INT32_MAX, INT32_MIN));

    CRect u;
    EXPECT_TRUE(u.UnionRect(CRect(INT32_MIN, 0, 0, 1), CRect(0, -1, INT32_MAX, INT32_MAX)));
    EXPECT_EQ(u, CRect(INT32_MIN, -1, INT32_MAX, INT32_MAX));
    EXPECT_EQ(CRect(INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN).Normalized(),
              CRect(INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX));
}
