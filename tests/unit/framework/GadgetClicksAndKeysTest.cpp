// Clicks, tracking, auto-repeat and the guarded click path of gadgets,
// driven through the event loop with scripted input on the virtual clock;
// key equivalents, and gadgets that send a nick number through the menu bar.
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

TEST_F(GadgetTest, KeyEquivalentsMatchOnlyRealCodes) {
    struct Case {
        const char* name;
        UInt8 gadKey;
        char gadChar;
        SInt16 charCode, keyCode;
        bool enabled;
        bool fires;
    } cases[] = {
        {"character", 0xFF, 'a', 'a', 0x00, true, true},
        {"other character", 0xFF, 'a', 'b', 0x0B, true, false},
        {"key code", 0x24, 0, 0x0D, 0x24, true, true},
        {"no character equivalent: 0 never matches", 0xFF, 0, 0, 0x7B, true, false},
        {"no key equivalent: 0xFF never matches", 0xFF, 0, 'x', 0xFF, true, false},
        {"characters from 0x80 never match", 0xFF, char(0xE9), 0xE9, 0x00, true, false},
        {"disabled", 0xFF, 'a', 'a', 0x00, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto* g = Add();
        g->SetKeyCharCode(c.gadKey, c.gadChar);
        g->SetEnabled(c.enabled);
        EventRecord e = Ev(keyDown, UInt32(c.keyCode) << 8 | UInt8(c.charCode), 5, 6, shiftKey);
        EXPECT_EQ(g->DoKeyDown(c.charCode, c.keyCode, &e, nullptr), c.fires);
        EXPECT_EQ(g->goodClickTicks.size(), c.fires ? 1u : 0u);
        EXPECT_EQ(g->hilites, c.fires ? 2 : 0);
        g->Dispose();
    }
}

TEST_F(GadgetTest, TypedCharacterReachesTheGadgetThroughTheWindow) {
    auto* g = Add();
    g->SetKeyCharCode(0xFF, 'k');
    backend->ScriptText(KsGetTicks() + 1, "k");
    KsAdvanceVirtualClockToTick(KsGetTicks() + 2);
    app->ProcessEvent(everyEvent);
    EXPECT_EQ(UpClicks().size(), 1u);
}

// Without an event record the key acts where the mouse is, with the
// modifiers and time of now.
TEST_F(GadgetTest, KeyWithoutEventUsesTheMouseAndTicksOfNow) {
    auto* g = Add();
    g->SetKeyCharCode(0xFF, 'q');
    backend->ScriptMove(KsGetTicks() + 1, 123, 234);
    KsAdvanceVirtualClockToTick(KsGetTicks() + 2);
    KsDoNothing(0);
    ASSERT_TRUE(g->DoKeyDown('q', 0x0C, nullptr, nullptr));
    EXPECT_EQ(g->lastPt, (KsPoint{123, 234}));
    EXPECT_EQ(g->lastWhen, SInt32(KsGetTicks()));
    EXPECT_EQ(UpClicks().size(), 1u);
}

class GadgetNickTest : public GadgetTest {
protected:
    static constexpr short kMenuID = 300;
    static constexpr long kNick = 4321;
    void SetUp() override {
        GadgetTest::SetUp();
        MenuHandle m = gBartender->CreateMenu("Tools", kMenuID, ABartender::kMenuInBar);
        gBartender->AppendMenuItem(m, 1000 + 99, "First");
        gBartender->AppendMenuItem(m, kNick, "Second");
        commands = new RecCommandPane;
        commands->IPane(main, 0, S, 1, 0, S, 1, RGBwhite, 0);
        commands->SetHandlesMenus(true);
        commands->SetUpdatesMenus(true);
    }
    RecCommandPane* commands = nullptr;
};

TEST_F(GadgetNickTest, EnabledCommandIsSentWithItsMenuID) {
    struct Case {
        const char* name;
        bool enabled;
        size_t sent;
    } cases[] = {{"enabled", true, 1}, {"disabled: not sent", false, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto* g = Add();
        g->SetCmdNum(kNick);
        commands->enableNick = c.enabled ? kNick : 0;
        commands->commands.clear();
        UpClicks().clear();
        Gesture(Global(g));
        ASSERT_EQ(commands->commands.size(), c.sent);
        if (c.sent) {
            EXPECT_EQ(commands->commands[0], (std::pair<SInt32, SInt32>{kMenuID, kNick}));
        }
        EXPECT_EQ(UpClicks().size(), 1u) << "the up-click procedure runs either way";
        g->Dispose();
    }
}

} // namespace
