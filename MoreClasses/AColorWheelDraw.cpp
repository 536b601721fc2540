// AColorWheel drawing: the antialiased disc (kept in a buffer at the
// window's backing scale), the vector-scope graticule, labels and points.
#include "AColorWheel.h"

#include "AWindow.h"
#include "KsPortSavers.h"
#include "Pictures.h"
#include "QDOffscreen.h"
#include "QuickDraw.h"
#include "StPaneWindowPort.h"
#include "Windows.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {
constexpr SInt16 kPointHalf = 3; // points are 7 x 7
constexpr SInt16 kLabelFont = 1;
constexpr SInt16 kLabelSize = 9;

// Hue in [0, 1), saturation in [0, 1], full value: 0x00RRGGBB.
UInt32 HueSat(double hue, double sat) {
    const double h6 = (hue - std::floor(hue)) * 6.0;
    const int sector = int(h6) % 6;
    const double f = h6 - std::floor(h6);
    const double p = 1.0 - sat, q = 1.0 - sat * f, t = 1.0 - sat * (1.0 - f);
    double r = 1, g = 1, b = 1;
    switch (sector) {
    case 0:
        r = 1, g = t, b = p;
        break;
    case 1:
        r = q, g = 1, b = p;
        break;
    case 2:
        r = p, g = 1, b = t;
        break;
    case 3:
        r = p, g = q, b = 1;
        break;
    case 4:
        r = t, g = p, b = 1;
        break;
    default:
        r = 1, g = p, b = q;
        break;
    }
    auto c = [](double v) { return UInt32(std::lround(std::clamp(v, 0.0, 1.0) * 255.0)); };
    return c(r) << 16 | c(g) << 8 | c(b);
}

UInt32 Blend(UInt32 fg, UInt32 bg, double cover) {
    auto ch = [&](int shift) {
        const double f = (fg >> shift) & 0xFF, b = (bg >> shift) & 0xFF;
        return UInt32(std::lround(b + (f - b) * cover)) << shift;
    };
    return ch(16) | ch(8) | ch(0);
}
} // namespace

void AColorWheel::DisposeOffscreen() {
    if (disc) DisposeGWorld(disc);
    disc = nullptr;
    discRect = KsRect{};
}

void AColorWheel::InteriorChanged(const KsRect& newInterior) {
    AGadget::InteriorChanged(newInterior);
    DisposeOffscreen();
}

// Per device pixel: hue by angle, saturation by the radius value, the rim
// covered in proportion to the pixel's share of the circle.
void CWPaintDisc(GrafPtr port, const CWGeometry& g, KsPoint c, UInt32 bg) {
    PixMapHandle pm = GetGWorldPixMap(port);
    if (!pm) return;
    auto* base = reinterpret_cast<UInt8*>(GetPixBaseAddr(pm));
    const SInt32 stride = (*pm)->pixelRowBytes;
    const SInt32 scale = port->scale;
    const Rect b = port->portBounds;
    const SInt32 dw = (b.right - b.left) * scale, dh = (b.bottom - b.top) * scale;
    for (SInt32 y = 0; y < dh; ++y) {
        auto* row = reinterpret_cast<UInt32*>(base + SInt64(y) * stride);
        const double oy = b.top + (y + 0.5) / scale - c.v;
        for (SInt32 x = 0; x < dw; ++x) {
            const double ox = b.left + (x + 0.5) / scale - c.h;
            const double d = std::hypot(ox, oy);
            const double cover = g.R > 0.0 ? std::clamp((g.R - d) * scale + 0.5, 0.0, 1.0) : 0.0;
            if (cover <= 0.0) {
                row[x] = bg;
                continue;
            }
            double a = 0, rad = 0;
            g.OffsetToValue(ox, oy, &a, &rad, nullptr);
            row[x] = Blend(HueSat(a / g.angleRange, std::min(1.0, rad / g.radiusRange)), bg, cover);
        }
    }
}

bool AColorWheel::AdjustOffscreen() {
    const KsRect in = GetInterior();
    AWindow* w = GetEnclWindow();
    if (in.IsEmpty() || !w || !w->GetWindowPtr()) return false;
    const SInt16 scale = GetWindowPort(w->GetWindowPtr())->scale;
    if (disc && discRect == in && disc->scale == scale) return true;
    DisposeOffscreen();
    const Rect r = ToRect(in);
    if (KsNewGWorldScaled(&disc, 32, &r, scale, 0) != noErr || !disc) {
        disc = nullptr;
        return false;
    }
    discRect = in;
    const KsRGBColor bk = GetBkndColor();
    CWPaintDisc(disc, Geometry(), Center(),
                UInt32(bk.red >> 8) << 16 | UInt32(bk.green >> 8) << 8 | UInt32(bk.blue >> 8));
    return true;
}

void AColorWheel::DrawDisc(const KsRect& area) {
    GrafPtr target = KsGetPort();
    if (!target || !AdjustOffscreen()) return;
    const Rect r = ToRect(area.Intersect(discRect));
    CopyBits(GetPortBitMapForCopyBits(disc), GetPortBitMapForCopyBits(target), &r, &r, srcCopy,
             nullptr);
}

void AColorWheel::DrawLabels() {
    const CWGeometry g = Geometry();
    if (!(g.R > 0.0) || margin < 12) return;
    StTextIn text(kLabelFont, kLabelSize, 0);
    const RGBColor fg = ToRGBColor(labelColor);
    RGBForeColor(&fg);
    const KsPoint c = Center();
    for (SInt16 k = 0; k < 6; ++k) {
        CWGeometry outer = g;
        outer.R = g.R + margin / 2.0;
        const KsPoint o = outer.ValueToOffsetLinear(k * g.angleRange / 6.0, g.radiusRange);
        const SInt16 len = SInt16(std::strlen(labels[k]));
        const SInt16 w = TextWidth(labels[k], 0, len);
        MoveTo(SInt16(c.h + o.h - w / 2), SInt16(c.v + o.v + 3));
        DrawText(labels[k], 0, len);
    }
    const KsRect in = GetInterior();
    MoveTo(SInt16(in.left + 2), SInt16(in.bottom - 3));
    DrawText(labels[6], 0, SInt16(std::strlen(labels[6])));
}

void AColorWheel::DrawPoints() {
    StColorPenSaver pen;
    for (SInt16 i = 0; i < std::min(numPoints, maxActivePoints); ++i) {
        if (!points[i].active) continue;
        const KsPoint p = PointPosition(i);
        Rect r{SInt16(p.v - kPointHalf), SInt16(p.h - kPointHalf), SInt16(p.v + kPointHalf + 1),
               SInt16(p.h + kPointHalf + 1)};
        ForeColor(i == activePoint ? 33 /* black */ : 30 /* white */);
        PaintRect(&r);
        InsetRect(&r, -1, -1);
        ForeColor(i == activePoint ? 30 : 33);
        FrameRect(&r);
    }
}

void AColorWheel::DrawWheel() {
    const KsRect in = GetInterior();
    DrawDisc(in);
    const CWGeometry g = Geometry();
    const KsPoint c = Center();
    // A host's picture (a vector scope's graticule, say) goes over the disc.
    if (bgPictID != -1 && g.R > 0.0)
        if (PicHandle pict = GetPicture(bgPictID)) {
            const SInt16 R = SInt16(g.R);
            const Rect square{SInt16(c.v - R), SInt16(c.h - R), SInt16(c.v + R), SInt16(c.h + R)};
            DrawPicture(pict, &square);
        }
    if (vectorWheel && g.R > 0.0) {
        StColorPenSaver pen;
        const RGBColor grid = ToRGBColor(RGBgray6);
        RGBForeColor(&grid);
        const SInt16 R = SInt16(g.R);
        MoveTo(SInt16(c.h - R), SInt16(c.v));
        LineTo(SInt16(c.h + R), SInt16(c.v));
        MoveTo(SInt16(c.h), SInt16(c.v - R));
        LineTo(SInt16(c.h), SInt16(c.v + R));
    }
    if (drawEllipseProc && g.R > 0.0) {
        const SInt32 R = SInt32(g.R);
        drawEllipseProc(this, KsRect{c.h - R, c.v - R, c.h + R, c.v + R});
    }
    DrawLabels();
    DrawPoints();
}

void AColorWheel::DrawInterior(const KsRect* clip, void*) {
    const KsRect in = GetInterior();
    const KsRect a = clip ? in.Intersect(*clip) : GetVisRect(in);
    if (a.IsEmpty()) return;
    StClipSaver saver(ToRect(a));
    DrawWheel();
}

void AColorWheel::RedrawNow() {
    StPaneWindowPort port(this);
    if (!port.ok()) return;
    const KsRect a = GetVisRect(GetInterior());
    if (a.IsEmpty()) return;
    const Rect r = ToRect(a);
    ClipRect(&r);
    DrawWheel();
}
