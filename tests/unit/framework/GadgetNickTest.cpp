// Gadgets that send a nick number through the menu bar.
#include "GadgetTestSupport.h"

namespace {

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
