// A started application with one window whose main pane holds gadgets, the
// scripted gestures that drive them through the event loop, and a gadget
// that records what its hooks see.
#pragma once

#include "AGadget.h"
#include "ApplicationTestSupport.h"
#include "KsTime.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// Counts hilite toggles and records good clicks.
class RecGadget : public AGadget {
public:
    int hilites = 0;
    std::vector<long> goodClickTicks;
    KsPoint lastPt{};
    SInt16 lastModifiers = 0;
    SInt32 lastWhen = 0;
    bool throwInUpdateMenu = false;

    void HiliteGad() override { ++hilites; }
    void DoGoodClick(KsPoint pt, SInt16 modifiers, SInt32 when, void* refCon) override {
        goodClickTicks.push_back(KsGetTicks());
        lastPt = pt;
        lastModifiers = modifiers;
        lastWhen = when;
        AGadget::DoGoodClick(pt, modifiers, when, refCon);
    }
    void UpdateMenu(void* refCon) override {
        if (throwInUpdateMenu) xraisexerror("TEST_UPDATE_MENU");
        AGadget::UpdateMenu(refCon);
    }
};

// Records the commands that reach the pane tree, and enables `enableNick`
// when the menus are updated.
class RecCommandPane : public APane {
public:
    long enableNick = 0;
    std::vector<std::pair<SInt32, SInt32>> commands; // (menu ID, nick)
    void UpdateMenus(void*, EventRecord*) override {
        if (enableNick && gBartender) gBartender->MacEnableMenuItem(enableNick);
    }
    bool DoMenuSelect(SInt32 menu, SInt32 item, void*) override {
        commands.emplace_back(menu, item);
        return true;
    }
};

// What the up-click procedure received, for the procedure-pointer hooks.
struct UpClick {
    AGadget* gad;
    SInt16 menuID;
    SInt32 value;
};
inline std::vector<UpClick>& UpClicks() {
    static std::vector<UpClick> clicks;
    return clicks;
}
inline void RecordUpClick(AGadget* gad, void*, SInt16 menuID, SInt32 value) {
    UpClicks().push_back({gad, menuID, value});
}

class GadgetTest : public AppTest {
protected:
    static constexpr SInt16 S = kPaneDontCare;

    void SetUp() override {
        AppTest::SetUp();
        UpClicks().clear();
        win = PlainWin("Gadgets", 40, 60, 400, 300);
        win->CreateMainPane();
        main = win->GetMainPane();
        Settle();
    }
    // A gadget at (left, top) in the main pane, 80x20, bordered.
    template <class G = RecGadget> G* Add(SInt16 left = 20, SInt16 top = 20) {
        auto* g = new G;
        g->IGadget(main, left, S, 80, top, S, 20, RGBgray12, 1);
        g->SetUpClickProc(RecordUpClick);
        return g;
    }
    // A point of a pane's frame in global coordinates: dh, dv from its centre.
    Point Global(const APane* p, SInt32 dh = 0, SInt32 dv = 0) const {
        const KsRect f = p->GetFrame();
        Point pt{SInt16((f.top + f.bottom) / 2 + dv), SInt16((f.left + f.right) / 2 + dh)};
        SetPortWindowPort(win->GetWindowPtr());
        LocalToGlobal(&pt);
        return pt;
    }
    // Presses at `press`, then visits each point of `path` `step` ticks apart
    // and releases at the last one (at `press` when the path is empty); runs
    // one turn of the event loop, which handles the whole gesture.
    void Gesture(Point press, const std::vector<Point>& path = {}, long step = 1,
                 long holdTicks = 1) {
        long at = KsGetTicks() + 1;
        backend->ScriptPress(at, press.h, press.v);
        Point last = press;
        for (Point p : path) {
            at += step;
            backend->ScriptMove(at, p.h, p.v);
            last = p;
        }
        at += holdTicks;
        backend->ScriptRelease(at, last.h, last.v);
        KsAdvanceVirtualClockToTick(KsGetTicks() + 1);
        app->ProcessEvent(everyEvent);
        // A click that ended early leaves the rest of the gesture to come.
        while (backend->ScriptPending() > 0)
            KsDoNothing(10);
        FlushEvents(everyEvent, 0);
    }
    // A key pressed and released, taken by one turn of the event loop.
    void Key(UInt8 code) {
        backend->ScriptKeyDown(KsGetTicks() + 1, code);
        backend->ScriptKeyUp(KsGetTicks() + 2, code);
        KsAdvanceVirtualClockToTick(KsGetTicks() + 3);
        app->ProcessEvent(everyEvent);
        FlushEvents(everyEvent, 0);
    }

    AWindow* win = nullptr;
    APane* main = nullptr;
};
