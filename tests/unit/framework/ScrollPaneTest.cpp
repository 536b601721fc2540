// AScrollPane and AScrollBar driven through the application as a user would:
// scripted clicks, held arrows and page clicks on the virtual clock, thumb
// drags, the wheel and keys; the coalesced adjustment; persistence.
#include "AGrowBoxPane.h"
#include "AScrollBar.h"
#include "AScrollPane.h"
#include "ApplicationTestSupport.h"
#include "PaneStream.h"
#include "ScrollTestSupport.h"

#include <climits>

namespace {

constexpr SInt16 S = kPaneDontCare;

// A landscape whose extent changes without telling the limits procedure, as
// a table's rows do; adjustments of its scroll pane are counted.
class GrowingPane : public BandPane {
public:
    void GrowTo(SInt32 height) {
        ymax = height;
        ContentChanged();
    }
};

class CountingScrollPane : public AScrollPane {
public:
    void AdjustScrollBars() override {
        ++adjustments;
        AScrollPane::AdjustScrollBars();
    }
    int adjustments = 0;
};

class ScrollPaneTest : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        // A window that dispatches its messages (the recording ones do not).
        w = PlainWin("scroll", 40, 60, 200, 150);
        w->CreateMainPane();
        w->Resize(nullptr, nullptr, 0, 0); // the main pane takes the window's size
        sp = new CountingScrollPane;
        sp->IScrollPane(w->GetMainPane(), 0, 0, S, 0, 0, S, RGBwhite, 1, true, true, true,
                        RGBgray11);
        content = new GrowingPane;
        content->IScrollablePane(nullptr, 0, S, 100, 0, S, 100, RGBwhite, 0);
        content->SetXincr(10);
        content->SetYincr(10);
        content->SetXmax(2000);
        content->SetYmax(3000);
        sp->InstallPane(content);
        Settle();
    }
    // Local to global.
    Point G(SInt32 h, SInt32 v) const {
        Point p{SInt16(v), SInt16(h)};
        LocalToGlobal(&p);
        return p;
    }
    // A press at `at` (local), held for `ticks`, released where it was.
    void Hold(KsPoint at, long ticks) {
        long t = KsGetTicks();
        backend->ScriptPress(t + 1, G(at.h, at.v).h, G(at.h, at.v).v);
        backend->ScriptRelease(t + 1 + ticks, G(at.h, at.v).h, G(at.h, at.v).v);
        Route(mDownMask);
    }
    // A drag from `from` through `path` (local), one tick a step.
    void Drag(KsPoint from, std::initializer_list<KsPoint> path) {
        long t = KsGetTicks();
        backend->ScriptPress(++t, G(from.h, from.v).h, G(from.h, from.v).v);
        KsPoint last = from;
        for (KsPoint p : path) {
            backend->ScriptMove(++t, G(p.h, p.v).h, G(p.h, p.v).v);
            last = p;
        }
        backend->ScriptRelease(++t, G(last.h, last.v).h, G(last.h, last.v).v);
        Route(mDownMask);
    }
    // The scripted wheel events, through the application.
    void RouteWheel() {
        KsDoNothing(50);
        EventRecord e{};
        while (GetNextEvent(osMask, &e))
            app->HandleEvent(&e);
    }
    void Route(EventMask mask) {
        EventRecord e{};
        ASSERT_TRUE(WaitNextEvent(mask, &e, 10, nullptr));
        app->HandleEvent(&e);
        FlushEvents(mUpMask, 0);
    }
    SInt32 Y() const {
        SInt32 y = 0;
        content->GetYinfo(&y, nullptr, nullptr);
        return y;
    }
    SInt32 X() const {
        SInt32 x = 0;
        content->GetXinfo(&x, nullptr, nullptr);
        return x;
    }
    KsPoint Mid(const KsRect& r) const { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

    AWindow* w = nullptr;
    CountingScrollPane* sp = nullptr;
    GrowingPane* content = nullptr;
};

} // namespace

TEST_F(ScrollPaneTest, ArrowsStepAtOnceAndRepeatOnlyAfter24Ticks) {
    AScrollBar* v = sp->GetVScroll();
    ASSERT_TRUE(v->GetOwnVisible());
    struct Case {
        long hold;
        SInt32 minSteps, maxSteps;
    };
    const Case cases[] = {{2, 1, 1}, {20, 1, 1}, {60, 30, 40}};
    for (const Case& c : cases) {
        const SInt32 before = Y();
        Hold(Mid(v->GetDownButtonRect()), c.hold);
        const SInt32 steps = (Y() - before) / 10;
        EXPECT_GE(steps, c.minSteps) << c.hold;
        EXPECT_LE(steps, c.maxSteps) << c.hold;
        EXPECT_EQ(v->GetValue(), Y());
    }
    const SInt32 before = Y();
    Hold(Mid(v->GetUpButtonRect()), 2);
    EXPECT_EQ(Y(), before - 10);
}

TEST_F(ScrollPaneTest, PagingStopsWhereTheThumbReachesTheMouse) {
    AScrollBar* v = sp->GetVScroll();
    const KsRect area = v->GetThumbAreaRect();
    const KsPoint at{Mid(area).h, area.bottom - 20};
    Hold(at, 200);
    const KsRect thumb = v->GetThumbRect(v->GetValue());
    EXPECT_LE(thumb.top, at.v);
    EXPECT_GE(thumb.bottom, at.v - 1);
    EXPECT_EQ(v->GetValue(), Y());
    EXPECT_GT(Y(), 0);
    // Paging goes by the page increment: whole steps of the visible height.
    const SInt32 page = content->GetYPageIncr();
    EXPECT_EQ(Y() % page, 0);
}

TEST_F(ScrollPaneTest, ThumbDragsScrollContinuouslyOrOnceAtRelease) {
    struct Case {
        bool continuous;
        SInt32 dragStep;
    };
    for (const Case& c : {Case{true, 1}, Case{false, 1}, Case{false, 7}}) {
        auto* bar = AScrollBar::New(w->GetMainPane(), nullptr, 10, S, 16, 10, S, 120, RGBgray11, 1);
        bar->SetMinMaxVal(0, 10000000, 0);
        bar->SetThumbContinuousScroll(c.continuous);
        bar->SetDragStep(c.dragStep);
        struct Calls {
            int count = 0;
            SInt64 sum = 0;
        } calls;
        bar->SetScrollCB(
            [](SInt32 d, AScrollBar*, void* data) {
                auto* k = static_cast<Calls*>(data);
                ++k->count;
                k->sum += d;
            },
            &calls);
        const KsRect thumb = bar->GetThumbRect(0);
        const KsPoint from = Mid(thumb);
        // Out beyond the stray distance the thumb waits; back near, it follows.
        Drag(from, {{from.h, from.v + 20}, {from.h + 200, from.v + 50}, {from.h + 3, from.v + 40}});
        EXPECT_EQ(bar->GetThumbRect(bar->GetValue()).top, thumb.top + 40);
        EXPECT_EQ(calls.sum, bar->GetValue());
        if (!c.continuous) {
            EXPECT_EQ(calls.count, 1);
        }
        EXPECT_EQ(bar->GetValue() % c.dragStep, 0);
        bar->Dispose();
    }
}

TEST_F(ScrollPaneTest, TheStrayDistanceFreezesTheThumb) {
    auto* bar = AScrollBar::New(w->GetMainPane(), nullptr, 10, S, 16, 10, S, 120, RGBgray11, 1);
    bar->SetMinMaxVal(0, 1000, 0);
    const KsPoint from = Mid(bar->GetThumbRect(0));
    // Far across the bar the thumb stays where the mouse left it.
    Drag(from, {{from.h, from.v + 10}, {from.h + 200, from.v + 60}});
    EXPECT_EQ(bar->GetThumbRect(bar->GetValue()).top, bar->GetThumbRect(0).top + 10);
    bar->Dispose();
}

TEST_F(ScrollPaneTest, ScaleHandlesSetTheScale) {
    auto* bar = AScrollBar::New(w->GetMainPane(), nullptr, 10, S, 160, 10, S, 16, RGBgray11, 1);
    bar->SetMinMaxVal(0, 100, 0);
    bar->SetScale(0.5, 0.0, 1.0);
    double got = -1;
    bar->SetScaleCB([](double v, AScrollBar*, void* d) { *static_cast<double*>(d) = v; }, &got);
    const KsRect thumb = bar->GetThumbRect(0);
    KsRect part{};
    const KsPoint grip{thumb.right - 2, Mid(thumb).v};
    ASSERT_EQ(bar->FindPart(grip, &part), kSBarScaleTrailing);
    Drag(grip, {{grip.h + 30, grip.v}});
    EXPECT_GT(got, 0.5);
    EXPECT_EQ(bar->GetScaleValue(), got);
    EXPECT_GT(bar->GetThumbLength(), thumb.Width());
    bar->Dispose();
}

TEST_F(ScrollPaneTest, WheelScrollsThePaneUnderThePointer) {
    struct Case {
        float x, y;
        int repeats;
        bool shift;
        SInt32 dx, dy;
    };
    const SInt32 notch = AScrollPane::WheelNotch(10);
    const Case cases[] = {
        {0, -1, 1, false, 0, notch},     // toward the user: down
        {0, 1, 1, false, 0, -notch},     // away: up
        {0, -0.25f, 4, false, 0, notch}, // touchpad quarters add up
        {0, -1, 1, true, notch, 0},      // Shift turns it sideways
        {0.5f, 0, 2, false, notch, 0},   // a sideways wheel
    };
    const KsPoint over = Mid(content->GetInterior());
    for (const Case& c : cases) {
        content->Scroll(500 - X(), 500 - Y());
        const SInt32 x0 = X(), y0 = Y();
        if (c.shift) backend->ScriptKeyDown(KsGetTicks() + 1, 0x38);
        for (int i = 0; i < c.repeats; ++i)
            backend->ScriptWheel(KsGetTicks() + 1, G(over.h, over.v).h, G(over.h, over.v).v, c.x,
                                 c.y);
        RouteWheel();
        if (c.shift) {
            backend->ScriptKeyUp(KsGetTicks() + 1, 0x38);
            KsDoNothing(50);
            FlushEvents(everyEvent, 0);
        }
        EXPECT_EQ(X() - x0, c.dx) << c.y;
        EXPECT_EQ(Y() - y0, c.dy) << c.y;
        EXPECT_EQ(sp->GetVScroll()->GetValue(), Y());
    }
    // Outside the window nothing moves.
    const SInt32 y0 = Y();
    backend->ScriptWheel(KsGetTicks() + 1, 5, 5, 0, -1);
    RouteWheel();
    EXPECT_EQ(Y(), y0);
}

TEST_F(ScrollPaneTest, KeysPageAndReachTheEndsOfAnyLandscape) {
    struct Case {
        SInt32 ymin, ymax, start;
        SInt16 key;
        SInt64 want; // INT64_MIN: one page down from start
    };
    const Case cases[] = {
        {0, 3000, 500, AScrollPane::kKeyHome, 0},
        {INT32_MIN, INT32_MAX, 5, AScrollPane::kKeyHome, INT32_MIN},
        {INT32_MIN, INT32_MAX, -5, AScrollPane::kKeyEnd, INT64_MAX},
        {0, 3000, 500, AScrollPane::kKeyPageDown, INT64_MIN},
        {0, 3000, 500, AScrollPane::kKeyPageUp, 500 - content->GetYPageIncr()},
    };
    for (const Case& c : cases) {
        content->SetYmin(c.ymin);
        content->SetYmax(c.ymax);
        content->Scroll(0, c.start - Y());
        SInt32 mn = 0, smax = 0;
        content->GetYScrollInfo(&mn, &smax, nullptr);
        EventRecord e{};
        e.what = keyDown;
        e.message = UInt32(c.key) << 8;
        EXPECT_TRUE(sp->DoKeyDown(0, c.key, &e, nullptr));
        const SInt64 want = c.want == INT64_MAX   ? smax
                            : c.want == INT64_MIN ? c.start + content->GetYPageIncr()
                                                  : c.want;
        EXPECT_EQ(Y(), want) << c.key;
        EXPECT_EQ(sp->GetVScroll()->GetValue(), Y());
    }
}

TEST_F(ScrollPaneTest, ContentChangesAdjustTheBarsOnceAfterTheEvent) {
    sp->adjustments = 0;
    content->GrowTo(5000);
    content->GrowTo(6000);
    EXPECT_EQ(sp->adjustments, 0);
    EXPECT_TRUE(sp->GetScrollBarsDirty());
    app->HandleEvent(nullptr); // the end of an event
    EXPECT_EQ(sp->adjustments, 1);
    SInt32 mn = 0, smax = 0;
    content->GetYScrollInfo(&mn, &smax, nullptr);
    EXPECT_EQ(sp->GetVScroll()->GetMax(), smax);

    // A scroll pane disposed with an adjustment pending takes it with it.
    content->GrowTo(7000);
    sp->Dispose();
    app->HandleEvent(nullptr);
}

TEST_F(ScrollPaneTest, BarsShowOnlyWhatScrollsAndTheGrowBoxKeepsOne) {
    struct Case {
        SInt32 w, h;
        bool hShown, vShown;
    };
    const Case cases[] = {
        {2000, 3000, true, true},
        {2000, 10, true, false},
        {10, 3000, false, true},
        {10, 10, false, true}, // nothing scrolls: the vertical bar carries the grow box
    };
    for (const Case& c : cases) {
        content->SetXmax(c.w);
        content->SetYmax(c.h);
        EXPECT_EQ(sp->GetHScroll()->GetOwnVisible(), c.hShown) << c.w << "x" << c.h;
        EXPECT_EQ(sp->GetVScroll()->GetOwnVisible(), c.vShown) << c.w << "x" << c.h;
        EXPECT_TRUE(sp->GetGrowBox()->GetOwnVisible());
        const KsRect in = sp->GetInterior();
        EXPECT_EQ(content->GetBounds().right, in.right - (c.vShown ? 15 : 0));
        EXPECT_EQ(content->GetBounds().bottom, in.bottom - (c.hShown ? 15 : 0));
    }
}

TEST_F(ScrollPaneTest, ShortBarsNeverDivideOrOverrun) {
    for (SInt16 len : {1, 20, 33, 40, 46}) {
        auto* bar = AScrollBar::New(w->GetMainPane(), nullptr, 10, S, 16, 10, S, len, RGBgray11, 1);
        bar->SetMinMaxVal(INT32_MIN, INT32_MAX, INT32_MAX);
        const KsRect area = bar->GetThumbAreaRect();
        const KsRect thumb = bar->GetThumbRect(bar->GetValue());
        EXPECT_LE(thumb.bottom, std::max(area.bottom, area.top)) << len;
        EXPECT_GE(thumb.top, area.top) << len;
        EXPECT_GE(bar->FindValue({15, 10}), INT32_MIN);
        bar->SetMinMaxVal(5, 5, 5);
        EXPECT_EQ(bar->FindValue({15, 30}), 5);
        bar->Dispose();
    }
}

TEST_F(ScrollPaneTest, PersistsInBothFormatsWithPartsHookedUp) {
    content->Scroll(120, 340);
    auto* copy = static_cast<AScrollPane*>(sp->Copy());
    ASSERT_NE(copy->GetMainPane(), nullptr);
    ASSERT_NE(copy->GetVScroll(), nullptr);
    EXPECT_EQ(copy->GetVScroll()->GetControlledPane(), copy->GetMainPane());
    EXPECT_NE(copy->GetGrowBox(), nullptr);
    SInt32 y = 0;
    copy->GetMainPane()->GetYinfo(&y, nullptr, nullptr);
    EXPECT_EQ(y, 340);
    copy->GetVScroll()->DoScroll(10, true);
    copy->GetMainPane()->GetYinfo(&y, nullptr, nullptr);
    EXPECT_EQ(y, 350);
    EXPECT_EQ(Y(), 340);
    copy->Dispose();

    const std::string text = WritePaneText(sp);
    APane* back = ReadPaneText(text.data(), long(text.size()), w->GetMainPane(), w);
    ASSERT_TRUE(back->IsInstanceOf("AScrollPane"));
    auto* bsp = static_cast<AScrollPane*>(back);
    ASSERT_NE(bsp->GetMainPane(), nullptr);
    ASSERT_NE(bsp->GetHScroll(), nullptr);
    EXPECT_TRUE(bsp->GetHasGrow());
    bsp->GetMainPane()->GetYinfo(&y, nullptr, nullptr);
    EXPECT_EQ(y, 340);
    EXPECT_EQ(WritePaneText(back), text);
    back->Dispose();
}
