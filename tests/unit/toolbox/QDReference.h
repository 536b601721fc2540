// A tiny reference model of the drawing rules, written from the rules alone
// (no code shared with the library): a canvas of logical pixels, masks of
// pixels, and the pattern modes applied one pixel at a time.
#pragma once

#include "KsPixels.h"
#include "KsPortPrivate.h"
#include "KsSplitMix.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace qdref {

constexpr std::uint32_t kWhite = 0xFFFFFF, kBlack = 0;

inline std::uint32_t Rgb(const RGBColor& c) {
    return (std::uint32_t(c.red >> 8) << 16) | (std::uint32_t(c.green >> 8) << 8) |
           std::uint32_t(c.blue >> 8);
}

// A rectangle given left, top, right, bottom (Rect's own order is top first).
inline Rect R(int l, int t, int r, int b) {
    return Rect{SInt16(t), SInt16(l), SInt16(b), SInt16(r)};
}

// Pixels by local coordinate, for a port whose local top-left is (ox, oy).
struct Canvas {
    int w = 0, h = 0, ox = 0, oy = 0;
    std::vector<std::uint32_t> px;
    Canvas(int width, int height, int originH = 0, int originV = 0)
        : w(width), h(height), ox(originH), oy(originV), px(std::size_t(width * height), kWhite) {}
    bool In(int x, int y) const { return x >= ox && x < ox + w && y >= oy && y < oy + h; }
    std::uint32_t& At(int x, int y) { return px[std::size_t((y - oy) * w + (x - ox))]; }
};

using Mask = std::function<bool(int x, int y)>;

inline Mask RectMask(int l, int t, int r, int b) {
    return [=](int x, int y) { return x >= l && x < r && y >= t && y < b; };
}
inline Mask And(Mask a, Mask b) {
    return [=](int x, int y) { return a(x, y) && b(x, y); };
}
inline Mask Or(Mask a, Mask b) {
    return [=](int x, int y) { return a(x, y) || b(x, y); };
}
inline Mask Not(Mask a) {
    return [=](int x, int y) { return !a(x, y); };
}
// The frame of a rectangle drawn with a pw x ph pen, from its definition:
// the pixels of r within pw of its left or right side or ph of its top or bottom.
inline Mask FrameMask(int l, int t, int r, int b, int pw, int ph) {
    return [=](int x, int y) {
        return x >= l && x < r && y >= t && y < b &&
               (x < l + pw || x >= r - pw || y < t + ph || y >= b - ph);
    };
}

// A pattern mode (8..15, or the source modes 0..7) on one pixel; bit is the
// pattern bit at that pixel.
inline std::uint32_t ApplyMode(int mode, bool bit, std::uint32_t dst, std::uint32_t fg,
                               std::uint32_t bk) {
    if (mode & 4) bit = !bit;
    switch (mode & 3) {
    case 0:
        return bit ? fg : bk;
    case 1:
        return bit ? fg : dst;
    case 2:
        return bit ? (dst ^ 0xFFFFFF) : dst;
    default:
        return bit ? bk : dst;
    }
}

inline bool PatBit(const Pattern& p, int x, int y) {
    return (p.pat[y & 7] >> (7 - (x & 7))) & 1;
}

// Paints the pixels of shape ∩ clip with the pattern in the mode.
inline void Paint(Canvas& c, const Mask& shape, const Mask& clip, const Pattern& pat, int mode,
                  std::uint32_t fg, std::uint32_t bk) {
    for (int y = c.oy; y < c.oy + c.h; ++y)
        for (int x = c.ox; x < c.ox + c.w; ++x)
            if (shape(x, y) && clip(x, y))
                c.At(x, y) = ApplyMode(mode, PatBit(pat, x, y), c.At(x, y), fg, bk);
}

inline void Invert(Canvas& c, const Mask& shape, const Mask& clip) {
    for (int y = c.oy; y < c.oy + c.h; ++y)
        for (int x = c.ox; x < c.ox + c.w; ++x)
            if (shape(x, y) && clip(x, y)) c.At(x, y) ^= 0xFFFFFF;
}

// Empty when the port's pixels (at scale 1 or 2) equal the canvas; otherwise
// the first differing pixel, for the failure message.
inline std::string Compare(GrafPtr port, const Canvas& c) {
    const int s = port->surface->scale;
    for (int dy = 0; dy < c.h * s; ++dy)
        for (int dx = 0; dx < c.w * s; ++dx) {
            const std::uint32_t want = c.px[std::size_t((dy / s) * c.w + dx / s)];
            const std::uint32_t got = DevicePixel(port, dx, dy);
            if (want != got) {
                char buf[120];
                std::snprintf(buf, sizeof buf, "device (%d, %d): want %06X got %06X", dx, dy,
                              unsigned(want), unsigned(got));
                return buf;
            }
        }
    return {};
}

using Rng = KsSplitMix;

} // namespace qdref
