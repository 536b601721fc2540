// The toolbox's shapes as regions.
//
// Map:
//   1. Arithmetic and the 16-bit plane
//   2. BandBuilder: rows of spans, top to bottom, into one KsRgn
//   3. Ovals and round rects, one row at a time
//   4. Wedges (arcs)
//   5. Polygons (scanline, even-odd)
//   6. Lines (a swept pen, per row)
//   7. The public calls
//
// Every shape is produced as spans per row, in increasing row order; rows
// with equal spans merge into one band, and the region is built once from
// the band rectangles, never by unions of rectangles.
#include "KsShapes.h"

#include "KsRgnPrivate.h"
#include "XError.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <new>
#include <vector>

namespace {

// ---- 1. Arithmetic and the 16-bit plane -------------------------------------

using i64 = std::int64_t;
using i128 = __int128;
using u128 = unsigned __int128;

// Results are clipped to the pixels the toolbox's coordinates can address.
constexpr i64 kPlaneMin = -32768;
constexpr i64 kPlaneMax = 32768;

// Division rounding down and up; b > 0.
template <class T> T FloorDiv(T a, T b) {
    T q = a / b;
    if (a % b != 0 && a < 0) --q;
    return q;
}
template <class T> T CeilDiv(T a, T b) {
    return -FloorDiv<T>(-a, b);
}

[[noreturn]] void RaiseMemFull() {
    xraisexerror("SYS_ERROR", "short OSErr", memFullErr);
}

// Runs a shape's construction, turning a failed allocation into the
// toolbox's out-of-memory error.
template <class Make> KsRgn Guarded(Make make) {
    try {
        return make();
    } catch (const std::bad_alloc&) {
        RaiseMemFull();
    }
}

struct Span {
    i64 x1, x2; // half-open

    friend bool operator==(const Span&, const Span&) = default;
};

// ---- 2. BandBuilder --------------------------------------------------------

// Rows arrive with increasing y; the spans of one row sorted by x1 and not
// overlapping (they may touch). Everything outside the plane is dropped.
class BandBuilder {
public:
    void AddRow(i64 y, const Span* spans, std::size_t n) {
        if (y < kPlaneMin || y >= kPlaneMax) return;
        row_.clear();
        for (std::size_t i = 0; i < n; ++i) {
            i64 x1 = std::max(spans[i].x1, kPlaneMin), x2 = std::min(spans[i].x2, kPlaneMax);
            if (x1 >= x2) continue;
            if (!row_.empty() && x1 <= row_.back().x2)
                row_.back().x2 = std::max(row_.back().x2, x2);
            else
                row_.push_back({x1, x2});
        }
        if (row_.empty()) {
            Flush();
            return;
        }
        if (open_ && y == bottom_ && row_ == band_) {
            ++bottom_;
            return;
        }
        Flush();
        band_.swap(row_);
        top_ = y;
        bottom_ = y + 1;
        open_ = true;
    }
    void AddRow(i64 y, Span s) { AddRow(y, &s, 1); }

    // Room for n boxes, capped: a large reserve only maps address space,
    // and growing by copies would touch every page twice.
    void Reserve(std::size_t n) { boxes_.reserve(std::min<std::size_t>(n, 1u << 20)); }

    // The boxes are already banded, so pixman takes them as they are,
    // without a copy through KsRect.
    KsRgn Finish() {
        Flush();
        KsRgn rgn;
        if (boxes_.empty()) return rgn;
        if (boxes_.size() > std::size_t(INT_MAX)) RaiseMemFull();
        pixman_region32_t* reg = KsRgnPixman(rgn);
        pixman_region32_fini(reg);
        if (!pixman_region32_init_rects(reg, boxes_.data(), int(boxes_.size()))) {
            pixman_region32_init(reg);
            RaiseMemFull();
        }
        return rgn;
    }

private:
    void Flush() {
        if (!open_) return;
        for (const Span& s : band_)
            boxes_.push_back({SInt32(s.x1), SInt32(top_), SInt32(s.x2), SInt32(bottom_)});
        open_ = false;
    }

    std::vector<pixman_box32_t> boxes_;
    std::vector<Span> band_, row_;
    i64 top_ = 0, bottom_ = 0;
    bool open_ = false;
};

// The rows of r that lie in the plane: [*y1, *y2).
void PlaneRows(i64 top, i64 bottom, i64* y1, i64* y2) {
    *y1 = std::max(top, kPlaneMin);
    *y2 = std::min(bottom, kPlaneMax);
}

// ---- 3. Ovals and round rects ---------------------------------------------

// Row j (0 <= j < B) of an A x B oval: how many pixels its span leaves out at
// each end. With X = 2x + 1 - (left + right) and Y = 2y + 1 - (top + bottom)
// (twice the pixel centre's offset from the oval's centre), a pixel is in
// when X²B² + Y²A² <= A²B², or |Y| <= 1 (the middle rows), or |X| <= 1 (the
// middle pixels of its row). A, B < 2^32, so every product fits 128 bits.
i64 OvalInset(i64 A, i64 B, i64 j) {
    i64 Y = 2 * j + 1 - B;
    if (Y < 0) Y = -Y;
    if (Y <= 1) return 0;
    const u128 bb = u128(B) * u128(B);
    const u128 rhs = u128(A) * u128(A) * (bb - u128(Y) * u128(Y));
    auto fits = [&](i64 x) { return u128(x) * u128(x) * bb <= rhs; };
    // A long double estimate of the largest X, made exact by stepping.
    long double est =
        (long double)A * std::sqrt((long double)(bb - u128(Y) * u128(Y))) / (long double)B;
    i64 x = est <= 0 ? 0 : est >= (long double)(A - 1) ? A - 1 : i64(est);
    while (x > 0 && !fits(x))
        --x;
    while (x + 1 <= A - 1 && fits(x + 1))
        ++x;
    if ((x & 1) != ((A - 1) & 1)) --x; // X has the parity of A - 1
    const i64 minX = (A & 1) ? 0 : 1;
    if (x < minX) x = minX;
    return (A - 1 - x) / 2;
}

// A rectangle whose corners are cut by the quarters of an ow x oh oval. An
// oval is the round rect whose oval is its own size.
struct RoundRect {
    i64 l, t, r, b, ow, oh;

    RoundRect(i64 left, i64 top, i64 right, i64 bottom, i64 ovalW, i64 ovalH)
        : l(left), t(top), r(right), b(bottom) {
        ow = std::min(ovalW, r - l);
        oh = std::min(ovalH, b - t);
        if (ow <= 0 || oh <= 0) ow = oh = 0;
    }
    explicit RoundRect(const KsRect& rc)
        : RoundRect(rc.left, rc.top, rc.right, rc.bottom, i64(rc.right) - rc.left,
                    i64(rc.bottom) - rc.top) {}

    bool Empty() const { return r <= l || b <= t; }

    // The same shape inset by the pen, its oval reduced by twice the pen.
    RoundRect Inner(i64 penW, i64 penH) const {
        return RoundRect(l + penW, t + penH, r - penW, b - penH, ow - 2 * penW, oh - 2 * penH);
    }

    // The span of row y, t <= y < b.
    Span Row(i64 y) const {
        if (ow == 0) return {l, r};
        i64 j = std::min(y - t, b - 1 - y);
        if (2 * j + 2 >= oh) return {l, r}; // straight sides and the oval's middle rows
        i64 inset = OvalInset(ow, oh, j);
        return {l + inset, r - inset};
    }
};

// Appends the row y spans of outer minus inner (inner may be empty).
void FrameRow(const RoundRect& outer, const RoundRect& inner, i64 y, std::vector<Span>& out) {
    Span o = outer.Row(y);
    if (inner.Empty() || y < inner.t || y >= inner.b) {
        out.push_back(o);
        return;
    }
    Span in = inner.Row(y);
    if (in.x1 >= in.x2) {
        out.push_back(o);
        return;
    }
    if (o.x1 < std::min(o.x2, in.x1)) out.push_back({o.x1, std::min(o.x2, in.x1)});
    if (std::max(o.x1, in.x2) < o.x2) out.push_back({std::max(o.x1, in.x2), o.x2});
}

KsRgn RoundRectRgn(const RoundRect& rr) {
    if (rr.Empty()) return KsRgn();
    BandBuilder bands;
    i64 y1, y2;
    PlaneRows(rr.t, rr.b, &y1, &y2);
    for (i64 y = y1; y < y2; ++y)
        bands.AddRow(y, rr.Row(y));
    return bands.Finish();
}

KsRgn FrameRoundRectRgn(const RoundRect& rr, int penW, int penH) {
    if (rr.Empty() || penW <= 0 || penH <= 0) return KsRgn();
    const RoundRect inner = rr.Inner(penW, penH);
    BandBuilder bands;
    std::vector<Span> row;
    i64 y1, y2;
    PlaneRows(rr.t, rr.b, &y1, &y2);
    for (i64 y = y1; y < y2; ++y) {
        row.clear();
        FrameRow(rr, inner, y, row);
        bands.AddRow(y, row.data(), row.size());
    }
    return bands.Finish();
}

// ---- 4. Wedges -------------------------------------------------------------

// The pixels of a rectangle's plane whose centres lie in the wedge from
// start over arc degrees (0 at twelve o'clock, clockwise), the angles taken
// relative to the rectangle. A pixel centre is the vector (X * B, Y * A)
// from the centre, in the same doubled units as OvalInset: the rectangle's
// proportions are divided out, so its corners sit at 45-degree multiples.
class Wedge {
public:
    // 0 < arc < 360, 0 <= start < 360.
    Wedge(const KsRect& r, int start, int arc)
        : cx2_(i64(r.left) + r.right), cy2_(i64(r.top) + r.bottom), A_(i64(r.right) - r.left),
          B_(i64(r.bottom) - r.top) {
        s_ = MakeRay(start);
        int end = start + arc;
        wrap_ = end > 360;
        e_ = MakeRay(wrap_ ? end - 360 : end);
    }

    // Appends the parts of the span s of row y that lie in the wedge, in
    // order. Along a row the angle is monotonic on each side of the
    // vertical axis, so each side splits at most twice, found by bisection.
    void Clip(i64 y, Span s, std::vector<Span>& out) const {
        const i64 Y = 2 * y + 1 - cy2_;
        const i64 xm = CeilDiv<i64>(cx2_ - 1, 2); // first x with X >= 0
        const bool axis = (cx2_ & 1) != 0;        // a column with X == 0
        const i64 xPos = axis ? xm + 1 : xm;      // first x with X > 0
        ClipPiece(Y, s.x1, std::min(s.x2, xm), out);
        if (axis) ClipPiece(Y, std::max(s.x1, xm), std::min(s.x2, xm + 1), out);
        ClipPiece(Y, std::max(s.x1, xPos), s.x2, out);
    }

private:
    struct Ray {
        int deg;     // 0..360
        int quarter; // deg / 90
        bool onAxis; // deg is a multiple of 90
        double du, dv;
    };

    static Ray MakeRay(int deg) {
        Ray ray{deg, deg / 90, deg % 90 == 0, 0, 0};
        if (ray.onAxis) return ray;
        // The direction in the first quarter, then turned clockwise by
        // quarters exactly: (u, v) -> (-v, u) on a screen whose v grows down.
        const int a = deg % 90;
        double u, v;
        if (a == 45) {
            u = 1;
            v = -1;
        } else {
            const double rad = a * (3.14159265358979323846 / 180.0);
            u = std::sin(rad);
            v = -std::cos(rad);
        }
        for (int q = 0; q < ray.quarter; ++q) {
            double t = u;
            u = -v;
            v = t;
        }
        ray.du = u;
        ray.dv = v;
        return ray;
    }

    // Quarter of a nonzero centre vector: [0, 90) is 0, [90, 180) is 1 ...
    static int Quarter(i64 X, i64 Y) {
        if (X >= 0 && Y < 0) return 0;
        if (X > 0 && Y >= 0) return 1;
        if (X <= 0 && Y > 0) return 2;
        return 3;
    }

    // The pixel centre's angle is less than the ray's.
    bool Less(i64 X, i64 Y, const Ray& ray) const {
        if (ray.deg >= 360) return true;
        const int q = Quarter(X, Y);
        if (q != ray.quarter) return q < ray.quarter;
        if (ray.onAxis) return false;
        // Same quarter: the ray is clockwise of the pixel when the cross
        // product is positive.
        const double pu = double(X) * double(B_), pv = double(Y) * double(A_);
        return pu * ray.dv - pv * ray.du > 0;
    }

    bool In(i64 X, i64 Y) const {
        if (X == 0 && Y == 0) return true; // the centre pixel is every wedge's tip
        const bool afterStart = !Less(X, Y, s_), beforeEnd = Less(X, Y, e_);
        return wrap_ ? (afterStart || beforeEnd) : (afterStart && beforeEnd);
    }

    i64 XOf(i64 x) const { return 2 * x + 1 - cx2_; }

    // The first x in (p, q) where Less changes, or q when it does not.
    i64 Flip(i64 Y, i64 p, i64 q, const Ray& ray) const {
        const bool first = Less(XOf(p), Y, ray);
        if (Less(XOf(q - 1), Y, ray) == first) return q;
        i64 lo = p, hi = q - 1; // Less(lo) == first, Less(hi) != first
        while (hi - lo > 1) {
            i64 mid = lo + (hi - lo) / 2;
            (Less(XOf(mid), Y, ray) == first ? lo : hi) = mid;
        }
        return hi;
    }

    // [p, q) lies on one side of the vertical axis (or on it).
    void ClipPiece(i64 Y, i64 p, i64 q, std::vector<Span>& out) const {
        if (p >= q) return;
        i64 cuts[4] = {p, Flip(Y, p, q, s_), Flip(Y, p, q, e_), q};
        std::sort(cuts, cuts + 4);
        for (int i = 0; i < 3; ++i) {
            if (cuts[i] >= cuts[i + 1] || !In(XOf(cuts[i]), Y)) continue;
            if (!out.empty() && out.back().x2 == cuts[i])
                out.back().x2 = cuts[i + 1];
            else
                out.push_back({cuts[i], cuts[i + 1]});
        }
    }

    i64 cx2_, cy2_, A_, B_;
    Ray s_, e_;
    bool wrap_;
};

enum class ArcKind { kEmpty, kWhole, kWedge };

// Normalises the angles to 0 <= start < 360, 0 < arc < 360.
ArcKind NormaliseArc(int startAngle, int arcAngle, int* start, int* arc) {
    i64 s = startAngle, a = arcAngle;
    if (a == 0) return ArcKind::kEmpty;
    if (a >= 360 || a <= -360) return ArcKind::kWhole;
    if (a < 0) {
        s += a;
        a = -a;
    }
    s %= 360;
    if (s < 0) s += 360;
    *start = int(s);
    *arc = int(a);
    return ArcKind::kWedge;
}

KsRgn ArcRgn(const KsRect& r, int startAngle, int arcAngle, int penW, int penH, bool frame) {
    const RoundRect oval(r);
    if (oval.Empty() || (frame && (penW <= 0 || penH <= 0))) return KsRgn();
    int start = 0, arc = 0;
    switch (NormaliseArc(startAngle, arcAngle, &start, &arc)) {
    case ArcKind::kEmpty:
        return KsRgn();
    case ArcKind::kWhole:
        return frame ? FrameRoundRectRgn(oval, penW, penH) : RoundRectRgn(oval);
    case ArcKind::kWedge:
        break;
    }
    const Wedge wedge(r, start, arc);
    const RoundRect inner = frame ? oval.Inner(penW, penH) : RoundRect(0, 0, 0, 0, 0, 0);
    BandBuilder bands;
    std::vector<Span> shape, clipped;
    i64 y1, y2;
    PlaneRows(oval.t, oval.b, &y1, &y2);
    for (i64 y = y1; y < y2; ++y) {
        shape.clear();
        clipped.clear();
        FrameRow(oval, inner, y, shape);
        for (const Span& s : shape) {
            // Only the plane's part is bisected.
            Span c{std::max(s.x1, kPlaneMin), std::min(s.x2, kPlaneMax)};
            if (c.x1 < c.x2) wedge.Clip(y, c, clipped);
        }
        bands.AddRow(y, clipped.data(), clipped.size());
    }
    return bands.Finish();
}

// ---- 5. Polygons -----------------------------------------------------------

// An edge crossing rows yStart <= y < yEnd. Row y's crossing is where the
// edge meets the line through the pixel centres, v = y + 1/2; the first
// pixel whose centre is at or right of it is x0 + q, with q = ceil(M / D),
// M = (2 (y - y0) + 1) dx - dy and D = 2 dy. M grows by 2 dx a row, so q
// and the remainder r = q D - M step without division.
struct PolyEdge {
    i64 yStart, yEnd;
    i64 x0, q, r, D, a, b; // 2 dx = a D + b, 0 <= b < D

    i64 X() const { return x0 + q; }
    void Step() {
        q += a;
        r -= b;
        const i64 borrow = r >> 63; // -1 when r went negative
        r += D & borrow;
        q -= borrow;
    }
};

// Crossings keep their order from row to row except where edges cross, so
// an insertion sort of the active list costs little more than a pass.
void SortByX(std::vector<PolyEdge>& active) {
    for (std::size_t i = 1; i < active.size(); ++i) {
        if (active[i - 1].X() <= active[i].X()) continue;
        PolyEdge e = active[i];
        std::size_t j = i;
        for (; j > 0 && active[j - 1].X() > e.X(); --j)
            active[j] = active[j - 1];
        active[j] = e;
    }
}

KsRgn PolyRgn(const KsPoint* pts, int n) {
    if (n < 3) return KsRgn();
    std::vector<PolyEdge> edges;
    std::size_t crossings = 0;
    edges.reserve(std::size_t(n));
    for (int i = 0; i < n; ++i) {
        KsPoint p = pts[i], s = pts[i + 1 < n ? i + 1 : 0];
        if (p.v == s.v) continue; // meets no line of pixel centres
        if (p.v > s.v) std::swap(p, s);
        const i64 dx = i64(s.h) - p.h, dy = i64(s.v) - p.v;
        PolyEdge e;
        PlaneRows(p.v, s.v, &e.yStart, &e.yEnd);
        if (e.yStart >= e.yEnd) continue;
        e.x0 = p.h;
        e.D = 2 * dy;
        const i128 M = i128(2 * (e.yStart - p.v) + 1) * dx - dy;
        const i128 q = CeilDiv<i128>(M, e.D);
        e.q = i64(q);
        e.r = i64(q * e.D - M);
        e.a = FloorDiv<i64>(2 * dx, e.D);
        e.b = 2 * dx - e.a * e.D;
        edges.push_back(e);
        crossings += std::size_t(e.yEnd - e.yStart);
    }
    std::sort(edges.begin(), edges.end(),
              [](const PolyEdge& x, const PolyEdge& y) { return x.yStart < y.yStart; });

    BandBuilder bands;
    bands.Reserve(crossings / 2); // a box per pair of crossings at most
    std::vector<PolyEdge> active; // sorted by crossing
    std::vector<Span> row;
    std::size_t next = 0;
    i64 y = edges.empty() ? 0 : edges[0].yStart;
    while (next < edges.size() || !active.empty()) {
        if (active.empty() && edges[next].yStart > y) y = edges[next].yStart;
        while (next < edges.size() && edges[next].yStart == y)
            active.push_back(edges[next++]);
        SortByX(active);
        row.clear();
        for (std::size_t i = 0; i + 1 < active.size(); i += 2) {
            const i64 x1 = active[i].X(), x2 = active[i + 1].X();
            if (x1 < x2) row.push_back({x1, x2});
        }
        bands.AddRow(y, row.data(), row.size());
        ++y;
        std::size_t kept = 0;
        for (PolyEdge& e : active) {
            if (e.yEnd <= y) continue;
            e.Step();
            active[kept++] = e;
        }
        active.resize(kept);
    }
    return bands.Finish();
}

// ---- 6. Lines --------------------------------------------------------------

// The path of a line, walked from its upper end (the left one when level),
// so both directions give the same pixels. Path row k (v = v0 + k) holds
// the points h0 + sx * i for i in a run; ties round towards the upper end.
class LinePath {
public:
    LinePath(KsPoint from, KsPoint to) {
        if (to.v < from.v || (to.v == from.v && to.h < from.h)) std::swap(from, to);
        h0_ = from.h;
        v0_ = from.v;
        adx_ = i64(to.h) - from.h;
        sx_ = adx_ < 0 ? -1 : 1;
        adx_ *= sx_;
        ady_ = i64(to.v) - from.v;
    }

    i64 V0() const { return v0_; }
    i64 Rows() const { return ady_ + 1; }

    // The h range [*lo, *hi] of path row k, 0 <= k <= ady.
    void Range(i64 k, i64* lo, i64* hi) const {
        i64 ilo, ihi;
        if (ady_ == 0) {
            ilo = 0;
            ihi = adx_;
        } else if (adx_ >= ady_) {
            // Step i lands on row ceil(i dy / dx - 1/2).
            const i128 den = 2 * i128(ady_);
            ilo = i64(FloorDiv<i128>(i128(2 * k - 1) * adx_, den)) + 1;
            ihi = i64(FloorDiv<i128>(i128(2 * k + 1) * adx_, den));
            ilo = std::max<i64>(ilo, 0);
            ihi = std::min(ihi, adx_);
        } else {
            ilo = ihi = i64(CeilDiv<i128>(i128(2 * k) * adx_ - ady_, 2 * i128(ady_)));
        }
        if (sx_ > 0) {
            *lo = h0_ + ilo;
            *hi = h0_ + ihi;
        } else {
            *lo = h0_ - ihi;
            *hi = h0_ - ilo;
        }
    }

    // The row y span swept by a penW x penH pen along the path, for
    // v0 <= y < v0 + Rows() - 1 + penH. The path points in reach are a run
    // of rows, and h is monotonic along it, so the ends give the span.
    Span Swept(i64 y, i64 penW, i64 penH) const {
        const i64 k1 = std::max<i64>(0, y - v0_ - penH + 1), k2 = std::min(ady_, y - v0_);
        i64 lo1, hi1, lo2, hi2;
        Range(k1, &lo1, &hi1);
        Range(k2, &lo2, &hi2);
        return {std::min(lo1, lo2), std::max(hi1, hi2) + penW};
    }

private:
    i64 h0_, v0_, adx_, ady_, sx_;
};

// Calls emit(y, span) for each row of the swept line, top to bottom.
template <class Emit> void LineRows(KsPoint from, KsPoint to, int penW, int penH, Emit emit) {
    if (penW <= 0 || penH <= 0) return;
    const LinePath path(from, to);
    i64 y1, y2;
    PlaneRows(path.V0(), path.V0() + path.Rows() - 1 + penH, &y1, &y2);
    for (i64 y = y1; y < y2; ++y)
        emit(y, path.Swept(y, penW, penH));
}

struct RowSpan {
    i64 y;
    Span s;
};

KsRgn LineRgn(KsPoint from, KsPoint to, int penW, int penH) {
    BandBuilder bands;
    LineRows(from, to, penW, penH, [&](i64 y, Span s) { bands.AddRow(y, s); });
    return bands.Finish();
}

// The lines' rows are gathered, sorted and merged, then built once: a
// polygon of thousands of edges costs one sort, not thousands of unions.
KsRgn FramePolyRgn(const KsPoint* pts, int n, int penW, int penH) {
    if (n < 2 || penW <= 0 || penH <= 0) return KsRgn();
    std::vector<RowSpan> spans;
    for (int i = 0; i + 1 < n; ++i)
        LineRows(pts[i], pts[i + 1], penW, penH, [&](i64 y, Span s) { spans.push_back({y, s}); });
    std::sort(spans.begin(), spans.end(), [](const RowSpan& a, const RowSpan& b) {
        return a.y != b.y ? a.y < b.y : a.s.x1 < b.s.x1;
    });
    BandBuilder bands;
    bands.Reserve(spans.size());
    std::vector<Span> row;
    for (std::size_t i = 0; i < spans.size();) {
        const i64 y = spans[i].y;
        row.clear();
        for (; i < spans.size() && spans[i].y == y; ++i) {
            const Span& s = spans[i].s;
            if (!row.empty() && s.x1 <= row.back().x2)
                row.back().x2 = std::max(row.back().x2, s.x2);
            else
                row.push_back(s);
        }
        bands.AddRow(y, row.data(), row.size());
    }
    return bands.Finish();
}

} // namespace

// ---- 7. The public calls -----------------------------------------------------

KsRgn KsOvalRgn(const KsRect& r) {
    return Guarded([&] { return RoundRectRgn(RoundRect(r)); });
}

KsRgn KsRoundRectRgn(const KsRect& r, int ovalW, int ovalH) {
    return Guarded(
        [&] { return RoundRectRgn(RoundRect(r.left, r.top, r.right, r.bottom, ovalW, ovalH)); });
}

KsRgn KsArcRgn(const KsRect& r, int startAngle, int arcAngle) {
    return Guarded([&] { return ArcRgn(r, startAngle, arcAngle, 0, 0, false); });
}

KsRgn KsPolyRgn(const KsPoint* pts, int n) {
    return Guarded([&] { return PolyRgn(pts, n); });
}

KsRgn KsLineRgn(KsPoint from, KsPoint to, int penW, int penH) {
    return Guarded([&] { return LineRgn(from, to, penW, penH); });
}

KsRgn KsFrameOvalRgn(const KsRect& r, int penW, int penH) {
    return Guarded([&] { return FrameRoundRectRgn(RoundRect(r), penW, penH); });
}

KsRgn KsFrameRoundRectRgn(const KsRect& r, int ovalW, int ovalH, int penW, int penH) {
    return Guarded([&] {
        return FrameRoundRectRgn(RoundRect(r.left, r.top, r.right, r.bottom, ovalW, ovalH), penW,
                                 penH);
    });
}

KsRgn KsFrameArcRgn(const KsRect& r, int startAngle, int arcAngle, int penW, int penH) {
    return Guarded([&] { return ArcRgn(r, startAngle, arcAngle, penW, penH, true); });
}

KsRgn KsFramePolyRgn(const KsPoint* pts, int n, int penW, int penH) {
    return Guarded([&] { return FramePolyRgn(pts, n, penW, penH); });
}
