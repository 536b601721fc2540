// The desktop follows the size the back end's screens take: drawn at once
// where it grew, menu bar and zoom across the new main screen, windows that
// a smaller desktop would strand moved back within reach.
#include "Menus.h"
#include "WindowTestSupport.h"

#include <algorithm>
#include <vector>

namespace {

class DesktopFollowsScreens : public WindowTest {
protected:
    // The screens become w x h at the next tick, as a user resizing the native
    // window; then one pump carries it through.
    void ResizeTo(SInt32 w, SInt32 h) {
        backend->ScriptScreens(Now() + 1, {{w, h}});
        KsAdvanceVirtualClockToTick(Now() + 1);
        KsPumpEvents();
    }
};

TEST_F(DesktopFollowsScreens, GrowthIsDrawnPresentedAndUsable) {
    // Straddles the old right edge: its part beyond 640 was never drawn.
    WindowPtr w = Doc(R(540, 100, 760, 300));
    ResizeTo(900, 700);

    EXPECT_EQ(ToKsRect(KsDesktopBounds()), (KsRect{0, 0, 900, 700}));
    // Presented, not only drawn: the native window shows no black area.
    EXPECT_EQ(backend->PixelAt(850, 650), Rgb(KsGetDesktopColor()));
    EXPECT_EQ(backend->PixelAt(880, 5), backend->PixelAt(300, 5)); // the menu bar spans it
    EXPECT_EQ(backend->PixelAt(700, 200), Rgb(w->colors[kKsWinContentColor]));
    EXPECT_TRUE(Update(w).Contains(KsPoint{700, 200})); // the host draws it next
    // The window's port reaches the new pixels.
    SetPortWindowPort(w);
    const RGBColor red{0xFFFF, 0, 0};
    const Rect local{150, 200, 160, 210}; // global (740, 250)
    RGBForeColor(&red);
    PaintRect(&local);
    EXPECT_EQ(Px(745, 255), 0xFF0000u);
    // Zooming out fills the new main screen below the menu bar.
    ZoomWindow(w, inZoomOut, false);
    EXPECT_EQ(KsStructureRect(w).right, 900 - 3);
    EXPECT_EQ(KsStructureRect(w).bottom, 700 - 3);
}

TEST_F(DesktopFollowsScreens, ShrinkingKeepsTitleBarsWithinReach) {
    struct Case {
        Rect content;
        bool moves;
    };
    const Case cases[] = {
        {R(20, 60, 200, 150), false},  // stays on the smaller desktop
        {R(200, 60, 600, 150), false}, // partly off, its title bar still reachable
        {R(450, 60, 600, 150), true},  // off to the right
        {R(40, 380, 200, 460), true},  // off below
        {R(450, 380, 600, 460), true}, // both
    };
    std::vector<WindowPtr> windows;
    for (const Case& c : cases)
        windows.push_back(Doc(c.content));
    ResizeTo(320, 240);

    const KsRect usable{0, kKsMenuBarHeight, 320, 240};
    for (std::size_t i = 0; i < windows.size(); ++i) {
        SCOPED_TRACE(i);
        const KsRect full = KsTitleBarRect(windows[i]);
        const KsRect bar = full.Intersect(usable);
        EXPECT_GE(bar.Width(), 16);
        EXPECT_GE(bar.Height(), std::min<SInt32>(16, full.Height()));
        const bool moved = KsContentRect(windows[i]) != ToKsRect(cases[i].content);
        EXPECT_EQ(moved, cases[i].moves);
    }
}

} // namespace
