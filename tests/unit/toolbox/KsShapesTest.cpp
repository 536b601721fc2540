// Shapes as regions: exact masks for small hand-checked cases, then seeded
// random cases checked pixel by pixel against plain references written
// here (per-pixel ellipse and polygon tests, a step-by-step pen walk).
#include "KsShapes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <functional>
#include <random>
#include <string>
#include <vector>

namespace {

using i64 = std::int64_t;

// The region's pixels inside box as rows of '#' and '.', one '\n' each.
std::string Mask(const KsRgn& rgn, const KsRect& box) {
    std::string s;
    for (SInt32 y = box.top; y < box.bottom; ++y) {
        for (SInt32 x = box.left; x < box.right; ++x)
            s += rgn.Contains(KsPoint{x, y}) ? '#' : '.';
        s += '\n';
    }
    return s;
}

std::string Rows(std::initializer_list<const char*> rows) {
    std::string s;
    for (const char* r : rows)
        (s += r) += '\n';
    return s;
}

// Every pixel of box agrees with want, and the region has nothing outside box.
::testing::AssertionResult Matches(const KsRgn& rgn, const KsRect& box,
                                   const std::function<bool(i64, i64)>& want) {
    if (!rgn.IsValid()) return ::testing::AssertionFailure() << "invalid region";
    if (!rgn.IsEmpty() && !box.Contains(rgn.Bounds()))
        return ::testing::AssertionFailure() << "region leaves its box";
    for (SInt32 y = box.top; y < box.bottom; ++y)
        for (SInt32 x = box.left; x < box.right; ++x)
            if (rgn.Contains(KsPoint{x, y}) != want(x, y))
                return ::testing::AssertionFailure()
                       << "pixel (" << x << ", " << y << ") should be "
                       << (want(x, y) ? "in" : "out");
    return ::testing::AssertionSuccess();
}

// The region mirrored about r's centre lines, for symmetry checks.
KsRgn Mirrored(const KsRgn& rgn, const KsRect& r, bool horizontally) {
    std::vector<KsRect> out;
    for (KsRect q : rgn.Rects()) {
        if (horizontally)
            out.push_back({r.left + r.right - q.right, q.top, r.left + r.right - q.left, q.bottom});
        else
            out.push_back({q.left, r.top + r.bottom - q.bottom, q.right, r.top + r.bottom - q.top});
    }
    return KsRgn(out.data(), out.size());
}

// The oval rule, pixel by pixel: centre inside the inscribed ellipse, or on
// the middle rows, or among the middle pixels of its row.
bool InOval(const KsRect& r, i64 x, i64 y) {
    if (!r.Contains(KsPoint{SInt32(x), SInt32(y)})) return false;
    const i64 A = i64(r.right) - r.left, B = i64(r.bottom) - r.top;
    const i64 X = 2 * x + 1 - (i64(r.left) + r.right), Y = 2 * y + 1 - (i64(r.top) + r.bottom);
    return X * X * B * B + Y * Y * A * A <= A * A * B * B || std::abs(X) <= 1 || std::abs(Y) <= 1;
}

// A round rect, pixel by pixel: in the corner zones the corner's oval
// decides, elsewhere the rectangle does.
bool InRoundRect(const KsRect& r, int ow, int oh, i64 x, i64 y) {
    if (!r.Contains(KsPoint{SInt32(x), SInt32(y)})) return false;
    ow = std::min(ow, int(r.right - r.left));
    oh = std::min(oh, int(r.bottom - r.top));
    if (ow <= 0 || oh <= 0) return true;
    const bool left = x < r.left + ow / 2, right = x >= r.right - ow / 2;
    const bool top = y < r.top + oh / 2, bottom = y >= r.bottom - oh / 2;
    if (!(left || right) || !(top || bottom)) return true;
    const SInt32 ol = left ? r.left : r.right - ow, ot = top ? r.top : r.bottom - oh;
    return InOval({ol, ot, ol + ow, ot + oh}, x, y);
}

// Clockwise degrees from twelve o'clock of the pixel centre, relative to r.
double AngleOf(const KsRect& r, i64 x, i64 y) {
    const double u = (2.0 * x + 1 - (double(r.left) + r.right)) / (double(r.right) - r.left);
    const double v = (2.0 * y + 1 - (double(r.top) + r.bottom)) / (double(r.bottom) - r.top);
    double deg = std::atan2(u, -v) * 180.0 / M_PI;
    return deg < 0 ? deg + 360 : deg;
}

// Even-odd, pixel centres, by counting the edges crossed left of the centre
// (a crossing exactly at the centre counts as left of it). Exact rationals.
bool InPolygon(const std::vector<KsPoint>& pts, i64 x, i64 y) {
    const i64 xc2 = 2 * x + 1, yc2 = 2 * y + 1;
    bool in = false;
    const std::size_t n = pts.size();
    for (std::size_t i = 0; i < n; ++i) {
        KsPoint a = pts[i], b = pts[(i + 1) % n];
        if ((2 * i64(a.v) < yc2) == (2 * i64(b.v) < yc2)) continue;
        if (a.v > b.v) std::swap(a, b);
        // Crossing h = a.h + (yc - a.v) (b.h - a.h) / (b.v - a.v); is 2h <= xc2?
        const i64 dy = i64(b.v) - a.v;
        const i64 num2 = 2 * i64(a.h) * dy + (yc2 - 2 * i64(a.v)) * (i64(b.h) - a.h);
        if (num2 <= xc2 * dy) in = !in;
    }
    return in;
}

// A Bresenham walk with an error term, from the upper end; ties stay nearer
// that end. Answers the path points.
std::vector<KsPoint> Walk(KsPoint a, KsPoint b) {
    if (b.v < a.v || (b.v == a.v && b.h < a.h)) std::swap(a, b);
    const i64 dx = std::abs(i64(b.h) - a.h), dy = i64(b.v) - a.v;
    const int sx = b.h < a.h ? -1 : 1;
    std::vector<KsPoint> path;
    KsPoint p = a;
    if (dx >= dy) {
        i64 err = -dx; // 2 i dy - (2k + 1) dx
        for (i64 i = 0; i <= dx; ++i) {
            if (err > 0) {
                ++p.v;
                err -= 2 * dx;
            }
            path.push_back(p);
            p.h += sx;
            err += 2 * dy;
        }
    } else {
        i64 err = -dy;
        for (i64 i = 0; i <= dy; ++i) {
            if (err > 0) {
                p.h += sx;
                err -= 2 * dy;
            }
            path.push_back(p);
            ++p.v;
            err += 2 * dx;
        }
    }
    return path;
}

bool InSweep(const std::vector<KsPoint>& path, int pw, int ph, i64 x, i64 y) {
    for (KsPoint p : path)
        if (x >= p.h && x < p.h + pw && y >= p.v && y < p.v + ph) return true;
    return false;
}

KsRect RandomRect(std::mt19937& rng, int maxSize) {
    std::uniform_int_distribution<int> pos(-30, 30), size(1, maxSize);
    SInt32 l = pos(rng), t = pos(rng);
    return {l, t, l + size(rng), t + size(rng)};
}

KsRect Grown(const KsRect& r, SInt32 by) {
    return {r.left - by, r.top - by, r.right + by, r.bottom + by};
}

bool EightConnected(const KsRgn& rgn) {
    if (rgn.IsEmpty()) return true;
    const KsRect b = rgn.Bounds();
    std::vector<KsPoint> stack;
    std::vector<char> seen(std::size_t(b.Width()) * b.Height(), 0);
    auto idx = [&](KsPoint p) { return std::size_t(p.v - b.top) * b.Width() + (p.h - b.left); };
    std::size_t total = 0, reached = 0;
    for (KsRect q : rgn.Rects())
        total += std::size_t(q.Width()) * q.Height();
    for (SInt32 x = b.left; x < b.right && stack.empty(); ++x)
        if (rgn.Contains(KsPoint{x, b.top})) stack.push_back({x, b.top});
    seen[idx(stack[0])] = 1;
    while (!stack.empty()) {
        KsPoint p = stack.back();
        stack.pop_back();
        ++reached;
        for (int dv = -1; dv <= 1; ++dv)
            for (int dh = -1; dh <= 1; ++dh) {
                KsPoint q{p.h + dh, p.v + dv};
                if (!b.Contains(q) || seen[idx(q)] || !rgn.Contains(q)) continue;
                seen[idx(q)] = 1;
                stack.push_back(q);
            }
    }
    return reached == total;
}

// ---- Ovals and round rects -------------------------------------------------

TEST(KsShapesOval, SmallOvalsHaveTheirHandCheckedPixels) {
    EXPECT_EQ(Mask(KsOvalRgn({3, 4, 4, 5}), {2, 3, 5, 6}), Rows({"...", ".#.", "..."}));
    EXPECT_EQ(Mask(KsOvalRgn({0, 0, 2, 2}), {0, 0, 2, 2}), Rows({"##", "##"}));
    EXPECT_EQ(Mask(KsOvalRgn({0, 0, 3, 3}), {0, 0, 3, 3}), Rows({"###", "###", "###"}));
    EXPECT_EQ(Mask(KsOvalRgn({0, 0, 5, 3}), {0, 0, 5, 3}), Rows({".###.", "#####", ".###."}));
    EXPECT_EQ(Mask(KsOvalRgn({0, 0, 4, 4}), {0, 0, 4, 4}), Rows({".##.", "####", "####", ".##."}));
    EXPECT_EQ(Mask(KsOvalRgn({0, 0, 10, 4}), {0, 0, 10, 4}),
              Rows({"..######..", "##########", "##########", "..######.."}));
    EXPECT_EQ(Mask(KsOvalRgn({-5, -5, 4, 4}), {-5, -5, 4, 4}),
              Rows({"..#####..", ".#######.", "#########", "#########", "#########", "#########",
                    "#########", ".#######.", "..#####.."}));
}

TEST(KsShapesOval, EmptyAndInvertedRectsGiveNothing) {
    EXPECT_TRUE(KsOvalRgn({5, 5, 5, 9}).IsEmpty());
    EXPECT_TRUE(KsOvalRgn({5, 5, 2, 9}).IsEmpty());
    EXPECT_TRUE(KsRoundRectRgn({0, 9, 4, 3}, 2, 2).IsEmpty());
    EXPECT_TRUE(KsArcRgn({0, 0, 0, 10}, 0, 90).IsEmpty());
    EXPECT_TRUE(KsFrameOvalRgn({0, 0, -4, 10}, 1, 1).IsEmpty());
    EXPECT_TRUE(KsFrameArcRgn({8, 0, 0, 10}, 0, 360, 1, 1).IsEmpty());
    EXPECT_TRUE(KsFrameRoundRectRgn({0, 0, 0, 0}, 4, 4, 1, 1).IsEmpty());
    EXPECT_TRUE(KsFrameOvalRgn({0, 0, 10, 10}, 0, 1).IsEmpty()); // no pen, no frame
}

TEST(KsShapesOval, RandomOvalsMatchThePixelRuleAndAreSymmetric) {
    std::mt19937 rng(1234);
    for (int i = 0; i < 300; ++i) {
        const KsRect r = RandomRect(rng, 40);
        const KsRgn oval = KsOvalRgn(r);
        ASSERT_TRUE(Matches(oval, Grown(r, 2), [&](i64 x, i64 y) { return InOval(r, x, y); }))
            << "oval " << r.left << "," << r.top << "," << r.right << "," << r.bottom;
        EXPECT_EQ(Mirrored(oval, r, true), oval);
        EXPECT_EQ(Mirrored(oval, r, false), oval);
        EXPECT_EQ(oval.Bounds(), r);
    }
}

TEST(KsShapesRoundRect, CornersAreQuartersOfTheCornerOval) {
    EXPECT_EQ(Mask(KsRoundRectRgn({0, 0, 14, 12}, 10, 10), {0, 0, 14, 12}),
              Rows({"...########...", ".############.", ".############.", "##############",
                    "##############", "##############", "##############", "##############",
                    "##############", ".############.", ".############.", "...########..."}));
    EXPECT_EQ(Mask(KsRoundRectRgn({0, 0, 8, 6}, 4, 4), {0, 0, 8, 6}),
              Rows({".######.", "########", "########", "########", "########", ".######."}));
}

// Corners of zero or less (the rect) and wider than the rect (the oval) included.
TEST(KsShapesRoundRect, RandomRoundRectsMatchTheCornerRule) {
    std::mt19937 rng(77);
    std::uniform_int_distribution<int> oval(-2, 45);
    for (int i = 0; i < 300; ++i) {
        const KsRect r = RandomRect(rng, 40);
        const int ow = oval(rng), oh = oval(rng);
        const KsRgn rr = KsRoundRectRgn(r, ow, oh);
        ASSERT_TRUE(
            Matches(rr, Grown(r, 2), [&](i64 x, i64 y) { return InRoundRect(r, ow, oh, x, y); }))
            << ow << "x" << oh;
        EXPECT_EQ(Mirrored(rr, r, true), rr);
        EXPECT_EQ(Mirrored(rr, r, false), rr);
        // Between the oval and the rect.
        EXPECT_TRUE((KsOvalRgn(r) - rr).IsEmpty());
    }
}

TEST(KsShapesFrame, FramesLieInTheirShapeAndCompleteTheInnerShape) {
    std::mt19937 rng(99);
    std::uniform_int_distribution<int> pen(1, 6), corner(0, 40);
    for (int i = 0; i < 300; ++i) {
        const KsRect r = RandomRect(rng, 40);
        const int pw = pen(rng), ph = pen(rng), ow = corner(rng), oh = corner(rng);
        const KsRect in = r.Insetted(pw, ph);

        const KsRgn oval = KsOvalRgn(r), frame = KsFrameOvalRgn(r, pw, ph);
        const KsRgn inner = in.IsEmpty() ? KsRgn() : KsOvalRgn(in);
        EXPECT_TRUE((frame - oval).IsEmpty());
        EXPECT_TRUE((frame & inner).IsEmpty());
        EXPECT_EQ(frame | inner, oval);
        EXPECT_EQ(Mirrored(frame, r, true), frame);

        const KsRgn rr = KsRoundRectRgn(r, ow, oh);
        const KsRgn rframe = KsFrameRoundRectRgn(r, ow, oh, pw, ph);
        const int cw = std::min(ow, int(r.Width())), ch = std::min(oh, int(r.Height()));
        const KsRgn rinner = in.IsEmpty()         ? KsRgn()
                             : cw <= 0 || ch <= 0 ? KsRgn(in)
                                                  : KsRoundRectRgn(in, cw - 2 * pw, ch - 2 * ph);
        EXPECT_TRUE((rframe - rr).IsEmpty());
        EXPECT_TRUE((rframe & rinner).IsEmpty());
        EXPECT_EQ(rframe | rinner, rr) << ow << "x" << oh << " pen " << pw << "x" << ph;
    }
}

TEST(KsShapesFrame, OnePixelPenFramesTheOutermostPixels) {
    EXPECT_EQ(Mask(KsFrameOvalRgn({0, 0, 9, 9}, 1, 1), {0, 0, 9, 9}),
              Rows({"..#####..", ".##...##.", "##.....##", "#.......#", "#.......#", "#.......#",
                    "##.....##", ".##...##.", "..#####.."}));
    EXPECT_EQ(KsFrameRoundRectRgn({0, 0, 6, 4}, 0, 0, 1, 1),
              KsRgn(KsRect{0, 0, 6, 4}) - KsRgn(KsRect{1, 1, 5, 3}));
    // A pen wider than half the shape fills it.
    EXPECT_EQ(KsFrameOvalRgn({0, 0, 9, 9}, 5, 1), KsOvalRgn({0, 0, 9, 9}));
}

// ---- Arcs ------------------------------------------------------------------

TEST(KsShapesArc, EachQuadrantOfAnEvenOvalIsItsQuarter) {
    const KsRect r{0, 0, 8, 8};
    const KsRgn oval = KsOvalRgn(r);
    EXPECT_EQ(KsArcRgn(r, 0, 90), oval & KsRgn(KsRect{4, 0, 8, 4}));
    EXPECT_EQ(KsArcRgn(r, 90, 90), oval & KsRgn(KsRect{4, 4, 8, 8}));
    EXPECT_EQ(KsArcRgn(r, 180, 90), oval & KsRgn(KsRect{0, 4, 4, 8}));
    EXPECT_EQ(KsArcRgn(r, 270, 90), oval & KsRgn(KsRect{0, 0, 4, 4}));
    // Negative arcs run anticlockwise; angles wrap.
    EXPECT_EQ(KsArcRgn(r, 90, -90), KsArcRgn(r, 0, 90));
    EXPECT_EQ(KsArcRgn(r, -90, 90), KsArcRgn(r, 270, 90));
    EXPECT_EQ(KsArcRgn(r, 720 + 180, 90), KsArcRgn(r, 180, 90));
    EXPECT_EQ(KsArcRgn(r, 45, 360), oval);
    EXPECT_EQ(KsArcRgn(r, 45, -1000), oval);
    EXPECT_TRUE(KsArcRgn(r, 45, 0).IsEmpty());
}

TEST(KsShapesArc, OddOvalsGiveTheAxesToOneSideAndTheCentreToAll) {
    const KsRect r{0, 0, 5, 5};
    EXPECT_EQ(Mask(KsArcRgn(r, 0, 90), r), Rows({"..##.", "..###", "..#..", ".....", "....."}));
    EXPECT_EQ(Mask(KsArcRgn(r, 90, 90), r), Rows({".....", ".....", "..###", "...##", "...#."}));
    EXPECT_EQ(Mask(KsArcRgn(r, 180, 90), r), Rows({".....", ".....", "..#..", "###..", ".##.."}));
    EXPECT_EQ(Mask(KsArcRgn(r, 270, 90), r), Rows({".#...", "##...", "###..", ".....", "....."}));
    // 45 degrees points at the corner whatever the proportions.
    EXPECT_EQ(Mask(KsArcRgn({0, 0, 20, 4}, 0, 45), {0, 0, 20, 4}),
              Rows({"..........#######...", "..........##........", "....................",
                    "...................."}));
}

TEST(KsShapesArc, RandomWedgesSplitAndJoinExactly) {
    std::mt19937 rng(4242);
    std::uniform_int_distribution<int> angle(-400, 400), part(1, 200);
    for (int i = 0; i < 300; ++i) {
        const KsRect r = RandomRect(rng, 40);
        const int s = angle(rng), a = part(rng), b = part(rng);
        const KsRgn first = KsArcRgn(r, s, a), second = KsArcRgn(r, s + a, b);
        const KsRgn both = KsArcRgn(r, s, a + b);
        ASSERT_EQ(first | second, both) << s << " " << a << " " << b;
        // Adjacent wedges share at most the centre pixel.
        if (a + b <= 360) {
            KsRgn shared = first & second;
            const i64 cx2 = i64(r.left) + r.right, cy2 = i64(r.top) + r.bottom;
            if ((cx2 & 1) && (cy2 & 1)) {
                const SInt32 cx = SInt32((cx2 - 1) / 2), cy = SInt32((cy2 - 1) / 2);
                shared.Subtract(KsRect{cx, cy, cx + 1, cy + 1});
            }
            EXPECT_TRUE(shared.IsEmpty()) << s << " " << a << " " << b;
        }
        EXPECT_TRUE((both - KsOvalRgn(r)).IsEmpty());
        EXPECT_EQ(KsArcRgn(r, s, a) | KsArcRgn(r, s + a, 360 - a), KsOvalRgn(r));

        const int pw = 1 + i % 4, ph = 1 + i % 3;
        const KsRgn frame = KsFrameArcRgn(r, s, a + b, pw, ph);
        EXPECT_EQ(frame, both & KsFrameOvalRgn(r, pw, ph));
    }
}

TEST(KsShapesArc, RandomWedgesMatchAnglesAwayFromTheirEdges) {
    std::mt19937 rng(5150);
    std::uniform_int_distribution<int> angle(0, 359), part(1, 359);
    for (int i = 0; i < 200; ++i) {
        const KsRect r = RandomRect(rng, 40);
        const int s = angle(rng), a = part(rng);
        const KsRgn arc = KsArcRgn(r, s, a);
        for (SInt32 y = r.top; y < r.bottom; ++y)
            for (SInt32 x = r.left; x < r.right; ++x) {
                if (!InOval(r, x, y)) {
                    ASSERT_FALSE(arc.Contains(KsPoint{x, y}));
                    continue;
                }
                const bool centre = 2 * i64(x) + 1 == i64(r.left) + r.right &&
                                    2 * i64(y) + 1 == i64(r.top) + r.bottom;
                if (centre) {
                    EXPECT_TRUE(arc.Contains(KsPoint{x, y}));
                    continue;
                }
                double off = std::fmod(AngleOf(r, x, y) - s + 720.0, 360.0);
                if (std::abs(off) < 1e-7 || std::abs(off - a) < 1e-7 || off > 360 - 1e-7)
                    continue; // on an edge: the split tests cover these
                ASSERT_EQ(arc.Contains(KsPoint{x, y}), off < a)
                    << "(" << x << ", " << y << ") arc " << s << " " << a;
            }
    }
}

// ---- Polygons --------------------------------------------------------------

TEST(KsShapesPoly, SquareAndConcavePolygons) {
    const std::vector<KsPoint> square{{0, 0}, {4, 0}, {4, 4}, {0, 4}};
    EXPECT_EQ(KsPolyRgn(square.data(), 4), KsRgn(KsRect{0, 0, 4, 4}));
    const std::vector<KsPoint> u{{0, 0}, {6, 0}, {6, 5}, {4, 5}, {4, 2}, {2, 2}, {2, 5}, {0, 5}};
    EXPECT_EQ(Mask(KsPolyRgn(u.data(), 8), {0, 0, 6, 5}),
              Rows({"######", "######", "##..##", "##..##", "##..##"}));
    const std::vector<KsPoint> tri{{0, 0}, {4, 0}, {0, 4}};
    EXPECT_EQ(Mask(KsPolyRgn(tri.data(), 3), {0, 0, 4, 4}), Rows({"###.", "##..", "#...", "...."}));
    // A pentagram: even-odd leaves its centre hollow.
    const std::vector<KsPoint> star{{10, 0}, {16, 19}, {0, 7}, {20, 7}, {4, 19}};
    const KsRgn s = KsPolyRgn(star.data(), 5);
    EXPECT_FALSE(s.Contains(KsPoint{10, 10}));
    EXPECT_TRUE(s.Contains(KsPoint{10, 3}));
    EXPECT_TRUE(KsPolyRgn(square.data(), 2).IsEmpty());
    EXPECT_TRUE(KsPolyRgn(nullptr, 0).IsEmpty());
}

TEST(KsShapesPoly, RandomPolygonsMatchThePixelCentreRule) {
    std::mt19937 rng(31337);
    std::uniform_int_distribution<int> count(3, 14), coord(-25, 25);
    for (int i = 0; i < 400; ++i) {
        std::vector<KsPoint> pts(std::size_t(count(rng)));
        for (KsPoint& p : pts)
            p = {coord(rng), coord(rng)};
        const KsRgn rgn = KsPolyRgn(pts.data(), int(pts.size()));
        ASSERT_TRUE(
            Matches(rgn, {-26, -26, 26, 26}, [&](i64 x, i64 y) { return InPolygon(pts, x, y); }))
            << "polygon " << i;
    }
}

TEST(KsShapesPoly, ThousandsOfPointsMatchTheReference) {
    std::mt19937 rng(8);
    std::uniform_int_distribution<int> radius(20, 60);
    std::vector<KsPoint> pts;
    for (int i = 0; i < 3000; ++i) {
        const double t = 2 * M_PI * i / 3000;
        const int rr = radius(rng);
        pts.push_back({SInt32(std::lround(64 + rr * std::sin(t))),
                       SInt32(std::lround(64 - rr * std::cos(t)))});
    }
    const KsRgn rgn = KsPolyRgn(pts.data(), int(pts.size()));
    // Spot rows are enough: every row goes through the same code.
    for (SInt32 y : {4, 20, 40, 63, 64, 90, 123})
        for (SInt32 x = 0; x < 128; ++x)
            ASSERT_EQ(rgn.Contains(KsPoint{x, y}), InPolygon(pts, x, y)) << x << "," << y;
}

// ---- Lines -----------------------------------------------------------------

TEST(KsShapesLine, OnePixelPenInEveryOctant) {
    // From (10, 20) by (dh, dv): the line's bounds, relative to its start, and its pixels there.
    struct Case {
        SInt32 dh, dv;
        KsRect box;
        const char* mask;
    };
    const Case cases[] = {
        {3, 1, {0, 0, 4, 2}, "##..\n..##\n"},
        {1, 3, {0, 0, 2, 4}, "#.\n#.\n.#\n.#\n"},
        {-1, 3, {-1, 0, 1, 4}, ".#\n.#\n#.\n#.\n"},
        {-3, 1, {-3, 0, 1, 2}, "..##\n##..\n"},
        {-3, -1, {-3, -1, 1, 1}, "##..\n..##\n"},
        {-1, -3, {-1, -3, 1, 1}, "#.\n#.\n.#\n.#\n"},
        {1, -3, {0, -3, 2, 1}, ".#\n.#\n#.\n#.\n"},
        {3, -1, {0, -1, 4, 1}, "..##\n##..\n"},
        {0, 0, {0, 0, 1, 1}, "#\n"},
    };
    for (const Case& c : cases) {
        const KsRgn line = KsLineRgn({10, 20}, {10 + c.dh, 20 + c.dv}, 1, 1);
        const KsRect box = c.box.Offsetted(10, 20);
        EXPECT_EQ(line.Bounds(), box) << c.dh << "," << c.dv;
        EXPECT_EQ(Mask(line, box), c.mask) << c.dh << "," << c.dv;
    }
}

TEST(KsShapesLine, ThreeByTwoPenSweepsItsRectangle) {
    EXPECT_EQ(Mask(KsLineRgn({0, 0}, {3, 1}, 3, 2), {0, 0, 6, 3}),
              Rows({"####..", "######", "..####"}));
    EXPECT_EQ(Mask(KsLineRgn({3, 1}, {0, 0}, 3, 2), {0, 0, 6, 3}),
              Rows({"####..", "######", "..####"}));
    EXPECT_EQ(Mask(KsLineRgn({0, 3}, {1, 0}, 3, 2), {0, 0, 4, 5}),
              Rows({".###", ".###", "####", "###.", "###."}));
    EXPECT_EQ(Mask(KsLineRgn({2, 2}, {-1, 3}, 3, 2), {-1, 2, 5, 5}),
              Rows({"..####", "######", "####.."}));
    // A level line is one rectangle.
    EXPECT_EQ(KsLineRgn({5, 5}, {1, 5}, 3, 2), KsRgn(KsRect{1, 5, 8, 7}));
    EXPECT_TRUE(KsLineRgn({0, 0}, {9, 9}, 0, 2).IsEmpty());
}

TEST(KsShapesLine, RandomLinesMatchAStepwiseSweep) {
    std::mt19937 rng(2718);
    std::uniform_int_distribution<int> coord(-20, 20), pen(1, 5);
    for (int i = 0; i < 500; ++i) {
        const KsPoint a{coord(rng), coord(rng)}, b{coord(rng), coord(rng)};
        const int pw = i < 100 ? 1 : pen(rng), ph = i < 100 ? 1 : pen(rng);
        const KsRgn line = KsLineRgn(a, b, pw, ph);
        const std::vector<KsPoint> path = Walk(a, b);
        ASSERT_TRUE(Matches(line, {-21, -21, 26, 26},
                            [&](i64 x, i64 y) { return InSweep(path, pw, ph, x, y); }))
            << a.h << "," << a.v << " -> " << b.h << "," << b.v << " pen " << pw << "x" << ph;
        EXPECT_EQ(KsLineRgn(b, a, pw, ph), line);
        EXPECT_TRUE(line.Contains(KsRect{a.h, a.v, a.h + pw, a.v + ph}));
        EXPECT_TRUE(line.Contains(KsRect{b.h, b.v, b.h + pw, b.v + ph}));
        EXPECT_TRUE(EightConnected(line));
    }
}

TEST(KsShapesPoly, FramePolyIsTheUnionOfItsLines) {
    std::mt19937 rng(60);
    std::uniform_int_distribution<int> count(1, 9), coord(-20, 20), pen(1, 4);
    for (int i = 0; i < 200; ++i) {
        std::vector<KsPoint> pts(std::size_t(count(rng)));
        for (KsPoint& p : pts)
            p = {coord(rng), coord(rng)};
        const int pw = pen(rng), ph = pen(rng);
        KsRgn want;
        for (std::size_t k = 0; k + 1 < pts.size(); ++k)
            want |= KsLineRgn(pts[k], pts[k + 1], pw, ph);
        EXPECT_EQ(KsFramePolyRgn(pts.data(), int(pts.size()), pw, ph), want);
    }
    // Closed only when the last point repeats the first.
    const std::vector<KsPoint> open{{0, 0}, {4, 0}, {4, 4}};
    EXPECT_FALSE(KsFramePolyRgn(open.data(), 3, 1, 1).Contains(KsPoint{2, 2}));
    const std::vector<KsPoint> closed{{0, 0}, {4, 0}, {4, 4}, {0, 0}};
    EXPECT_TRUE(KsFramePolyRgn(closed.data(), 4, 1, 1).Contains(KsPoint{2, 2}));
}

// ---- Limits ----------------------------------------------------------------

TEST(KsShapesLimits, HugeCoordinatesStayInTheSixteenBitPlane) {
    const KsRect plane{-32768, -32768, 32768, 32768};
    const KsRect huge{INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX};
    for (const KsRgn& rgn :
         {KsOvalRgn(huge), KsRoundRectRgn(huge, 1 << 30, 1 << 30), KsArcRgn(huge, 10, 100),
          KsLineRgn({INT32_MIN, INT32_MIN}, {INT32_MAX, INT32_MAX}, INT32_MAX, 3)}) {
        EXPECT_TRUE(rgn.IsValid());
        EXPECT_FALSE(rgn.IsEmpty());
        EXPECT_TRUE(plane.Contains(rgn.Bounds()));
    }
    // These frames run far outside the plane: nothing of them is left.
    EXPECT_TRUE(KsFrameOvalRgn(huge, 1 << 20, 1 << 20).IsEmpty());
    EXPECT_TRUE(KsFrameArcRgn(huge, 200, 100, 5, 5).IsEmpty());
    // The middle of a huge oval is all inside it.
    EXPECT_TRUE(KsOvalRgn(huge).Contains(KsRect{-100, -100, 100, 100}));
    const std::vector<KsPoint> tri{{INT32_MIN, INT32_MIN}, {INT32_MAX, 0}, {INT32_MIN, INT32_MAX}};
    const KsRgn poly = KsPolyRgn(tri.data(), 3);
    EXPECT_TRUE(plane.Contains(poly.Bounds()));
    EXPECT_TRUE(poly.Contains(KsRect{-1000, -1000, 1000, 1000}));
    // A line far outside the plane leaves nothing.
    EXPECT_TRUE(KsLineRgn({100000, 0}, {200000, 50}, 4, 4).IsEmpty());
}

} // namespace
