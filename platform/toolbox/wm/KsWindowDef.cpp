// The window definition: frame geometry per procID, the boxes, and the frame
// drawing (flat title bar, one-pixel border, boxes at the title bar's ends).
//
// Sections: frame kinds; boxes; the desktop drawing saver; drawing.
#include "KsDesktop.h"
#include "KsFatal.h"
#include "WindowsPrivate.h"

// ---- Frame kinds ------------------------------------------------------------

namespace {
constexpr SInt16 kDocTitle = 22;   // border row, 20 rows of bar, separator row
constexpr SInt16 kFloatTitle = 16; // small caption
constexpr SInt16 kFloatResID = 124;
} // namespace

KsFrameKind KsFrameKindOf(SInt16 procID) {
    SInt16 resID = SInt16(procID >> 4), variant = SInt16(procID & 15);
    if (resID == kFloatResID)
        return {.left = 1,
                .top = kFloatTitle,
                .right = 1,
                .bottom = 1,
                .titleHeight = kFloatTitle,
                .hasGrow = (variant & 2) != 0,
                .hasZoom = (variant & 4) != 0,
                .canClose = true,
                .movable = true};
    if (resID == 0) {
        switch (variant) {
        case dBoxProc:
            return {.left = 3, .top = 3, .right = 3, .bottom = 3};
        case plainDBox:
            return {.left = 1, .top = 1, .right = 1, .bottom = 1};
        case altDBoxProc:
            return {.left = 1, .top = 1, .right = 3, .bottom = 3, .shadow = true};
        case movableDBoxProc:
            return {.left = 1,
                    .top = kDocTitle,
                    .right = 1,
                    .bottom = 1,
                    .titleHeight = kDocTitle,
                    .canClose = true,
                    .movable = true};
        default:
            break;
        }
    }
    // Documents: bit 2 of the variant takes the grow box away, bit 3 adds the
    // zoom box. rDocProc and unknown definitions fall here.
    return {.left = 1,
            .top = kDocTitle,
            .right = 1,
            .bottom = 1,
            .titleHeight = kDocTitle,
            .hasGrow = resID == 0 && (variant & 4) == 0,
            .hasZoom = (variant & 8) != 0,
            .canClose = true,
            .movable = true};
}

void SBoxToCBox(Rect* box, SInt16 procID) {
    KsFrameKind k = KsFrameKindOf(procID);
    box->left = SInt16(box->left + k.left);
    box->top = SInt16(box->top + k.top);
    box->right = SInt16(box->right - k.right);
    box->bottom = SInt16(box->bottom - k.bottom);
}

void CBoxToSBox(Rect* box, SInt16 procID) {
    KsFrameKind k = KsFrameKindOf(procID);
    box->left = SInt16(box->left - k.left);
    box->top = SInt16(box->top - k.top);
    box->right = SInt16(box->right + k.right);
    box->bottom = SInt16(box->bottom + k.bottom);
}

void SBoxToCBox(WindowPtr w, Rect* box) {
    SBoxToCBox(box, w->procID);
}
void CBoxToSBox(WindowPtr w, Rect* box) {
    CBoxToSBox(box, w->procID);
}

// ---- Boxes ------------------------------------------------------------------

KsRect KsTitleBarRect(WindowPtr w) {
    KsFrameKind k = KsFrameKindOf(w->procID);
    if (k.titleHeight == 0) return {};
    KsRect s = KsStructureRect(w);
    return {s.left, s.top, s.right, s.top + k.titleHeight};
}

namespace {
// A box centred vertically in the title bar's fill rows, `fromLeft` pixels
// from the left side or, when negative, from the right one.
KsRect TitleBox(WindowPtr w, SInt32 fromLeft) {
    KsRect t = KsTitleBarRect(w);
    SInt32 size = t.Height() >= kDocTitle ? kKsBoxSize : t.Height() - 6;
    SInt32 top = t.top + 1 + (t.Height() - 2 - size) / 2;
    SInt32 left = fromLeft >= 0 ? t.left + fromLeft : t.right + fromLeft - size;
    return {left, top, left + size, top + size};
}
SInt32 Margin(WindowPtr w) {
    return KsTitleBarRect(w).Height() >= kDocTitle ? kKsBoxMargin : 4;
}
} // namespace

KsRect KsCloseBoxRect(WindowPtr w) {
    KsFrameKind k = KsFrameKindOf(w->procID);
    if (!k.canClose || !w->goAwayFlag || k.titleHeight == 0) return {};
    return TitleBox(w, Margin(w));
}

KsRect KsZoomBoxRect(WindowPtr w) {
    if (!KsFrameKindOf(w->procID).hasZoom) return {};
    return TitleBox(w, -Margin(w));
}

KsRect KsGrowBoxRect(WindowPtr w) {
    if (!KsFrameKindOf(w->procID).hasGrow) return {};
    KsRect c = KsContentRect(w);
    return {c.right - kKsGrowBoxSize, c.bottom - kKsGrowBoxSize, c.right, c.bottom};
}

// ---- The desktop drawing saver ----------------------------------------------

StKsDesktopDrawing::StKsDesktopDrawing(const KsRgn& clip)
    : port_(KsGetDesktopPort()), saver_(port_) {
    FtlAssert(port_ != nullptr);
    KsRgnToRgnHandle(clip, port_->clipRgn);
    PenNormal();
}

// ---- Drawing ----------------------------------------------------------------

namespace {

constexpr RGBColor kWhite{0xFFFF, 0xFFFF, 0xFFFF};
// Dark enough to read on the inactive band, lighter than the active text.
constexpr RGBColor kInactiveText{0x5A00, 0x5A00, 0x5A00};

RGBColor Mix(const RGBColor& a, const RGBColor& b) {
    return {UInt16((UInt32(a.red) + b.red) / 2), UInt16((UInt32(a.green) + b.green) / 2),
            UInt16((UInt32(a.blue) + b.blue) / 2)};
}

Rect R(const KsRect& r) {
    return ToRect(r);
}

void Fill(const KsRect& r, const RGBColor& c) {
    Rect rr = R(r);
    PaintRGBRect(&rr, &c);
}

void Frame(const KsRect& r, const RGBColor& c) {
    Rect rr = R(r);
    FrameRGBRect(&rr, &c);
}

void Line(SInt32 h0, SInt32 v0, SInt32 h1, SInt32 v1) {
    MoveTo(ClampToSInt16(h0), ClampToSInt16(v0));
    LineTo(ClampToSInt16(h1), ClampToSInt16(v1));
}

void DrawBoxAt(WindowPtr w, const KsRect& box, SInt16 part, bool pressed) {
    const RGBColor* c = w->colors;
    Fill(box, pressed ? c[kKsWinHiliteColor] : c[kKsWinTitleBarColor]);
    Frame(box, c[kKsWinFrameColor]);
    RGBForeColor(pressed ? &kWhite : &c[kKsWinTextColor]);
    if (part == inGoAway) {
        // A cross, 3 pixels in from the box's sides.
        Line(box.left + 3, box.top + 3, box.right - 4, box.bottom - 4);
        Line(box.left + 3, box.bottom - 4, box.right - 4, box.top + 3);
    } else {
        // A small square in the top-left corner of a larger one.
        KsRect inner{box.left + 3, box.top + 3, box.right - 5, box.bottom - 5};
        Frame(inner, pressed ? kWhite : c[kKsWinTextColor]);
    }
}

void DrawTitle(WindowPtr w, const KsRgn& clip, const KsRect& bar) {
    if (w->title[0] == 0) return;
    KsRect close = KsCloseBoxRect(w), zoom = KsZoomBoxRect(w);
    SInt32 margin = Margin(w);
    // Room between the boxes, kept symmetric so the title stays centred.
    SInt32 side = kKsBoxSize + 2 * margin;
    KsRect room{bar.left + side, bar.top + 1, bar.right - side, bar.bottom - 1};
    if (close.IsEmpty() && zoom.IsEmpty())
        room = {bar.left + margin, bar.top + 1, bar.right - margin, bar.bottom - 1};
    if (room.IsEmpty()) return;
    KsRgn textClip = clip;
    textClip.Intersect(room);
    KsRgnToRgnHandle(textClip, KsThePort()->clipRgn);
    TextFont(0);
    TextFace(normal);
    TextSize(bar.Height() >= kDocTitle ? 12 : 10);
    TextMode(srcOr);
    FontInfo fi;
    GetFontInfo(&fi);
    SInt32 width = StringWidth(w->title);
    SInt32 h = room.left + (room.Width() - width) / 2;
    if (h < room.left) h = room.left;
    SInt32 base = room.top + (room.Height() - (fi.ascent + fi.descent)) / 2 + fi.ascent;
    RGBForeColor(w->hilited ? &w->colors[kKsWinTextColor] : &kInactiveText);
    MoveTo(ClampToSInt16(h), ClampToSInt16(base));
    DrawString(w->title);
    KsRgnToRgnHandle(clip, KsThePort()->clipRgn);
}

} // namespace

void KsDrawFrame(WindowPtr w, const KsRgn& clip) {
    KsRgn area = clip;
    area.Intersect(w->ks->visStruc);
    area.Subtract(KsRgnRef(w->contRgn));
    if (area.IsEmpty()) return;
    StKsDesktopDrawing st(area);
    KsFrameKind k = KsFrameKindOf(w->procID);
    const RGBColor* c = w->colors;
    bool active = w->hilited;
    RGBColor border = active ? c[kKsWinHiliteColor] : c[kKsWinFrameColor];
    KsRect s = KsStructureRect(w), cont = KsContentRect(w);
    if (k.shadow) {
        KsRect body{s.left, s.top, s.right - 2, s.bottom - 2};
        Frame(body, border);
        Fill({body.right, s.top + 2, s.right, s.bottom}, c[kKsWinFrameColor]);
        Fill({s.left + 2, body.bottom, body.right, s.bottom}, c[kKsWinFrameColor]);
        // The corners the shadow leaves show the desktop.
        RGBColor desk = KsGetDesktopColor();
        Fill({body.right, s.top, s.right, s.top + 2}, desk);
        Fill({s.left, body.bottom, s.left + 2, s.bottom}, desk);
        return;
    }
    if (k.titleHeight == 0) {
        // Dialog frames: a border, and for dBoxProc a band in the title-bar colour.
        Fill(s, active ? c[kKsWinTitleBarColor] : Mix(c[kKsWinTitleBarColor], kWhite));
        Frame(s, border);
        return;
    }
    KsRect bar = KsTitleBarRect(w);
    Fill(s, active ? c[kKsWinTitleBarColor] : Mix(c[kKsWinTitleBarColor], kWhite));
    Frame(s, border);
    Fill({s.left, cont.top - 1, s.right, cont.top}, border);
    if (active) {
        if (KsRect b = KsCloseBoxRect(w); !b.IsEmpty()) DrawBoxAt(w, b, inGoAway, false);
        if (KsRect b = KsZoomBoxRect(w); !b.IsEmpty()) DrawBoxAt(w, b, inZoomOut, false);
    }
    DrawTitle(w, area, bar);
}

void KsDrawBox(WindowPtr w, SInt16 part, bool pressed) {
    KsRect box = part == inGoAway ? KsCloseBoxRect(w) : KsZoomBoxRect(w);
    if (box.IsEmpty() || !w->hilited) return;
    KsRgn area(box);
    area.Intersect(w->ks->visStruc);
    if (area.IsEmpty()) return;
    StKsDesktopDrawing st(area);
    DrawBoxAt(w, box, part, pressed);
}

void KsDrawGrip(WindowPtr w, const KsRgn& clip) {
    KsRect g = KsGrowBoxRect(w);
    if (g.IsEmpty()) return;
    KsRgn area(g);
    area.Intersect(clip);
    area.Intersect(w->ks->visCont);
    if (area.IsEmpty()) return;
    StKsDesktopDrawing st(area);
    RGBForeColor(&w->colors[kKsWinFrameColor]);
    // Three diagonal strokes in the corner.
    for (SInt32 k = 4; k <= 12; k += 4)
        Line(g.right - k, g.bottom - 2, g.right - 2, g.bottom - k);
}
