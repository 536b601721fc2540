// AScrollablePane: landscape state, conversions and Scroll. Persistence lives
// in AScrollablePaneStream.cpp.
#include "AScrollablePane.h"

#include "AWindow.h"
#include "KsPortSavers.h"
#include "KsScrollMath.h"
#include "QuickDraw.h"
#include "Windows.h"

#include <algorithm>

namespace {
SInt32 Sat(SInt64 v) {
    return SInt32(std::clamp<SInt64>(v, INT32_MIN, INT32_MAX));
}
// Pixel moves beyond the drawing space uncover everything anyway.
SInt16 PixelDelta(SInt64 d) {
    return SInt16(std::clamp<SInt64>(d, -32767, 32767));
}
} // namespace

AScrollablePane* AScrollablePane::New(APane* encl, SInt16 left, SInt16 right, SInt16 wid,
                                      SInt16 top, SInt16 bot, SInt16 hei,
                                      const KsRGBColor& bkgdColor, SInt32 border) {
    auto* p = new AScrollablePane;
    try {
        p->IScrollablePane(encl, left, right, wid, top, bot, hei, bkgdColor, border);
    } catch (...) {
        p->Dispose();
        throw;
    }
    return p;
}

AScrollablePane::AScrollablePane() : iUncovered(NewRgn()) {}

AScrollablePane::~AScrollablePane() {
    if (iUncovered) DisposeRgn(iUncovered);
}

void AScrollablePane::IScrollablePane(APane* encl, SInt16 left, SInt16 right, SInt16 wid,
                                      SInt16 top, SInt16 bot, SInt16 hei,
                                      const KsRGBColor& bkgdColor, SInt32 borderStyle) {
    IPane(encl, left, right, wid, top, bot, hei, bkgdColor, borderStyle);
    const KsRect in = GetInterior();
    xmax = in.Width();
    ymax = in.Height();
}

void AScrollablePane::Dispose() {
    ForgetPartners();
    APane::Dispose();
}

void AScrollablePane::ForgetPartners() {
    if (itsSlave && itsSlave->itsMaster == this) itsSlave->itsMaster = nullptr;
    itsSlave = nullptr;
    if (itsMaster && itsMaster->itsSlave == this) itsMaster->itsSlave = nullptr;
    itsMaster = nullptr;
}

// ---------------------------------------------------------------------------
// Range and position

void AScrollablePane::GetXScrollInfo(SInt32* min, SInt32* max, SInt32* pos) const {
    if (min) *min = xmin;
    if (max) *max = KsScroll::ScrollMax(xmin, xmax, GetScrollableRect().Width());
    if (pos) *pos = xpos;
}

void AScrollablePane::GetYScrollInfo(SInt32* min, SInt32* max, SInt32* pos) const {
    if (min) *min = ymin;
    if (max) *max = KsScroll::ScrollMax(ymin, ymax, GetScrollableRect().Height());
    if (pos) *pos = ypos;
}

void AScrollablePane::GetXinfo(SInt32* pos, SInt32* min, SInt32* max) const {
    if (pos) *pos = xpos;
    if (min) *min = xmin;
    if (max) *max = xmax;
}

void AScrollablePane::GetYinfo(SInt32* pos, SInt32* min, SInt32* max) const {
    if (pos) *pos = ypos;
    if (min) *min = ymin;
    if (max) *max = ymax;
}

SInt32 AScrollablePane::GetXincr() const {
    return xincr;
}
SInt32 AScrollablePane::GetYincr() const {
    return yincr;
}
SInt32 AScrollablePane::GetXPageIncr() const {
    return KsScroll::PageIncr(GetScrollableRect().Width(), xincr);
}
SInt32 AScrollablePane::GetYPageIncr() const {
    return KsScroll::PageIncr(GetScrollableRect().Height(), yincr);
}

void AScrollablePane::SetXpos(SInt32 x) {
    if (x != xpos) {
        const SInt64 d = SInt64(xpos) - x;
        xpos = x;
        scrollXOffset = x;
        AdjustSubpanePositions(Sat(d), 0, 0, 0);
    }
    NotifyLimitsChanged();
}

void AScrollablePane::SetYpos(SInt32 y) {
    if (y != ypos) {
        const SInt64 d = SInt64(ypos) - y;
        ypos = y;
        scrollYOffset = y;
        AdjustSubpanePositions(0, Sat(d), 0, 0);
    }
    NotifyLimitsChanged();
}

void AScrollablePane::SetXmin(SInt32 x) {
    xmin = x;
    NotifyLimitsChanged();
}
void AScrollablePane::SetYmin(SInt32 y) {
    ymin = y;
    NotifyLimitsChanged();
}
void AScrollablePane::SetXmax(SInt32 x) {
    xmax = x;
    NotifyLimitsChanged();
}
void AScrollablePane::SetYmax(SInt32 y) {
    ymax = y;
    NotifyLimitsChanged();
}
void AScrollablePane::SetXincr(SInt32 x) {
    xincr = KsScroll::SaneIncr(x);
}
void AScrollablePane::SetYincr(SInt32 y) {
    yincr = KsScroll::SaneIncr(y);
}

void AScrollablePane::SetLimitsFromSubpanes() {
    const SInt32 n = GetNumSubPanes();
    if (n < 1) return;
    KsRect box = GetSubPane(1)->GetBounds();
    for (SInt32 i = 2; i <= n; ++i)
        box = box.Union(GetSubPane(i)->GetBounds());
    LongRect l{};
    WindowToLandscapeRect(box, &l);
    xmin = std::min(xmin, Sat(SInt64(l.left) - kSubpaneMargin));
    ymin = std::min(ymin, Sat(SInt64(l.top) - kSubpaneMargin));
    xmax = Sat(SInt64(l.right) + kSubpaneMargin);
    ymax = Sat(SInt64(l.bottom) + kSubpaneMargin);
    NotifyLimitsChanged();
}

void AScrollablePane::SetSlave(AScrollablePane* slave, bool horizontal) {
    if (slave == this) return;
    if (itsSlave && itsSlave->itsMaster == this) itsSlave->itsMaster = nullptr;
    itsSlave = slave;
    slaveIsHoriz = horizontal;
    if (slave) {
        // A pane follows one master: taking it from another unhooks it there.
        if (slave->itsMaster && slave->itsMaster != this) slave->itsMaster->itsSlave = nullptr;
        slave->itsMaster = this;
    }
}

void AScrollablePane::SetUpdate(bool on) {
    update = on;
}
bool AScrollablePane::GetUpdate() const {
    return update;
}

// ---------------------------------------------------------------------------
// Conversions

void AScrollablePane::WindowToLandscapePt(const KsPoint& in, LongPoint* out) const {
    const KsRect r = GetInterior();
    out->h = Sat(SInt64(in.h) - r.left + xpos);
    out->v = Sat(SInt64(in.v) - r.top + ypos);
}

void AScrollablePane::WindowPtToLandscapePt(const KsPoint& in, LongPoint* out) const {
    WindowToLandscapePt(in, out);
}

void AScrollablePane::LandscapeToWindowPt(const LongPoint& in, KsPoint* out) const {
    LandscapePtToWindowPt(in, out);
}

bool AScrollablePane::LandscapePtToWindowPt(const LongPoint& in, KsPoint* out) const {
    const KsRect r = GetInterior();
    const LongPoint w{Sat(SInt64(in.h) - xpos + r.left), Sat(SInt64(in.v) - ypos + r.top)};
    return LongPointToPoint(w, out);
}

void AScrollablePane::WindowToLandscapeRect(const KsRect& in, LongRect* out) const {
    LongPoint tl{}, br{};
    WindowToLandscapePt({in.left, in.top}, &tl);
    WindowToLandscapePt({in.right, in.bottom}, &br);
    *out = {tl.h, tl.v, br.h, br.v};
}

void AScrollablePane::WindowRectToLandscapeRect(const KsRect& in, LongRect* out) const {
    WindowToLandscapeRect(in, out);
}

void AScrollablePane::LandscapeToWindowRect(const LongRect& in, KsRect* out) const {
    LandscapeRectToWindowRect(in, out);
}

bool AScrollablePane::LandscapeRectToWindowRect(const LongRect& in, KsRect* out) const {
    KsPoint tl{}, br{};
    const bool a = LandscapePtToWindowPt({in.left, in.top}, &tl);
    const bool b = LandscapePtToWindowPt({in.right, in.bottom}, &br);
    *out = {tl.h, tl.v, br.h, br.v};
    return a && b;
}

void AScrollablePane::GetInteriorLandscapeRect(LongRect* out) const {
    WindowToLandscapeRect(GetInterior(), out);
}

KsRect AScrollablePane::GetScrollableRect() const {
    return GetInterior();
}

void AScrollablePane::GetScrollableLandscapeRect(LongRect* out) const {
    WindowToLandscapeRect(GetScrollableRect(), out);
}

void AScrollablePane::PreScroll(const KsRect&, SInt32, SInt32) {}
void AScrollablePane::PostScroll(const KsRect&, SInt32, SInt32) {}

// ---------------------------------------------------------------------------
// Scrolling

void AScrollablePane::Scroll(SInt32 dx, SInt32 dy) {
    if (iScrolling) return;
    SInt32 xmn = 0, xsm = 0, oldX = 0, ymn = 0, ysm = 0, oldY = 0;
    GetXScrollInfo(&xmn, &xsm, &oldX);
    GetYScrollInfo(&ymn, &ysm, &oldY);
    const SInt32 nx = KsScroll::Clamp(SInt64(oldX) + dx, xmn, xsm);
    const SInt32 ny = KsScroll::Clamp(SInt64(oldY) + dy, ymn, ysm);
    const SInt64 ddx = SInt64(nx) - oldX, ddy = SInt64(ny) - oldY;
    if (ddx == 0 && ddy == 0) return;
    iScrolling = true;
    struct Done {
        bool& flag;
        ~Done() { flag = false; }
    } done{iScrolling};

    AWindow* w = GetEnclWindow();
    WindowPtr wp = w ? w->GetWindowPtr() : nullptr;
    if (!wp || !w->IsVisible() || !IsVisible()) {
        // Nothing shows: only the state moves.
        if (ddx) SetXpos(nx);
        if (ddy) SetYpos(ny);
        ScrollSlave(oldX, oldY);
        return;
    }
    const SInt32 edx = Sat(ddx), edy = Sat(ddy);
    {
        StPortSaver port(GrafPtr(GetWindowPort(wp)));
        const KsRect r = GetVisInterior();
        KsRect s = GetScrollableRect().Intersect(r);
        if (ddx == 0) s.left = r.left;
        if (ddy == 0) s.top = r.top;
        KsRgn uncovered;
        // Updates still pending inside what moves travel with the pixels.
        KsRgn pendingOld;
        if (wp->updateRgn && !EmptyRgn(wp->updateRgn)) {
            Point origin{0, 0};
            LocalToGlobal(&origin);
            pendingOld = RgnHandleToKsRgn(wp->updateRgn);
            pendingOld.Offset(-origin.h, -origin.v);
            pendingOld.Intersect(s);
        }
        {
            StClipSaver clip(ToRect(r));
            PreScroll(s, edx, edy);
            if (update) {
                const Rect sr = ToRect(s);
                SetEmptyRgn(iUncovered);
                ScrollRect(&sr, PixelDelta(-ddx), PixelDelta(-ddy), iUncovered);
                uncovered = RgnHandleToKsRgn(iUncovered);
            } else {
                uncovered = KsRgn(r);
            }
            PostScroll(s, edx, edy);
        }
        if (ddx) SetXpos(nx);
        if (ddy) SetYpos(ny);
        if (update) {
            // The sub-panes' moves invalidated their old and new places; the
            // pixels moved with them.
            if (GetNumSubPanes() > 0) {
                const Rect rr = ToRect(r);
                ValidRect(&rr);
            } else if (!pendingOld.IsEmpty()) {
                KsRgnToRgnHandle(pendingOld, iUncovered);
                ValidRgn(iUncovered);
            }
            if (!pendingOld.IsEmpty()) {
                KsRgn moved = pendingOld;
                moved.Offset(PixelDelta(-ddx), PixelDelta(-ddy));
                moved.Intersect(s);
                uncovered.Union(moved);
            }
        }
        if (!uncovered.IsEmpty()) {
            KsRgnToRgnHandle(uncovered, iUncovered);
            InvalRgn(iUncovered);
        }
    }
    ScrollSlave(oldX, oldY);
    if (update) w->UpdateIfNeeded();
}

void AScrollablePane::ScrollSlave(SInt32 oldX, SInt32 oldY) {
    AScrollablePane* slave = itsSlave;
    if (!slave) return;
    if (slaveIsHoriz) {
        if (xpos == oldX) return;
        SInt32 spos = 0, smin = 0;
        slave->GetXinfo(&spos, &smin, nullptr);
        const SInt64 d = (SInt64(xpos) - xmin) - (SInt64(spos) - smin);
        if (d != 0) slave->Scroll(KsScroll::SaturatedDelta(spos, d), 0);
    } else {
        if (ypos == oldY) return;
        SInt32 spos = 0, smin = 0;
        slave->GetYinfo(&spos, &smin, nullptr);
        const SInt64 d = (SInt64(ypos) - ymin) - (SInt64(spos) - smin);
        if (d != 0) slave->Scroll(0, KsScroll::SaturatedDelta(spos, d));
    }
}
