// AGadget: clicks, tracking, the good click and keyboard equivalents.
//
// Every path that runs host procedures does so under the standard catch:
// the gadget's look is restored before a caught error travels on.
#include "AGadget.h"

#include "AApplication.h"
#include "ABartender.h"
#include "AGadgetPrivate.h"
#include "APanePrivate.h"
#include "AWindow.h"
#include "Events.h"
#include "KsTime.h"
#include "XError.h"

#include <algorithm>

namespace {
// How long tracking sleeps between looks at the mouse.
constexpr long kTrackPollMs = 10;

KsPoint MouseNow() {
    Point m{};
    GetMouse(&m);
    return {m.h, m.v};
}
} // namespace

void AGadget::DoClick(KsPoint pt, SInt16 modifiers, SInt32 when, void* refCon) {
    if (displayOnly || !GetEnabled() || !GadInRect(GetActiveRect(), pt)) return;
    StPaneHold hold(this);
    const long deadline = KsGetTicks() + kRepeatDelay;
    HiliteGad();
    bool deliteDue = true;
    const XError err = KsTryStandard([&] {
        if (hasMenu) UpdateMenu(refCon);
        if (downClickProc) downClickProc(this, refCon);
        if (!hold.Alive()) return;
        if (hasMenu && takesMenuVal) SetMenuCheckMark(itsMenuItem);
        if (!onDownClick) {
            const bool inside = TrackGad(kTrackTimeLimit, pt, modifiers, when, refCon);
            // Tracking has restored the look either way.
            deliteDue = false;
            if (!inside) return;
        }
        for (;;) {
            DoGoodClick(pt, modifiers, when, refCon);
            if (!hold.Alive() || !GetAutoRepeats()) return;
            // The next firing: kRepeatInterval after this one, but not before
            // kRepeatDelay after the press.
            const long next = std::max(KsGetTicks() + kRepeatInterval, deadline);
            // StillDown pauses briefly on the back end between looks; its
            // last answer already covers the tick the wait ends in.
            bool down = true;
            while (down && KsGetTicks() < next)
                down = StillDown();
            if (!down || !hold.Alive() || !GetAutoRepeats()) return;
        }
    });
    if (deliteDue && hold.Alive()) DeliteGad();
    if (err.IsError()) xraisexerror(err);
}

// Past timeLimit the gadget stops following the pointer, but only a release
// inside the active rectangle makes a good click: a press that is held long
// and let go elsewhere is never taken for one.
bool AGadget::TrackGad(SInt32 timeLimit, KsPoint, SInt16, SInt32, void*) {
    const long start = KsGetTicks();
    const KsRect r = GetVisRect(GetActiveRect());
    bool inside = true;
    auto follow = [&](bool in) {
        if (in == inside) return;
        inside = in;
        if (in)
            HiliteGad();
        else
            DeliteGad();
    };
    while (StillDown()) {
        KsDoNothing(kTrackPollMs);
        if (KsGetTicks() - start >= timeLimit) continue;
        follow(GadInRect(r, MouseNow()));
        if (!inside && GetTracksInsideOnly()) return false;
    }
    follow(GadInRect(r, MouseNow()));
    if (!inside) return false;
    // A two-state gadget stays lit: DoGoodClick draws its new state.
    if (!GetIsBistate()) DeliteGad();
    return true;
}

void AGadget::DoGoodClick(KsPoint, SInt16, SInt32, void* refCon) {
    StPaneHold hold(this);
    if (GetIsBistate() && !GetGadFlag(gadLightsOnState)) SetState(!GetState(), true);
    SInt32 selection = 0, value = 0;
    if (cmdNum != 0) {
        if (gApplication) {
            gApplication->UpdateMenus();
            gApplication->BroadcastWinProc(wmUpdateMenus, &CurrentEvent, 0, 0);
        }
        if (gBartender && gBartender->IsItemEnabled(cmdNum)) {
            short item = 0, menuID = 0;
            gBartender->NickNumToMenuInfo(&item, &menuID, cmdNum);
            if (gApplication) gApplication->MenuBroadcast(CurrentEvent, menuID, cmdNum);
        }
    } else if (hasMenu) {
        DoPopupMenuClick(&selection, &value);
    }
    if (!hold.Alive()) return;
    if (upClickProc) upClickProc(this, refCon, SInt16(selection >> 16), value);
    if (!hold.Alive()) return;
    if (AWindow* w = GetEnclWindow()) w->DoGoodClick(this);
}

// Character 0 and key code 0xFF mean "no equivalent" and never match: a key
// without a character (an arrow, a function key) must not fire every
// gadget. Characters are compared as signed bytes, so 0x80 and above never
// match, as gadgets have always behaved.
bool AGadget::DoKeyDown(SInt16 charCode, SInt16 keyCode, EventRecord* event, void* refCon) {
    const bool keyMatches = itsKeyCode != 0xFF && keyCode == itsKeyCode;
    const bool charMatches = itsCharCode != 0 && SInt32(SInt8(charCode)) == SInt32(itsCharCode);
    if (!keyMatches && !charMatches) return false;
    if (!GetEnabled()) return false;
    // Without an event the key still acts where the mouse is, now.
    EventRecord now{};
    if (!event) {
        now.what = keyDown;
        now.where = KsGetGlobalMouse();
        now.modifiers = KsGetModifiers();
        now.when = UInt32(KsGetTicks());
        event = &now;
    }
    StPaneHold hold(this);
    HiliteGad();
    const XError err = KsTryStandard([&] {
        if (hasMenu) UpdateMenu(refCon);
        if (downClickProc) downClickProc(this, refCon);
        if (!hold.Alive()) return;
        if (hasMenu && takesMenuVal) SetMenuCheckMark(itsMenuItem);
        DoGoodClick({event->where.h, event->where.v}, SInt16(event->modifiers), SInt32(event->when),
                    refCon);
    });
    if (hold.Alive()) DeliteGad();
    if (err.IsError()) xraisexerror(err);
    return true;
}
