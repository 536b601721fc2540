// CopyBits and CopyMask: pixels from a port or a one-bit bitmap into a port.
//
// Sections: sources and plans; walking the destination; transfer modes;
// the calls; carrying a world's pixels.
//
// Everything happens in device pixels. A plan is the set of destination
// device pixels that may change (the destination rectangle clipped by the
// buffer, the mask region, the current port's clip and the part that maps
// inside the source) and, per axis, the source pixel of each destination
// pixel: an offset when the sizes agree, a table when they do not.
#include "QDOffscreenPrivate.h"

#include "KsRgnPrivate.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

constexpr UInt32 kAlpha = 0xFF000000u, kRGB = 0x00FFFFFFu;

// ---- Sources and plans --------------------------------------------------------

// Source pixel coordinates are device pixels of a port's buffer, or pixels
// of a one-bit bitmap counted from its top-left corner.
struct Source {
    const UInt32* pixels = nullptr;  // colour source
    std::size_t stride = 0;          // in pixels
    SInt32 originH = 0, originV = 0; // source coordinates of pixels[0]
    const UInt8* bits = nullptr;     // one-bit source
    std::size_t rowBytes = 0;
    KsRect extent; // the addressable source pixels
    KsRect rect;   // the source rectangle, unclipped
    SInt32 scale = 1;
    const KsPortSurface* surface = nullptr;
};

KsRect ImageRect(const KsPortSurface* s) {
    return {0, 0, pixman_image_get_width(s->image), pixman_image_get_height(s->image)};
}

// The buffer pixels a port may address, in device pixels.
KsRect PortDeviceExtent(GrafPtr port) {
    return KsLocalToDevice(port, KsPortLocalBounds(port)).Intersect(ImageRect(port->surface));
}

// A one-bit bitmap handed in from outside: everything it claims is checked
// before a byte of it is read.
bool OneBitSource(const BitMap* b, Source* src) {
    if (b->rowBytes & 0x8000) return false; // a pixel map that is not a port's
    const SInt32 w = SInt32(b->bounds.right) - b->bounds.left;
    const SInt32 h = SInt32(b->bounds.bottom) - b->bounds.top;
    if (!b->baseAddr || w <= 0 || h <= 0 || b->rowBytes <= 0 || b->rowBytes < (w + 7) / 8)
        return false;
    src->bits = reinterpret_cast<const UInt8*>(b->baseAddr);
    src->rowBytes = std::size_t(b->rowBytes);
    src->extent = {0, 0, w, h};
    return true;
}

bool ResolveSource(const BitMap* b, const Rect& r, Source* src) {
    if (!b) return false;
    if (GrafPtr port = KsPortOfPixMap(b)) {
        if (!port->surface) return false;
        pixman_image_t* img = port->surface->image;
        src->surface = port->surface;
        src->pixels = reinterpret_cast<const UInt32*>(pixman_image_get_data(img));
        src->stride = std::size_t(pixman_image_get_stride(img) / 4);
        src->extent = PortDeviceExtent(port);
        src->rect = KsLocalToDevice(port, ToKsRect(r));
        src->scale = port->surface->scale;
        return true;
    }
    if (!OneBitSource(b, src)) return false;
    src->rect = ToKsRect(r).Offsetted(-SInt32(b->bounds.left), -SInt32(b->bounds.top));
    return true;
}

struct Plan {
    UInt32* dst = nullptr;
    std::size_t stride = 0; // in pixels
    KsRgn region;           // destination device pixels that may change
    bool oneToOne = false;
    SInt32 dx = 0, dy = 0; // destination minus source, when oneToOne
    KsRect base;           // the tables start at base.left and base.top
    std::vector<SInt32> xmap, ymap;
    bool reverseX = false, reverseY = false;

    SInt32 SrcX(SInt32 x) const { return oneToOne ? x - dx : xmap[std::size_t(x - base.left)]; }
    SInt32 SrcY(SInt32 y) const { return oneToOne ? y - dy : ymap[std::size_t(y - base.top)]; }
};

// Source pixels for destination pixels [lo, hi) along one axis, and the
// part of [lo, hi) that maps inside [srcLo, srcHi).
void MapAxis(SInt32 dstStart, SInt32 dstLen, SInt32 srcStart, SInt32 srcLen, SInt32 lo, SInt32 hi,
             SInt32 srcLo, SInt32 srcHi, std::vector<SInt32>* map, SInt32* validLo,
             SInt32* validHi) {
    map->resize(std::size_t(hi - lo));
    *validLo = hi;
    *validHi = lo;
    for (SInt32 x = lo; x < hi; ++x) {
        const SInt64 i = SInt64(x) - dstStart;
        const SInt32 s = SInt32(srcStart + (2 * i + 1) * srcLen / (2 * SInt64(dstLen)));
        (*map)[std::size_t(x - lo)] = s;
        if (s >= srcLo && s < srcHi) {
            *validLo = std::min(*validLo, x);
            *validHi = std::max(*validHi, x + 1);
        }
    }
}

// Plans a copy of src->rect into dstRect of port; false when nothing is
// left to change.
bool MakePlan(GrafPtr port, const Rect& dstRect, const Source& src, RgnHandle maskRgn, Plan* p) {
    pixman_image_t* img = port->surface->image;
    p->dst = reinterpret_cast<UInt32*>(pixman_image_get_data(img));
    p->stride = std::size_t(pixman_image_get_stride(img) / 4);
    const KsRect dd = KsLocalToDevice(port, ToKsRect(dstRect));
    const KsRect& sd = src.rect;
    if (dd.IsEmpty() || sd.IsEmpty()) return false;

    p->region.SetRect(dd.Intersect(PortDeviceExtent(port)));
    if (maskRgn) p->region.Intersect(KsLocalToDevice(port, KsRgnRef(maskRgn)));
    if (port == KsGetPort()) p->region.Intersect(KsPortDeviceClip(port));
    if (p->region.IsEmpty()) return false;

    p->oneToOne = dd.Width() == sd.Width() && dd.Height() == sd.Height();
    KsRect valid;
    if (p->oneToOne) {
        p->dx = dd.left - sd.left;
        p->dy = dd.top - sd.top;
        valid = src.extent.Offsetted(p->dx, p->dy);
    } else {
        p->base = p->region.Bounds();
        const KsRect& b = p->base;
        MapAxis(dd.left, dd.Width(), sd.left, sd.Width(), b.left, b.right, src.extent.left,
                src.extent.right, &p->xmap, &valid.left, &valid.right);
        MapAxis(dd.top, dd.Height(), sd.top, sd.Height(), b.top, b.bottom, src.extent.top,
                src.extent.bottom, &p->ymap, &valid.top, &valid.bottom);
    }
    p->region.Intersect(valid);
    if (p->region.IsEmpty()) return false;

    // In one buffer, walk so that each source pixel is read before it is
    // written: away from the direction of travel.
    if (src.surface == port->surface && p->oneToOne) {
        p->reverseY = p->dy > 0;
        p->reverseX = p->dy == 0 && p->dx > 0;
    }
    return true;
}

// A scaled copy within one buffer reads from a private copy of the source
// pixels it needs, so that the order of writing does not matter.
void DetachSource(const Plan& p, Source* src, std::vector<UInt32>* store) {
    const KsRect b = p.region.Bounds();
    const SInt32 l = p.SrcX(b.left), r = p.SrcX(b.right - 1) + 1;
    const SInt32 t = p.SrcY(b.top), btm = p.SrcY(b.bottom - 1) + 1;
    const std::size_t w = std::size_t(r - l);
    store->resize(w * std::size_t(btm - t));
    for (SInt32 y = t; y < btm; ++y)
        std::memcpy(store->data() + std::size_t(y - t) * w,
                    src->pixels + std::size_t(y - src->originV) * src->stride +
                        std::size_t(l - src->originH),
                    w * sizeof(UInt32));
    src->pixels = store->data();
    src->stride = w;
    src->originH = l;
    src->originV = t;
}

// ---- Walking the destination --------------------------------------------------

// Calls fn(y, x0, x1) for every row of every box of the plan's region, in
// the order the plan asks for.
template <class RowFn> void ForEachRow(const Plan& p, RowFn&& fn) {
    int count = 0;
    const pixman_box32_t* boxes =
        pixman_region32_rectangles(const_cast<pixman_region32_t*>(KsRgnPixman(p.region)), &count);
    const std::size_t n = std::size_t(count);
    auto band = [&](std::size_t lo, std::size_t hi) {
        const SInt32 y1 = boxes[lo].y1, y2 = boxes[lo].y2;
        for (SInt32 k = 0; k < y2 - y1; ++k) {
            const SInt32 y = p.reverseY ? y2 - 1 - k : y1 + k;
            if (p.reverseX)
                for (std::size_t j = hi; j-- > lo;)
                    fn(y, boxes[j].x1, boxes[j].x2);
            else
                for (std::size_t j = lo; j < hi; ++j)
                    fn(y, boxes[j].x1, boxes[j].x2);
        }
    };
    // Bands in order, or backwards; found in place, as this runs for every
    // copy and must not allocate.
    if (p.reverseY) {
        for (std::size_t last = n, first = 0; last > 0; last = first) {
            first = last - 1;
            while (first > 0 && boxes[first - 1].y1 == boxes[last - 1].y1)
                --first;
            band(first, last);
        }
    } else {
        for (std::size_t first = 0, last = 0; first < n; first = last) {
            last = first + 1;
            while (last < n && boxes[last].y1 == boxes[first].y1)
                ++last;
            band(first, last);
        }
    }
}

// Runs op(sample, dst pixel, source x, source y) -> new pixel over the plan,
// with sample = fetch(source x, source y).
template <class Fetch, class Op> void RunPixels(const Plan& p, Fetch fetch, Op op) {
    ForEachRow(p, [&](SInt32 y, SInt32 x0, SInt32 x1) {
        const SInt32 sy = p.SrcY(y);
        UInt32* d = p.dst + std::size_t(y) * p.stride;
        auto one = [&](SInt32 x) {
            const SInt32 sx = p.SrcX(x);
            d[x] = op(fetch(sx, sy), d[x], sx, sy) | kAlpha;
        };
        if (p.reverseX)
            for (SInt32 x = x1; x-- > x0;)
                one(x);
        else
            for (SInt32 x = x0; x < x1; ++x)
                one(x);
    });
}

// ---- Transfer modes -------------------------------------------------------------

struct Colours {
    UInt32 fg = 0, bk = kRGB, hilite = 0;
    bool plain = true; // black on white: colouring changes nothing
};

Colours CurrentColours() {
    Colours c;
    if (GrafPtr port = KsGetPort()) {
        c.fg = KsPixelOf(port->rgbFgColor) & kRGB;
        c.bk = KsPixelOf(port->rgbBkColor) & kRGB;
        c.hilite = KsPixelOf(port->hiliteColor) & kRGB;
    }
    c.plain = c.fg == 0 && c.bk == kRGB;
    return c;
}

inline UInt32 Colourise(UInt32 s, const Colours& c) {
    return (s & c.bk) | (~s & c.fg);
}

inline UInt32 HiliteSwap(bool set, UInt32 d, const Colours& c) {
    if (!set) return d;
    if ((d & kRGB) == c.bk) return c.hilite;
    if ((d & kRGB) == c.hilite) return c.bk;
    return d;
}

enum class Op : UInt8 { kCopy, kOr, kXor, kBic, kTransparent, kHilite };

Op OpOf(SInt16 mode, bool* invert) {
    mode = SInt16(mode & ~ditherCopy);
    *invert = false;
    if (mode == transparent) return Op::kTransparent;
    if (mode == hilite) return Op::kHilite;
    if (mode < srcCopy || mode > notSrcBic) return Op::kCopy;
    *invert = (mode & 4) != 0;
    return Op(mode & 3);
}

void CopyRowsFast(const Plan& p, const Source& src) {
    ForEachRow(p, [&](SInt32 y, SInt32 x0, SInt32 x1) {
        const UInt32* s = src.pixels + std::size_t(y - p.dy - src.originV) * src.stride +
                          std::size_t(x0 - p.dx - src.originH);
        std::memmove(p.dst + std::size_t(y) * p.stride + std::size_t(x0), s,
                     std::size_t(x1 - x0) * sizeof(UInt32));
    });
}

void RunColour(const Plan& p, const Source& src, Op op, bool invert, const Colours& c) {
    const UInt32 inv = invert ? kRGB : 0;
    auto fetch = [&](SInt32 sx, SInt32 sy) {
        return (src.pixels[std::size_t(sy - src.originV) * src.stride +
                           std::size_t(sx - src.originH)] ^
                inv) &
               kRGB;
    };
    switch (op) {
    case Op::kCopy:
        if (c.plain && !invert && p.oneToOne) return CopyRowsFast(p, src);
        if (c.plain) return RunPixels(p, fetch, [](UInt32 s, UInt32, SInt32, SInt32) { return s; });
        return RunPixels(p, fetch,
                         [&](UInt32 s, UInt32, SInt32, SInt32) { return Colourise(s, c); });
    case Op::kOr:
        return RunPixels(p, fetch, [](UInt32 s, UInt32 d, SInt32, SInt32) { return d & s; });
    case Op::kXor:
        return RunPixels(p, fetch,
                         [](UInt32 s, UInt32 d, SInt32, SInt32) { return d ^ (~s & kRGB); });
    case Op::kBic:
        return RunPixels(p, fetch,
                         [](UInt32 s, UInt32 d, SInt32, SInt32) { return d | (~s & kRGB); });
    case Op::kTransparent:
        return RunPixels(p, fetch, [&](UInt32 s, UInt32 d, SInt32, SInt32) {
            return s == c.bk ? d : Colourise(s, c);
        });
    case Op::kHilite:
        return RunPixels(p, fetch, [&](UInt32 s, UInt32 d, SInt32, SInt32) {
            return HiliteSwap(s != c.bk, d, c);
        });
    }
}

inline bool BitAt(const UInt8* bits, std::size_t rowBytes, SInt32 x, SInt32 y) {
    return (bits[std::size_t(y) * rowBytes + std::size_t(x >> 3)] >> (7 - (x & 7))) & 1;
}

void RunOneBit(const Plan& p, const Source& src, Op op, bool invert, const Colours& c) {
    auto fetch = [&](SInt32 sx, SInt32 sy) {
        return BitAt(src.bits, src.rowBytes, sx, sy) != invert;
    };
    switch (op) {
    case Op::kCopy:
        return RunPixels(p, fetch, [&](bool b, UInt32, SInt32, SInt32) { return b ? c.fg : c.bk; });
    case Op::kOr:
    case Op::kTransparent:
        return RunPixels(p, fetch, [&](bool b, UInt32 d, SInt32, SInt32) { return b ? c.fg : d; });
    case Op::kXor:
        return RunPixels(p, fetch,
                         [](bool b, UInt32 d, SInt32, SInt32) { return b ? d ^ kRGB : d; });
    case Op::kBic:
        return RunPixels(p, fetch, [&](bool b, UInt32 d, SInt32, SInt32) { return b ? c.bk : d; });
    case Op::kHilite:
        return RunPixels(p, fetch,
                         [&](bool b, UInt32 d, SInt32, SInt32) { return HiliteSwap(b, d, c); });
    }
}

// The destination port of a call, or null (and paramErr) when dstBits is
// not a port's pixel map.
GrafPtr DestinationPort(const BitMap* dstBits) {
    GrafPtr port = KsPortOfPixMap(dstBits);
    return port && port->surface ? port : nullptr;
}

} // namespace

// ---- The calls -------------------------------------------------------------------

void CopyBits(const BitMap* srcBits, const BitMap* dstBits, const Rect* srcRect,
              const Rect* dstRect, SInt16 mode, RgnHandle maskRgn) {
    Source src;
    GrafPtr port = DestinationPort(dstBits);
    if (!port || !srcRect || !dstRect || !ResolveSource(srcBits, *srcRect, &src)) {
        KsSetQDError(paramErr);
        return;
    }
    KsSetQDError(noErr);
    Plan p;
    if (!MakePlan(port, *dstRect, src, maskRgn, &p)) return;
    std::vector<UInt32> detached;
    if (src.surface == port->surface && !p.oneToOne) DetachSource(p, &src, &detached);
    bool invert = false;
    const Op op = OpOf(mode, &invert);
    const Colours c = CurrentColours();
    if (src.pixels)
        RunColour(p, src, op, invert, c);
    else
        RunOneBit(p, src, op, invert, c);
    KsAddDamage(port->surface, p.region);
}

void CopyMask(const BitMap* srcBits, const BitMap* maskBits, const BitMap* dstBits,
              const Rect* srcRect, const Rect* maskRect, const Rect* dstRect) {
    Source src, mask;
    GrafPtr port = DestinationPort(dstBits);
    if (!port || !srcRect || !maskRect || !dstRect || !maskBits ||
        !ResolveSource(srcBits, *srcRect, &src) || !OneBitSource(maskBits, &mask)) {
        KsSetQDError(paramErr);
        return;
    }
    KsSetQDError(noErr);
    Plan p;
    if (!MakePlan(port, *dstRect, src, nullptr, &p)) return;
    std::vector<UInt32> detached;
    if (src.surface == port->surface && !p.oneToOne) DetachSource(p, &src, &detached);
    const Colours c = CurrentColours();
    // The mask pixel under a source pixel: the same logical offset from the
    // corner of maskRect as the source pixel has from srcRect's.
    const SInt32 ml = SInt32(maskRect->left) - maskBits->bounds.left;
    const SInt32 mt = SInt32(maskRect->top) - maskBits->bounds.top;
    auto maskSet = [&](SInt32 sx, SInt32 sy) {
        const SInt32 mx = ml + (sx - src.rect.left) / src.scale;
        const SInt32 my = mt + (sy - src.rect.top) / src.scale;
        return mask.extent.Contains(KsPoint{mx, my}) && BitAt(mask.bits, mask.rowBytes, mx, my);
    };
    if (src.pixels) {
        auto fetch = [&](SInt32 sx, SInt32 sy) {
            return src.pixels[std::size_t(sy - src.originV) * src.stride +
                              std::size_t(sx - src.originH)] &
                   kRGB;
        };
        RunPixels(p, fetch, [&](UInt32 s, UInt32 d, SInt32 sx, SInt32 sy) {
            return maskSet(sx, sy) ? Colourise(s, c) : d;
        });
    } else {
        auto fetch = [&](SInt32 sx, SInt32 sy) { return BitAt(src.bits, src.rowBytes, sx, sy); };
        RunPixels(p, fetch, [&](bool b, UInt32 d, SInt32 sx, SInt32 sy) {
            return maskSet(sx, sy) ? (b ? c.fg : c.bk) : d;
        });
    }
    KsAddDamage(port->surface, p.region);
}

// ---- Carrying a world's pixels ----------------------------------------------------

void KsCarryPixels(const KsPortSurface* from, KsPortSurface* to, KsKeepPixels how) {
    const KsRect f = ImageRect(from), t = ImageRect(to);
    const auto* src = reinterpret_cast<const UInt32*>(pixman_image_get_data(from->image));
    auto* dst = reinterpret_cast<UInt32*>(pixman_image_get_data(to->image));
    const std::size_t ss = std::size_t(pixman_image_get_stride(from->image) / 4);
    const std::size_t ds = std::size_t(pixman_image_get_stride(to->image) / 4);
    if (how == KsKeepPixels::kClip) {
        const SInt32 w = std::min(f.right, t.right), h = std::min(f.bottom, t.bottom);
        for (SInt32 y = 0; y < h; ++y)
            std::memcpy(dst + std::size_t(y) * ds, src + std::size_t(y) * ss,
                        std::size_t(w) * sizeof(UInt32));
        return;
    }
    std::vector<SInt32> xmap;
    SInt32 lo = 0, hi = 0;
    MapAxis(0, t.right, 0, f.right, 0, t.right, 0, f.right, &xmap, &lo, &hi);
    for (SInt32 y = 0; y < t.bottom; ++y) {
        const SInt32 sy = SInt32((2 * SInt64(y) + 1) * f.bottom / (2 * SInt64(t.bottom)));
        const UInt32* s = src + std::size_t(sy) * ss;
        UInt32* d = dst + std::size_t(y) * ds;
        for (SInt32 x = 0; x < t.right; ++x)
            d[x] = s[xmap[std::size_t(x)]];
    }
}
