// A press on a window disabled by TBX_EnableWindow never reaches the
// application, nor its release; the menu bar, the desktop, enabled windows
// and a held mouse still take presses.
#include "WindowTestSupport.h"

#include <vector>

namespace {

using Kinds = std::vector<EventKind>;

struct PressCase {
    const char* what;
    SInt16 h, v;
    bool held;
    bool delivered;
};

} // namespace

using ClickRefusal = WindowTest;

TEST_F(ClickRefusal, OnlyWindowsThatTakeInputGetPresses) {
    Doc(R(40, 60, 240, 200)); // disabled below
    WindowPtr modal = Doc(R(300, 100, 450, 220));
    TBX_EnableWindow(modal, false, true, true);
    const PressCase cases[] = {
        {"disabled content", 100, 150, false, false},
        {"disabled title bar", 100, 50, false, false},
        {"enabled window", 350, 150, false, true},
        {"menu bar", 10, 5, false, true},
        {"desktop", 600, 400, false, true},
        {"held mouse on the disabled window", 100, 150, true, true},
    };
    for (const PressCase& c : cases) {
        SCOPED_TRACE(c.what);
        KsHoldMouse(c.held);
        const int beeps = backend->BeepCount();
        const long at = Now() + 1;
        backend->ScriptPress(at, c.h, c.v);
        backend->ScriptRelease(at + 1, c.h, c.v);
        t = at + 1;
        Kinds got;
        EventRecord e;
        while (WaitNextEvent(mDownMask | mUpMask, &e, 4, nullptr))
            got.push_back(e.what);
        EXPECT_EQ(got, c.delivered ? (Kinds{mouseDown, mouseUp}) : Kinds());
        EXPECT_EQ(backend->BeepCount() - beeps, c.delivered ? 0 : 1);
    }
}
