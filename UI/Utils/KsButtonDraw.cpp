// Button faces. Map: shades and edges, colours, push-button borders, the
// radio disc, the LED lamp.
#include "KsButtonDraw.h"

#include "KsDrawUtils.h"
#include "KsPortSavers.h"
#include "QuickDraw.h"

namespace {

// ---------------------------------------------------------------------------
// Shades and edges: the mixes KsDrawUtils builds its borders from.

KsRGBColor Toward(const KsRGBColor& c, const KsRGBColor& to, SInt32 permille) {
    return AverageRGB(c, to, permille / 1000.0);
}
KsRGBColor Light(const KsRGBColor& c) {
    return Toward(c, RGBwhite, 550);
}
KsRGBColor Dark(const KsRGBColor& c) {
    return Toward(c, RGBblack, 300);
}
KsRGBColor Edge(const KsRGBColor& c) {
    return Toward(c, RGBblack, 450);
}

void Fill(SInt32 left, SInt32 top, SInt32 right, SInt32 bottom, const KsRGBColor& color) {
    if (right <= left || bottom <= top) return;
    const Rect r = ToRect(KsRect{left, top, right, bottom});
    const RGBColor c = ToRGBColor(color);
    PaintRGBRect(&r, &c);
}

// A 1-pixel outline without its four corner pixels, which are painted in
// corner: the slightly rounded outline of every button.
void CutCornerFrame(const KsRect& r, const KsRGBColor& color, const KsRGBColor& corner) {
    if (r.IsEmpty()) return;
    Fill(r.left + 1, r.top, r.right - 1, r.top + 1, color);
    Fill(r.left + 1, r.bottom - 1, r.right - 1, r.bottom, color);
    Fill(r.left, r.top + 1, r.left + 1, r.bottom - 1, color);
    Fill(r.right - 1, r.top + 1, r.right, r.bottom - 1, color);
    Fill(r.left, r.top, r.left + 1, r.top + 1, corner);
    Fill(r.right - 1, r.top, r.right, r.top + 1, corner);
    Fill(r.left, r.bottom - 1, r.left + 1, r.bottom, corner);
    Fill(r.right - 1, r.bottom - 1, r.right, r.bottom, corner);
}

// Styles whose look does not change when pressed.
bool KeepsLookWhenPressed(SInt32 style) {
    return style == 17 || style == kBorderBevelThin || style == kBorderBevelTab ||
           style == kBorderGradientFixed || style == kBorderGradientFixed2;
}

void SetForeRGB(const KsRGBColor& color) {
    const RGBColor c = ToRGBColor(color);
    RGBForeColor(&c);
}

// The clip narrowed to r for one scope (the caller's clip is kept in full
// by the saver).
class StClipNarrow {
public:
    explicit StClipNarrow(const KsRect& r) : rgn_(NewRgn()) {
        const Rect q = ToRect(r);
        RectRgn(rgn_, &q);
        SectRgn(rgn_, saver_.Saved(), rgn_);
        SetClip(rgn_);
    }
    ~StClipNarrow() { DisposeRgn(rgn_); }
    StClipNarrow(const StClipNarrow&) = delete;
    StClipNarrow& operator=(const StClipNarrow&) = delete;

private:
    StClipSaver saver_;
    RgnHandle rgn_;
};

} // namespace

// ---------------------------------------------------------------------------
// Colours

KsRGBColor LiftRGB(const KsRGBColor& color, UInt16 amount) {
    auto lift = [amount](UInt16 ch) { return UInt16(ch > 0xFFFF - amount ? 0xFFFF : ch + amount); };
    return {lift(color.red), lift(color.green), lift(color.blue)};
}

// ---------------------------------------------------------------------------
// Push buttons

void DrawPushButtonBorder(const KsRect& frame, SInt32 style, const KsRGBColor colors[2],
                          KsPushLook look, KsDefaultRing ring) {
    if (frame.IsEmpty()) return;
    StColorPenSaver saver;
    const KsRGBColor& c = colors[0];
    const KsRGBColor& e = colors[1];
    const bool pressed = look == KsPushLook::kPressed;
    KsRect r = frame;
    if (pressed && style == kBorderButton) {
        CutCornerFrame(frame, Edge(c), e);
        TwoColoredBevelFrame(frame.Insetted(1, 1), Dark(c), Light(c));
    } else if (pressed && IsConvexBorder(style) && !KeepsLookWhenPressed(style)) {
        StockBorderProc(&r, style + 1, colors, true, 0);
    } else {
        StockBorderProc(&r, style, colors, true, 0);
    }
    if (ring == KsDefaultRing::kNone) return;
    // Near black on light buttons, near white on dark ones.
    const KsRGBColor ink =
        RGBLuminance(c) >= 0x5000 ? Toward(c, RGBblack, 820) : Toward(c, RGBwhite, 820);
    CutCornerFrame(frame, ink, e);
    if (frame.Width() > 4 && frame.Height() > 4) {
        Fill(frame.left + 2, frame.bottom - 2, frame.right - 1, frame.bottom - 1, ink);
        Fill(frame.right - 2, frame.top + 2, frame.right - 1, frame.bottom - 1, ink);
    }
}

// ---------------------------------------------------------------------------
// Radio buttons

KsRect RadioDiscRect(const KsRect& box) {
    SInt32 side = box.Width() < box.Height() ? box.Width() : box.Height();
    if (side <= 0) return KsRect{box.left, box.top, box.left, box.top};
    // Even, so that a 16-pixel mark centred on it sits evenly.
    if (side > 1 && side % 2 != 0) --side;
    return CenterRectInRect(KsRect{0, 0, side, side}, box);
}

void PaintRadioFace(const KsRect& box, const KsRGBColor& color, const KsRGBColor& encl,
                    SInt32 style) {
    const KsRect disc = RadioDiscRect(box);
    if (disc.IsEmpty()) return;
    StColorPenSaver saver;
    const Rect d = ToRect(disc);
    const bool down = IsConcaveBorder(style);
    {
        // The corners around the disc take the surrounding colour.
        const Rect b = ToRect(box);
        const RGBColor around = ToRGBColor(encl);
        PaintRGBRect(&b, &around);
    }
    // Shaded in bands of at most two rows, light at the top (dark when down).
    const KsRGBColor top = down ? Toward(color, RGBblack, 180) : Toward(color, RGBwhite, 450);
    const KsRGBColor bottom = down ? Toward(color, RGBwhite, 250) : Toward(color, RGBblack, 150);
    const SInt32 h = disc.Height();
    const SInt32 bands = h < 2 ? 1 : h / 2;
    for (SInt32 i = 0; i < bands; ++i) {
        const SInt32 y0 = disc.top + h * i / bands;
        const SInt32 y1 = disc.top + h * (i + 1) / bands;
        StClipNarrow band(KsRect{disc.left, y0, disc.right, y1});
        SetForeRGB(Toward(top, bottom, bands > 1 ? 1000 * i / (bands - 1) : 500));
        PaintOval(&d);
    }
    SetForeRGB(Toward(color, RGBblack, down ? 550 : 450));
    FrameOval(&d);
    if (disc.Width() < 6) return;
    // The sheen or the shadow: the inner ring's upper third.
    const KsRect inner = disc.Insetted(1, 1);
    StClipNarrow upper(KsRect{inner.left, inner.top, inner.right, inner.top + inner.Height() / 3});
    SetForeRGB(down ? Toward(color, RGBblack, 300) : Toward(color, RGBwhite, 700));
    const Rect in = ToRect(inner);
    FrameOval(&in);
}

void PaintRadioDot(const KsRect& disc, const KsRGBColor& color) {
    const SInt32 inset = disc.Width() / 3;
    const KsRect dot = disc.Insetted(inset, inset);
    if (dot.IsEmpty()) return;
    StColorPenSaver saver;
    SetForeRGB(color);
    const Rect d = ToRect(dot);
    PaintOval(&d);
}

// ---------------------------------------------------------------------------
// LEDs

void PaintLEDFace(const KsRect& r, const KsRGBColor& color, KsLEDLook look) {
    if (r.IsEmpty()) return;
    StColorPenSaver saver;
    Fill(r.left, r.top, r.right, r.bottom, color);
    if (look == KsLEDLook::kOff || r.Width() < 4 || r.Height() < 3) return;
    // The glint: a bright bar across the upper part, short of both ends.
    const SInt32 inset = r.Width() / 5 > 1 ? r.Width() / 5 : 1;
    const SInt32 v = r.top + (r.Height() >= 6 ? r.Height() / 4 : 0);
    Fill(r.left + inset, v, r.right - inset, v + 1, Toward(color, RGBwhite, 600));
    // And a faint core below it.
    if (r.Height() >= 6)
        Fill(r.left + 1, v + 1, r.right - 1, r.bottom - 1 - r.Height() / 4,
             Toward(color, RGBwhite, 150));
}
