// ASplitablePane: the user's splits. A split bar is grabbed within
// kSplitGrab pixels of its line and follows the pointer while the button is
// down; the loop pumps the back end and sleeps between looks.
#include "ASplitablePane.h"

#include "AWindow.h"
#include "Cursors.h"
#include "Events.h"
#include "KsPortSavers.h"
#include "KsTime.h"
#include "QuickDraw.h"

namespace {
const RGBColor kBar{0x8888, 0x8888, 0x8888};

bool Near(SInt32 v, SInt32 line) {
    return v >= line - ASplitablePane::kSplitGrab && v < line + ASplitablePane::kSplitGrab;
}
} // namespace

void ASplitablePane::SetUserSplits(bool x, bool y) {
    iUserXsplit = x;
    iUserYsplit = y;
}

int ASplitablePane::SplitsAt(KsPoint pt) const {
    const KsRect in = GetInterior();
    if (!in.Contains(pt)) return 0;
    int grabbed = 0;
    if (iUserXsplit && Near(pt.h, in.left + iXsplit)) grabbed |= kGrabX;
    if (iUserYsplit && Near(pt.v, in.top + iYsplit)) grabbed |= kGrabY;
    return grabbed;
}

bool ASplitablePane::TrackSplit(KsPoint pt) {
    const int grabbed = SplitsAt(pt);
    if (!grabbed) return false;
    const KsRect in = GetInterior();
    // Within grabbing distance of the edge the split goes away.
    auto at = [](SInt32 v) { return v < kSplitGrab ? 0 : v; };
    auto follow = [&](Point m) {
        if (grabbed & kGrabX) SetXsplit(at(m.h - in.left));
        if (grabbed & kGrabY) SetYsplit(at(m.v - in.top));
        if (AWindow* w = GetEnclWindow()) w->UpdateIfNeeded();
    };
    Point last{SInt16(pt.v), SInt16(pt.h)};
    while (StillDown()) {
        Point m{};
        GetMouse(&m);
        if (m.h != last.h || m.v != last.v) {
            last = m;
            follow(m);
        }
        KsDoNothing(1);
    }
    Point m{};
    GetMouse(&m);
    follow(m);
    return true;
}

void ASplitablePane::DoClick(KsPoint pt, SInt16 modifiers, SInt32 when, void* data) {
    if (!TrackSplit(pt)) AScrollablePane::DoClick(pt, modifiers, when, data);
}

void ASplitablePane::Dawdle(KsPoint pt, SInt16 modifiers, SInt32* sleep, SInt16* cursorID,
                            void* data) {
    if (!SplitsAt(pt)) {
        AScrollablePane::Dawdle(pt, modifiers, sleep, cursorID, data);
        return;
    }
    if (cursorID)
        *cursorID = crossCursor;
    else
        SetCursorByID(crossCursor);
}

void ASplitablePane::DrawDetail(const KsRect& rect, const KsRGBColor& bkgd, void* data) {
    AScrollablePane::DrawDetail(rect, bkgd, data);
    if (iXsplit == 0 && iYsplit == 0) return;
    const KsRect in = GetInterior();
    StColorPenSaver pen;
    RGBForeColor(&kBar);
    // The bar is the frozen part's last pixel line.
    if (iXsplit > 0) {
        const SInt16 x = SInt16(in.left + iXsplit - 1);
        MoveTo(x, in.top);
        LineTo(x, SInt16(in.bottom - 1));
    }
    if (iYsplit > 0) {
        const SInt16 y = SInt16(in.top + iYsplit - 1);
        MoveTo(in.left, y);
        LineTo(SInt16(in.right - 1), y);
    }
}
