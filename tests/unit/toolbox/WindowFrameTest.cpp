// Frames: their geometry per procID, the parts FindWindow answers on each,
// and the pixels of the active and inactive looks.
#include "WindowTestSupport.h"

namespace {

class WindowFrame : public WindowTest {};

Point Centre(const KsRect& r) {
    return Point{SInt16((r.top + r.bottom) / 2), SInt16((r.left + r.right) / 2)};
}

TEST_F(WindowFrame, StructureAndContentBoxesConvertBothWays) {
    struct Case {
        SInt16 procID;
        KsRect outset; // left, top, right, bottom
    } cases[] = {{documentProc, {1, 22, 1, 1}},    {noGrowDocProc, {1, 22, 1, 1}},
                 {zoomDocProc, {1, 22, 1, 1}},     {zoomNoGrow, {1, 22, 1, 1}},
                 {movableDBoxProc, {1, 22, 1, 1}}, {dBoxProc, {3, 3, 3, 3}},
                 {plainDBox, {1, 1, 1, 1}},        {altDBoxProc, {1, 1, 3, 3}},
                 {kWindowFloatProc, {1, 16, 1, 1}}};
    for (const Case& c : cases) {
        Rect box = R(100, 100, 200, 180);
        CBoxToSBox(&box, c.procID);
        EXPECT_EQ(ToKsRect(box), (KsRect{100 - c.outset.left, 100 - c.outset.top,
                                         200 + c.outset.right, 180 + c.outset.bottom}))
            << c.procID;
        SBoxToCBox(&box, c.procID);
        EXPECT_EQ(ToKsRect(box), (KsRect{100, 100, 200, 180})) << c.procID;
    }
}

TEST_F(WindowFrame, FindWindowPartsOfDocumentWindows) {
    WindowPtr doc = Doc(R(100, 100, 300, 250), documentProc);
    WindowPtr found = nullptr;
    EXPECT_EQ(FindWindow(P(150, 150), &found), inContent);
    EXPECT_EQ(found, doc);
    EXPECT_EQ(FindWindow(Centre(KsTitleBarRect(doc)), &found), inDrag);
    EXPECT_EQ(FindWindow(Centre(KsCloseBoxRect(doc)), &found), inGoAway);
    EXPECT_EQ(FindWindow(P(299, 249), &found), inGrow);
    EXPECT_EQ(FindWindow(P(285, 235), &found), inGrow);
    EXPECT_EQ(FindWindow(P(284, 249), &found), inContent);
    EXPECT_EQ(FindWindow(P(99, 200), &found), inDrag); // the border
    EXPECT_TRUE(KsZoomBoxRect(doc).IsEmpty());
    EXPECT_EQ(FindWindow(P(500, 400), &found), inDesk);
    EXPECT_EQ(found, nullptr);
    EXPECT_EQ(FindWindow(P(150, 5), &found), inMenuBar);
    EXPECT_EQ(found, nullptr);

    // No grow box, no close box without goAway.
    Rect c = R(350, 100, 500, 200);
    WindowPtr ng = NewCWindow(nullptr, &c, nullptr, true, noGrowDocProc,
                              reinterpret_cast<WindowPtr>(-1), false, 0);
    EXPECT_EQ(FindWindow(P(499, 199), &found), inContent);
    EXPECT_TRUE(KsCloseBoxRect(ng).IsEmpty());
    EXPECT_EQ(FindWindow(P(358, 85), &found), inDrag);

    // The inactive window shows no boxes: its close box and grow box are
    // title bar and content.
    ASSERT_FALSE(doc->hilited);
    EXPECT_EQ(FindWindow(Centre(KsCloseBoxRect(doc)), &found), inDrag);
    EXPECT_EQ(FindWindow(P(299, 249), &found), inContent);
}

TEST_F(WindowFrame, FindWindowZoomPartsFollowTheZoomState) {
    WindowPtr z = Doc(R(100, 100, 300, 250), zoomDocProc);
    WindowPtr found = nullptr;
    KsRect box = KsZoomBoxRect(z);
    ASSERT_FALSE(box.IsEmpty());
    EXPECT_GT(box.left, KsContentRect(z).right - 30); // at the right end of the title bar
    EXPECT_EQ(FindWindow(Centre(box), &found), inZoomOut);
    ZoomWindow(z, inZoomOut, false);
    // The standard state: the main screen below the menu bar, 3 pixels in.
    EXPECT_EQ(KsStructureRect(z), (KsRect{3, kKsMenuBarHeight + 3, 637, 477}));
    EXPECT_EQ(Update(z), Cont(z));
    EXPECT_EQ(FindWindow(Centre(KsZoomBoxRect(z)), &found), inZoomIn);
    ZoomWindow(z, inZoomIn, false);
    EXPECT_EQ(KsContentRect(z), (KsRect{100, 100, 300, 250}));
    Rect user;
    GetWindowUserState(z, &user);
    EXPECT_EQ(ToKsRect(user), (KsRect{100, 100, 300, 250}));

    Rect c = R(350, 100, 500, 200);
    WindowPtr zng = NewCWindow(nullptr, &c, nullptr, true, zoomNoGrow,
                               reinterpret_cast<WindowPtr>(-1), true, 0);
    EXPECT_EQ(FindWindow(Centre(KsZoomBoxRect(zng)), &found), inZoomOut);
    EXPECT_EQ(FindWindow(P(499, 199), &found), inContent);
}

TEST_F(WindowFrame, FindWindowPartsOfDialogFrames) {
    WindowPtr found = nullptr;
    WindowPtr d = Doc(R(100, 100, 200, 200), dBoxProc);
    EXPECT_EQ(FindWindow(P(98, 150), &found), inContent); // the thick border: nothing to drag
    EXPECT_EQ(found, d);
    EXPECT_EQ(FindWindow(P(96, 150), &found), inDesk);
    WindowPtr plain = Doc(R(250, 100, 350, 200), plainDBox);
    EXPECT_EQ(FindWindow(P(249, 150), &found), inContent);
    EXPECT_EQ(found, plain);
    WindowPtr alt = Doc(R(400, 100, 500, 200), altDBoxProc);
    EXPECT_EQ(FindWindow(P(501, 150), &found), inContent);
    EXPECT_EQ(found, alt);
    WindowPtr mov = Doc(R(100, 300, 200, 400), movableDBoxProc);
    EXPECT_EQ(FindWindow(P(150, 290), &found), inDrag);
    EXPECT_EQ(found, mov);
    EXPECT_EQ(FindWindow(Centre(KsCloseBoxRect(mov)), &found), inGoAway);
    EXPECT_EQ(FindWindow(P(199, 399), &found), inContent); // no grow box
    WindowPtr fl = Doc(R(300, 300, 400, 400), kWindowFloatProc);
    EXPECT_EQ(FindWindow(P(350, 290), &found), inDrag);
    EXPECT_EQ(found, fl);
    // Front windows win.
    WindowPtr over = Doc(R(120, 120, 180, 180), plainDBox);
    EXPECT_EQ(FindWindow(P(150, 150), &found), inContent);
    EXPECT_EQ(found, over);
}

TEST_F(WindowFrame, ActiveAndInactiveLooks) {
    WindowPtr a = Doc(R(100, 100, 300, 250));
    const RGBColor* c = a->colors;
    ASSERT_TRUE(a->hilited);
    EXPECT_EQ(Px(99, 200), Rgb(c[kKsWinHiliteColor]));   // border
    EXPECT_EQ(Px(99, 78), Rgb(c[kKsWinHiliteColor]));    // top-left corner
    EXPECT_EQ(Px(150, 99), Rgb(c[kKsWinHiliteColor]));   // separator row
    EXPECT_EQ(Px(102, 80), Rgb(c[kKsWinTitleBarColor])); // title bar fill
    KsRect close = KsCloseBoxRect(a);
    EXPECT_EQ(Px(close.left, close.top), Rgb(c[kKsWinFrameColor])); // box outline
    EXPECT_EQ(Px(150, 150), Rgb(c[kKsWinContentColor]));
    EXPECT_EQ(Px(50, 50), Rgb(KsGetDesktopColor()));
    // The grow box's grip sits in the content's corner.
    EXPECT_EQ(Px(297, 247), Rgb(c[kKsWinFrameColor]));

    HiliteWindow(a, false);
    EXPECT_EQ(Px(99, 200), Rgb(c[kKsWinFrameColor]));
    EXPECT_NE(Px(102, 80), Rgb(c[kKsWinTitleBarColor])); // lighter
    EXPECT_EQ(Px(close.left, close.top), Px(102, 80));   // no box

    // New colours redraw the frame.
    RGBColor colors[kKsWinColorCount];
    KsGetWinColors(a, colors);
    colors[kKsWinFrameColor] = {0x1100, 0x2200, 0x3300};
    KsSetWinColors(a, colors);
    EXPECT_EQ(Px(99, 200), 0x112233u);

    // A window overlapping the menu bar draws nothing there.
    UInt32 bar = Px(300, 10);
    Doc(R(250, 15, 400, 100));
    EXPECT_EQ(Px(300, 10), bar);
}

TEST_F(WindowFrame, TitleIsDrawnCentredAndKept) {
    WindowPtr a = Doc(R(100, 100, 300, 250), documentProc, "\x05Hello");
    Str255 t;
    GetWTitle(a, t);
    EXPECT_EQ(t[0], 5);
    EXPECT_EQ(std::memcmp(t + 1, "Hello", 5), 0);
    // Text pixels appear near the middle of the bar and not at its ends.
    auto darkIn = [](SInt32 l, SInt32 r) {
        int n = 0;
        for (SInt32 h = l; h < r; ++h)
            for (SInt32 v = 80; v < 98; ++v)
                if ((Px(h, v) & 0xFF) < 0x80) ++n;
        return n;
    };
    EXPECT_GT(darkIn(170, 230), 10);
    EXPECT_EQ(darkIn(120, 150), 0);
    SetWTitle(a, nullptr);
    EXPECT_EQ(darkIn(170, 230), 0);
    unsigned char longTitle[256];
    longTitle[0] = 255;
    std::memset(longTitle + 1, 'W', 255);
    SetWTitle(a, longTitle);
    GetWTitle(a, t);
    EXPECT_EQ(t[0], 255);
    EXPECT_EQ(Px(99, 200),
              Rgb(a->colors[kKsWinHiliteColor])); // the title never spills on the border
}

} // namespace
