// Mouse tracking of the window manager: gray outlines for drags and grows, and
// the close and zoom boxes. Each loop runs on StillDown (which pumps the back
// end and sleeps between inputs) and reads the global mouse; outlines are
// drawn by exclusive-or on the desktop, so drawing one twice restores the
// pixels it covered.
#include "KsDesktop.h"
#include "KsPortSavers.h"
#include "WindowsPrivate.h"

namespace {

constexpr SInt32 kOutside = SInt32(0x80008000u);

SInt32 Pin(SInt32 x, SInt32 lo, SInt32 hiExclusive) {
    if (x > hiExclusive - 1) x = hiExclusive - 1;
    if (x < lo) x = lo;
    return x;
}

// An exclusive-or gray outline on the desktop, shown at most once at a time.
class XorOutline {
public:
    XorOutline() : st_(KsRgn(ToKsRect(KsDesktopBounds()))), scratch_(NewRgn()) {
        PenPat(&kQDGray);
        PenMode(patXor);
    }
    ~XorOutline() {
        Hide();
        DisposeRgn(scratch_);
    }
    XorOutline(const XorOutline&) = delete;
    XorOutline& operator=(const XorOutline&) = delete;

    void Show(const KsRgn& outline) {
        Hide();
        shown_ = outline;
        Flip();
        visible_ = true;
    }
    void Hide() {
        if (!visible_) return;
        Flip();
        visible_ = false;
    }

private:
    void Flip() {
        KsRgnToRgnHandle(shown_, scratch_);
        PaintRgn(scratch_);
    }
    StKsDesktopDrawing st_;
    RgnHandle scratch_;
    KsRgn shown_;
    bool visible_ = false;
};

KsRgn OutlineOf(const KsRgn& shape) {
    KsRgn inner = shape;
    inner.Inset(1, 1);
    return shape - inner;
}

} // namespace

SInt32 DragGrayRgn(RgnHandle rgn, Point startPt, const Rect* limitRect, const Rect* slopRect,
                   SInt16 axis, DragGrayRgnProcPtr actionProc) {
    if (!rgn || !KsGetDesktopPort()) return kOutside;
    // Everything in global coordinates from here on.
    KsPoint off{0, 0};
    if (GrafPtr port = KsGetPort()) {
        KsRect d = ToKsRect(KsDesktopBounds());
        off = {d.left - port->portBounds.left, d.top - port->portBounds.top};
    }
    KsRect all = ToKsRect(KsDesktopBounds());
    KsRect limit = limitRect ? ToKsRect(*limitRect).Offsetted(off.h, off.v) : all;
    KsRect slop = slopRect ? ToKsRect(*slopRect).Offsetted(off.h, off.v) : all;
    KsPoint start{startPt.h + off.h, startPt.v + off.v};
    KsRgn outline = OutlineOf(KsRgn(KsRgnRef(rgn)).Offset(off.h, off.v));

    auto deltaFor = [&](KsPoint m) {
        KsPoint d{Pin(m.h, limit.left, limit.right) - start.h,
                  Pin(m.v, limit.top, limit.bottom) - start.v};
        if (axis == hAxisOnly) d.v = 0;
        if (axis == vAxisOnly) d.h = 0;
        return d;
    };
    XorOutline xo;
    KsPoint shownAt{};
    bool shown = false;
    auto track = [&](KsPoint m) {
        bool inSlop = slop.Contains(m);
        KsPoint d = deltaFor(m);
        if (!inSlop) {
            xo.Hide();
            shown = false;
        } else if (!shown || !(d == shownAt)) {
            xo.Show(KsRgn(outline).Offset(d.h, d.v));
            shown = true;
            shownAt = d;
        }
    };
    track(ToKsPoint(KsGetGlobalMouse()));
    while (StillDown()) {
        track(ToKsPoint(KsGetGlobalMouse()));
        if (actionProc) actionProc();
    }
    KsPoint m = ToKsPoint(KsGetGlobalMouse());
    if (!slop.Contains(m)) return kOutside;
    KsPoint d = deltaFor(m);
    return SInt32((UInt32(UInt16(d.v)) << 16) | UInt16(d.h));
}

void DragWindow(WindowPtr w, Point startPt, const Rect* limitRect) {
    if (!w || !w->ks) return;
    Rect limit = limitRect ? *limitRect : KsDesktopBounds();
    SInt32 r = 0;
    {
        StPortSaver port(KsGetDesktopPort());
        r = DragGrayRgn(w->strucRgn, startPt, &limit, &limit, noConstraint, nullptr);
    }
    bool front = (KsGetModifiers() & cmdKey) == 0;
    if (r != kOutside && r != 0) {
        KsRect c = KsContentRect(w);
        MoveWindow(w, ClampToSInt16(c.left + SInt16(r & 0xFFFF)),
                   ClampToSInt16(c.top + SInt16(r >> 16)), front);
    } else if (front) {
        SelectWindow(w);
    }
}

SInt32 GrowWindow(WindowPtr w, Point startPt, const Rect* sizeRect) {
    if (!w || !w->ks || !KsGetDesktopPort()) return 0;
    KsRect limits = sizeRect ? ToKsRect(*sizeRect) : KsRect{64, 64, 32767, 32767};
    KsRect c = KsContentRect(w), s = KsStructureRect(w);
    KsPoint start = ToKsPoint(startPt);
    auto sizeFor = [&](KsPoint m) {
        KsPoint sz{c.Width() + m.h - start.h, c.Height() + m.v - start.v};
        sz.h = Pin(sz.h, limits.left, limits.right);
        sz.v = Pin(sz.v, limits.top, limits.bottom);
        if (sz.h < 0) sz.h = 0;
        if (sz.v < 0) sz.v = 0;
        return sz;
    };
    // The outline of the structure and of the content at the tracked size.
    auto outlineFor = [&](KsPoint sz) {
        KsRect nc{c.left, c.top, c.left + sz.h, c.top + sz.v};
        KsRect ns{s.left, s.top, nc.right + (s.right - c.right), nc.bottom + (s.bottom - c.bottom)};
        KsRgn o = OutlineOf(KsRgn(ns));
        o.Union(OutlineOf(KsRgn(nc)));
        return o;
    };
    KsPoint shownSize{-1, -1};
    {
        XorOutline xo;
        auto track = [&](KsPoint m) {
            KsPoint sz = sizeFor(m);
            if (sz == shownSize) return;
            xo.Show(outlineFor(sz));
            shownSize = sz;
        };
        track(ToKsPoint(KsGetGlobalMouse()));
        while (StillDown())
            track(ToKsPoint(KsGetGlobalMouse()));
    }
    KsPoint sz = sizeFor(ToKsPoint(KsGetGlobalMouse()));
    if (sz.h == c.Width() && sz.v == c.Height()) return 0;
    return SInt32((UInt32(sz.v) << 16) | UInt32(sz.h & 0xFFFF));
}

namespace {

Boolean TrackPart(WindowPtr w, Point pt, SInt16 part) {
    if (!w || !w->ks || !w->hilited) return false;
    KsRect box = part == inGoAway ? KsCloseBoxRect(w) : KsZoomBoxRect(w);
    if (box.IsEmpty()) return false;
    bool inside = box.Contains(ToKsPoint(pt));
    KsDrawBox(w, part, inside);
    while (StillDown()) {
        bool now = box.Contains(ToKsPoint(KsGetGlobalMouse()));
        if (now == inside) continue;
        inside = now;
        KsDrawBox(w, part, inside);
    }
    inside = box.Contains(ToKsPoint(KsGetGlobalMouse()));
    KsDrawBox(w, part, false);
    return inside;
}

} // namespace

Boolean TrackGoAway(WindowPtr w, Point pt) {
    return TrackPart(w, pt, inGoAway);
}

Boolean TrackBox(WindowPtr w, Point pt, SInt16 part) {
    if (part != inZoomIn && part != inZoomOut) return false;
    return TrackPart(w, pt, part);
}
