#include "QuickDraw.h"

#include <gtest/gtest.h>

namespace {
bool Same(const Rect& r, SInt16 l, SInt16 t, SInt16 rt, SInt16 b) {
    return r.left == l && r.top == t && r.right == rt && r.bottom == b;
}
} // namespace

TEST(QDRects, ArithmeticFollowsTheToolboxAndClamps) {
    Rect r;
    SetRect(&r, 10, 20, 30, 40);
    EXPECT_TRUE(Same(r, 10, 20, 30, 40));
    OffsetRect(&r, -5, 5);
    EXPECT_TRUE(Same(r, 5, 25, 25, 45));
    InsetRect(&r, 2, 3);
    EXPECT_TRUE(Same(r, 7, 28, 23, 42));
    InsetRect(&r, 9, 0); // turned inside out: emptied
    EXPECT_TRUE(Same(r, 0, 0, 0, 0));
    EXPECT_TRUE(EmptyRect(&r));

    Rect big;
    SetRect(&big, 32000, 0, 32700, 10);
    OffsetRect(&big, 500, 0); // clamps at the 16-bit limit instead of wrapping
    EXPECT_EQ(big.right, 32767);
    EXPECT_GT(big.left, 0);
}

TEST(QDRects, SectUnionAndPointsAreHalfOpen) {
    Rect a, b, out;
    SetRect(&a, 0, 0, 10, 10);
    SetRect(&b, 10, 0, 20, 10); // touching, not overlapping
    EXPECT_FALSE(SectRect(&a, &b, &out));
    EXPECT_TRUE(Same(out, 0, 0, 0, 0));
    SetRect(&b, 5, 5, 20, 20);
    EXPECT_TRUE(SectRect(&a, &b, &a)); // the result may be an operand
    EXPECT_TRUE(Same(a, 5, 5, 10, 10));
    UnionRect(&a, &b, &out);
    EXPECT_TRUE(Same(out, 5, 5, 20, 20));

    Point in{9, 9}, edge{10, 9};
    EXPECT_TRUE(PtInRect(in, &a));
    EXPECT_FALSE(PtInRect(edge, &a));
    Pt2Rect(Point{30, 4}, Point{2, 40}, &out);
    EXPECT_TRUE(Same(out, 4, 2, 40, 30));
    Point p{1, 2};
    AddPt(Point{10, 20}, &p);
    EXPECT_TRUE(EqualPt(p, Point{11, 22}));
    SubPt(Point{1, 2}, &p);
    EXPECT_TRUE(EqualPt(p, Point{10, 20}));
}
