// The painting engine: inks from the port's state, and the one routine that
// writes a clipped set of pixels with an ink.
//
// Sections: inks; writing one device box; rectangles and regions.
//
// Pattern pixels are chosen in local coordinates (a one-bit pattern and a
// pixel pattern tile from the port's local origin), so each logical pixel of
// a scale-2 port is four device pixels of the same pattern pixel.
#include "KsPaintPrivate.h"

#include "KsFatal.h"

#include <algorithm>

namespace {

constexpr UInt32 kRGB = 0x00FFFFFFu;

bool AllBits(const Pattern& p, UInt8 value) {
    for (UInt8 row : p.pat)
        if (row != value) return false;
    return true;
}

// The op of a pen or pattern mode; not-forms come back in *invert.
KsInkOp OpOfMode(SInt16 mode, bool* invert) {
    *invert = false;
    if (mode == hilite) return KsInkOp::kHilite;
    if (mode == transparent) return KsInkOp::kOr;
    if (mode < 0 || mode > notPatBic) return KsInkOp::kCopy;
    *invert = (mode & 4) != 0;
    switch (mode & 3) {
    case 1:
        return KsInkOp::kOr;
    case 2:
        return KsInkOp::kXor;
    case 3:
        return KsInkOp::kBic;
    default:
        return KsInkOp::kCopy;
    }
}

KsInk BaseInk(GrafPtr port) {
    KsInk ink;
    ink.fg = KsPixelOf(port->rgbFgColor);
    ink.bk = KsPixelOf(port->rgbBkColor);
    ink.hilite = KsPixelOf(port->hiliteColor);
    return ink;
}

// A one-bit pattern through a mode; uniform patterns become the cheaper ink
// that draws the same pixels.
KsInk PatternInk(GrafPtr port, const Pattern& pat, SInt16 mode) {
    KsInk ink = BaseInk(port);
    bool invert = false;
    ink.op = OpOfMode(mode, &invert);
    ink.pat = pat;
    if (invert)
        for (UInt8& row : ink.pat.pat)
            row = UInt8(~row);
    const bool ones = AllBits(ink.pat, 0xFF), zeros = AllBits(ink.pat, 0x00);
    if (!ones && !zeros) {
        ink.kind = KsInkKind::kPattern;
        return ink;
    }
    switch (ink.op) {
    case KsInkOp::kCopy:
        ink.kind = KsInkKind::kSolid;
        ink.solid = ones ? ink.fg : ink.bk;
        break;
    case KsInkOp::kOr:
        ink.kind = ones ? KsInkKind::kSolid : KsInkKind::kNothing;
        ink.solid = ink.fg;
        break;
    case KsInkOp::kBic:
        ink.kind = ones ? KsInkKind::kSolid : KsInkKind::kNothing;
        ink.solid = ink.bk;
        break;
    case KsInkOp::kXor:
        ink.kind = ones ? KsInkKind::kInvert : KsInkKind::kNothing;
        break;
    case KsInkOp::kHilite:
        ink.kind = ones ? KsInkKind::kHilite : KsInkKind::kNothing;
        break;
    }
    return ink;
}

KsInk PixPatInk(GrafPtr port, PixPatHandle pp, SInt16 mode) {
    KsInk ink = BaseInk(port);
    ink.kind = KsInkKind::kPixPat;
    ink.op = OpOfMode(mode, &ink.invertSource);
    ink.pixPat = pp;
    return ink;
}

} // namespace

// ---- Inks -------------------------------------------------------------------

KsInk KsPenInk(GrafPtr port) {
    if (port->pnPixPat) return PixPatInk(port, port->pnPixPat, port->pnMode);
    return PatternInk(port, port->pnPat, port->pnMode);
}

KsInk KsBackInk(GrafPtr port) {
    if (port->bkPixPat) return PixPatInk(port, port->bkPixPat, patCopy);
    return PatternInk(port, port->bkPat, patCopy);
}

KsInk KsFillInk(GrafPtr port, const Pattern& pat) {
    return PatternInk(port, pat, patCopy);
}

KsInk KsPixPatInk(GrafPtr port, PixPatHandle pp) {
    return PixPatInk(port, pp, patCopy);
}

KsInk KsSolidInk(const RGBColor& color) {
    KsInk ink;
    ink.kind = KsInkKind::kSolid;
    ink.solid = KsPixelOf(color);
    return ink;
}

KsInk KsInvertInk() {
    KsInk ink;
    ink.kind = KsInkKind::kInvert;
    return ink;
}

// ---- Writing one device box -------------------------------------------------

namespace {

struct Target {
    UInt32* bits;
    SInt32 stride; // in pixels
    SInt32 scale;
    SInt32 originH, originV; // local coordinates of device pixel (0, 0)
};

inline UInt32 Combine(KsInkOp op, bool set, UInt32 src, UInt32 dst, const KsInk& ink) {
    switch (op) {
    case KsInkOp::kCopy:
        return src;
    case KsInkOp::kOr:
        return set ? src : dst;
    case KsInkOp::kXor:
        return set ? dst ^ kRGB : dst;
    case KsInkOp::kBic:
        return set ? ink.bk : dst;
    case KsInkOp::kHilite:
        if (!set) return dst;
        if ((dst & kRGB) == (ink.bk & kRGB)) return ink.hilite;
        if ((dst & kRGB) == (ink.hilite & kRGB)) return ink.bk;
        return dst;
    }
    return dst;
}

void WriteBox(const Target& t, const KsRect& b, const KsInk& ink) {
    const SInt32 w = b.right - b.left;
    switch (ink.kind) {
    case KsInkKind::kNothing:
        return;
    case KsInkKind::kSolid: {
        // Narrow boxes are cheaper by hand than through pixman's dispatch.
        // The colour is held in a local so the stores need not reload it.
        // Stride and row count too: a pixel store might alias the records
        // they come from, which would reload them on every row.
        const UInt32 solid = ink.solid;
        const std::size_t stride = std::size_t(t.stride);
        const SInt32 rows = b.bottom - b.top;
        if (w == 1) { // a frame's side: one pixel a row
            UInt32* p = t.bits + std::size_t(b.top) * stride + b.left;
            for (SInt32 y = 0; y < rows; ++y, p += stride)
                *p = solid;
            return;
        }
        if (w <= 32) {
            UInt32* row = t.bits + std::size_t(b.top) * stride + b.left;
            for (SInt32 y = 0; y < rows; ++y, row += stride)
                std::fill_n(row, w, solid);
            return;
        }
        pixman_fill(reinterpret_cast<uint32_t*>(t.bits), t.stride, 32, b.left, b.top, w,
                    b.bottom - b.top, solid);
        return;
    }
    case KsInkKind::kInvert:
        for (SInt32 y = b.top; y < b.bottom; ++y) {
            UInt32* p = t.bits + std::size_t(y) * std::size_t(t.stride) + b.left;
            for (SInt32 x = 0; x < w; ++x)
                p[x] ^= kRGB;
        }
        return;
    case KsInkKind::kHilite:
        for (SInt32 y = b.top; y < b.bottom; ++y) {
            UInt32* p = t.bits + std::size_t(y) * std::size_t(t.stride) + b.left;
            for (SInt32 x = 0; x < w; ++x)
                p[x] = Combine(KsInkOp::kHilite, true, 0, p[x], ink);
        }
        return;
    case KsInkKind::kPattern:
        for (SInt32 y = b.top; y < b.bottom; ++y) {
            UInt32* p = t.bits + std::size_t(y) * std::size_t(t.stride);
            const UInt8 row = ink.pat.pat[(y / t.scale + t.originV) & 7];
            for (SInt32 x = b.left; x < b.right; ++x) {
                const bool set = (row >> (7 - ((x / t.scale + t.originH) & 7))) & 1;
                p[x] = Combine(ink.op, set, set ? ink.fg : ink.bk, p[x], ink);
            }
        }
        return;
    case KsInkKind::kPixPat: {
        const PixPat& pp = **ink.pixPat;
        const UInt32* px = KsPixPatPixels(ink.pixPat);
        const SInt32 pw = pp.width, ph = pp.height;
        for (SInt32 y = b.top; y < b.bottom; ++y) {
            UInt32* p = t.bits + std::size_t(y) * std::size_t(t.stride);
            SInt32 py = (y / t.scale + t.originV) % ph;
            if (py < 0) py += ph;
            const UInt32* prow = px + std::size_t(py) * std::size_t(pw);
            for (SInt32 x = b.left; x < b.right; ++x) {
                SInt32 pxi = (x / t.scale + t.originH) % pw;
                if (pxi < 0) pxi += pw;
                UInt32 src = prow[pxi];
                if (ink.invertSource) src ^= kRGB;
                // White is the clear colour; xor flips the bits that are
                // clear in the source, so black inverts and white keeps.
                if (ink.op == KsInkOp::kXor) {
                    p[x] ^= ~src & kRGB;
                    continue;
                }
                const bool set = (src & kRGB) != kRGB;
                p[x] = Combine(ink.op, set, src | 0xFF000000u, p[x], ink);
            }
        }
        return;
    }
    }
}

Target TargetOf(GrafPtr port) {
    pixman_image_t* img = port->surface->image;
    return {reinterpret_cast<UInt32*>(pixman_image_get_data(img)), pixman_image_get_stride(img) / 4,
            port->surface->scale, port->portBounds.left, port->portBounds.top};
}

KsRect ImageRect(GrafPtr port) {
    pixman_image_t* img = port->surface->image;
    return {0, 0, pixman_image_get_width(img), pixman_image_get_height(img)};
}

// Clip and visible region both rectangles (or empty): the common case,
// done without any region work.
bool RectangularClip(GrafPtr port) {
    return KsRgnRef(port->visRgn).RectCount() <= 1 && KsRgnRef(port->clipRgn).RectCount() <= 1;
}

// What a rectangle fill needs of its port, read once a call: the pixels,
// the image in device pixels and, for a rectangular clip, the clip in local
// coordinates (the port's bounds, visible region and clip together).
struct RectView {
    Target t;
    KsRect image;
    KsRect clip;
};

bool SimpleRectView(GrafPtr port, RectView* v) {
    const KsRgn& vis = KsRgnRef(port->visRgn);
    const KsRgn& clip = KsRgnRef(port->clipRgn);
    if (vis.RectCount() > 1 || clip.RectCount() > 1) return false;
    pixman_image_t* img = port->surface->image;
    const SInt32 w = pixman_image_get_width(img), h = pixman_image_get_height(img);
    const SInt32 s = port->surface->scale, bl = port->portBounds.left, bt = port->portBounds.top;
    v->t = {reinterpret_cast<UInt32*>(pixman_image_get_data(img)), pixman_image_get_stride(img) / 4,
            s, bl, bt};
    v->image = {0, 0, w, h};
    // As KsPortLocalBounds, without asking the image again.
    const KsRect local = ToKsRect(port->portBounds).Intersect({bl, bt, bl + w / s, bt + h / s});
    v->clip = local.Intersect(vis.Bounds()).Intersect(clip.Bounds());
    return true;
}

} // namespace

// ---- Rectangles and regions -------------------------------------------------

void KsPaintRect(GrafPtr port, const KsRect& r, const KsInk& ink) {
    if (ink.kind == KsInkKind::kNothing || r.IsEmpty()) return;
    RectView v;
    if (!SimpleRectView(port, &v)) return KsPaintRgn(port, KsRgn(r), ink);
    const KsRect dev = KsLocalToDevice(port, r.Intersect(v.clip)).Intersect(v.image);
    if (dev.IsEmpty()) return;
    WriteBox(v.t, dev, ink);
    KsAddDamage(port->surface, dev);
}

void KsPaintRects(GrafPtr port, const KsRect* rects, int count, const KsInk& ink) {
    if (ink.kind == KsInkKind::kNothing || count <= 0) return;
    RectView v;
    if (!SimpleRectView(port, &v)) {
        for (int i = 0; i < count; ++i)
            if (!rects[i].IsEmpty()) KsPaintRgn(port, KsRgn(rects[i]), ink);
        return;
    }
    // One clip, one target and (usually) one damage test for the lot.
    const Target& t = v.t;
    const KsRect& image = v.image;
    const KsRect& clip = v.clip;
    KsRect devs[8];
    KsRect hull;
    int n = 0;
    for (int i = 0; i < count; ++i) {
        const KsRect dev = KsLocalToDevice(port, rects[i].Intersect(clip)).Intersect(image);
        if (dev.IsEmpty()) continue;
        WriteBox(t, dev, ink);
        hull = hull.IsEmpty() ? dev : hull.Union(dev);
        if (n < 8) devs[n] = dev;
        ++n;
    }
    if (n == 0 || port->surface->damage.Contains(hull)) return;
    if (n > 8) {
        for (int i = 0; i < count; ++i)
            KsAddDamage(port->surface,
                        KsLocalToDevice(port, rects[i].Intersect(clip)).Intersect(image));
        return;
    }
    for (int i = 0; i < n; ++i)
        KsAddDamage(port->surface, devs[i]);
}

void KsPaintRgn(GrafPtr port, const KsRgn& rgn, const KsInk& ink) {
    if (ink.kind == KsInkKind::kNothing || rgn.IsEmpty()) return;
    if (rgn.RectCount() == 1 && RectangularClip(port)) return KsPaintRect(port, rgn.Bounds(), ink);
    KsRgn local(rgn);
    local.Intersect(KsPortLocalClip(port));
    if (local.IsEmpty()) return;
    KsRgn dev = KsLocalToDevice(port, local);
    dev.Intersect(ImageRect(port));
    const Target t = TargetOf(port);
    for (KsRect b : dev.Rects())
        WriteBox(t, b, ink);
    KsAddDamage(port->surface, dev);
}
