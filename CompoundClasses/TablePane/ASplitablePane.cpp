#include "ASplitablePane.h"

#include "AStream.h"
#include "CoreAttrList.h"
#include "KsScrollMath.h"
#include "PaneStream.h"

#include <algorithm>
#include <climits>

namespace {
APortable* MakeSplitablePane() {
    return new ASplitablePane;
}
const bool kRegistered = (ASplitablePane::PCRegister(), true);
SInt32 Sat(SInt64 v) {
    return SInt32(std::clamp<SInt64>(v, INT32_MIN, INT32_MAX));
}
} // namespace

void ASplitablePane::PCRegister() {
    PClassAdd(kClassID, kClassInfo.name, MakeSplitablePane);
    PaneTextClass row;
    row.name = "ASplitablePane";
    row.make = [] { return static_cast<APane*>(new ASplitablePane); };
    row.addProps = {
        [](APane* p, CoreAttrList* l) { p->AddPropsToList(l); },
        [](APane* p, CoreAttrList* l) { static_cast<AScrollablePane*>(p)->AddPropsToList(l); },
        [](APane* p, CoreAttrList* l) { static_cast<ASplitablePane*>(p)->AddPropsToList(l); }};
    row.getProps = {
        [](APane* p, CoreAttrList* l) { p->GetPropsFromList(l); },
        [](APane* p, CoreAttrList* l) { static_cast<AScrollablePane*>(p)->GetPropsFromList(l); },
        [](APane* p, CoreAttrList* l) { static_cast<ASplitablePane*>(p)->GetPropsFromList(l); }};
    row.subs = PaneTextSubs::subs;
    PaneTextRegisterClass(row);
}

void ASplitablePane::ISplitablePane(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top,
                                    SInt16 bot, SInt16 hei, const KsRGBColor& bkgdColor,
                                    SInt32 borderStyle) {
    IScrollablePane(encl, left, right, wid, top, bot, hei, bkgdColor, borderStyle);
}

void ASplitablePane::Put(AStream& s) {
    (void)kRegistered;
    AScrollablePane::Put(s);
    s.PutClassMark(kClassID, kVersion);
    s.PutLong("iXsplit", iXsplit);
    s.PutLong("iYsplit", iYsplit);
}

void ASplitablePane::Get(AStream& s) {
    AScrollablePane::Get(s);
    s.GetClassMark(kClassID, 1, kVersion);
    iXsplit = std::max<SInt32>(s.GetLong("iXsplit"), 0);
    iYsplit = std::max<SInt32>(s.GetLong("iYsplit"), 0);
}

void ASplitablePane::AddPropsToList(CoreAttrList* l) {
    l->SetSInt32("xsplit", iXsplit);
    l->SetSInt32("ysplit", iYsplit);
}

void ASplitablePane::GetPropsFromList(CoreAttrList* l) {
    iXsplit = std::max<SInt32>(l->GetSInt32("xsplit", 0), 0);
    iYsplit = std::max<SInt32>(l->GetSInt32("ysplit", 0), 0);
}

void ASplitablePane::SetXsplit(SInt32 x) {
    x = std::clamp<SInt32>(x, 0, GetInterior().Width());
    if (x == iXsplit) return;
    iXsplit = x;
    InvalInterior();
    NotifyLimitsChanged();
}

void ASplitablePane::SetYsplit(SInt32 y) {
    y = std::clamp<SInt32>(y, 0, GetInterior().Height());
    if (y == iYsplit) return;
    iYsplit = y;
    InvalInterior();
    NotifyLimitsChanged();
}

// The scrolling part ends where the interior ends, so the range is the
// whole interior's, not the scrolling part's.
void ASplitablePane::GetXScrollInfo(SInt32* min, SInt32* max, SInt32* pos) const {
    if (min) *min = xmin;
    if (max) *max = KsScroll::ScrollMax(xmin, xmax, GetInterior().Width());
    if (pos) *pos = xpos;
}

void ASplitablePane::GetYScrollInfo(SInt32* min, SInt32* max, SInt32* pos) const {
    if (min) *min = ymin;
    if (max) *max = KsScroll::ScrollMax(ymin, ymax, GetInterior().Height());
    if (pos) *pos = ypos;
}

KsRect ASplitablePane::GetScrollableRect() const {
    KsRect r = GetInterior();
    r.left = SInt16(std::min<SInt32>(r.left + iXsplit, r.right));
    r.top = SInt16(std::min<SInt32>(r.top + iYsplit, r.bottom));
    return r;
}

void ASplitablePane::WindowToLandscapePt(const KsPoint& in, LongPoint* out) const {
    const KsRect r = GetInterior();
    const SInt32 x = in.h - r.left, y = in.v - r.top;
    out->h = Sat(SInt64(x) + (x < iXsplit ? 0 : xpos));
    out->v = Sat(SInt64(y) + (y < iYsplit ? 0 : ypos));
}

bool ASplitablePane::LandscapePtToWindowPt(const LongPoint& in, KsPoint* out) const {
    const KsRect r = GetInterior();
    const SInt64 x = in.h < iXsplit && in.h >= xmin ? in.h : SInt64(in.h) - xpos;
    const SInt64 y = in.v < iYsplit && in.v >= ymin ? in.v : SInt64(in.v) - ypos;
    const LongPoint w{Sat(x + r.left), Sat(y + r.top)};
    return LongPointToPoint(w, out);
}

int ASplitablePane::GetQuadrants(const KsRect& area, Quadrant out[4]) const {
    const KsRect in = GetInterior();
    const SInt16 sx = SInt16(std::min<SInt32>(in.left + iXsplit, in.right));
    const SInt16 sy = SInt16(std::min<SInt32>(in.top + iYsplit, in.bottom));
    const Quadrant all[4] = {
        {{in.left, in.top, sx, sy}, 0, 0},
        {{sx, in.top, in.right, sy}, xpos, 0},
        {{in.left, sy, sx, in.bottom}, 0, ypos},
        {{sx, sy, in.right, in.bottom}, xpos, ypos},
    };
    int n = 0;
    for (const Quadrant& q : all) {
        const KsRect r = q.rect.Intersect(area);
        if (!r.IsEmpty()) out[n++] = {r, q.dx, q.dy};
    }
    return n;
}
