// APane geometry: rectangles, six-coordinate placement, sizing attributes,
// moves with the 32-bit offsets, resizing and the sub-panes that follow,
// borders, centring, juxtaposing and aligning, conversions, labels.
//
// Logical positions (bounds plus xoffset/yoffset) are what moves compute
// with; bounds stay in the 16-bit drawing space wherever possible.
#include <algorithm>
#include <cstdlib>

#include "APane.h"
#include "APanePrivate.h"
#include "APaneWalkPrivate.h"
#include "AWindow.h"
#include "KsDrawUtils.h"
#include "MacText.h"
#include "QuickDraw.h"
#include "Windows.h"
#include "XError.h"

namespace {
constexpr SInt32 S = kPaneDontCare;

bool ValidTriple(SInt16 a, SInt16 b, SInt16 c) {
    const int given = (a != S) + (b != S) + (c != S);
    return given == 2 || (a == S && b == S && c != S);
}

// The offset for a logical coordinate pair (start, end) so that the stored
// values fit 16 bits: a multiple of 32767 past the top, the part of start
// beyond its low 15 bits below the bottom.
SInt32 OffsetFor(SInt64 start, SInt64 end) {
    if (end > 32767) return SInt32(end - end % 32767);
    if (start < -32768) {
        const SInt64 mag = start < 0 ? -start : start;
        const SInt64 sign = start < 0 ? -1 : 1;
        return SInt32(start - sign * (mag & 0x7FFF));
    }
    return 0;
}
} // namespace

// ---------------------------------------------------------------------------
// Rectangles

SInt16 APane::GetHeight() const {
    return ClampToSInt16(bounds.Height());
}

SInt16 APane::GetWidth() const {
    return ClampToSInt16(bounds.Width());
}

KsRect APane::GetFrame() const {
    return {bounds.left + labeldx, bounds.top + labeldy, bounds.right, bounds.bottom};
}

void APane::SetFrame(const KsRect& r) {
    SetBounds({r.left - labeldx, r.top - labeldy, r.right, r.bottom});
}

KsRect APane::FrameToInterior(const KsRect& frame) const {
    KsRect r = frame;
    (borderProc ? borderProc : StockBorderProc)(&r, border, nullptr, false, 0);
    return r;
}

// Hit testing and idle routing ask for the interior at every level of every
// walk; measuring it through the border proc each time was their largest
// cost.
// (InteriorOfFrame lives with the walks, which inline it.)
KsRect APane::GetInterior() const {
    return InteriorOfFrame(GetFrame());
}

KsPoint APane::GetLogicalTopLeft() const {
    return {bounds.left + xoffset, bounds.top + yoffset};
}

bool APane::GetPlacementBase(KsRect* base) const {
    if (itsEnclPane) {
        *base = itsEnclPane->GetInterior();
        return true;
    }
    if (itsEnclWindow && itsEnclWindow->GetWindowPtr()) {
        *base = ToKsRect(GetWindowPort(itsEnclWindow->GetWindowPtr())->portRect);
        return true;
    }
    return false;
}

void APane::SetBounds(const KsRect& r) {
    if (r == bounds) return;
    Inval();
    StoreBounds(r);
    InteriorChanged(GetInterior());
    Inval();
}

// ---------------------------------------------------------------------------
// Placement

UInt32 APane::SixCoordsToRect(const APane* pane, KsRect* outRect, SInt16 left, SInt16 right,
                              SInt16 wid, SInt16 top, SInt16 bot, SInt16 hei) {
    KsRegisterPaneMessages();
    KsRect base{};
    if (!pane || !pane->GetPlacementBase(&base)) xraisexerror("UIS_PANE_NO_PLACE");
    if (!ValidTriple(left, right, wid))
        xraisexerror("UIS_PANE_BAD_COORDS", "str which", "(left, right, wid)", "int a", left,
                     "int b", right, "int c", wid);
    if (!ValidTriple(top, bot, hei))
        xraisexerror("UIS_PANE_BAD_COORDS", "str which", "(top, bot, hei)", "int a", top, "int b",
                     bot, "int c", hei);
    UInt32 attrs = 0;
    // One axis: near edge, far edge, extent; answers (start, end).
    auto axis = [&attrs](SInt32 lo, SInt32 hi, SInt16 nearV, SInt16 farV, SInt16 ext,
                         UInt32 nearBit, UInt32 farBit, SInt32* start, SInt32* end) {
        *start = lo;
        *end = hi;
        if (nearV != S) {
            *start = lo + nearV;
            attrs |= nearBit;
            *end = ext != S ? *start + ext : hi;
        }
        if (farV != S) {
            *end = hi + farV;
            attrs |= farBit;
            if (ext != S) *start = *end - ext;
        }
        if (nearV == S && farV == S) {
            *start = ((lo + hi) >> 1) - (ext >> 1);
            *end = *start + ext;
        }
    };
    KsRect r{};
    axis(base.left, base.right, left, right, wid, kPaneFixLeft, kPaneFixRight, &r.left, &r.right);
    axis(base.top, base.bottom, top, bot, hei, kPaneFixTop, kPaneFixBottom, &r.top, &r.bottom);
    if (outRect) *outRect = r;
    return attrs;
}

void APane::Place(SInt16 left, SInt16 right, SInt16 wid, SInt16 top, SInt16 bot, SInt16 hei) {
    KsRect r{};
    const UInt32 attrs = SixCoordsToRect(this, &r, left, right, wid, top, bot, hei);
    SetSizingAttrs(attrs);
    xoffset = yoffset = 0;
    StoreBounds(r);
    InteriorChanged(GetInterior());
}

void APane::PlaceAndAdjust(SInt16 left, SInt16 right, SInt16 wid, SInt16 top, SInt16 bot,
                           SInt16 hei) {
    KsRect r{};
    const UInt32 attrs = SixCoordsToRect(this, &r, left, right, wid, top, bot, hei);
    SetSizingAttrs(attrs);
    xoffset = yoffset = 0;
    MovePaneTo(r.left, r.top);
    Resize(ClampToSInt16(r.Width()), ClampToSInt16(r.Height()));
}

void APane::SetSizingAttrs(UInt32 attrs) {
    iFlags = (iFlags & ~UInt32(kPaneSizingMask)) | (attrs & kPaneSizingMask);
    if (!itsEnclPane) return;
    if (!(attrs & (kPaneFixLeft | kPaneFixRight))) CenterPane(itsEnclPane, true, false);
    if (!(attrs & (kPaneFixTop | kPaneFixBottom))) CenterPane(itsEnclPane, false, true);
}

UInt32 APane::GetSizingAttrs() const {
    return iFlags & kPaneSizingMask;
}

void APane::InteriorChanged(const KsRect&) {
    SetSizingAttrs(GetSizingAttrs());
}

// ---------------------------------------------------------------------------
// Moving and resizing

bool APane::MovePaneTo(SInt32 h, SInt32 v) {
    const KsPoint cur = GetLogicalTopLeft();
    if (h == S) h = cur.h;
    if (v == S) v = cur.v;
    return MovePane(h - cur.h, v - cur.v);
}

bool APane::MovePane(SInt32 dh, SInt32 dv) {
    if (dh == 0 && dv == 0) return false;
    Inval();
    // Computed on logical coordinates, so that a pane that already has an
    // offset keeps its size.
    const SInt64 left = SInt64(bounds.left) + xoffset + dh;
    const SInt64 right = SInt64(bounds.right) + xoffset + dh;
    const SInt64 top = SInt64(bounds.top) + yoffset + dv;
    const SInt64 bottom = SInt64(bounds.bottom) + yoffset + dv;
    xoffset = OffsetFor(left, right);
    yoffset = OffsetFor(top, bottom);
    StoreBounds({SInt32(left - xoffset), SInt32(top - yoffset), SInt32(right - xoffset),
                 SInt32(bottom - yoffset)});
    Inval();
    AdjustSubpanePositions(dh, dv, 0, 0);
    InteriorChanged(GetInterior());
    return true;
}

bool APane::Resize(SInt16 width, SInt16 height) {
    const SInt32 w = width == S ? bounds.Width() : width;
    const SInt32 h = height == S ? bounds.Height() : height;
    const SInt32 dw = w - bounds.Width(), dh = h - bounds.Height();
    if (dw == 0 && dh == 0) return false;
    Inval();
    StoreBounds({bounds.left, bounds.top, bounds.left + w, bounds.top + h});
    Inval();
    AdjustSubpanePositions(0, 0, dw, dh);
    InteriorChanged(GetInterior());
    return true;
}

void APane::AdjustSubpanePositions(SInt32 dx, SInt32 dy, SInt32 dw, SInt32 dh) {
    if (!subPanes) return;
    if (dx || dy)
        for (SInt32 i = 1; i <= GetNumSubPanes(); ++i)
            GetSubPane(i)->MovePane(dx, dy);
    if (!dw && !dh) return;
    for (SInt32 i = 1; i <= GetNumSubPanes(); ++i) {
        APane* p = GetSubPane(i);
        const UInt32 a = p->GetSizingAttrs();
        const KsRect b = p->bounds;
        SInt32 mx = 0, my = 0, gw = 0, gh = 0;
        if ((a & kPaneFixRight) && !(a & kPaneFixLeft)) mx = dw;
        if ((a & kPaneFixRight) && (a & kPaneFixLeft)) gw = dw;
        if ((a & kPaneFixBottom) && !(a & kPaneFixTop)) my = dh;
        if ((a & kPaneFixBottom) && (a & kPaneFixTop)) gh = dh;
        if (mx || my) p->MovePane(mx, my);
        if (gw || gh) p->Resize(ClampToSInt16(b.Width() + gw), ClampToSInt16(b.Height() + gh));
        p->SetSizingAttrs(a);
    }
}

void APane::SetBorderStyle(SInt32 style) {
    style = RestrictBorderStyle(style);
    if (style == border) return;
    const KsRect old = GetInterior();
    border = style;
    Inval();
    const KsRect now = GetInterior();
    AdjustSubpanePositions(now.left - old.left, now.top - old.top, now.Width() - old.Width(),
                           now.Height() - old.Height());
    InteriorChanged(now);
}

// ---------------------------------------------------------------------------
// Centring, juxtaposing, aligning

void APane::CenterPane(APane* other, bool horizontal, bool vertical) {
    if (!other) return;
    const KsRect ref = horizontal && vertical ? other->GetInterior() : other->GetFrame();
    const KsRect f = GetFrame();
    const SInt32 left = horizontal
                            ? SInt32((SInt64(ref.left) + ref.right - ClampToSInt16(f.Width())) >> 1)
                            : f.left;
    const SInt32 top =
        vertical ? SInt32((SInt64(ref.top) + ref.bottom - ClampToSInt16(f.Height())) >> 1) : f.top;
    // Moved by the frame's displacement, so that a label strip stays beside
    // the frame it belongs to.
    if (left != f.left || top != f.top) MovePane(left - f.left, top - f.top);
}

namespace {
KsRect Logical(const APane* p) {
    const KsRect b = p->GetBounds();
    const KsPoint at = p->GetLogicalTopLeft();
    return {at.h, at.v, at.h + b.Width(), at.v + b.Height()};
}
} // namespace

void APane::JuxtaposePaneLeft(APane* other, SInt16 gap) {
    if (!other) return;
    const KsRect o = Logical(other), b = Logical(this);
    MovePaneTo(o.left - gap - b.Width(), b.top);
}
void APane::JuxtaposePaneRight(APane* other, SInt16 gap) {
    if (!other) return;
    const KsRect o = Logical(other), b = Logical(this);
    MovePaneTo(o.right + gap, b.top);
}
void APane::JuxtaposePaneTop(APane* other, SInt16 gap) {
    if (!other) return;
    const KsRect o = Logical(other), b = Logical(this);
    MovePaneTo(b.left, o.top - gap - b.Height());
}
void APane::JuxtaposePaneBottom(APane* other, SInt16 gap) {
    if (!other) return;
    const KsRect o = Logical(other), b = Logical(this);
    MovePaneTo(b.left, o.bottom + gap);
}
void APane::AlignPaneLeft(APane* other, SInt16 gap) {
    if (!other) return;
    const KsRect o = Logical(other), b = Logical(this);
    MovePaneTo(o.left + gap, b.top);
}
void APane::AlignPaneRight(APane* other, SInt16 gap) {
    if (!other) return;
    const KsRect o = Logical(other), b = Logical(this);
    MovePaneTo(o.right - gap - b.Width(), b.top);
}
void APane::AlignPaneTop(APane* other, SInt16 gap) {
    if (!other) return;
    const KsRect o = Logical(other), b = Logical(this);
    MovePaneTo(b.left, o.top + gap);
}
void APane::AlignPaneBottom(APane* other, SInt16 gap) {
    if (!other) return;
    const KsRect o = Logical(other), b = Logical(this);
    MovePaneTo(b.left, o.bottom - gap - b.Height());
}

void APane::SetToTextWidth(SInt16 extra) {
    const SInt32 w = bodyText ? bodyText->GetWidth() : 0;
    Resize(ClampToSInt16(w + extra), kPaneDontCare);
}

// ---------------------------------------------------------------------------
// Conversions and visibility of rectangles

void APane::WindowToPaneRect(KsRect* r) const {
    const KsRect in = GetInterior();
    r->Offset(-in.left, -in.top);
}
void APane::PaneToWindowRect(KsRect* r) const {
    const KsRect in = GetInterior();
    r->Offset(in.left, in.top);
}
void APane::WindowToPanePt(KsPoint* pt) const {
    const KsRect in = GetInterior();
    pt->h -= in.left;
    pt->v -= in.top;
}
void APane::PaneToWindowPt(KsPoint* pt) const {
    const KsRect in = GetInterior();
    pt->h += in.left;
    pt->v += in.top;
}

bool APane::PtInPane(KsPoint pt) const {
    return pt.h >= bounds.left && pt.h <= bounds.right && pt.v >= bounds.top &&
           pt.v <= bounds.bottom;
}

KsRect APane::GetVisRect(const KsRect& r) const {
    KsRect res = r;
    for (const APane* p = itsEnclPane; p; p = p->itsEnclPane)
        res = res.Intersect(p->GetInterior());
    if (itsEnclWindow && itsEnclWindow->GetWindowPtr())
        res = res.Intersect(ToKsRect(GetWindowPort(itsEnclWindow->GetWindowPtr())->portRect));
    return res;
}

KsRect APane::GetVisBounds() const {
    return GetVisRect(bounds);
}

KsRect APane::GetVisInterior() const {
    return GetVisRect(GetInterior());
}

// ---------------------------------------------------------------------------
// Labels

void APane::SetLabelPosition(SInt16 position) {
    const KsRect frame = GetFrame();
    SInt16 dx = 0, dy = 0;
    if (label) {
        SInt16 ascent = 0, descent = 0, leading = 0;
        label->GetMetrics(&ascent, &descent, &leading);
        const SInt32 lineHeight = ascent + descent + 2 * leading + 2;
        switch (position) {
        case kLabelLeft:
            dx = ClampToSInt16(label->GetWidth() + 6);
            label->SetJust(-1);
            break;
        case kLabelAbove:
            dy = ClampToSInt16(lineHeight);
            label->SetJust(0);
            break;
        case kLabelOverBorder:
            dy = ClampToSInt16(lineHeight >> 2);
            dx = -10;
            label->SetJust(0);
            break;
        default:
            break;
        }
    }
    StoreLabelStrips(dx, dy);
    KsRect nb = frame;
    if (labeldx > 0) nb.left -= labeldx;
    if (labeldy > 0) nb.top -= labeldy;
    // The strips changed under unchanged bounds: the frame moved anyway.
    if (nb == bounds) {
        Inval();
        InteriorChanged(GetInterior());
        Inval();
    } else {
        SetBounds(nb);
    }
}

SInt16 APane::GetLabelPos() const {
    if (labeldx) return kLabelLeft;
    if (labeldy) return kLabelAbove;
    return kLabelNone;
}
