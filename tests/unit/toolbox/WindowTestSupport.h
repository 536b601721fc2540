// A headless desktop, the virtual clock and helpers for window tests.
#pragma once

#include "KsHeadlessDesk.h"

#include <gtest/gtest.h>

#include <initializer_list>

class WindowTest : public ::testing::Test {
protected:
    static Rect R(SInt16 l, SInt16 t, SInt16 r, SInt16 b) { return Rect{t, l, b, r}; }
    static Point P(SInt16 h, SInt16 v) { return Pt(h, v); }
    static KsRgn Rgn(RgnHandle h) { return KsRgnRef(h); }
    static KsRgn Struc(WindowPtr w) { return KsRgnRef(w->strucRgn); }
    static KsRgn Cont(WindowPtr w) { return KsRgnRef(w->contRgn); }
    static KsRgn Update(WindowPtr w) { return KsRgnRef(w->updateRgn); }
    // The port's visible region made global.
    static KsRgn VisGlobal(WindowPtr w) {
        KsRgn v = KsRgnRef(w->visRgn);
        KsPoint off = KsWindowLocalOffset(w);
        v.Offset(-off.h, -off.v);
        return v;
    }
    // A visible document window, its updates already drawn (validated).
    WindowPtr Doc(Rect content, SInt16 procID = documentProc,
                  const char* title = "\x03"
                                      "Doc") {
        WindowPtr w = NewCWindow(nullptr, &content, reinterpret_cast<ConstStr255Param>(title), true,
                                 procID, reinterpret_cast<WindowPtr>(-1), true, 0);
        EXPECT_NE(w, nullptr);
        ValidateAll();
        return w;
    }
    static void ValidateAll() {
        for (WindowPtr w = KsGetWindowList(); w; w = GetNextWindow(w)) {
            BeginUpdate(w);
            EndUpdate(w);
        }
    }
    // Takes and forgets every pending event.
    static void Drain() {
        EventRecord e;
        while (GetNextEvent(everyEvent & ~updateMask, &e)) {
        }
    }
    // The next free tick for scripted input.
    long Now() {
        if (KsGetTicks() > t) t = KsGetTicks();
        return t;
    }
    // The desktop surface's pixel (0x00RRGGBB) at a global point.
    static UInt32 Px(SInt32 h, SInt32 v) { return DesktopPixel(h, v); }
    static UInt32 Rgb(const RGBColor& c) { return KsPixelOf(c) & 0xFFFFFF; }

    // Scripts a press at `from`, moves through `path`, and a release at the
    // last point, one tick apart; then takes the mouse-down event.
    void ScriptGesture(Point from, std::initializer_list<Point> path) {
        ASSERT_EQ(desk.Gesture(t, from, path).what, mouseDown);
    }

    HeadlessDesk desk;
    KsHeadlessBackend* backend = desk.backend;
    long t = KsGetTicks();
};
