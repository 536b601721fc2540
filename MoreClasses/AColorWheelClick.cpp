// AColorWheel and the mouse: choosing a point and dragging it, Shift for
// quarter-pixel steps.
#include "AColorWheel.h"

#include "APanePrivate.h"
#include "Cursors.h"
#include "Events.h"
#include "StPaneWindowPort.h"

#include <algorithm>
#include <cstdlib>

namespace {
constexpr double kFineStep = 0.25; // the share of mouse travel with Shift
constexpr SInt16 kDragSlop = 2;

// Shows the cursor again on every way out of a drag that hid it.
class StHiddenCursor {
public:
    void Hide() {
        if (!hidden_) HideCursor();
        hidden_ = true;
    }
    ~StHiddenCursor() {
        if (hidden_) ShowCursor();
    }

private:
    bool hidden_ = false;
};
} // namespace

// The angle follows the mouse round the centre; the radius stops at the range.
void AColorWheel::MoveActiveTo(double h, double v) {
    if (activePoint < 0 || activePoint >= numPoints) return;
    const KsPoint c = Center();
    double a = 0, r = 0;
    Geometry().OffsetToValue(h - c.h, v - c.v, &a, &r, nullptr);
    points[activePoint].angle = std::clamp(a, 0.0, angleRange);
    points[activePoint].radius = std::clamp(r, 0.0, radiusRange);
}

void AColorWheel::DoClick(KsPoint pt, SInt16 modifiers, SInt32, void*) {
    // With no points, or no room for the wheel, there is nothing to choose
    // or drag.
    if (displayOnly || numPoints == 0 || !(Geometry().R > 0.0)) return;
    StPaneHold hold(this);
    StPaneWindowPort port(this);
    const KsRect in = GetInterior();
    pt.h = std::clamp(pt.h, in.left, in.right - 1);
    pt.v = std::clamp(pt.v, in.top, in.bottom - 1);
    const SInt16 hit = HitPoint(pt);
    StHiddenCursor cursor;
    if (hit >= 0) {
        if (hit != activePoint) {
            oldActivePoint = activePoint;
            activePoint = hit;
            Changed(kCWActivePointChanged);
            if (!hold.Alive()) return;
        }
    } else {
        if (ignoreMissedClicks) return;
        SetPointActiveNoCB(0, false);
        cursor.Hide();
    }
    // The point keeps its distance from the mouse as it moves.
    const KsPoint start = PointPosition(activePoint);
    const double offH = pt.h - start.h, offV = pt.v - start.v;
    RedrawNow();

    Point g{SInt16(pt.v), SInt16(pt.h)};
    bool down = true;
    while ((down = StillDown())) {
        GetMouse(&g);
        if (std::abs(g.h - pt.h) >= kDragSlop || std::abs(g.v - pt.v) >= kDragSlop) break;
    }
    if (GetEnabled() && down) {
        HiliteGad();
        if (downClickProc) downClickProc(this, WindowRefCon());
        if (!hold.Alive()) return;
        // Fine moves scale the travel from where Shift went down.
        double anchorH = g.h - offH, anchorV = g.v - offV;
        Point anchorMouse = g;
        bool fine = false;
        Point last{-32768, -32768};
        UInt16 mods = UInt16(modifiers);
        for (;;) {
            const bool shift = (mods & kShiftKey) != 0;
            if (shift != fine) {
                const KsPoint now = PointPosition(activePoint);
                anchorH = now.h;
                anchorV = now.v;
                anchorMouse = g;
                fine = shift;
            }
            if (g.h != last.h || g.v != last.v) {
                last = g;
                const double k = fine ? kFineStep : 1.0;
                if (fine)
                    MoveActiveTo(anchorH + (g.h - anchorMouse.h) * k,
                                 anchorV + (g.v - anchorMouse.v) * k);
                else
                    MoveActiveTo(g.h - offH, g.v - offV);
                RedrawNow();
                Changed(kCWPointMoved);
                if (!hold.Alive()) return;
                firstProcPass = false;
            }
            if (!StillDown()) break;
            GetMouse(&g);
            mods = KsGetModifiers();
        }
        RedrawNow();
        if (upClickProc) upClickProc(this, WindowRefCon(), 0, 0);
        if (hold.Alive()) DeliteGad();
    } else {
        RedrawNow();
    }
}
