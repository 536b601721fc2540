// AScrollBar: following a click on an arrow, the track, the thumb or a scale
// handle until the button comes up.
#include "AScrollBar.h"

#include "Events.h"
#include "KsScrollMath.h"
#include "KsTime.h"

#include <cstdlib>

namespace {
bool InsideInclusive(const KsRect& r, KsPoint p) {
    return p.h >= r.left && p.h <= r.right && p.v >= r.top && p.v <= r.bottom;
}

// Ends the tracked part's highlight however the click ends.
class StTrackedPart {
public:
    explicit StTrackedPart(AScrollBar* bar) : bar_(bar) {}
    ~StTrackedPart() { bar_->DeliteGad(); }
    StTrackedPart(const StTrackedPart&) = delete;
    StTrackedPart& operator=(const StTrackedPart&) = delete;

private:
    AScrollBar* bar_;
};
} // namespace

void AScrollBar::DoClick(KsPoint pt, SInt16 modifiers, SInt32 when, void*) {
    if (displayOnly || !GetEnabled() || !scrollEnabled) return;
    KsRect partRect{};
    const SInt16 part = FindPart(pt, &partRect);
    if (part == kSBarNoPart) return;
    trackPart = part;
    const SInt32 startValue = value;
    const long start = KsGetTicks();
    const SInt32 thumbStart = ValueToPoint(value);
    switch (part) {
    case kSBarThumb:
    case kSBarScaleLeading:
        grabOffset = Along(pt) - thumbStart;
        break;
    case kSBarScaleTrailing:
        grabOffset = Along(pt) - (thumbStart + thumbLength);
        break;
    default:
        grabOffset = 0;
        break;
    }
    void* refCon = WindowRefCon();
    {
        HiliteGad();
        StTrackedPart lit(this);
        if (downClickProc) downClickProc(this, refCon);

        const KsRect in = GetInterior();
        const SInt32 middle = vertical ? (in.left + in.right) / 2 : (in.top + in.bottom) / 2;
        const SInt32 halfWidth = (vertical ? in.Width() : in.Height()) / 2;
        bool inside = true;
        bool first = true;
        KsPoint last = pt;
        KsPoint m = pt;
        for (;;) {
            const bool repeatDue = first || KsGetTicks() - start >= kRepeatDelay;
            switch (part) {
            case kSBarUpButton:
            case kSBarDownButton: {
                const bool nowInside = InsideInclusive(partRect, m);
                if (nowInside != inside) {
                    inside = nowInside;
                    Relight(part, nowInside);
                }
                if (nowInside && repeatDue) DoGoodClick(m, modifiers, when, refCon);
                break;
            }
            case kSBarPageUp:
            case kSBarPageDown:
                if (repeatDue) DoGoodClick(m, modifiers, when, refCon);
                break;
            default:
                // The thumb and the handles follow only a mouse that moved and
                // stays near the bar; farther away they wait where they are.
                if ((m.h != last.h || m.v != last.v) &&
                    std::abs(Across(m) - middle) <= halfWidth + strayDistance) {
                    last = m;
                    DoGoodClick(m, modifiers, when, refCon);
                }
                break;
            }
            first = false;
            if (!StillDown()) break;
            Point g{};
            GetMouse(&g);
            m = {g.h, g.v};
        }

        if (part == kSBarThumb) {
            const SInt32 rounded = KsScroll::RoundUpToStep(value, minValue, maxValue, dragStep);
            if (rounded != value)
                DoScroll(KsScroll::SaturatedDelta(value, SInt64(rounded) - value), thumbContinuous);
            if (value != startValue && !thumbContinuous && scrollProc)
                scrollProc(KsScroll::SaturatedDelta(startValue, SInt64(value) - startValue), this,
                           scrollData);
        }
        if (upClickProc) upClickProc(this, refCon, 0, 0);
    }
    trackPart = kSBarNoPart;
}

void AScrollBar::DoGoodClick(KsPoint pt, SInt16, SInt32, void*) {
    switch (trackPart) {
    case kSBarUpButton:
        DoScroll(-step, true);
        break;
    case kSBarDownButton:
        DoScroll(step, true);
        break;
    case kSBarPageUp:
        // Paging stops once the thumb has reached the mouse.
        if (value > FindValue(pt)) DoScroll(-pageStep, true);
        break;
    case kSBarPageDown: {
        KsPoint farEdge = pt;
        (vertical ? farEdge.v : farEdge.h) -= thumbLength;
        if (value < FindValue(farEdge)) DoScroll(pageStep, true);
        break;
    }
    case kSBarThumb: {
        KsPoint q = pt;
        (vertical ? q.v : q.h) -= grabOffset;
        const SInt32 target = FindValue(q);
        DoScroll(KsScroll::SaturatedDelta(value, SInt64(target) - value), thumbContinuous);
        break;
    }
    case kSBarScaleLeading:
    case kSBarScaleTrailing: {
        KsPoint q = pt;
        (vertical ? q.v : q.h) -= grabOffset;
        DoScale(FindScale(q, trackPart), true);
        break;
    }
    default:
        break;
    }
}

// ---------------------------------------------------------------------------
// Highlighting: the tracked part is drawn lit.

void AScrollBar::HiliteGad() {
    Relight(trackPart, true);
}

void AScrollBar::DeliteGad() {
    if (litPart != kSBarNoPart) Relight(litPart, false);
}

void AScrollBar::Relight(SInt16 part, bool on) {
    const SInt16 want = on ? part : kSBarNoPart;
    if (want == litPart) return;
    const SInt16 old = litPart;
    litPart = want;
    for (SInt16 p : {old, want}) {
        if (p == kSBarUpButton || p == kSBarDownButton)
            DrawButton(p);
        else if (p != kSBarNoPart)
            RedrawThumbArea();
    }
}

void AScrollBar::HiliteThumb() {
    Relight(kSBarThumb, true);
}
void AScrollBar::HiliteUpScale() {
    Relight(kSBarScaleLeading, true);
}
void AScrollBar::HiliteDownScale() {
    Relight(kSBarScaleTrailing, true);
}
void AScrollBar::DeliteUpScale() {
    if (litPart == kSBarScaleLeading) Relight(kSBarScaleLeading, false);
}
void AScrollBar::DeliteDownScale() {
    if (litPart == kSBarScaleTrailing) Relight(kSBarScaleTrailing, false);
}
void AScrollBar::HiliteUpButton() {
    Relight(kSBarUpButton, true);
}
void AScrollBar::HiliteDownButton() {
    Relight(kSBarDownButton, true);
}
void AScrollBar::DeliteUpButton() {
    if (litPart == kSBarUpButton) Relight(kSBarUpButton, false);
}
void AScrollBar::DeliteDownButton() {
    if (litPart == kSBarDownButton) Relight(kSBarDownButton, false);
}
