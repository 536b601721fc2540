// Drawing gives the caller its port back: a pane's Draw ends with the
// caller's clip, and the drag feedback's start keeps the port's colours.
#include "PaneTestSupport.h"

#include <cstring>

namespace {

constexpr RGBColor kRed{0xFFFF, 0, 0}, kBlue{0, 0, 0xFFFF};

class DrawRestoresPort : public PaneTest {
protected:
    // The window port, current, clipped to `clip`, red on blue.
    void PreparePort(const Rect& clip) {
        SetPortWindowPort(win->GetWindowPtr());
        ClipRect(&clip);
        RGBForeColor(&kRed);
        RGBBackColor(&kBlue);
    }
    void ExpectPortAsPrepared(const Rect& clip) {
        EXPECT_EQ(KsGetPort(), Port());
        EXPECT_EQ(KsRgnRef(Port()->clipRgn), KsRgn(ToKsRect(clip)));
    }
};

TEST_F(DrawRestoresPort, PaneDrawEndsWithTheCallersClip) {
    APane* p = Add(main, 10, S, 50, 10, S, 50, 1, RGBwhite);
    p->SetText("body");
    const Rect clip{0, 0, 40, 300};
    PreparePort(clip);
    p->Draw(nullptr, nullptr);
    ExpectPortAsPrepared(clip);
}

TEST_F(DrawRestoresPort, DragUpdateStartKeepsThePortsColours) {
    Add(main, 0, S, 100, 0, S, 100, 0, RGBlightblue);
    ASSERT_EQ(PostEvent(mouseDown, 0), noErr); // the cache is made while the button is down
    win->InitializeDragEvent(KsRect{0, 0, 100, 100});
    win->UseDragCache();
    ASSERT_TRUE(win->UseDragCache());
    const Rect clip{5, 5, 60, 60};
    PreparePort(clip);
    win->StartDragUpdate();
    ExpectPortAsPrepared(clip);
    EXPECT_EQ(std::memcmp(&Port()->rgbFgColor, &kRed, sizeof kRed), 0);
    EXPECT_EQ(std::memcmp(&Port()->rgbBkColor, &kBlue, sizeof kBlue), 0);
}

} // namespace
