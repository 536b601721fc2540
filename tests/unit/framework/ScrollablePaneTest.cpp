// AScrollablePane: clamped scrolling, what a scroll redraws, pending updates,
// slaves, increments and persistence, with the mini panes and slave links of
// scroll panes; the scroll arithmetic against a plain 128-bit mapping.
#include "AScrollPane.h"
#include "AScrollablePane.h"
#include "CKsList.h"
#include "KsPersistRoundTrip.h"
#include "KsScrollMath.h"
#include "PaneStream.h"
#include "PaneTestSupport.h"
#include "PaneTextTestSupport.h"
#include "ScrollTestSupport.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <gtest/gtest.h>
#include <random>
#include <string>

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
    EXPECT_TRUE(same(a, ca)); // the slave link: TheSlaveLinkComesBackInEitherOrder
    copy->Dispose();

    const std::string text = WritePaneText(holder);
    APane* back = ReadPaneText(text.data(), long(text.size()), nullptr, win);
    ASSERT_TRUE(back->GetSubPane(1)->IsInstanceOf("AScrollablePane"));
    EXPECT_TRUE(same(a, static_cast<AScrollablePane*>(back->GetSubPane(1))));
    EXPECT_EQ(WritePaneText(back), text);
    back->Dispose();
    holder->Dispose();
}

namespace {

using I128 = __int128;

// Rounds num / den (den > 0) half away from zero.
I128 RoundDiv(I128 num, I128 den) {
    const I128 q = num / den, r = num % den;
    if (2 * (r < 0 ? -r : r) >= den) return q + (num < 0 ? -1 : 1);
    return q;
}

// Plain linear mapping of x from [a, b] onto [c, d].
I128 RefMap(I128 x, I128 a, I128 b, I128 c, I128 d) {
    if (a == b) return c;
    return c + RoundDiv((x - a) * (d - c), b - a);
}

SInt32 Pick(std::mt19937& rng) {
    static const SInt32 kEdges[] = {INT32_MIN, INT32_MIN + 1, -1, 0, 1, INT32_MAX - 1, INT32_MAX};
    switch (rng() % 4) {
    case 0:
        return kEdges[rng() % std::size(kEdges)];
    case 1:
        return SInt32(rng() % 2001) - 1000;
    default:
        return SInt32(rng());
    }
}

} // namespace

TEST(ScrollMath, ThumbPositionsMatchThePlainMapping) {
    std::mt19937 rng(1234);
    for (int i = 0; i < 20000; ++i) {
        SInt32 mn = Pick(rng), mx = Pick(rng);
        if (mx < mn) std::swap(mn, mx);
        const SInt32 start = SInt32(rng() % 40) - 20;
        const SInt32 track = SInt32(rng() % (i % 3 ? 2000 : 20)); // short tracks too
        const SInt32 end = start + track;
        const SInt32 visible = SInt32(rng() % 3000);
        const SInt32 thumb = KsScroll::ThumbLength(track, mn, mx, visible);
        ASSERT_LE(thumb, std::max(track, 0));
        if (track >= KsScroll::kMinThumb) {
            ASSERT_GE(thumb, KsScroll::kMinThumb);
        }
        const I128 range = I128(mx) - mn;
        if (track > 0 && range + visible > 0) {
            I128 want = I128(track) * visible / (range + visible);
            if (want < 15) want = 14;
            ASSERT_EQ(I128(thumb), std::min<I128>(want, track));
        }

        const SInt32 v = Pick(rng);
        const SInt32 pos = KsScroll::ValueToThumb(v, mn, mx, start, end, thumb);
        const I128 room = I128(end) - thumb;
        if (mn == mx || room <= start) {
            ASSERT_EQ(pos, start);
        } else {
            const I128 cv = std::clamp<I128>(v, mn, mx);
            ASSERT_EQ(I128(pos), RefMap(cv, mn, mx, start, room)) << mn << " " << mx << " " << v;
            // The thumb never passes the end of the track.
            ASSERT_LE(I128(pos) + thumb, I128(end));
        }
        const SInt32 p = start + SInt32(rng() % (track + 40)) - 20;
        const SInt32 back = KsScroll::ThumbToValue(p, mn, mx, start, end, thumb);
        ASSERT_GE(back, mn);
        ASSERT_LE(back, mx);
        if (mn != mx && room > start) {
            const I128 cp = std::clamp<I128>(p, start, room);
            ASSERT_EQ(I128(back), RefMap(cp, start, room, mn, mx));
            // Round trip: with more values than places, the value found for a
            // place puts the thumb there.
            if (range > room - start) {
                ASSERT_EQ(KsScroll::ValueToThumb(back, mn, mx, start, end, thumb), SInt32(cp));
            }
        }
    }
}

TEST(ScrollMath, RangesPagesAndStepsStayInside) {
    std::mt19937 rng(99);
    for (int i = 0; i < 20000; ++i) {
        const SInt32 mn = Pick(rng), mx = Pick(rng), visible = SInt32(rng() % 5000);
        const SInt32 smax = KsScroll::ScrollMax(mn, mx, visible);
        ASSERT_GE(smax, mn);
        const I128 extent = std::min<I128>(visible, I128(mx) - mn);
        ASSERT_EQ(I128(smax), std::max<I128>(extent > 0 ? I128(mx) - extent : I128(mx), mn));

        const SInt32 incr = Pick(rng), extentPx = Pick(rng);
        const SInt32 page = KsScroll::PageIncr(extentPx, incr);
        const I128 step = incr > 0 ? incr : 1;
        const I128 want = ((I128(extentPx) - step) / step) * step;
        ASSERT_EQ(I128(page), want > step ? std::min<I128>(want, INT32_MAX) : step);

        const SInt32 pos = Pick(rng);
        const SInt64 delta = SInt64(Pick(rng)) * (rng() % 3);
        const SInt32 d = KsScroll::SaturatedDelta(pos, delta);
        const I128 target = std::clamp<I128>(I128(pos) + delta, INT32_MIN, INT32_MAX);
        ASSERT_EQ(I128(d), std::clamp<I128>(target - pos, INT32_MIN, INT32_MAX));

        SInt32 lo = Pick(rng), hi = Pick(rng);
        if (hi < lo) std::swap(lo, hi);
        const SInt32 st = SInt32(rng() % 50);
        const SInt32 v = KsScroll::Clamp(Pick(rng), lo, hi);
        const SInt32 r = KsScroll::RoundUpToStep(v, lo, hi, st);
        if (st < 2) {
            ASSERT_EQ(r, v);
        } else {
            ASSERT_GE(r, v);
            ASSERT_LE(r, hi);
            if (r < hi) {
                ASSERT_EQ((I128(r) - lo) % st, 0);
            }
        }
    }
}

TEST(ScrollMath, ScaleHandlesMapTheirFractionOntoTheScale) {
    struct Case {
        SInt32 distance, track;
        double lo, hi, want;
    };
    const Case cases[] = {
        {0, 100, 1, 5, 1},  {50, 100, 1, 5, 3}, {100, 100, 1, 5, 5}, {150, 100, 1, 5, 5},
        {-9, 100, 1, 5, 1}, {10, 0, 1, 5, 1},   {25, 100, 8, 0, 6},
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(KsScroll::ScaleFromDistance(c.distance, c.track, c.lo, c.hi), c.want);
}

namespace {

using panetext_test::PaneTree;

APane* ThroughText(APane* p) {
    const std::string text = WritePaneText(p);
    APane* back = ReadPaneText(text.data(), long(text.size()), nullptr, nullptr);
    EXPECT_EQ(WritePaneText(back), text);
    return back;
}

std::string IDOf(APane* p) {
    char id[64] = {};
    p->GetPaneID(id, sizeof id);
    return id;
}

class ScrollPartsPersist : public PaneTest {};

TEST_F(ScrollPartsPersist, MiniPanesComeBackBesideTheirBars) {
    APane* holder = Add(main, 0, S, 300, 0, S, 200);
    AScrollPane* sp =
        AScrollPane::New(holder, 0, 0, S, 0, 0, S, RGBwhite, 1, true, true, true, RGBgray11);
    auto* content = new AScrollablePane;
    content->IScrollablePane(nullptr, 0, S, 100, 0, S, 100, RGBwhite, 0);
    sp->InstallPane(content);
    const char* ids[] = {"zoom", "page", "ruler"};
    const bool sides[] = {true, true, false};
    for (int i = 0; i < 3; ++i) {
        APane* m = APane::New(nullptr, 0, S, 40, 0, S, 40, RGBgray8, 1);
        m->SetPaneID(ids[i]);
        sp->AddMiniPane(m, sides[i]);
    }
    APane* (*const ways[])(APane*) = {ThroughObjectStream<APane>, ThroughText};
    for (APane* (*through)(APane*) : ways) {
        APane* root = through(holder);
        PaneTree hold(root);
        ASSERT_EQ(root->GetNumSubPanes(), 1);
        auto* back = static_cast<AScrollPane*>(root->GetSubPane(1));
        ASSERT_TRUE(back->IsInstanceOf("AScrollPane"));
        ASSERT_EQ(back->GetHMiniCount(), 2);
        ASSERT_EQ(back->GetVMiniCount(), 1);
        EXPECT_EQ(IDOf(back->GetMiniPanes(true)[0]), "zoom");
        EXPECT_EQ(IDOf(back->GetMiniPanes(true)[1]), "page");
        EXPECT_EQ(IDOf(back->GetMiniPanes(false)[0]), "ruler");
        EXPECT_EQ(back->GetMiniPanes(true)[1]->GetEnclPane(), back);
        EXPECT_NE(back->GetMainPane(), nullptr);
    }
}

TEST_F(ScrollPartsPersist, TheSlaveLinkComesBackInEitherOrder) {
    for (int run = 0; run < 4; ++run) {
        const bool slaveFirst = run & 1, asText = run & 2;
        SCOPED_TRACE(run);
        APane* holder = Add(main, 0, S, 300, 0, S, 200);
        AScrollablePane* panes[2];
        for (auto*& p : panes) {
            p = new AScrollablePane;
            p->IScrollablePane(holder, 0, S, 100, 0, S, 100, RGBwhite, 0);
        }
        AScrollablePane* master = panes[slaveFirst ? 1 : 0];
        AScrollablePane* slave = panes[slaveFirst ? 0 : 1];
        master->SetSlave(slave, false);
        master->SetPaneID("master");
        slave->SetPaneID("slave");
        APane* root = asText ? ThroughText(holder) : ThroughObjectStream<APane>(holder);
        PaneTree hold(root);
        auto* m = static_cast<AScrollablePane*>(root->GetSubPane(slaveFirst ? 2 : 1));
        auto* s = static_cast<AScrollablePane*>(root->GetSubPane(slaveFirst ? 1 : 2));
        EXPECT_EQ(m->GetSlave(), s);
        EXPECT_FALSE(m->GetSlaveIsHoriz());
        EXPECT_EQ(s->GetSlave(), nullptr);
        holder->Dispose();
    }
}

} // namespace
