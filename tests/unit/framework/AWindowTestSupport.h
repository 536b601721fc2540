// A headless desktop with the virtual clock for AWindow tests, and a window
// that records the handlers it runs.
#pragma once

#include "AWindow.h"
#include "KsFatal.h"
#include "KsHeadlessDesk.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

// Records every handler call as "Name a b"; hooks let a test change a
// handler's behaviour without another subclass.
class ProbeWindow : public AWindow {
public:
    static ProbeWindow* Make(const char* title = "Probe", short procID = 0) {
        auto* w = new ProbeWindow;
        w->IWindow(title, nullptr, nullptr, 1, 1, 1, 0, 0, procID);
        return w;
    }
    std::vector<std::string> calls;
    int draws = 0;
    bool iconic = false;
    int saveResult = 1; // 1 true, 0 false, -1 throw
    int saves = 0;
    bool disposeOnClick = false;

    void Note(const char* name, long a, long b) {
        calls.push_back(std::string(name) + " " + std::to_string(a) + " " + std::to_string(b));
    }
    bool Idle(void* d, EventRecord* e, long a, long b) override {
        Note("Idle", a, b);
        return AWindow::Idle(d, e, a, b);
    }
    bool UpdateMenus(void*, EventRecord*, long a, long b) override {
        Note("UpdateMenus", a, b);
        return false;
    }
    bool Click(void* d, EventRecord* e, long a, long b) override {
        Note("Click", a, b);
        if (disposeOnClick) {
            Dispose();
            return false;
        }
        return AWindow::Click(d, e, a, b);
    }
    bool VTREEvent(void*, EventRecord*, long a, long b) override {
        Note("VTREEvent", a, b);
        return false;
    }
    bool MenuSelect(void*, EventRecord*, long a, long b) override {
        Note("MenuSelect", a, b);
        return a == 7;
    }
    bool KeyDown(void* d, EventRecord* e, long a, long b) override {
        Note("KeyDown", a, b);
        return AWindow::KeyDown(d, e, a, b);
    }
    bool Activate(void* d, EventRecord* e, long a, long b) override {
        Note("Activate", a, b);
        return AWindow::Activate(d, e, a, b);
    }
    bool Deactivate(void* d, EventRecord* e, long a, long b) override {
        Note("Deactivate", a, b);
        return AWindow::Deactivate(d, e, a, b);
    }
    bool Drag(void*, EventRecord*, long a, long b) override {
        Note("Drag", a, b);
        return false;
    }
    bool Grow(void* d, EventRecord* e, long a, long b) override {
        Note("Grow", a, b);
        return AWindow::Grow(d, e, a, b);
    }
    bool Close(void* d, EventRecord* e, long a, long b) override {
        Note("Close", a, b);
        return AWindow::Close(d, e, a, b);
    }
    bool Zoom(void*, EventRecord*, long a, long b) override {
        Note("Zoom", a, b);
        return false;
    }
    bool Resize(void* d, EventRecord* e, long a, long b) override {
        Note("Resize", a, b);
        return AWindow::Resize(d, e, a, b);
    }
    void Draw(const KsRect* r, void* d) override {
        ++draws;
        AWindow::Draw(r, d);
    }
    bool IsIconic() const override { return iconic; }
    bool SaveDoc(AFileLocator*, bool) override {
        ++saves;
        if (saveResult < 0) throw std::runtime_error("disk full");
        return saveResult == 1;
    }
    // Calls made since the last look, and forgets them.
    std::vector<std::string> Take() {
        std::vector<std::string> c;
        c.swap(calls);
        return c;
    }
};

class AWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        t = KsGetTicks();
        oldFtl = FtlInstall(CountFatal);
        fatalReports = 0;
        lastFatal.clear();
    }
    void TearDown() override {
        // Windows a test left behind go first; the registry knows them all.
        for (WindowPtr w = KsGetWindowList(); w;) {
            WindowPtr next = GetNextWindow(w);
            const SInt16 k = SInt16(GetWindowKind(w) & 0x0FFF);
            if ((k == 64 || k == 128) && GetWRefCon(w) != -1)
                if (AWindow* aw = GetWindowObj(w)) aw->Dispose();
            w = next;
        }
        FtlInstall(oldFtl);
    }
    // Fatal reports are counted and the program goes on.
    static unsigned char CountFatal(char* message, char*, int) {
        ++fatalReports;
        lastFatal = message ? message : "";
        FtlClearFatalError();
        return 0;
    }
    EventRecord Gesture(Point from, std::initializer_list<Point> path) {
        return desk.Gesture(t, from, path);
    }
    static Point P(SInt16 h, SInt16 v) { return Pt(h, v); }
    static UInt32 Px(SInt32 h, SInt32 v) { return DesktopPixel(h, v); }

    HeadlessDesk desk{1280, 800};
    KsHeadlessBackend* backend = desk.backend;
    long t = 0;
    FtlHandler oldFtl = nullptr;
    static inline int fatalReports = 0;
    static inline std::string lastFatal;
};
