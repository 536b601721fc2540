// Activation order, activate and update events, layers, the kind word, and
// the visible region during an update.
#include "WindowTestSupport.h"

#include <vector>

namespace {

class WindowEvents : public WindowTest {
protected:
    // The activate events waiting, in order: +window for activate, -window for
    // deactivate (by list position, 1-based, of `ws`).
    std::vector<int> Activates(std::initializer_list<WindowPtr> ws) {
        std::vector<int> out;
        EventRecord e;
        while (GetNextEvent(activMask, &e)) {
            EXPECT_EQ(e.what, activateEvt);
            int index = 0, i = 1;
            for (WindowPtr w : ws) {
                if (KsEventWindow(e) == w) index = i;
                ++i;
            }
            out.push_back((e.modifiers & activeFlag) ? index : -index);
        }
        return out;
    }
};

TEST_F(WindowEvents, ActivationFollowsTheFrontWindow) {
    WindowPtr a = Doc(R(100, 100, 300, 250));
    EXPECT_EQ(Activates({a}), (std::vector<int>{1}));
    WindowPtr b = Doc(R(200, 150, 400, 300));
    EXPECT_EQ(Activates({a, b}), (std::vector<int>{-1, 2}));
    EXPECT_FALSE(a->hilited);
    EXPECT_TRUE(b->hilited);
    SelectWindow(a);
    EXPECT_EQ(Activates({a, b}), (std::vector<int>{-2, 1}));
    EXPECT_EQ(FrontWindow(), a);
    SelectWindow(a); // already active: nothing
    EXPECT_TRUE(Activates({a, b}).empty());
    // Changes faster than the events are taken cancel out.
    SelectWindow(b);
    SelectWindow(a);
    EXPECT_TRUE(Activates({a, b}).empty());
    SelectWindow(b);
    WindowPtr c = Doc(R(300, 200, 500, 350));
    EXPECT_EQ(Activates({a, b, c}), (std::vector<int>{-1, 3}));
    // Hiding the active window activates the next one.
    HideWindow(c);
    EXPECT_EQ(Activates({a, b, c}), (std::vector<int>{-3, 2}));
    // A disposed window's pending events are forgotten.
    SelectWindow(a);
    DisposeWindow(b);
    EXPECT_EQ(Activates({a}), (std::vector<int>{1}));
    EXPECT_EQ(KsWindowFromMessage(12345), nullptr);
}

TEST_F(WindowEvents, LayersKeepTheirOrderAndSomeNeverActivate) {
    WindowPtr doc = Doc(R(100, 100, 300, 250));
    SetWindowKind(doc, SInt16(7 << 12 | 64));
    EXPECT_EQ(GetWindowKind(doc), SInt16(7 << 12 | 64)); // stored untouched
    Drain();
    Rect c = R(150, 150, 250, 220);
    WindowPtr tip = NewCWindow(nullptr, &c, nullptr, false, plainDBox,
                               reinterpret_cast<WindowPtr>(-1), false, 0);
    SetWindowKind(tip, SInt16(2 << 12 | 64));
    ShowWindow(tip);
    EXPECT_TRUE(doc->hilited); // layer 2 takes no activation
    EXPECT_FALSE(tip->hilited);
    EXPECT_TRUE(Activates({doc, tip}).empty());
    // A window of a backmost layer brought forward stays behind lower layers.
    SelectWindow(doc);
    EXPECT_EQ(KsGetWindowList(), tip);
    EXPECT_EQ(GetNextWindow(tip), doc);
    WindowPtr modal = Doc(R(120, 120, 220, 200), movableDBoxProc);
    SetWindowKind(modal, SInt16(5 << 12 | 128));
    EXPECT_EQ(KsGetWindowList(), tip);
    EXPECT_EQ(GetNextWindow(tip), modal);
    EXPECT_EQ(GetNextWindow(modal), doc);
    SendBehind(doc, tip); // kept within its layer
    EXPECT_EQ(GetNextWindow(modal), doc);
    // The whole list, hidden windows included.
    HideWindow(modal);
    int n = 0;
    for (WindowPtr w = KsGetWindowList(); w; w = GetNextWindow(w))
        ++n;
    EXPECT_EQ(n, 3);
    EXPECT_EQ(FrontWindow(), tip);
}

TEST_F(WindowEvents, UpdateEventsComeFrontToBackUntilValidated) {
    WindowPtr a = Doc(R(100, 100, 300, 250));
    WindowPtr b = Doc(R(320, 100, 500, 250));
    Drain();
    EventRecord e;
    EXPECT_FALSE(GetNextEvent(updateMask, &e));
    InvalWindowRect(a, &a->portRect);
    InvalWindowRect(b, &b->portRect);
    ASSERT_TRUE(GetNextEvent(updateMask, &e));
    EXPECT_EQ(KsEventWindow(e), b); // b is in front
    ASSERT_TRUE(GetNextEvent(updateMask, &e));
    EXPECT_EQ(KsEventWindow(e), b); // still pending: not validated
    BeginUpdate(b);
    EndUpdate(b);
    ASSERT_TRUE(GetNextEvent(updateMask, &e));
    EXPECT_EQ(KsEventWindow(e), a);
    ValidWindowRect(a, &a->portRect);
    EXPECT_FALSE(GetNextEvent(updateMask, &e));
    // Hidden windows get none.
    InvalWindowRect(a, &a->portRect);
    HideWindow(a);
    EXPECT_FALSE(GetNextEvent(updateMask, &e));
}

TEST_F(WindowEvents, BeginUpdateCutsTheVisibleRegionToTheUpdate) {
    WindowPtr a = Doc(R(100, 100, 300, 250));
    Doc(R(200, 150, 400, 300));
    KsRgn fullVis = Rgn(a->visRgn);
    Rect r = R(50, 30, 150, 80); // local; partly under b
    InvalWindowRect(a, &r);
    BeginUpdate(a);
    EXPECT_EQ(Rgn(a->visRgn), fullVis & KsRgn(KsRect{50, 30, 150, 80}));
    EXPECT_TRUE(Update(a).IsEmpty());
    // Drawing is clipped to it: paint everything, only the update changes.
    SetPortWindowPort(a);
    RGBColor red{0xFFFF, 0, 0};
    PaintRGBRect(&a->portRect, &red);
    EndUpdate(a);
    EXPECT_EQ(Rgn(a->visRgn), fullVis);
    EXPECT_EQ(Px(160, 140), 0xFF0000u);                          // inside the update
    EXPECT_EQ(Px(110, 110), Rgb(a->colors[kKsWinContentColor])); // outside it
    EXPECT_NE(Px(210, 160), 0xFF0000u);                          // under b
}

TEST_F(WindowEvents, PropertiesAndHandles) {
    Rect c = R(100, 100, 200, 200);
    WindowRecord storage;
    WindowPtr w = NewWindow(&storage, &c, nullptr, false, documentProc, nullptr, true, 77);
    ASSERT_EQ(w, &storage);
    EXPECT_EQ(GetWRefCon(w), 77);
    SetWRefCon(w, -1);
    EXPECT_EQ(GetWRefCon(w), -1);
    EXPECT_EQ(TBX_GetwPtr(w), w);
    int other = 0;
    EXPECT_EQ(TBX_GetwPtr(&other), nullptr);
    EXPECT_EQ(KsWindowOfPort(GetWindowPort(w)), w);
    EXPECT_EQ(KsWindowOfPort(KsGetDesktopPort()), nullptr);
    WindowPtr v = Doc(R(300, 100, 400, 200));
    TBX_EnableWindow(v, false, true, true);
    EXPECT_TRUE(KsIsWindowEnabled(v));
    EXPECT_FALSE(KsIsWindowEnabled(w));
    TBX_EnableWindow(v, true, true, true);
    EXPECT_TRUE(KsIsWindowEnabled(w));
    // GetMouse answers the current window's local coordinates.
    backend->ScriptMove(t + 1, 150, 120);
    EventRecord e;
    WaitNextEvent(0, &e, 5, nullptr);
    SetPortWindowPort(w);
    Point m;
    GetMouse(&m);
    EXPECT_EQ(ToKsPoint(m), (KsPoint{50, 20}));
    CloseWindow(w); // caller's storage: not freed
    EXPECT_EQ(KsGetPort(), KsGetDesktopPort());
    EXPECT_EQ(TBX_GetwPtr(&storage), nullptr);
}

} // namespace
