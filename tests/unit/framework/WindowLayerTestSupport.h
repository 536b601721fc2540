// A headless desktop, the virtual clock and window helpers for the
// window-manager shell's tests.
#pragma once

#include "AWindowState.h"
#include "KsFatal.h"
#include "KsHeadlessDesk.h"
#include "KsWindowShell.h"
#include "KsWindowShellPrivate.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

class WindowLayerTest : public ::testing::Test {
protected:
    void SetUp() override {
        gFatal.clear();
        previousFtl = FtlInstall(RecordFatal);
    }
    void TearDown() override {
        FtlInstall(previousFtl);
        FtlClearFatalError();
        KsWindowShellReset();
    }

    // A hidden window of `kind` in `layer`, content 100 by 80 at (left, top).
    static WindowPtr Make(SInt16 layer, SInt16 kind = 64, SInt16 left = 40, SInt16 top = 60) {
        Rect r{top, left, SInt16(top + 80), SInt16(left + 100)};
        WindowPtr w = NewCWindow(nullptr, &r, nullptr, false, documentProc,
                                 reinterpret_cast<WindowPtr>(-1), true, 0);
        EXPECT_NE(w, nullptr);
        KsSetWindowKind(w, kind);
        KsSetWindowLayer(w, layer);
        return w;
    }
    // The same, shown through the shell.
    static WindowPtr Shown(SInt16 layer, SInt16 kind = 64, SInt16 left = 40, SInt16 top = 60) {
        WindowPtr w = Make(layer, kind, left, top);
        KsShowWindow(w);
        return w;
    }
    // What AWindow does to show a modal window: modal kind and layer, shown,
    // selected, then the rest of the application disabled.
    static WindowPtr ShowModal(SInt16 left = 200, SInt16 top = 100) {
        WindowPtr w = Make(7, 64, left, top);
        KsEnterModalLayer(w);
        KsShowWindow(w);
        KsSelectWindow(w);
        KsTBX_EnableWindow(w, false, true, true);
        return w;
    }
    // The visible windows, front to back.
    static std::vector<WindowPtr> VisibleOrder() {
        std::vector<WindowPtr> v;
        for (WindowPtr x = KsGetWindowList(); x; x = GetNextWindow(x))
            if (x->visible) v.push_back(x);
        return v;
    }
    static std::vector<bool> Enabled(std::initializer_list<WindowPtr> ws) {
        std::vector<bool> v;
        for (WindowPtr w : ws)
            v.push_back(KsIsWindowEnabled(w));
        return v;
    }
    // Takes the queued activate events as (window, on) pairs.
    static std::vector<std::pair<WindowPtr, bool>> TakeActivates() {
        std::vector<std::pair<WindowPtr, bool>> v;
        EventRecord e;
        while (GetNextEvent(activMask, &e))
            v.emplace_back(KsEventWindow(e), (e.modifiers & activeFlag) != 0);
        return v;
    }
    static void Forget(WindowPtr w) {
        KsForgetWindow(w);
        DisposeWindow(w);
    }

    static unsigned char RecordFatal(char* message, char*, int) {
        gFatal.push_back(message);
        FtlClearFatalError();
        return false;
    }
    static inline std::vector<std::string> gFatal;

    HeadlessDesk desk;
    KsHeadlessBackend* backend = desk.backend;
    FtlHandler previousFtl = nullptr;
};
