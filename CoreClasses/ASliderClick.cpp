// ASlider: clicks and dragging. Tracking follows the mouse while the button
// is down; StillDown waits on the back end between looks, so a held, still
// mouse costs nothing.
#include "ASlider.h"

#include "ASliderPrivate.h"
#include "Events.h"

#include <cstdlib>

namespace {
bool InsideInclusive(const KsRect& r, KsPoint p) {
    return p.h >= r.left && p.h <= r.right && p.v >= r.top && p.v <= r.bottom;
}

KsPoint MouseNow() {
    Point m{};
    GetMouse(&m);
    return {m.h, m.v};
}
} // namespace

void ASlider::DoClick(KsPoint pt, SInt16 modifiers, SInt32 when, void* data) {
    if (!enabled) return;
    SetFirstProcPass(true);
    const double before = value;
    ABaseSlider::DoClick(pt, modifiers, when, data);
    if (snapsBack) SetValue(before);
}

void ASlider::GotoPoint(KsPoint pt, bool flag, void* data) {
    double v = value;
    PtToValue(pt, &v, flag);
    FollowValue(v, data);
}

void ASlider::FollowValue(double v, void* data) {
    v = Clamped(v);
    if (v == value) return;
    SetValueInternal(v);
    if (!IsVisible()) return;
    {
        StSliderDrawing d(this);
        if (d.Ready()) RedrawValue();
    }
    CallTrackHook(value, data);
}

bool ASlider::TrackGad(SInt32, KsPoint pt, SInt16, SInt32, void* data) {
    KsRect thumb{};
    FindThumbRect(&thumb, value);
    SInt32 grab = 0;
    if (InsideInclusive(thumb, pt)) {
        // A click on the thumb moves nothing until the mouse has really moved.
        if (!KsMotionThreshold(KsGetGlobalMouse(), SInt16(motionThreshold))) return true;
        const SInt32 centre =
            horizontal ? (thumb.left + thumb.right) / 2 : (thumb.top + thumb.bottom) / 2;
        grab = (horizontal ? pt.h : pt.v) - centre;
        if (std::abs(grab) > (horizontal ? thumb.Width() : thumb.Height()) / 2) grab = 0;
    }
    const KsRect frame = GetFrame();
    bool first = true;
    KsPoint last = pt;
    KsPoint m = pt;
    for (;;) {
        // The release's own position counts too: a drag that ends at once
        // still lands where it was let go.
        const bool down = first || StillDown();
        if (!first) m = MouseNow();
        if (GetTracksInsideOnly() && !InsideInclusive(frame, m)) break;
        if (first || !(m == last)) {
            KsPoint p = m;
            (horizontal ? p.h : p.v) -= grab;
            const double before = value;
            const bool stepping =
                inc != 0 && (alwaysTrackInc || (KsGetModifiers() & shiftKey) != 0);
            const SInt64 hookCallsBefore = hookCalls;
            if (stepping) {
                // Toward the maximum: right, or up for a vertical slider.
                const SInt32 d = horizontal ? m.h - last.h : last.v - m.v;
                if (d != 0) {
                    StNoTrackHook quiet(this);
                    SetValue(value + (d > 0 ? inc : -inc));
                }
            } else {
                GotoPoint(p, false, data);
            }
            // One report per move: GotoPoint has already told of a change.
            if (trackHook && hookCalls == hookCallsBefore &&
                (value != before || notifyIfNotChanged))
                CallTrackHook(value, data);
        }
        first = false;
        last = m;
        if (!down) break;
    }
    return true;
}
