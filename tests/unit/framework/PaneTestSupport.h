// A headless desktop with one visible framework window and its main pane,
// for pane tests.
#pragma once

#include "APane.h"
#include "AWindow.h"
#include "KsHeadlessDesk.h"
#include "QuickDraw.h"

#include <gtest/gtest.h>

#include <memory>

class PaneTest : public ::testing::Test {
protected:
    static constexpr SInt16 S = kPaneDontCare;

    void SetUp() override {
        desk = std::make_unique<HeadlessDesk>();
        win = AWindow::New("Panes", nullptr, WindowPtr(-1), 1, 0, 1, 0, 0, 0);
        ShowWindow(win->GetWindowPtr());
        SetPortWindowPort(win->GetWindowPtr());
        SizeWindow(win->GetWindowPtr(), 400, 300, false);
        win->CreateMainPane();
        main = win->GetMainPane();
        Validate();
    }
    void TearDown() override {
        if (KsIsLiveWindow(win)) win->Dispose();
        desk.reset();
    }
    APane* Add(APane* encl, SInt16 l, SInt16 r, SInt16 w, SInt16 t, SInt16 b, SInt16 h,
               SInt32 border = 0, KsRGBColor c = RGBgray8) {
        return APane::New(encl, l, r, w, t, b, h, c, border);
    }
    void Validate() {
        BeginUpdate(win->GetWindowPtr());
        EndUpdate(win->GetWindowPtr());
    }
    // The window's update region in its port's coordinates.
    KsRgn UpdateRgn() const {
        KsRgn r = KsRgnRef(win->GetWindowPtr()->updateRgn);
        const KsPoint off = KsWindowLocalOffset(win->GetWindowPtr());
        r.Offset(off.h, off.v);
        return r;
    }
    GrafPtr Port() const { return GetWindowPort(win->GetWindowPtr()); }
    // A shown window over the test window's content from local (h, v); the
    // test window's port is made current again.
    AWindow* Cover(SInt16 h, SInt16 v, SInt16 width, SInt16 height) {
        AWindow* cover = AWindow::New("Cover", nullptr, WindowPtr(-1), 1, 0, 1, 0, 0, 0);
        ShowWindow(cover->GetWindowPtr());
        SizeWindow(cover->GetWindowPtr(), width, height, false);
        SetPortWindowPort(win->GetWindowPtr());
        Point origin{0, 0};
        LocalToGlobal(&origin);
        MoveWindow(cover->GetWindowPtr(), SInt16(origin.h + h), SInt16(origin.v + v), true);
        SetPortWindowPort(win->GetWindowPtr());
        return cover;
    }
    // The window port's pixel (0x00RRGGBB) at a local point.
    UInt32 Px(SInt32 h, SInt32 v) const {
        Point pt{SInt16(v), SInt16(h)};
        LocalToGlobal(&pt);
        return DesktopPixel(pt.h, pt.v);
    }
    static UInt32 Rgb(const KsRGBColor& c) {
        return UInt32(c.red >> 8) << 16 | UInt32(c.green >> 8) << 8 | UInt32(c.blue >> 8);
    }

    AWindow* win = nullptr;
    APane* main = nullptr;
    std::unique_ptr<HeadlessDesk> desk;
};
