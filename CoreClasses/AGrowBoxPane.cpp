#include "AGrowBoxPane.h"

#include "AStream.h"
#include "AWindow.h"
#include "AWindowPrivate.h"
#include "Cursors.h"
#include "KsColorScheme.h"
#include "KsPortSavers.h"
#include "QuickDraw.h"

namespace {
APortable* MakeGrowBoxPane() {
    return new AGrowBoxPane;
}
constexpr SInt16 S = kPaneDontCare;
// Registered with the library, so that streams and Copy find the class.
const bool kRegistered = (AGrowBoxPane::PCRegister(), true);
} // namespace

void AGrowBoxPane::PCRegister() {
    PClassAdd(kClassID, kClassInfo.name, MakeGrowBoxPane);
}

void AGrowBoxPane::IGrowBoxPane(APane* encl, bool live, short size) {
    // Right and bottom are offsets from the enclosure's right and bottom
    // edges: -1 is one pixel in (+1 would hang the box out of its enclosure).
    IPane(encl, S, -1, size, S, -1, size, RGBgray11, 1);
    growsWindow = false;
    hasGrow = live;
}

void AGrowBoxPane::SetGrowsWindow(bool on) {
    if (hasGrow) growsWindow = on;
}

// The grip: diagonal strokes in threes, the first of each light and the
// others dark, colours derived from the background so any scheme works.
void AGrowBoxPane::DrawDetail(const KsRect&, const KsRGBColor& bkgd, void*) {
    if (!hasGrow) return;
    const KsRect r = GetInterior();
    // Held at black and white: a wrapped channel would turn the grip inside
    // out on a pale or dark background.
    KsRGBColor light{}, dark{};
    GetGripColors(bkgd, &light, &dark);
    StColorPenSaver saver;
    for (SInt32 k : {0, 1, 2, 4, 5, 6, 8, 9, 10}) {
        const RGBColor c = ToRGBColor(k % 4 == 0 ? light : dark);
        RGBForeColor(&c);
        MoveTo(SInt16(r.left + k), SInt16(r.bottom));
        LineTo(SInt16(r.right), SInt16(r.top + k));
    }
}

void AGrowBoxPane::Dawdle(KsPoint pt, SInt16 modifiers, SInt32* sleep, SInt16* cursorID,
                          void* data) {
    if (!growsWindow) {
        APane::Dawdle(pt, modifiers, sleep, cursorID, data);
        return;
    }
    if (cursorID)
        *cursorID = kGrowCursorID;
    else
        SetCursorByID(kGrowCursorID);
}

// The window keeps the current event's point local during a click; the grow
// message wants it global, as the platform's grow box gives it.
void AGrowBoxPane::DoClick(KsPoint pt, SInt16 modifiers, SInt32 when, void* data) {
    AWindow* w = GetEnclWindow();
    if (!growsWindow || !w) {
        APane::DoClick(pt, modifiers, when, data);
        return;
    }
    EventRecord copy = CurrentEvent;
    LocalToGlobal(&copy.where);
    w->SendMsg(wmGrow, &copy, 0, 0);
}

void AGrowBoxPane::Put(AStream& s) {
    APane::Put(s);
    s.PutClassMark(kClassID, kVersion);
    s.PutBool("hasGrow", hasGrow);
}

void AGrowBoxPane::Get(AStream& s) {
    APane::Get(s);
    s.GetClassMark(kClassID, 1, kVersion);
    hasGrow = s.GetBool("hasGrow");
}
