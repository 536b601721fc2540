// ADividerPane, ADividerPaneH and ADividerPaneV: the bars between divisions,
// their cursors and their drags.
#include "ADividerPane.h"

#include "ADividedPane.h"
#include "Cursors.h"
#include "KsFatal.h"
#include "QuickDraw.h"
#include "Windows.h"

#include <algorithm>

namespace {
constexpr SInt16 S = kPaneDontCare;
constexpr SInt16 kBar = SInt16(ADividedPane::kDividerSize);
constexpr SInt32 kDividerBorder = 3;
} // namespace

ADividerPaneH* ADividerPaneH::New(ADividedPane* parent, UInt16 which) {
    FtlAssert((parent) != 0);
    FtlAssert(which < (ADP_MAX_DIVISIONS - 1));
    auto* d = new ADividerPaneH;
    try {
        d->IPane(parent, 0, 0, S, 0, S, kBar, RGBgray11, kDividerBorder);
        d->IDividerPane(parent, which);
    } catch (...) {
        d->Dispose();
        throw;
    }
    return d;
}

ADividerPaneV* ADividerPaneV::New(ADividedPane* parent, UInt16 which) {
    FtlAssert((parent) != 0);
    FtlAssert(which < (ADP_MAX_DIVISIONS - 1));
    auto* d = new ADividerPaneV;
    try {
        d->IPane(parent, 0, S, kBar, 0, 0, S, RGBgray11, kDividerBorder);
        d->IDividerPane(parent, which);
    } catch (...) {
        d->Dispose();
        throw;
    }
    return d;
}

void ADividerPane::IDividerPane(ADividedPane* parent, UInt16 which) {
    itsDividedPane = parent;
    index = which;
}

bool ADividerPane::IsHorizontal() const {
    return IsInstanceOf("ADividerPaneH");
}

SInt32 ADividerPane::GetPos() const {
    if (!itsDividedPane) return 0;
    const KsRect b = GetBounds(), p = itsDividedPane->GetBounds();
    return IsHorizontal() ? b.top - p.top : b.left - p.left;
}

void ADividerPane::SetPos(SInt32 pos) {
    if (!itsDividedPane || index + 1 >= itsDividedPane->GetDivisionCount()) return;
    SInt32 lo = 0, hi = 0;
    itsDividedPane->GetDividerLimits(index, &lo, &hi);
    MoveDivider(std::clamp(pos - GetPos(), lo, hi));
}

void ADividerPane::MoveDivider(SInt32 delta) {
    ADividedPane* dp = itsDividedPane;
    if (!dp || delta == 0 || index + 1 >= dp->GetDivisionCount()) return;
    APane* upper = dp->GetDivision(index).pane;
    APane* lower = dp->GetDivision(UInt16(index + 1)).pane;
    // Never past either neighbour: a size below zero has no meaning.
    if (upper)
        delta = std::max(delta, -SInt32(IsHorizontal() ? upper->GetHeight() : upper->GetWidth()));
    if (lower)
        delta = std::min(delta, SInt32(IsHorizontal() ? lower->GetHeight() : lower->GetWidth()));
    if (delta == 0) return;
    const bool h = IsHorizontal();
    MovePane(h ? 0 : delta, h ? delta : 0);
    if (upper) {
        if (h)
            upper->Resize(S, SInt16(upper->GetHeight() + delta));
        else
            upper->Resize(SInt16(upper->GetWidth() + delta), S);
    }
    if (lower) {
        lower->MovePane(h ? 0 : delta, h ? delta : 0);
        if (h)
            lower->Resize(S, SInt16(lower->GetHeight() - delta));
        else
            lower->Resize(SInt16(lower->GetWidth() - delta), S);
    }
}

void ADividerPane::Dawdle(KsPoint pt, SInt16 modifiers, SInt32* sleep, SInt16* cursorID,
                          void* data) {
    const KsRect b = GetBounds();
    const bool h = IsHorizontal();
    const bool over =
        h ? pt.h >= b.left && pt.h <= b.right && pt.v >= b.bottom - 4 && pt.v <= b.bottom
          : pt.v >= b.top && pt.v <= b.bottom && pt.h >= b.right - 4 && pt.h <= b.right;
    if (!over) {
        APane::Dawdle(pt, modifiers, sleep, cursorID, data);
        return;
    }
    const SInt16 id = h ? kCursorH : kCursorV;
    if (cursorID)
        *cursorID = id;
    else
        SetCursorByID(id);
}

// Drags a 2-pixel line ending 3 pixels short of the divider's far edge, held
// to the layout axis and to the room both neighbours leave above their
// minimum sizes.
void ADividerPane::DoClick(KsPoint pt, SInt16 modifiers, SInt32 when, void* data) {
    ADividedPane* dp = itsDividedPane;
    if (!dp || index + 1 >= dp->GetDivisionCount()) {
        APane::DoClick(pt, modifiers, when, data);
        return;
    }
    SInt32 lo = 0, hi = 0;
    dp->GetDividerLimits(index, &lo, &hi);
    const bool h = IsHorizontal();
    const KsRect b = GetBounds(), in = dp->GetInterior();
    const KsRect line = h ? KsRect{b.left, b.bottom - 5, b.right, b.bottom - 3}
                          : KsRect{b.right - 5, b.top, b.right - 3, b.bottom};
    const KsRect limit = h ? KsRect{in.left, pt.v + lo, in.right, pt.v + hi + 1}
                           : KsRect{pt.h + lo, in.top, pt.h + hi + 1, in.bottom};
    RgnHandle rgn = NewRgn();
    const Rect lr = ToRect(line), limr = ToRect(limit), slop = ToRect(in);
    RectRgn(rgn, &lr);
    const Point start{SInt16(pt.v), SInt16(pt.h)};
    const SInt32 moved = DragGrayRgn(rgn, start, &limr, &slop, h ? vAxisOnly : hAxisOnly, nullptr);
    DisposeRgn(rgn);
    if (moved != kKsDragOutside) {
        const SInt32 delta = h ? SInt16(UInt32(moved) >> 16) : SInt16(moved & 0xFFFF);
        MoveDivider(std::clamp(delta, lo, hi));
    }
    Inval();
}
