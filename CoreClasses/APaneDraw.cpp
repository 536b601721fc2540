// APane drawing: visibility and invalidation, the drawing order, borders and
// labels, backgrounds (own and inherited), the selection ring, body text.
//
// Contract of the drawing calls: the current port is the pane's window port
// on entry and on exit; the clip is the caller's again on exit, the colours
// black on white.
#include <algorithm>
#include <cstring>

#include "APane.h"
#include "APanePrivate.h"
#include "AScreenManOS.h"
#include "AWindow.h"
#include "Icons.h"
#include "KsColorScheme.h"
#include "KsDrawUtils.h"
#include "KsPortSavers.h"
#include "MacText.h"
#include "Pictures.h"
#include "QuickDraw.h"
#include "Windows.h"

namespace {
constexpr OSType kPICT = 0x50494354; // 'PICT'
constexpr OSType kPpat = 0x70706174; // 'ppat'

void ClipToRect(const KsRect& r) {
    const Rect rr = ToRect(r);
    // Panes clip to the same rectangle several times while drawing: when
    // the clip already is that rectangle, leave it.
    const GrafPtr port = KsGetPort();
    const RgnHandle clip = port ? port->clipRgn : nullptr;
    if (clip && KsRgnIsRect(clip) && !EmptyRect(&rr)) {
        const Rect box = KsRgnBounds(clip);
        if (box.left == rr.left && box.top == rr.top && box.right == rr.right &&
            box.bottom == rr.bottom)
            return;
    }
    ClipRect(&rr);
}

// A rectangle without default member values, so the scratch arrays below
// cost nothing to set up.
struct Box {
    SInt32 left, top, right, bottom;
};

// The parts of `area` outside a few boxes (each already inside area), as
// non-overlapping boxes: row bands between the boxes' edges, each band's
// gaps, bands with the same gaps merged. The same pixels as a region
// difference, without building a region. Answers false when the answer does
// not fit `out`.
constexpr int kMaxCutouts = 16;
constexpr int kMaxGaps = 64;
bool RectMinusRects(const KsRect& area, const Box* cuts, int nCuts, Box* out, int* nOut) {
    SInt32 ys[2 * kMaxCutouts + 2];
    int nys = 0;
    ys[nys++] = area.top;
    ys[nys++] = area.bottom;
    for (int i = 0; i < nCuts; ++i) {
        ys[nys++] = cuts[i].top;
        ys[nys++] = cuts[i].bottom;
    }
    std::sort(ys, ys + nys);
    nys = int(std::unique(ys, ys + nys) - ys);
    int n = 0, bandStart = 0; // boxes of the previous band: [bandStart, n)
    for (int b = 0; b + 1 < nys; ++b) {
        const SInt32 y0 = ys[b], y1 = ys[b + 1];
        // The cuts across this band, left to right.
        Box across[kMaxCutouts];
        int na = 0;
        for (int i = 0; i < nCuts; ++i)
            if (cuts[i].top <= y0 && cuts[i].bottom >= y1) across[na++] = cuts[i];
        std::sort(across, across + na, [](const Box& l, const Box& r) { return l.left < r.left; });
        Box gaps[kMaxCutouts + 1];
        int ng = 0;
        SInt32 x = area.left;
        for (int i = 0; i < na; ++i) {
            if (across[i].left > x) gaps[ng++] = {x, y0, across[i].left, y1};
            x = std::max(x, across[i].right);
        }
        if (x < area.right) gaps[ng++] = {x, y0, area.right, y1};
        // Same gaps as the band above, touching it: grow those instead.
        bool same = ng == n - bandStart && ng > 0 && out[bandStart].bottom == y0;
        for (int i = 0; same && i < ng; ++i)
            same = out[bandStart + i].left == gaps[i].left &&
                   out[bandStart + i].right == gaps[i].right;
        if (same) {
            for (int i = 0; i < ng; ++i)
                out[bandStart + i].bottom = y1;
            continue;
        }
        if (n + ng > kMaxGaps) return false;
        bandStart = n;
        for (int i = 0; i < ng; ++i)
            out[n++] = gaps[i];
    }
    *nOut = n;
    return true;
}

void ResetColors() {
    const RGBColor black = ToRGBColor(RGBblack), white = ToRGBColor(RGBwhite);
    RGBForeColor(&black);
    RGBBackColor(&white);
}

// Bits per pixel of the screen under r (local coordinates of the current
// port); 0 when there is none.
int DepthUnder(const KsRect& r) {
    Point origin{0, 0};
    LocalToGlobal(&origin);
    return AScreenManOS::New()->DepthOfRect(r.Offsetted(origin.h, origin.v));
}

// A plain colour on a device that cannot show it (none, or one bit deep)
// reads as grey: anything but white becomes the grey pattern.
bool NeedsGreyPattern(const KsRect& r, const KsRGBColor& color) {
    return !(color == RGBwhite) && DepthUnder(r) <= 1;
}

bool IsAnyGradientBorder(SInt32 style) {
    return IsGradientBubbleBorder(style) || IsGradientPartialBorder(style) ||
           IsGradientBorder(style);
}

// The gradient background of the interior in: steps from the device, the
// scheme's curvature; a bubble frame, or the specular lines of convex full
// and partial gradients when they are curved enough and wide enough.
void PaintGradientBackground(const KsRect& in, const KsRGBColor& color, const KsRGBColor& encl,
                             SInt32 style, int depth) {
    const SInt32 c = GetSchemeCurvature();
    PaintGradient(in, color, depth > 0 ? GradientSteps(depth, c, style) : 32, c, style);
    if (IsGradientBubbleBorder(style)) {
        BubbleFrame(in, color, encl, c, style);
        return;
    }
    if (c <= 40 || in.Width() <= 13 || !IsConvexBorder(style)) return;
    const bool partial = IsGradientPartialBorder(style);
    HorSpecLine(in, color, 15.0, 2, 8);
    HorSpecLine(in, color, 30.0, 3, 6);
    HorSpecLine(in, color, 10.0, partial ? 4 : 5, partial ? 5 : 4);
}

// Paints rect in pane's plain background colour except where sub-panes
// that paint their own background lie; answers false (nothing drawn) when
// there are too many of them for the rectangle path.
bool DrawPlainBackground(const APane* pane, const KsRect& rect) {
    Box cuts[kMaxCutouts];
    int nCuts = 0;
    const SInt32 count = pane->GetNumSubPanes();
    for (SInt32 i = 1; i <= count; ++i) {
        const APane* p = pane->GetSubPane(i);
        if (!p->GetOwnVisible() || !p->GetDrawsBackground()) continue;
        const KsRect f = p->GetFrame().Intersect(rect);
        if (f.IsEmpty()) continue;
        if (nCuts == kMaxCutouts) return false;
        cuts[nCuts++] = {f.left, f.top, f.right, f.bottom};
    }
    Box gaps[kMaxGaps];
    int nGaps = 0;
    if (!RectMinusRects(rect, cuts, nCuts, gaps, &nGaps)) return false;
    if (nGaps == 0) return true; // covered by sub-panes: nothing shows
    // Every gap lies in rect, so clipping to rect paints exactly the gaps.
    ClipToRect(rect);
    const RGBColor c = ToRGBColor(pane->GetBkndColor());
    for (int i = 0; i < nGaps; ++i) {
        const Rect g = ToRect(KsRect{gaps[i].left, gaps[i].top, gaps[i].right, gaps[i].bottom});
        EraseRGBRect(&g, &c);
    }
    ResetColors();
    return true;
}
} // namespace

// ---------------------------------------------------------------------------
// Visibility and invalidation

bool APane::IsVisible() const {
    if (!visible || !itsEnclWindow || !itsEnclWindow->IsVisible()) return false;
    // The frame may stick out of the bounds (a label over the border).
    KsRect r = bounds.Union(GetFrame());
    for (const APane* p = itsEnclPane; p; p = p->itsEnclPane) {
        if (!p->visible) return false;
        r = r.Intersect(p->GetInterior());
        if (r.IsEmpty()) return false;
    }
    if (WindowPtr w = itsEnclWindow->GetWindowPtr())
        r = r.Intersect(ToKsRect(GetWindowPort(w)->portRect));
    return !r.IsEmpty();
}

void APane::SetVisible(bool on) {
    if (on != visible) {
        const bool wasVisible = IsVisible();
        if (wasVisible) Inval();
        visible = on;
        if (on) {
            Inval();
            WasRevealed();
        } else if (wasVisible) {
            WasHidden();
        }
        if (!on) Deactivate();
    }
    ManageMotifFrame(on, true);
}

void APane::WasRevealed() {
    for (SInt32 i = 1; i <= GetNumSubPanes(); ++i)
        if (GetSubPane(i)->visible) GetSubPane(i)->WasRevealed();
}

void APane::WasHidden() {
    for (SInt32 i = 1; i <= GetNumSubPanes(); ++i)
        GetSubPane(i)->WasHidden();
}

void APane::Inval() {
    if (!itsEnclWindow || !itsEnclWindow->GetWindowPtr() || !itsEnclWindow->IsVisible() || !visible)
        return;
    // Bounds and frame together: a label over the border moves the frame
    // outside the bounds.
    const Rect r = ToRect(GetVisRect(bounds.Union(GetFrame())));
    if (!EmptyRect(&r)) InvalWindowRect(itsEnclWindow->GetWindowPtr(), &r);
}

void APane::InvalInterior() {
    if (!itsEnclWindow || !itsEnclWindow->GetWindowPtr() || !itsEnclWindow->IsVisible() || !visible)
        return;
    const Rect r = ToRect(GetVisBounds().Intersect(GetInterior()));
    if (!EmptyRect(&r)) InvalWindowRect(itsEnclWindow->GetWindowPtr(), &r);
}

void APane::PaneInvalRect(const KsRect& r) {
    if (!itsEnclWindow || !itsEnclWindow->GetWindowPtr() || !itsEnclWindow->IsVisible() || !visible)
        return;
    const Rect rr = ToRect(r);
    InvalWindowRect(itsEnclWindow->GetWindowPtr(), &rr);
}

void APane::PaneInvalRgn(const KsRgn& rgn) {
    if (!itsEnclWindow || !itsEnclWindow->GetWindowPtr() || !itsEnclWindow->IsVisible() || !visible)
        return;
    RgnHandle h = KsNewRgnFrom(rgn);
    InvalWindowRgn(itsEnclWindow->GetWindowPtr(), h);
    DisposeRgn(h);
}

// ---------------------------------------------------------------------------
// Drawing

void APane::Draw(const KsRect* clip, void* data) {
    GrafPtr port = KsGetPort();
    if (!port) return;
    const KsRect c = clip ? *clip : ToKsRect(port->portRect);
    if (!bounds.Union(GetFrame()).Overlaps(c)) return;
    StClipSaver callersClip;
    ClipToRect(c);
    DrawBorder();
    ClipToRect(c);
    DrawInterior(&c, data);
    ResetColors();
    if (GetSelected() && GetDesignMode()) DrawSelectIndicator(&c, RGBgray8);
}

void APane::DrawCompatible(const KsRect* clip, const KsRgn* rgn, void* data) {
    if (!subPanes || !rgn || rgn->IsEmpty()) {
        Draw(clip, data);
        return;
    }
    KsRgn saved = drawRgn;
    drawRgn = *rgn;
    try {
        Draw(clip, data);
    } catch (...) {
        drawRgn = saved;
        throw;
    }
    drawRgn = saved;
}

void APane::DrawBorder() {
    KsRect frame = GetFrame();
    const KsRGBColor colors[2] = {GetBkndColor(),
                                  itsEnclPane ? itsEnclPane->GetBkndColor() : GetBkndColor()};
    (borderProc ? borderProc : StockBorderProc)(&frame, border, colors, true, 0);
    DrawLabel();
}

KsRGBColor APane::GetLabelColor() const {
    return RGBblack;
}

void APane::DrawLabel() {
    if (!label || (!labeldx && !labeldy)) return;
    KsRect r = bounds;
    if (labeldx) r.right = bounds.left + labeldx - 3;
    if (labeldy) r.bottom = bounds.top + labeldy;
    const KsRGBColor bg = itsEnclPane ? itsEnclPane->GetBkndColor() : GetBkndColor();
    KsRGBColor fg = GetLabelColor();
    GetSchemeTextColor(&fg);
    AdjustFGColorContrast(&fg, bg);
    label->DrawInColor(r, fg, bg, 1);
}

void APane::DrawInterior(const KsRect* clip, void* data) {
    const KsRect in = GetInterior();
    const KsRect v = clip ? in.Intersect(*clip) : GetVisRect(in);
    if (v.IsEmpty()) return;
    ClipToRect(v);
    if (drawsBackground) DrawBackground(v, data);
    StTextStateSaver text;
    if (bodyText) {
        TextFont(bodyText->GetFont());
        TextSize(bodyText->GetSize());
        TextFace(Style(bodyText->GetFace()));
    }
    DrawDetail(v, GetBkndColor(), data);
}

void APane::DrawDetail(const KsRect& rect, const KsRGBColor& bkgd, void* data) {
    if (drawProc) {
        drawProc(this, &rect, data);
    } else if (!subPanes && bodyText && !bodyText->IsEmpty()) {
        KsRGBColor fg = RGBblack;
        if (!GetSchemeTextColor(&fg)) AdjustFGColorContrast(&fg, bkgd);
        bodyText->DrawInColor(GetInterior(), fg, bkgd, 1);
    }
    if (!subPanes) return;
    for (SInt32 i = 1; i <= GetNumSubPanes(); ++i) {
        APane* p = GetSubPane(i);
        if (p->visible && p->bounds.Union(p->GetFrame()).Overlaps(rect) && p->IsVisible())
            p->Draw(&rect, data);
    }
}

void APane::DrawBackground(const KsRect& rect, void* data) {
    if (!drawsBackground) return;
    const bool pict = iBkgdRsrcType == kPICT && bkgdHandle;
    const bool ppat = iBkgdRsrcType == kPpat && bkgdHandle;
    const KsRGBColor color = GetBkndColor();
    KsRect area = rect;
    KsRgn clipRgn;
    const bool useRgn = pict || (subPanes && GetNumSubPanes() > 0);
    // The common case, a plain colour behind sub-panes, is painted as the
    // rectangles between them.
    if (useRgn && !pict && !ppat && !bkgdProc && drawRgn.IsEmpty() &&
        !IsAnyGradientBorder(border) && !NeedsGreyPattern(rect, color) &&
        DrawPlainBackground(this, rect))
        return;
    StClipSaver saved;
    if (useRgn) {
        clipRgn.SetRect(rect);
        for (SInt32 i = 1; i <= GetNumSubPanes(); ++i) {
            const APane* p = GetSubPane(i);
            if (p->visible && p->drawsBackground) clipRgn.Subtract(p->GetFrame());
        }
        if (!drawRgn.IsEmpty()) clipRgn.Intersect(drawRgn);
        area = clipRgn.Bounds().Intersect(rect);
        if (area.IsEmpty()) return;
    }
    const Rect ar = ToRect(area);
    // Sub-panes (and the picture, once drawn) are not painted over.
    const auto clipToRgn = [&] {
        if (clipRgn.Contains(area)) {
            ClipToRect(area);
            return;
        }
        RgnHandle h = KsNewRgnFrom(clipRgn);
        SetClip(h);
        DisposeRgn(h);
    };
    if (useRgn) clipToRgn();
    if (pict) {
        // Centred in the interior; what comes next paints around it.
        auto pic = reinterpret_cast<PicHandle>(bkgdHandle);
        Rect pf{};
        QDGetPictureBounds(pic, &pf);
        const KsRect dst = CenterRectInRect(ToKsRect(pf), GetInterior());
        const Rect dr = ToRect(dst);
        DrawPicture(pic, &dr);
        clipRgn.Subtract(dst);
        clipToRgn();
    }
    if (ppat) {
        BackPixPat(reinterpret_cast<PixPatHandle>(bkgdHandle));
        EraseRect(&ar);
    } else if (bkgdProc) {
        bkgdProc(this, &area, data);
    } else if (IsAnyGradientBorder(border)) {
        PaintGradientBackground(GetInterior(), color,
                                itsEnclPane ? itsEnclPane->GetBkndColor() : color, border,
                                DepthUnder(area));
    } else if (NeedsGreyPattern(area, color)) {
        ResetColors();
        BackPat(&kQDGray);
        EraseRect(&ar);
    } else {
        const RGBColor c = ToRGBColor(color);
        EraseRGBRect(&ar, &c);
    }
    ResetColors();
    BackPat(&kQDWhite);
}

void APane::DrawSelectIndicator(const KsRect*, const KsRGBColor&) {
    const Rect r = ToRect(bounds);
    const RGBColor red = ToRGBColor(RGBred), white = ToRGBColor(RGBwhite);
    RGBBackColor(&white);
    FrameRGBRect(&r, &red);
    ResetColors();
}

void APane::SetSelected(bool on) {
    const bool was = SetFlag(kPaneSelected, on);
    if (was == on || !itsEnclWindow) return;
    KsRgn ring(bounds);
    ring.Subtract(bounds.Insetted(3, 3));
    PaneInvalRgn(ring);
}

bool APane::GetSelected() const {
    return GetFlag(kPaneSelected);
}

// ---------------------------------------------------------------------------
// Backgrounds

KsRGBColor APane::GetBkndColor() const {
    if ((iFlags & kPaneInheritsBkgd) && itsEnclPane) {
        const KsRGBColor c = itsEnclPane->GetBkndColor();
        return inheritIntensity > 0 ? ScaleRGBIntensity(c, inheritIntensity, 100) : c;
    }
    return bkgdColor;
}

void APane::GetBkgdInfo(SInt16* id, OSType* type, Handle* handle, KsRGBColor* color) const {
    if ((iFlags & kPaneInheritsBkgd) && itsEnclPane) {
        itsEnclPane->GetBkgdInfo(id, type, handle, nullptr);
    } else {
        if (id) *id = iBkgdRsrcID;
        if (type) *type = iBkgdRsrcType;
        if (handle) *handle = bkgdHandle;
    }
    if (color) *color = GetBkndColor();
}

void APane::SetBkndColor(const KsRGBColor& color) {
    if (!(color == bkgdColor)) {
        bkgdColor = color;
        if (!(iFlags & kPaneInheritsBkgd)) Inval();
    }
    for (SInt32 i = 1; i <= GetNumSubPanes(); ++i) {
        APane* p = GetSubPane(i);
        if (!(p->iFlags & kPaneInheritsBkgd)) continue;
        // An inheriting pane draws within its enclosure, which is already
        // invalidated: it only follows the colour.
        p->SetBkndColor(p->inheritIntensity > 0 ? ScaleRGBIntensity(color, p->inheritIntensity, 100)
                                                : color);
    }
}

void APane::ReleaseBkgdHandle() {
    if (ownsBkgdHandle) DisposePixPat(reinterpret_cast<PixPatHandle>(bkgdHandle));
    bkgdHandle = nullptr;
    ownsBkgdHandle = false;
}

void APane::SetBkgdRsrc(SInt16 id, OSType type) {
    if (id == 0) {
        ReleaseBkgdHandle();
    } else if (type == kPICT) {
        ReleaseBkgdHandle();
        bkgdHandle = reinterpret_cast<Handle>(GetPicture(id));
    } else if (type == kPpat) {
        ReleaseBkgdHandle();
        bkgdHandle = reinterpret_cast<Handle>(GetPixPat(id));
        ownsBkgdHandle = bkgdHandle != nullptr;
    }
    // A background that failed to load is no background.
    if (id != 0 && (type == kPICT || type == kPpat) && !bkgdHandle) {
        id = 0;
        type = 0;
    }
    iBkgdRsrcID = id;
    iBkgdRsrcType = type;
    Inval();
    for (SInt32 i = 1; i <= GetNumSubPanes(); ++i)
        if (GetSubPane(i)->iFlags & kPaneInheritsBkgd) GetSubPane(i)->SetBkgdRsrc(id, type);
}

void APane::SetInheritsBkgd(bool on, SInt16 intensity) {
    inheritIntensity = intensity;
    SetFlag(kPaneInheritsBkgd, on);
    if (!on || !itsEnclPane) return;
    SInt16 id = 0;
    OSType type = 0;
    KsRGBColor c{};
    itsEnclPane->GetBkgdInfo(&id, &type, nullptr, &c);
    if (intensity > 0) c = ScaleRGBIntensity(c, intensity, 100);
    SetBkndColor(c);
    SetBkgdRsrc(id, type);
}

void APane::UpdateColorScheme() {
    for (SInt32 i = 1; i <= GetNumSubPanes(); ++i)
        GetSubPane(i)->UpdateColorScheme();
}

void APane::ManageMotifFrame(bool, bool) {}

// ---------------------------------------------------------------------------
// Body text

void APane::SetText(const char* text) {
    if (!bodyText) bodyText = MacText::New(nullptr);
    if (bodyText->Equals(text)) return;
    bodyText->SetText(text);
    InvalInterior();
}

SInt32 APane::GetText(char* buf, SInt32 len) const {
    if (buf && len > 0) {
        if (bodyText)
            bodyText->GetText(buf, len);
        else
            buf[0] = 0;
    }
    return -1;
}

void APane::SetFontSizeFace(SInt16 font, SInt16 size, SInt16 face) {
    if (!bodyText) bodyText = MacText::New(nullptr);
    if (bodyText->GetFont() == font && bodyText->GetSize() == size && bodyText->GetFace() == face)
        return;
    bodyText->SetFontSizeFace(font, size, face);
    InvalInterior();
}

void APane::SetFontSizeFaceRecursive(SInt16 font, SInt16 size, SInt16 face) {
    SetFontSizeFace(font, size, face);
    for (SInt32 i = 1; i <= GetNumSubPanes(); ++i)
        GetSubPane(i)->SetFontSizeFaceRecursive(font, size, face);
}

void APane::SetJust(SInt16 just) {
    if (!bodyText) bodyText = MacText::New(nullptr);
    bodyText->SetJust(just);
    InvalInterior();
}

void APane::SetInlay(bool on) {
    if (!bodyText) bodyText = MacText::New(nullptr);
    bodyText->SetInlay(on);
    InvalInterior();
}

void APane::GetFontSizeFace(SInt16* font, SInt16* size, SInt16* face) const {
    if (font) *font = bodyText ? bodyText->GetFont() : 0;
    if (size) *size = bodyText ? bodyText->GetSize() : 12;
    if (face) *face = bodyText ? bodyText->GetFace() : 0;
}

SInt16 APane::GetJust(SInt16* out) const {
    const SInt16 j = bodyText ? bodyText->GetJust() : 0;
    if (out) *out = j;
    return j;
}
