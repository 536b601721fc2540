// Points and rectangles of the stack.
//
// Geometry conventions, for every layer above this one:
// - Coordinates name the lines between pixels, not the pixels. The pixel
//   (h, v) is the unit square whose top-left corner is the point (h, v).
// - Rectangles are half-open: KsRect{l, t, r, b} covers the pixels with
//   l <= h < r and t <= v < b, so its width is r - l and its height b - t.
//   A rectangle with r <= l or b <= t is empty, whatever its position.
// - The pen hangs below and to the right of the point it is at: a 1x1 pen at
//   (h, v) paints exactly the pixel (h, v), and framing a rectangle paints
//   its outermost pixels, all inside it.
// - h grows to the right, v grows downwards.
//
// KsPoint and KsRect are 32-bit; the toolbox's own Point and Rect
// (KsMacTypes.h) are 16-bit with the vertical coordinate first. Conversions
// to the 16-bit types clamp each coordinate to -32768..32767, never wrap.
// LongPoint and LongRect are the 32-bit landscape coordinates of scrollable
// content, kept apart from window coordinates by type.
//
// Arithmetic here saturates at the 32-bit limits instead of overflowing.
#pragma once

#include "KsMacTypes.h"

struct KsPoint {
    SInt32 h = 0;
    SInt32 v = 0;

    friend constexpr bool operator==(const KsPoint&, const KsPoint&) = default;
};

struct KsRect {
    SInt32 left = 0;
    SInt32 top = 0;
    SInt32 right = 0;
    SInt32 bottom = 0;

    // right - left and bottom - top; negative for an inverted rectangle,
    // saturated at the 32-bit limits.
    constexpr SInt32 Width() const { return Saturate(SInt64(right) - left); }
    constexpr SInt32 Height() const { return Saturate(SInt64(bottom) - top); }
    constexpr bool IsEmpty() const { return right <= left || bottom <= top; }

    // The pixel at p lies inside (half-open: the right and bottom edges are out).
    constexpr bool Contains(KsPoint p) const {
        return p.h >= left && p.h < right && p.v >= top && p.v < bottom;
    }
    // Every pixel of r lies inside. An empty r is contained in nothing.
    constexpr bool Contains(const KsRect& r) const {
        return !r.IsEmpty() && r.left >= left && r.right <= right && r.top >= top &&
               r.bottom <= bottom;
    }
    // At least one pixel is common to both.
    constexpr bool Overlaps(const KsRect& r) const { return !Intersect(r).IsEmpty(); }

    // The common part; {0, 0, 0, 0} when there is none, as the toolbox does.
    constexpr KsRect Intersect(const KsRect& r) const {
        KsRect s{left > r.left ? left : r.left, top > r.top ? top : r.top,
                 right < r.right ? right : r.right, bottom < r.bottom ? bottom : r.bottom};
        return s.IsEmpty() ? KsRect{} : s;
    }
    // The smallest rectangle holding both. An empty operand contributes
    // nothing (it has no pixels), so the union of two empties is {0, 0, 0, 0}.
    constexpr KsRect Union(const KsRect& r) const {
        if (r.IsEmpty()) return IsEmpty() ? KsRect{} : *this;
        if (IsEmpty()) return r;
        return {left < r.left ? left : r.left, top < r.top ? top : r.top,
                right > r.right ? right : r.right, bottom > r.bottom ? bottom : r.bottom};
    }

    // Moves by (dh, dv). The size is kept unless a limit is reached.
    KsRect& Offset(SInt32 dh, SInt32 dv);
    KsRect Offsetted(SInt32 dh, SInt32 dv) const { return KsRect(*this).Offset(dh, dv); }
    // Moves each side inwards by dh (left and right) and dv (top and bottom);
    // negative values grow. The result may be empty; it is not normalised.
    KsRect& Inset(SInt32 dh, SInt32 dv);
    KsRect Insetted(SInt32 dh, SInt32 dv) const { return KsRect(*this).Inset(dh, dv); }

    constexpr KsPoint TopLeft() const { return {left, top}; }
    constexpr KsPoint BottomRight() const { return {right, bottom}; }

    // Field-wise: two empty rectangles at different places are not equal.
    friend constexpr bool operator==(const KsRect&, const KsRect&) = default;

private:
    static constexpr SInt32 Saturate(SInt64 x) {
        return x > SInt64(INT32_MAX) ? INT32_MAX : x < SInt64(INT32_MIN) ? INT32_MIN : SInt32(x);
    }
};

// Landscape coordinates: the 32-bit space of a scrollable pane's content.
struct LongPoint {
    SInt32 h = 0;
    SInt32 v = 0;

    friend constexpr bool operator==(const LongPoint&, const LongPoint&) = default;
};

struct LongRect {
    SInt32 left = 0;
    SInt32 top = 0;
    SInt32 right = 0;
    SInt32 bottom = 0;

    friend constexpr bool operator==(const LongRect&, const LongRect&) = default;
};

// Landscape to window coordinates: each coordinate is clamped to
// -32768..32767, the range the drawing layer can address. Answer true only
// when nothing had to be clamped. out may not be null.
bool LongPointToPoint(const LongPoint& in, KsPoint* out);
bool LongRectToRect(const LongRect& in, KsRect* out);
// Window to landscape coordinates: exact.
void PointToLongPoint(const KsPoint& in, LongPoint* out);
void RectToLongRect(const KsRect& in, LongRect* out);

// To and from the toolbox's 16-bit types. The way down clamps each
// coordinate to -32768..32767; the way up is exact.
// Inline: the conversions run in the drawing and hit-testing paths.
constexpr SInt16 KsClampTo16(SInt32 v) {
    return SInt16(v < -32768 ? -32768 : v > 32767 ? 32767 : v);
}
constexpr Point ToPoint(const KsPoint& p) {
    return {KsClampTo16(p.v), KsClampTo16(p.h)};
}
constexpr Rect ToRect(const KsRect& r) {
    return {KsClampTo16(r.top), KsClampTo16(r.left), KsClampTo16(r.bottom), KsClampTo16(r.right)};
}
constexpr KsPoint ToKsPoint(const Point& p) {
    return {p.h, p.v};
}
constexpr KsRect ToKsRect(const Rect& r) {
    return {r.left, r.top, r.right, r.bottom};
}
// The value clamped to the 16-bit range.
SInt16 ClampToSInt16(SInt32 value);
