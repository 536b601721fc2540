// Keyboard equivalents of gadgets, and gadgets that send a nick number
// through the menu bar.
#include "GadgetTestSupport.h"

namespace {

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
