// AScrollablePane: clamped scrolling, what a scroll redraws, pending updates,
// slaves, increments and persistence.
#include "CKsList.h"
#include "PaneStream.h"
#include "ScrollTestSupport.h"

#include <climits>
#include <cstring>

TEST_F(ScrollTest, HugeDeltasLandExactlyOnTheEnds) {
    struct Case {
        SInt32 xmin, xmax, dx, dy, wantX, wantY;
    };
    // The pane shows 200 x 100; the vertical landscape is 0..1000.
    const Case cases[] = {
        {0, 1000, INT32_MAX, INT32_MAX, 800, 900},
        {0, 1000, INT32_MIN, INT32_MIN, 0, 0},
        {INT32_MIN, INT32_MAX, INT32_MAX, 1, INT32_MAX - 200, 1},
        {INT32_MIN, INT32_MAX, INT32_MIN, -1, INT32_MIN, 0},
        {0, 150, 40, 0, 0, 0}, // a landscape narrower than the pane does not scroll
    };
    for (const Case& c : cases) {
        BandPane* p = MakeBands();
        p->SetXmin(c.xmin);
        p->SetXmax(c.xmax);
        p->Scroll(c.dx / 2, c.dy / 2); // part way first, so the second step overflows
        p->Scroll(c.dx, c.dy);
        SInt32 x = 0, y = 0;
        p->GetXinfo(&x, nullptr, nullptr);
        p->GetYinfo(&y, nullptr, nullptr);
        EXPECT_EQ(x, c.wantX) << c.dx;
        EXPECT_EQ(y, c.wantY) << c.dy;
        EXPECT_TRUE(ShowsLandscape(p)) << c.dx << " " << x;
        p->Dispose();
    }
}

TEST_F(ScrollTest, OneLineScrollRedrawsOnlyTheUncoveredStrip) {
    struct Case {
        SInt32 dx, dy;
        KsRect strip; // in the pane's interior, which is (10, 10, 210, 110)
    };
    const Case cases[] = {
        {0, 10, {10, 100, 210, 110}},
        {0, -10, {10, 10, 210, 20}},
        {16, 0, {194, 10, 210, 110}},
        {-16, 0, {10, 10, 26, 110}},
    };
    for (const Case& c : cases) {
        BandPane* p = MakeBands();
        p->Scroll(300, 300);
        win->UpdateIfNeeded();
        p->drawn.SetEmpty();
        p->Scroll(c.dx, c.dy);
        EXPECT_EQ(p->drawn, KsRgn(c.strip)) << c.dx << "," << c.dy;
        EXPECT_TRUE(ShowsLandscape(p));
        p->Dispose();
    }
}

TEST_F(ScrollTest, PendingUpdatesMoveWithTheScroll) {
    for (bool subpane : {false, true}) {
        BandPane* p = MakeBands();
        if (subpane) Add(p, 150, S, 20, 20, S, 20);
        win->UpdateIfNeeded();
        // Wrong pixels waiting for their update when the scroll comes.
        const Rect stale{40, 30, 50, 60};
        const RGBColor black{0, 0, 0};
        RGBForeColor(&black);
        PaintRect(&stale);
        InvalRect(&stale);
        p->drawn.SetEmpty();
        p->Scroll(0, 10);
        KsRgn want(KsRect{10, 100, 210, 110});
        want.Union(KsRect{30, 30, 60, 40});
        if (!subpane) {
            EXPECT_EQ(p->drawn, want);
        }
        EXPECT_TRUE(p->drawn.Contains(KsRect{30, 30, 60, 40}));
        EXPECT_FALSE(UpdateRgn().Overlaps(KsRect{10, 10, 210, 110}));
        EXPECT_EQ(Px(35, 35), BandColor(25, 35));
        p->Dispose();
    }
}

TEST_F(ScrollTest, SlavesFollowOnTheirAxisAndMayGoFirst) {
    for (bool horizontal : {true, false}) {
        BandPane* a = MakeBands();
        BandPane* b = MakeBands();
        b->SetXmin(-50);
        b->SetYmin(-50);
        a->SetSlave(b, horizontal);
        a->Scroll(30, 20);
        SInt32 bx = 0, by = 0;
        b->GetXinfo(&bx, nullptr, nullptr);
        b->GetYinfo(&by, nullptr, nullptr);
        EXPECT_EQ(bx, horizontal ? -20 : 0);
        EXPECT_EQ(by, horizontal ? 0 : -30);
        // A slave that slaves its master back does not loop.
        b->SetSlave(a, horizontal);
        b->Scroll(5, 5);
        b->Dispose();
        EXPECT_EQ(a->GetSlave(), nullptr);
        a->Scroll(10, 10); // would reach the disposed slave
        a->Dispose();
    }
}

TEST_F(ScrollTest, IncrementsOfZeroOrLessCountAsOne) {
    BandPane* p = MakeBands();
    const SInt32 incrs[][2] = {{0, 1}, {-7, 1}, {INT32_MIN, 1}, {7, 7}, {500, 500}};
    for (const auto& c : incrs) {
        p->SetXincr(c[0]);
        p->SetYincr(c[0]);
        EXPECT_EQ(p->GetXincr(), c[1]);
        EXPECT_EQ(p->GetYincr(), c[1]);
        EXPECT_GE(p->GetXPageIncr(), c[1]);
        EXPECT_GE(p->GetYPageIncr(), c[1]);
    }
    p->Dispose();
}

TEST_F(ScrollTest, SubpanesScrollWithTheLandscapeAndSetTheLimits) {
    BandPane* p = MakeBands(100, 100);
    APane* sub = Add(p, 300, S, 40, 500, S, 30);
    p->SetLimitsFromSubpanes();
    SInt32 pos = 0, mn = 0, mx = 0;
    p->GetXinfo(&pos, &mn, &mx);
    EXPECT_EQ(mn, 0);
    EXPECT_EQ(mx, 300 + 40 + 10);
    p->GetYinfo(&pos, &mn, &mx);
    EXPECT_EQ(mx, 500 + 30 + 10);
    const KsRect before = sub->GetBounds();
    p->Scroll(25, 40);
    const KsRect after = sub->GetBounds();
    EXPECT_EQ(after.left, before.left - 25);
    EXPECT_EQ(after.top, before.top - 40);
    LongPoint l{};
    p->WindowToLandscapePt({after.left, after.top}, &l);
    EXPECT_EQ(l, (LongPoint{300, 500}));
    KsPoint w{};
    EXPECT_FALSE(p->LandscapePtToWindowPt({INT32_MAX, 0}, &w));
    EXPECT_EQ(w.h, 32767);
    p->Dispose();
}

TEST_F(ScrollTest, PersistsInBothFormats) {
    BandPane* holder = MakeBands();
    auto* a = AScrollablePane::New(holder, 0, S, 50, 0, S, 50, RGBwhite, 1);
    a->SetXmin(-100);
    a->SetXmax(INT32_MAX);
    a->SetYmax(5000);
    a->SetXincr(9);
    a->SetYincr(11);
    a->Scroll(70, 33);
    auto same = [](AScrollablePane* x, AScrollablePane* y) {
        SInt32 v[2][6];
        for (int i = 0; i < 2; ++i) {
            AScrollablePane* p = i ? y : x;
            p->GetXinfo(&v[i][0], &v[i][1], &v[i][2]);
            p->GetYinfo(&v[i][3], &v[i][4], &v[i][5]);
        }
        return std::memcmp(v[0], v[1], sizeof v[0]) == 0 && x->GetXincr() == y->GetXincr() &&
               x->GetYincr() == y->GetYincr() && x->GetSlaveIsHoriz() == y->GetSlaveIsHoriz() &&
               y->GetScrollXOffset() == x->GetScrollXOffset();
    };

    auto* copy = static_cast<APane*>(holder->Copy());
    ASSERT_TRUE(copy->GetSubPane(1)->IsInstanceOf("AScrollablePane"));
    auto* ca = static_cast<AScrollablePane*>(copy->GetSubPane(1));
    EXPECT_TRUE(same(a, ca)); // the slave link: ScrollPartsPersistTest
    copy->Dispose();

    const std::string text = WritePaneText(holder);
    APane* back = ReadPaneText(text.data(), long(text.size()), nullptr, win);
    ASSERT_TRUE(back->GetSubPane(1)->IsInstanceOf("AScrollablePane"));
    EXPECT_TRUE(same(a, static_cast<AScrollablePane*>(back->GetSubPane(1))));
    EXPECT_EQ(WritePaneText(back), text);
    back->Dispose();
    holder->Dispose();
}
