// Drawing gives the caller its port back: a pane's Draw ends with the
// caller's clip, and the start of a drag update keeps the port's colours.
#include "PaneTestSupport.h"

#include <cstring>

namespace {

constexpr RGBColor kRed{0xFFFF, 0, 0}, kBlue{0, 0, 0xFFFF};
constexpr Rect kClip{5, 5, 40, 300};

// The window port current, clipped to kClip, red on blue.
void PreparePort(WindowPtr w) {
    SetPortWindowPort(w);
    ClipRect(&kClip);
    RGBForeColor(&kRed);
    RGBBackColor(&kBlue);
}

TEST_F(PaneTest, DrawEndsWithTheCallersClip) {
    APane* p = Add(main, 10, S, 50, 10, S, 50, 1, RGBwhite);
    p->SetText("body");
    PreparePort(win->GetWindowPtr());
    p->Draw(nullptr, nullptr);
    EXPECT_EQ(KsGetPort(), Port());
    EXPECT_EQ(KsRgnRef(Port()->clipRgn), KsRgn(ToKsRect(kClip)));
}

TEST_F(PaneTest, DragUpdateStartKeepsThePortsClipAndColours) {
    Add(main, 0, S, 100, 0, S, 100, 0, RGBlightblue);
    ASSERT_EQ(PostEvent(mouseDown, 0), noErr); // the cache is made while the button is down
    win->InitializeDragEvent(KsRect{0, 0, 100, 100});
    win->UseDragCache();
    ASSERT_TRUE(win->UseDragCache());
    PreparePort(win->GetWindowPtr());
    win->StartDragUpdate();
    EXPECT_EQ(KsGetPort(), Port());
    EXPECT_EQ(KsRgnRef(Port()->clipRgn), KsRgn(ToKsRect(kClip)));
    EXPECT_EQ(std::memcmp(&Port()->rgbFgColor, &kRed, sizeof kRed), 0);
    EXPECT_EQ(std::memcmp(&Port()->rgbBkColor, &kBlue, sizeof kBlue), 0);
}

} // namespace
