// Clicks, tracking, auto-repeat and the guarded click path of gadgets,
// driven through the event loop with scripted input on the virtual clock.
#include "GadgetTestSupport.h"

#include <stdexcept>

namespace {

struct TrackCase {
    const char* name;
    std::vector<std::pair<SInt32, SInt32>> path; // offsets from the centre
    long holdTicks;                              // before the release
    bool tracksInsideOnly;
    size_t fires;
    int hilites; // toggles: every press lights and unlights once at least
    void (*setUp)(AGadget*) = nullptr;
};

// Refused clicks (disabled, display-only) do nothing at all.
TEST_F(GadgetTest, TrackingFiresOnlyForAReleaseInsideAndRefusedClicksDoNothing) {
    const TrackCase cases[] = {
        {"release inside", {}, 1, false, 1, 2},
        {"release outside", {{200, 0}}, 1, false, 0, 2},
        {"out and back in", {{200, 0}, {0, 0}}, 1, false, 1, 4},
        {"edge counts as inside", {{40, 10}}, 1, false, 1, 2},
        {"inside-only ends on leaving", {{200, 0}, {0, 0}}, 1, true, 0, 2},
        {"held past the limit, released inside", {}, 1100, false, 1, 2},
        {"held past the limit, released outside", {{200, 0}}, 1100, false, 0, 2},
        {"disabled", {}, 1, false, 0, 0, [](AGadget* g) { g->Disable(); }},
        {"display-only", {}, 1, false, 0, 0, [](AGadget* g) { g->SetDisplayOnly(true); }},
    };
    for (const TrackCase& c : cases) {
        SCOPED_TRACE(c.name);
        auto* g = Add();
        g->SetTracksInsideOnly(c.tracksInsideOnly);
        if (c.setUp) c.setUp(g);
        UpClicks().clear();
        std::vector<Point> pts;
        for (auto [dh, dv] : c.path)
            pts.push_back(Global(g, dh, dv));
        Gesture(Global(g), pts, 1, c.holdTicks);
        EXPECT_EQ(UpClicks().size(), c.fires);
        EXPECT_EQ(g->hilites, c.hilites);
        g->Dispose();
    }
}

TEST_F(GadgetTest, AutoRepeatFiresAtOnceAfterTheDelayAndThenSteadily) {
    auto* g = Add();
    g->SetAutoRepeats(true);
    EXPECT_TRUE(g->GetOnDownClick());
    const long start = KsGetTicks() + 1;
    Gesture(Global(g), {}, 1, 60);
    ASSERT_GE(g->goodClickTicks.size(), 4u);
    EXPECT_EQ(g->goodClickTicks[0], start);
    EXPECT_EQ(g->goodClickTicks[1] - start, AGadget::kRepeatDelay);
    for (size_t i = 2; i < g->goodClickTicks.size(); ++i)
        EXPECT_EQ(g->goodClickTicks[i] - g->goodClickTicks[i - 1], AGadget::kRepeatInterval);
    EXPECT_LE(g->goodClickTicks.back(), start + 61);
    EXPECT_EQ(g->hilites, 2);
}

TEST_F(GadgetTest, TwoStateGadgetsToggleOnClicksAndLightOnStateGadgetsDoNot) {
    auto* two = Add(20, 20);
    two->SetIsBistate(true);
    auto* lit = Add(20, 60); // IGadget makes it light on its state
    Gesture(Global(two));
    Gesture(Global(lit));
    EXPECT_TRUE(two->GetState());
    SInt16 face = 0;
    two->GetFontSizeFace(nullptr, nullptr, &face);
    EXPECT_EQ(face, 1) << "bold when on";
    EXPECT_FALSE(lit->GetState());
    EXPECT_TRUE(lit->SetState(true, false));
    EXPECT_FALSE(lit->SetState(true, false)) << "unchanged";
    Gesture(Global(two));
    EXPECT_FALSE(two->GetState());
}

// A failing hook must not leave the gadget lit: every hook runs inside the
// guard that restores the look, and the error still reaches the caller.
TEST_F(GadgetTest, FailingHooksLeaveTheGadgetUnlit) {
    struct Case {
        const char* name;
        void (*setUp)(RecGadget*);
    } cases[] = {
        {"down-click procedure",
         [](RecGadget* g) {
             g->SetDownClickProc([](AGadget*, void*) { xraisexerror("TEST_DOWN"); });
         }},
        {"menu preparation",
         [](RecGadget* g) {
             g->MakePopupMenu("M");
             g->throwInUpdateMenu = true;
         }},
        {"up-click procedure",
         [](RecGadget* g) {
             g->SetOnDownClick(true);
             g->SetUpClickProc(
                 [](AGadget*, void*, SInt16, SInt32) { throw std::runtime_error("x"); });
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto* g = Add();
        c.setUp(g);
        const KsRect f = g->GetFrame();
        EXPECT_THROW(g->DoClick({f.left + 2, f.top + 2}, 0, 0, nullptr), XError);
        EXPECT_EQ(g->hilites % 2, 0) << "lit " << g->hilites << " times";
        EXPECT_GT(g->hilites, 0);
        g->Dispose();
    }
}

} // namespace
