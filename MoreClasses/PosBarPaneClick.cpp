// PosBarPane and the mouse: clicks and drags of the position, Option-drags of
// the marks, and the mark cursor.
#include "PosBarPane.h"

#include "APanePrivate.h"
#include "Cursors.h"
#include "Events.h"
#include "StPaneWindowPort.h"

#include <algorithm>
#include <cstdlib>

SInt16 PosBarPane::MarkAt(KsPoint pt) const {
    for (SInt16 kind : {kInMark2, kOutMark2, kInMark, kOutMark}) {
        const KsRect r = GetMarkRect(kind);
        if (!r.IsEmpty() && pt.h >= r.left && pt.h < r.right && pt.v >= r.top && pt.v < r.bottom)
            return kind;
    }
    return -1;
}

void PosBarPane::DoPosCallback(SInt32 pos) {
    if (posCallback) posCallback(pos, posCallbackData);
    // The callback may draw elsewhere; the bar goes on in its own window.
    if (AWindow* w = GetEnclWindow(); w && w->GetWindowPtr()) SetPortWindowPort(w->GetWindowPtr());
}

bool PosBarPane::DragMark(SInt16 kind, KsPoint pt) {
    (void)GetMark(kind); // an unknown kind raises before anything moves
    StPaneWindowPort port(this);
    bool moved = false;
    SInt16 lastH = SInt16(pt.h);
    while (StillDown()) {
        Point g{};
        GetMouse(&g);
        if (g.h == lastH) continue;
        lastH = g.h;
        const SInt32 old = GetMark(kind);
        const SInt32 pos = XToPos(g.h);
        if (pos == old) continue;
        SetMark(pos, kind);
        // Second marks only invalidate when set; a drag wants them shown now.
        RefreshNow(MarkRectAt(kind, old).Union(GetMarkRect(kind)));
        moved = true;
    }
    return moved;
}

void PosBarPane::DoClick(KsPoint pt, SInt16 modifiers, SInt32, void*) {
    if (GetDisplayOnly()) return;
    StPaneHold hold(this); // the callback may dispose of the bar
    StPaneWindowPort port(this);
    const SInt16 hit = MarkAt(pt);
    if (hit >= 0 && (modifiers & kOptionKey) && DragMark(hit, pt)) return;
    SInt32 pos = XToPos(pt.h);
    if (hit >= 0) {
        const SInt32 m = GetMark(hit);
        // An out mark names the first frame after the clip: the position goes
        // to the clip's last frame, never before frame 0.
        pos = hit == kOutMark || hit == kOutMark2 ? std::max<SInt32>(0, m - 1) : m;
    }
    HiliteBlueBar(true);
    SInt32 reported = kNoPos;
    auto follow = [&](SInt32 p) {
        UpdatePos(p);
        if (curPos != reported) {
            reported = curPos;
            DoPosCallback(curPos);
        }
    };
    follow(pos);
    if (!hold.Alive()) return;
    bool moving = !waitsForMove;
    SInt16 lastH = SInt16(pt.h);
    while (StillDown()) {
        Point g{};
        GetMouse(&g);
        if (!moving) {
            if (std::abs(g.h - pt.h) < moveSlop) continue;
            moving = true;
        }
        if (g.h == lastH) continue;
        lastH = g.h;
        follow(XToPos(g.h));
        if (!hold.Alive()) return;
    }
    HiliteBlueBar(false);
}

void PosBarPane::Dawdle(KsPoint pt, SInt16 modifiers, SInt32* sleep, SInt16* cursorID, void* data) {
    if (GetDisplayOnly() || !(modifiers & kOptionKey) || MarkAt(pt) < 0) {
        APane::Dawdle(pt, modifiers, sleep, cursorID, data);
        return;
    }
    if (cursorID)
        *cursorID = kMarkCursorID;
    else
        SetCursorByID(kMarkCursorID);
}
