// F10 and Alt with a title's mnemonic open the menu bar from the event loop;
// the choice arrives as a nick, and other keys still go to the window.
#include "ApplicationTestSupport.h"
#include "KsKeyboardPrivate.h"

#include <vector>

TEST_F(AppTest, MenuBarKeysOpenTheBarAndChoicesArriveAsNicks) {
    MenuHandle tools = gBartender->CreateMenu("&Tools", 300, ABartender::kMenuInBar);
    gBartender->AppendMenuItem(tools, 2000L, "&Alpha");
    gBartender->AppendMenuItem(tools, 2001L, "&Beta");
    gBartender->SetMenuAlwaysEnabled(300, true);
    Win("a");
    Settle();
    enum : UInt8 { kT = 0x11, kQ = 0x0C, kDown = 0x7D, kReturn = 0x24, kEsc = 0x35, kF10 = 0x6D };
    const struct {
        std::vector<UInt8> keys; // the first with `modifier` held (0: none)
        UInt8 modifier;
        long nick;  // reaching the window as a menu command, or 0
        bool typed; // the first key reached the window as typing
    } cases[] = {
        {{kT, kDown, kReturn}, kKsKeyOption, 2001, false},
        {{kF10, kEsc}, 0, 0, false},
        {{kF10}, kKsKeyShift, 0, true},
        {{kQ}, kKsKeyOption, 0, true}, // no title has Q
        {{kT}, 0, 0, true},
    };
    for (const auto& c : cases) {
        long t = KsGetTicks();
        if (c.modifier) {
            backend->ScriptKeyDown(t, c.modifier);
            backend->ScriptKeyUp(t + 1, c.modifier);
        }
        for (UInt8 k : c.keys) {
            backend->ScriptKeyDown(t, k);
            backend->ScriptKeyUp(t + 1, k);
            t += 3;
        }
        // A late Escape ends a menu that wrongly stays open; it must not be needed.
        backend->ScriptKeyDown(t + 1000, kEsc);
        backend->ScriptKeyUp(t + 1001, kEsc);
        AppLog().clear();
        EventRecord e;
        ASSERT_TRUE(GetNextEvent(keyDownMask, &e));
        app->HandleEvent(&e); // the other keys arrive while the menu is open
        EXPECT_LT(KsGetTicks(), t + 1000);
        long nick = 0;
        bool typed = false;
        for (const AppMsg& m : AppLog()) {
            if (m.msg == wmMenuSelect) nick = m.b;
            typed = typed || m.msg == wmKeyDown;
        }
        EXPECT_EQ(nick, c.nick) << int(c.keys[0]);
        EXPECT_EQ(typed, c.typed) << int(c.keys[0]);
        EXPECT_EQ(KsGetHilitedMenu(), 0);
        KsAdvanceVirtualClockToTick(t + 1010);
        KsGetGlobalMouse(); // the rest of the script, then forget it
        FlushEvents(everyEvent, 0);
    }
}
