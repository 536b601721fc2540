// Drawing utilities. Map: style table, colour arithmetic, primitive edges,
// bevels and rounded borders, gradients and bubbles, border functions,
// rectangles.
//
// Every shade is computed with integer arithmetic so that pixels are the same
// on every machine; lines are painted as 1-pixel rectangles, which the port
// maps exactly onto device pixels at any backing scale.
#include "KsDrawUtils.h"

#include "KsFatal.h"
#include "KsPortSavers.h"
#include "KsRgn.h"
#include "QuickDraw.h"

#include <algorithm>
#include <cmath>

namespace {

// ---------------------------------------------------------------------------
// Style table

enum StyleFlag : UInt32 {
    kConvex = 1,
    kConcave = 2,
    kGradient = 4,
    kGradientPartial = 8,
    kGradientBubble = 16,
    kRounded = 32,
};

struct StyleInfo {
    SInt8 width;
    UInt8 flags;
};

constexpr StyleInfo kUnknownStyle{1, 0};

constexpr StyleInfo StyleInfoOf(SInt32 style) {
    switch (style) {
    case kBorderNone:
        return {0, 0};
    case kBorderFrame:
        return {1, 0};
    case kBorderField:
        return {2, 0};
    case kBorderButton:
        return {2, kConvex};
    case kBorderStateButton:
        return {2, 0};
    case kBorderLED:
        return {1, kConcave};
    case kBorderBlackBevel:
        return {2, kConvex};
    case 7:
        return {1, kConvex | kGradient};
    case 8:
        return {1, kConcave | kGradient};
    case 9:
        return {1, kConvex | kGradientPartial};
    case 10:
        return {1, kConcave | kGradientPartial};
    case 11:
        return {2, kConvex | kGradientBubble};
    case 12:
        return {2, kConcave | kGradientBubble};
    case 13:
        return {2, kConvex};
    case 14:
        return {2, kConcave};
    case 15:
        return {1, kConvex};
    case 16:
        return {1, kConcave};
    case 17:
        return {1, kConvex};
    case 18:
        return {1, kConcave};
    case kBorderTwoColor:
        return {1, 0};
    case kBorderGroove:
        return {2, 0};
    case kBorderRidge:
        return {2, 0};
    case kBorderShadow:
        return {2, 0};
    case kBorderRounded:
        return {2, kRounded};
    case kBorderRoundedSunken:
        return {2, kRounded | kConcave};
    case kBorderRoundedPressed:
        return {2, kRounded | kConcave};
    case kBorderBevelThin:
        return {1, kConvex};
    case kBorderBevelTab:
        return {1, kConvex};
    case kBorderGradientFixed:
        return {1, kConvex | kGradient};
    case kBorderGradientFixed2:
        return {2, kConvex | kGradient};
    case kBorderBubble:
        return {2, kConvex | kGradientBubble};
    case kBorderBubbleDown:
        return {2, kConcave | kGradientBubble};
    default:
        return kUnknownStyle;
    }
}

bool Has(SInt32 style, UInt32 flag) {
    return (StyleInfoOf(style).flags & flag) != 0;
}

SInt32 gBubbleButtonStyle = 1;

// ---------------------------------------------------------------------------
// Colour arithmetic (integer only)

constexpr UInt16 MixChannel(UInt16 a, UInt16 b, SInt32 permille) {
    return UInt16((SInt64(a) * (1000 - permille) + SInt64(b) * permille + 500) / 1000);
}

// a moved towards b by permille / 1000.
constexpr KsRGBColor Mix(const KsRGBColor& a, const KsRGBColor& b, SInt32 permille) {
    return {MixChannel(a.red, b.red, permille), MixChannel(a.green, b.green, permille),
            MixChannel(a.blue, b.blue, permille)};
}

// The shades every border is built from.
KsRGBColor Light(const KsRGBColor& c) {
    return Mix(c, RGBwhite, 550);
}
KsRGBColor Dark(const KsRGBColor& c) {
    return Mix(c, RGBblack, 300);
}
KsRGBColor Edge(const KsRGBColor& c) {
    return Mix(c, RGBblack, 450);
}

// ---------------------------------------------------------------------------
// Primitive edges

void Fill(SInt32 left, SInt32 top, SInt32 right, SInt32 bottom, const KsRGBColor& color) {
    if (right <= left || bottom <= top) return;
    const Rect r = ToRect(KsRect{left, top, right, bottom});
    const RGBColor c = ToRGBColor(color);
    PaintRGBRect(&r, &c);
}

void HLine(SInt32 left, SInt32 right, SInt32 v, const KsRGBColor& color) {
    Fill(left, v, right, v + 1, color);
}

void VLine(SInt32 h, SInt32 top, SInt32 bottom, const KsRGBColor& color) {
    Fill(h, top, h + 1, bottom, color);
}

// A 1-pixel frame whose four corner pixels are left alone (or painted in
// corner when given), which reads as a slightly rounded outline.
void CutCornerFrame(const KsRect& r, const KsRGBColor& color, const KsRGBColor* corner) {
    if (r.IsEmpty()) return;
    HLine(r.left + 1, r.right - 1, r.top, color);
    HLine(r.left + 1, r.right - 1, r.bottom - 1, color);
    VLine(r.left, r.top + 1, r.bottom - 1, color);
    VLine(r.right - 1, r.top + 1, r.bottom - 1, color);
    if (corner != nullptr) {
        Fill(r.left, r.top, r.left + 1, r.top + 1, *corner);
        Fill(r.right - 1, r.top, r.right, r.top + 1, *corner);
        Fill(r.left, r.bottom - 1, r.left + 1, r.bottom, *corner);
        Fill(r.right - 1, r.bottom - 1, r.right, r.bottom, *corner);
    }
}

void PlainFrame(const KsRect& r, const KsRGBColor& color) {
    if (r.IsEmpty()) return;
    HLine(r.left, r.right, r.top, color);
    HLine(r.left, r.right, r.bottom - 1, color);
    VLine(r.left, r.top + 1, r.bottom - 1, color);
    VLine(r.right - 1, r.top + 1, r.bottom - 1, color);
}

// ---------------------------------------------------------------------------
// Stock border drawing, per style

void DrawStockBorder(const KsRect& r, SInt32 style, const KsRGBColor& c, const KsRGBColor& e) {
    const KsRect in1 = r.Insetted(1, 1);
    switch (style) {
    case kBorderNone:
        return;
    case kBorderField:
        TwoColoredBevelFrame(r, Dark(e), Light(e));
        PlainFrame(in1, Edge(c));
        return;
    case kBorderButton:
        CutCornerFrame(r, Edge(c), &e);
        TwoColoredBevelFrame(in1, Light(c), Dark(c));
        return;
    case kBorderStateButton:
        CutCornerFrame(r, Edge(c), &e);
        PlainFrame(in1, c);
        return;
    case kBorderLED:
        TwoColoredBevelFrame(r, Dark(c), Light(c));
        return;
    case kBorderBlackBevel:
        PlainFrame(r, RGBblack);
        TwoColoredBevelFrame(in1, Light(c), Dark(c));
        return;
    case 7:
    case 8:
    case 9:
    case 10:
    case kBorderGradientFixed:
        CutCornerFrame(r, Edge(c), &e);
        return;
    case kBorderGradientFixed2:
        CutCornerFrame(r, Edge(c), &e);
        TwoColoredBevelFrame(in1, Light(c), c);
        return;
    case 11:
        BubbleFrame(r, c, e, 30.0, kBorderBubble);
        return;
    case 12:
        BubbleFrame(r, c, e, 30.0, kBorderBubbleDown);
        return;
    case kBorderBubble:
    case kBorderBubbleDown:
        BubbleFrame(r, c, e, 30.0, style);
        return;
    case 13:
    case 14:
    case 15:
    case 16:
    case kBorderBevelThin:
    case kBorderBevelTab:
        BevelFrame(r, style, c);
        return;
    case 17:
        TwoColoredBevelFrame(r, Light(c), Edge(c));
        return;
    case 18:
        TwoColoredBevelFrame(r, Edge(c), Light(c));
        return;
    case kBorderTwoColor:
        TwoColoredBevelFrame(r, ScaleRGBIntensity(c, 130, 100), ScaleRGBIntensity(c, 70, 100));
        return;
    case kBorderGroove:
        TwoColoredBevelFrame(r, Dark(e), Light(e));
        TwoColoredBevelFrame(in1, Light(e), Dark(e));
        return;
    case kBorderRidge:
        TwoColoredBevelFrame(r, Light(e), Dark(e));
        TwoColoredBevelFrame(in1, Dark(e), Light(e));
        return;
    case kBorderShadow: {
        // The outline sits one pixel in from the right and bottom, where the
        // shadow falls; the shadow's outer corners stay in the surrounding colour.
        const KsRect outline{r.left, r.top, r.right - 1, r.bottom - 1};
        PlainFrame(outline, Edge(c));
        HLine(r.left + 1, r.right - 2, r.top + 1, c);
        VLine(r.left + 1, r.top + 2, r.bottom - 2, c);
        VLine(r.right - 1, r.top + 1, r.bottom, Dark(e));
        HLine(r.left + 1, r.right - 1, r.bottom - 1, Dark(e));
        Fill(r.right - 1, r.top, r.right, r.top + 1, e);
        Fill(r.left, r.bottom - 1, r.left + 1, r.bottom, e);
        return;
    }
    case kBorderRounded:
        RoundedRaisedBorder(r, c, e, KsBevel::kRaised);
        return;
    case kBorderRoundedSunken:
        RoundedRaisedBorder(r, c, e, KsBevel::kSunken);
        return;
    case kBorderRoundedPressed:
        RoundedRaisedBorder(r, c, e, KsBevel::kSunken);
        RoundedRaisedHilite(in1.Insetted(1, 1), c);
        return;
    default:
        PlainFrame(r, Edge(c));
        return;
    }
}

} // namespace

// ---------------------------------------------------------------------------
// Border styles

SInt32 RestrictBorderStyle(SInt32 style) {
    return style == kBorderRounded ? kBorderBlackBevel : style;
}

SInt32 GetBorderWidth(SInt32 style) {
    return StyleInfoOf(style).width;
}

Boolean IsGradientBorder(SInt32 style) {
    return Has(style, kGradient);
}
Boolean IsGradientPartialBorder(SInt32 style) {
    return Has(style, kGradientPartial);
}
Boolean IsGradientBubbleBorder(SInt32 style) {
    return Has(style, kGradientBubble);
}
Boolean IsConvexBorder(SInt32 style) {
    return Has(style, kConvex);
}
Boolean IsConcaveBorder(SInt32 style) {
    return Has(style, kConcave);
}
Boolean IsRoundedBorder(SInt32 style) {
    return Has(style, kRounded);
}

void SetBubbleButtonStyle(SInt32 style) {
    gBubbleButtonStyle = style;
}
SInt32 GetBubbleButtonStyle() {
    return gBubbleButtonStyle;
}

// ---------------------------------------------------------------------------
// Border functions

void StockBorderProc(KsRect* rect, SInt32 style, const KsRGBColor* colors, Boolean draw,
                     SInt32 /*data*/) {
    FtlAssert(rect != nullptr);
    if (draw) {
        static constexpr KsRGBColor kDefaults[2] = {{0xE000, 0xE000, 0xE000},
                                                    {0xFFFF, 0xFFFF, 0xFFFF}};
        const KsRGBColor* cs = colors != nullptr ? colors : kDefaults;
        StColorPenSaver saver;
        DrawStockBorder(*rect, style, cs[0], cs[1]);
    }
    const SInt32 w = GetBorderWidth(style);
    rect->Inset(w, w);
}

void GrooveBorderProc(KsRect* rect, SInt32 /*style*/, const KsRGBColor* colors, Boolean draw,
                      SInt32 /*data*/) {
    FtlAssert(rect != nullptr);
    if (draw && !rect->IsEmpty()) {
        const KsRGBColor e = colors != nullptr ? colors[1] : RGBwhite;
        StColorPenSaver saver;
        // Two rows, centred: a shadow above a highlight.
        const SInt32 v = rect->top + (rect->Height() >= 2 ? (rect->Height() - 2) / 2 : 0);
        HLine(rect->left, rect->right, v, Dark(e));
        if (v + 1 < rect->bottom) HLine(rect->left, rect->right, v + 1, Light(e));
    }
    rect->Inset(1, 1);
}

// ---------------------------------------------------------------------------
// Frames and fills

void TwoColoredBevelFrame(const KsRect& r, const KsRGBColor& light, const KsRGBColor& dark) {
    if (r.IsEmpty()) return;
    StColorPenSaver saver;
    HLine(r.left, r.right - 1, r.top, light);
    VLine(r.left, r.top, r.bottom - 1, light);
    HLine(r.left, r.right, r.bottom - 1, dark);
    VLine(r.right - 1, r.top, r.bottom, dark);
}

void BevelFrame(const KsRect& r, SInt32 style, const KsRGBColor& bkgd) {
    const SInt32 width = GetBorderWidth(style) > 0 ? GetBorderWidth(style) : 1;
    const bool sunken = IsConcaveBorder(style);
    KsRect ring = r;
    for (SInt32 i = 0; i < width && !ring.IsEmpty(); ++i) {
        // Inner rings are softer so that wide bevels read as one slope.
        const KsRGBColor light = i == 0 ? Light(bkgd) : Mix(bkgd, RGBwhite, 300);
        const KsRGBColor dark = i == 0 ? Dark(bkgd) : Mix(bkgd, RGBblack, 150);
        if (sunken)
            TwoColoredBevelFrame(ring, dark, light);
        else
            TwoColoredBevelFrame(ring, light, dark);
        ring.Inset(1, 1);
    }
}

void RoundedRaisedBorder(const KsRect& r, const KsRGBColor& color, const KsRGBColor& enclColor,
                         KsBevel bevel) {
    if (r.IsEmpty()) return;
    StColorPenSaver saver;
    CutCornerFrame(r, Edge(color), &enclColor);
    const KsRect in1 = r.Insetted(1, 1);
    if (bevel == KsBevel::kRaised)
        TwoColoredBevelFrame(in1, Light(color), Dark(color));
    else
        TwoColoredBevelFrame(in1, Dark(color), Light(color));
}

void RoundedRaisedHilite(const KsRect& r, const KsRGBColor& color) {
    if (r.IsEmpty()) return;
    StColorPenSaver saver;
    const KsRGBColor shadow = Mix(color, RGBblack, 250);
    HLine(r.left + 1, r.right, r.top, shadow);
    VLine(r.left, r.top + 1, r.bottom, shadow);
}

void PaintGradient(const KsRect& r, const KsRGBColor& color, SInt32 steps, double curvature,
                   SInt32 style) {
    if (r.IsEmpty()) return;
    const SInt32 height = r.Height();
    if (steps < 1) steps = 1;
    if (steps > height) steps = height;
    // Curvature 100 spreads the ends half way to white and 30 % to black.
    const double c = std::isfinite(curvature) ? curvature : 0.0;
    const SInt32 spread = c <= 0 ? 0 : c >= 100 ? 500 : SInt32(c * 5.0);
    KsRGBColor top = Mix(color, RGBwhite, spread);
    KsRGBColor bottom = Mix(color, RGBblack, spread * 3 / 5);
    if (IsConcaveBorder(style)) {
        const KsRGBColor t = top;
        top = bottom;
        bottom = t;
    }
    const bool partial = IsGradientPartialBorder(style);
    if (partial) bottom = color;
    // A partial gradient fades out half way down; the rest is flat.
    const SInt32 span = partial ? (height + 1) / 2 : height;
    const SInt32 bands = steps < span ? steps : span;

    StColorPenSaver saver;
    for (SInt32 band = 0; band < bands; ++band) {
        const SInt32 y0 = r.top + SInt32(SInt64(span) * band / bands);
        const SInt32 y1 = r.top + SInt32(SInt64(span) * (band + 1) / bands);
        const SInt32 permille = bands > 1 ? SInt32(SInt64(1000) * band / (bands - 1)) : 500;
        Fill(r.left, y0, r.right, y1, Mix(top, bottom, permille));
    }
    if (span < height) Fill(r.left, r.top + span, r.right, r.bottom, color);
}

SInt32 GradientSteps(SInt32 depth, double curvature, SInt32 style) {
    // Shades per channel: 8 bits in direct 24 and 32-bit pixels, 5 in 16-bit
    // ones, a few in an indexed palette, 2 on a one-bit device.
    const SInt32 shades = depth >= 24 ? 256 : depth >= 15 ? 32 : depth >= 4 ? 8 : 2;
    // The gradient runs from spread towards white down to 3/5 of it towards
    // black (PaintGradient); a partial one only from the top to the colour.
    const double c = std::isfinite(curvature) ? std::clamp(curvature, 0.0, 100.0) : 0.0;
    const double span = (IsGradientPartialBorder(style) ? 5.0 : 8.0) * c / 1000.0;
    return std::max<SInt32>(2, SInt32(std::ceil(shades * span)));
}

void BubbleFrame(const KsRect& r, const KsRGBColor& color, const KsRGBColor& enclColor,
                 double /*curvature*/, SInt32 style) {
    if (r.IsEmpty()) return;
    StColorPenSaver saver;
    const bool down = IsConcaveBorder(style);
    CutCornerFrame(r, Mix(color, RGBblack, down ? 500 : 400), &enclColor);
    const KsRect in1 = r.Insetted(1, 1);
    if (in1.IsEmpty()) return;
    if (gBubbleButtonStyle == 0) {
        PlainFrame(in1, color); // flat
        return;
    }
    if (down) {
        // Pressed: a shadow under the top edge, the rest flat.
        HLine(in1.left, in1.right, in1.top, Mix(color, RGBblack, 200));
        VLine(in1.left, in1.top + 1, in1.bottom, color);
        VLine(in1.right - 1, in1.top + 1, in1.bottom, color);
        HLine(in1.left + 1, in1.right - 1, in1.bottom - 1, color);
    } else {
        // Glossy: a bright top, soft sides, a slightly darker foot.
        HLine(in1.left, in1.right, in1.top, Mix(color, RGBwhite, 600));
        VLine(in1.left, in1.top + 1, in1.bottom, Mix(color, RGBwhite, 250));
        VLine(in1.right - 1, in1.top + 1, in1.bottom, Mix(color, RGBwhite, 250));
        HLine(in1.left + 1, in1.right - 1, in1.bottom - 1, Mix(color, RGBblack, 150));
    }
}

void HorSpecLine(const KsRect& r, const KsRGBColor& color, double percentDown, SInt32 inset,
                 SInt32 strength) {
    if (r.IsEmpty() || !std::isfinite(percentDown) || percentDown < 0 || percentDown >= 100) return;
    if (strength < 1) strength = 1;
    if (inset < 0) inset = 0;
    const SInt32 v = r.top + SInt32(SInt64(r.Height()) * SInt64(percentDown * 1000) / 100000);
    StColorPenSaver saver;
    HLine(r.left + inset, r.right - inset, v, Mix(color, RGBwhite, 1000 / strength));
}

// ---------------------------------------------------------------------------
// Colours

KsRGBColor ScaleRGBIntensity(const KsRGBColor& color, SInt32 num, SInt32 den) {
    FtlAssert(den != 0);
    auto scale = [&](UInt16 ch) -> UInt16 {
        const SInt64 v = SInt64(ch) * num / den;
        return UInt16(v < 0 ? 0 : v > 0xFFFF ? 0xFFFF : v);
    };
    return {scale(color.red), scale(color.green), scale(color.blue)};
}

KsRGBColor AverageRGB(const KsRGBColor& a, const KsRGBColor& b, double weight) {
    if (!(weight > 0)) weight = 0; // also NaN
    if (weight > 1) weight = 1;
    auto mix = [&](UInt16 x, UInt16 y) {
        return UInt16(std::lround(x * (1.0 - weight) + y * weight));
    };
    return {mix(a.red, b.red), mix(a.green, b.green), mix(a.blue, b.blue)};
}

UInt16 RGBLuminance(const KsRGBColor& color) {
    return UInt16(
        (299 * SInt64(color.red) + 587 * SInt64(color.green) + 114 * SInt64(color.blue) + 500) /
        1000);
}

Boolean AdjustFGColorContrast(const KsRGBColor& fg, const KsRGBColor& bkgd, KsRGBColor* out) {
    // A quarter of the brightness range keeps small text legible.
    constexpr SInt32 kMinContrast = 0x4000;
    const SInt32 lf = RGBLuminance(fg);
    const SInt32 lb = RGBLuminance(bkgd);
    const SInt32 diff = lf > lb ? lf - lb : lb - lf;
    if (diff >= kMinContrast) {
        if (out != nullptr) *out = fg;
        return false;
    }
    if (out != nullptr) *out = lb >= 0x8000 ? RGBblack : RGBwhite;
    return true;
}

Boolean AdjustFGColorContrast(KsRGBColor* fg, const KsRGBColor& bkgd) {
    FtlAssert(fg != nullptr);
    return AdjustFGColorContrast(*fg, bkgd, fg);
}

// ---------------------------------------------------------------------------
// Rectangles

Boolean RectIsVisibleInPort(const KsRect& r, GrafPort* port) {
    if (port == nullptr || r.IsEmpty()) return false;
    KsRgn shown = RgnHandleToKsRgn(port->visRgn);
    shown.Intersect(r);
    if (shown.IsEmpty()) return false;
    return shown.Overlaps(RgnHandleToKsRgn(port->clipRgn));
}

Boolean RectIsVisible(const KsRect& r) {
    return RectIsVisibleInPort(r, KsGetPort());
}

KsRect CenterRectInRect(const KsRect& r, const KsRect& within) {
    // Floor division keeps the rounding the same on both sides of zero.
    auto half = [](SInt64 d) { return d >= 0 ? d / 2 : -((-d + 1) / 2); };
    const SInt64 left = within.left + half(SInt64(within.Width()) - r.Width());
    const SInt64 top = within.top + half(SInt64(within.Height()) - r.Height());
    return r.Offsetted(SInt32(left - r.left), SInt32(top - r.top));
}
