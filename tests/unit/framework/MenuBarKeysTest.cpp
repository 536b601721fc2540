// F10 and Alt with a title's mnemonic open the menu bar from the event loop;
// the choice arrives as a nick, and other keys still go to the window.
#include "ApplicationTestSupport.h"
#include "KsKeyboardPrivate.h"

#include <vector>

namespace {

enum : UInt8 { kT = 0x11, kQ = 0x0C, kDown = 0x7D, kReturn = 0x24, kEsc = 0x35, kF10 = 0x6D };

class MenuBarKeysTest : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        MenuHandle tools = gBartender->CreateMenu("&Tools", 300, ABartender::kMenuInBar);
        gBartender->AppendMenuItem(tools, 2000L, "&Alpha");
        gBartender->AppendMenuItem(tools, 2001L, "&Beta");
        gBartender->SetMenuAlwaysEnabled(300, true);
        Win("a");
        Settle();
    }
    // Types the keys (the first with Alt held when `alt`) and hands the first
    // key-down to the application; the rest arrive while a menu is open.
    void Type(const std::vector<UInt8>& keys, bool alt) {
        long t = KsGetTicks();
        if (alt) {
            backend->ScriptKeyDown(t, kKsKeyOption);
            backend->ScriptKeyUp(t + 1, kKsKeyOption);
        }
        for (UInt8 k : keys) {
            backend->ScriptKeyDown(t, k);
            backend->ScriptKeyUp(t + 1, k);
            t += 3;
        }
        // A late Escape ends a menu that wrongly stays open; it must not be needed.
        const long late = t + 1000;
        backend->ScriptKeyDown(late, kEsc);
        backend->ScriptKeyUp(late + 1, kEsc);
        EventRecord e;
        ASSERT_TRUE(GetNextEvent(keyDownMask, &e));
        app->HandleEvent(&e);
        EXPECT_LT(KsGetTicks(), late);
        KsAdvanceVirtualClockToTick(late + 10);
        KsGetGlobalMouse(); // the rest of the script
        FlushEvents(everyEvent, 0);
    }
};

TEST_F(MenuBarKeysTest, KeysOpenTheBarAndChoicesArriveAsNicks) {
    const struct {
        const char* what;
        std::vector<UInt8> keys;
        bool alt;
        long nick;     // reaching the window as a menu command, or 0
        bool typedKey; // the first key reached the window as typing
    } cases[] = {
        {"Alt-T opens Tools", {kT, kDown, kReturn}, true, 2001, false},
        {"F10 opens the bar; Escape closes", {kF10, kEsc}, false, 0, false},
        {"Alt-Q: no title has Q", {kQ}, true, 0, true},
        {"T alone is typing", {kT}, false, 0, true},
    };
    for (const auto& c : cases) {
        AppLog().clear();
        Type(c.keys, c.alt);
        long nick = 0;
        bool typed = false;
        for (const AppMsg& m : AppLog()) {
            if (m.msg == wmMenuSelect) nick = m.b;
            if (m.msg == wmKeyDown) typed = true;
        }
        EXPECT_EQ(nick, c.nick) << c.what;
        EXPECT_EQ(typed, c.typedKey) << c.what;
        EXPECT_EQ(KsGetHilitedMenu(), 0) << c.what;
    }
}

} // namespace
