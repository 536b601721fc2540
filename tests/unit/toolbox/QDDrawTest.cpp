// Pixels of the rectangle, region, line and scroll calls against the
// reference model in QDReference.h, on tiny ports.
#include "QDReference.h"
#include "QuickDraw.h"

#include <gtest/gtest.h>

using namespace qdref;

namespace {

constexpr RGBColor kRed{0xFFFF, 0, 0}, kBlue{0, 0, 0xFFFF};

class QDDraw : public ::testing::Test {
protected:
    static constexpr int W = 23, H = 17;
    TinyPort tiny{W, H};
    GrafPtr port = tiny.port;
    void SetUp() override { ASSERT_NE(port, nullptr); }
    Mask Everything() const {
        return [](int, int) { return true; };
    }
};

TEST_F(QDDraw, FreshPortIsWhitePaintRectIsHalfOpenAndEmptyRectsDrawNothing) {
    Canvas c(W, H);
    EXPECT_EQ(Compare(port, c), "");
    Rect r = R(2, 3, 5, 4);
    PaintRect(&r);
    Paint(c, RectMask(2, 3, 5, 4), Everything(), kQDBlack, patCopy, kBlack, kWhite);
    EXPECT_EQ(Compare(port, c), "");
    EXPECT_EQ(DevicePixel(port, 4, 3), kBlack);
    EXPECT_EQ(DevicePixel(port, 5, 3), kWhite);
    EXPECT_EQ(DevicePixel(port, 2, 4), kWhite);
    Rect empty = R(10, 10, 10, 14), inverted = R(12, 3, 11, 9);
    FrameRect(&empty);
    PaintRect(&inverted);
    EXPECT_EQ(Compare(port, c), "");
}

// Lines along the axes, the pen hanging below and to the right.
TEST_F(QDDraw, AxisLinesWithRectangularPens) {
    for (int pw = 1; pw <= 4; ++pw) {
        SCOPED_TRACE(pw);
        Canvas c(W, H);
        Rect all = R(0, 0, W, H);
        EraseRect(&all);
        PenSize(SInt16(pw), SInt16(pw + 1));
        MoveTo(3, 2);
        LineTo(15, 2); // right
        Line(0, 9);    // down
        LineTo(5, 11); // left
        Point at;
        GetPen(&at);
        EXPECT_EQ(ToKsPoint(at), (KsPoint{5, 11}));
        Mask m = Or(Or(RectMask(3, 2, 15 + pw, 2 + pw + 1), RectMask(15, 2, 15 + pw, 11 + pw + 1)),
                    RectMask(5, 11, 15 + pw, 11 + pw + 1));
        Paint(c, m, Everything(), kQDBlack, patCopy, kBlack, kWhite);
        ASSERT_EQ(Compare(port, c), "");
        MoveTo(20, 1);
        LineTo(20, 1); // a line to where the pen is paints one pen's worth
        Paint(c, RectMask(20, 1, 20 + pw, 1 + pw + 1), Everything(), kQDBlack, patCopy, kBlack,
              kWhite);
        ASSERT_EQ(Compare(port, c), "");
    }
}

TEST_F(QDDraw, HiddenOrEmptyPenDrawsNothingButMoves) {
    Canvas c(W, H);
    HidePen();
    MoveTo(1, 1);
    LineTo(10, 1);
    Rect r = R(2, 2, 8, 8);
    PaintRect(&r);
    FrameRect(&r);
    ShowPen();
    PenSize(0, 3);
    LineTo(10, 10);
    FrameRect(&r);
    Point at;
    GetPen(&at);
    EXPECT_EQ(ToKsPoint(at), (KsPoint{10, 10}));
    EXPECT_EQ(Compare(port, c), "");
}

TEST_F(QDDraw, RegionsPaintExactlyTheirPixels) {
    RgnHandle rgn = NewRgn(), other = NewRgn();
    SetRectRgn(rgn, 1, 1, 9, 6);
    SetRectRgn(other, 5, 3, 14, 12);
    XorRgn(rgn, other, rgn);
    Mask a = RectMask(1, 1, 9, 6), b = RectMask(5, 3, 14, 12);
    Mask shape = Or(And(a, Not(b)), And(b, Not(a)));
    Canvas c(W, H);
    PaintRgn(rgn);
    Paint(c, shape, Everything(), kQDBlack, patCopy, kBlack, kWhite);
    EXPECT_EQ(Compare(port, c), "");
    InvertRgn(other);
    Invert(c, b, Everything());
    EXPECT_EQ(Compare(port, c), "");
    FillRgn(rgn, &kQDGray);
    Paint(c, shape, Everything(), kQDGray, patCopy, kBlack, kWhite);
    EXPECT_EQ(Compare(port, c), "");
    EraseRgn(rgn);
    Paint(c, shape, Everything(), kQDWhite, patCopy, kBlack, kWhite);
    EXPECT_EQ(Compare(port, c), "");
    DisposeRgn(rgn);
    DisposeRgn(other);
}

TEST_F(QDDraw, FrameRgnIsTheInsideEdgeOfEveryPart) {
    RgnHandle rgn = NewRgn(), b = NewRgn();
    SetRectRgn(rgn, 1, 1, 10, 8);
    SetRectRgn(b, 6, 5, 20, 15);
    UnionRgn(rgn, b, rgn);
    PenSize(2, 1);
    PenMode(patXor);
    FrameRgn(rgn);
    Mask shape = Or(RectMask(1, 1, 10, 8), RectMask(6, 5, 20, 15));
    // A pixel is on the frame when some pixel within the pen's reach is out.
    Mask frame = [shape](int x, int y) {
        if (!shape(x, y)) return false;
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -2; dx <= 2; ++dx)
                if (!shape(x + dx, y + dy)) return true;
        return false;
    };
    Canvas c(W, H);
    Invert(c, frame, Everything());
    EXPECT_EQ(Compare(port, c), "");
    DisposeRgn(rgn);
    DisposeRgn(b);
}

TEST_F(QDDraw, ClipAndOriginLimitEveryCall) {
    RgnHandle clip = NewRgn(), hole = NewRgn();
    SetRectRgn(clip, 2, 2, 20, 14);
    SetRectRgn(hole, 6, 6, 10, 10);
    DiffRgn(clip, hole, clip);
    SetClip(clip);
    Mask clipMask = And(RectMask(2, 2, 20, 14), Not(RectMask(6, 6, 10, 10)));
    Canvas c(W, H);
    Rect all = R(-5, -5, 40, 40);
    PaintRect(&all);
    Paint(c, Everything(), clipMask, kQDBlack, patCopy, kBlack, kWhite);
    EXPECT_EQ(Compare(port, c), "");
    FillRect(&all, &kQDGray);
    Paint(c, Everything(), clipMask, kQDGray, patCopy, kBlack, kWhite);
    EXPECT_EQ(Compare(port, c), "");
    Rect r = R(0, 0, 12, 12);
    PenSize(3, 3);
    PenMode(patXor);
    FrameRect(&r);
    Invert(c, FrameMask(0, 0, 12, 12, 3, 3), clipMask);
    EXPECT_EQ(Compare(port, c), "");

    // The clip keeps its coordinates when the origin moves; the pixels and
    // the pattern move with the origin.
    SetOrigin(3, 2);
    Canvas o(W, H, 3, 2);
    o.px = c.px;
    PenNormal();
    RGBColor red = kRed;
    RGBForeColor(&red);
    FillRect(&all, &kQDDkGray);
    Paint(o, Everything(), clipMask, kQDDkGray, patCopy, Rgb(kRed), kWhite);
    EXPECT_EQ(Compare(port, o), "");
    ClipWideOpen();
    PaintRect(&all);
    Paint(o, Everything(), Everything(), kQDBlack, patCopy, Rgb(kRed), kWhite);
    EXPECT_EQ(Compare(port, o), "");
    DisposeRgn(clip);
    DisposeRgn(hole);
}

TEST_F(QDDraw, PixelPatternsTileFromTheLocalOrigin) {
    const UInt32 px[6] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF, 0x123456, 0x000000};
    PixPatHandle pp = KsNewPixPatFromPixels(px, 3, 2);
    ASSERT_NE(pp, nullptr);
    SetOrigin(-2, 1);
    Canvas c(W, H, -2, 1);
    auto src = [&](int x, int y) {
        int i = ((x % 3) + 3) % 3, j = ((y % 2) + 2) % 2;
        return std::uint32_t(px[j * 3 + i]);
    };
    Rect r = R(-2, 1, 10, 9);
    FillCRect(&r, pp);
    for (int y = 1; y < 9; ++y)
        for (int x = -2; x < 10; ++x)
            c.At(x, y) = src(x, y);
    EXPECT_EQ(Compare(port, c), "");
    // In or-mode white pattern pixels leave the destination; xor inverts under
    // black ones.
    PenPixPat(pp);
    PenMode(patOr);
    Rect all = R(-2, 1, W - 2, H + 1);
    PaintRect(&all);
    for (int y = 1; y < H + 1; ++y)
        for (int x = -2; x < W - 2; ++x)
            if (src(x, y) != 0xFFFFFF) c.At(x, y) = src(x, y);
    EXPECT_EQ(Compare(port, c), "");
    PenMode(patXor);
    PaintRect(&all);
    for (int y = 1; y < H + 1; ++y)
        for (int x = -2; x < W - 2; ++x)
            c.At(x, y) ^= ~src(x, y) & 0xFFFFFF;
    EXPECT_EQ(Compare(port, c), "");
    DisposePixPat(pp);
    EXPECT_EQ(port->pnPixPat, nullptr);
}

TEST_F(QDDraw, RGBRectsKeepThePortColours) {
    Canvas c(W, H);
    Rect r = R(1, 1, 12, 9);
    RGBColor red = kRed, blue = kBlue;
    PaintRGBRect(&r, &red);
    Paint(c, RectMask(1, 1, 12, 9), Everything(), kQDBlack, patCopy, Rgb(kRed), 0);
    PenSize(2, 1);
    FrameRGBRect(&r, &blue);
    Paint(c, FrameMask(1, 1, 12, 9, 2, 1), Everything(), kQDBlack, patCopy, Rgb(kBlue), 0);
    Rect e = R(4, 3, 6, 5);
    EraseRGBRect(&e, &blue);
    Paint(c, RectMask(4, 3, 6, 5), Everything(), kQDBlack, patCopy, Rgb(kBlue), 0);
    EXPECT_EQ(Compare(port, c), "");
    RGBColor fg, bk;
    GetForeColor(&fg);
    GetBackColor(&bk);
    EXPECT_EQ(Rgb(fg), kBlack);
    EXPECT_EQ(Rgb(bk), kWhite);
}

TEST_F(QDDraw, HiliteModeSwapsBackgroundAndHilite) {
    Rect r = R(0, 0, 6, 1), left = R(0, 0, 2, 1);
    RGBColor red = kRed, hil = kBlue;
    HiliteColor(&hil);
    PaintRGBRect(&left, &red);
    PenMode(hilite);
    PaintRect(&r);
    EXPECT_EQ(DevicePixel(port, 0, 0), Rgb(kRed)); // neither colour: left alone
    EXPECT_EQ(DevicePixel(port, 3, 0), Rgb(kBlue));
    PaintRect(&r);
    EXPECT_EQ(DevicePixel(port, 3, 0), kWhite);
}

// Random rectangles, regions, frames and modes under random clips, each
// step compared with the model.
TEST_F(QDDraw, SeededRandomDrawingMatchesTheModel) {
    Rng rng{20240601};
    const Pattern pats[] = {kQDGray, kQDLtGray, kQDDkGray, kQDBlack, kQDWhite};
    Canvas c(W, H);
    Mask clipMask = Everything();
    RgnHandle clip = NewRgn(), tmp = NewRgn();
    auto randRect = [&](int* l, int* t, int* r, int* b) {
        *l = rng.Range(-3, W);
        *t = rng.Range(-3, H);
        *r = *l + rng.Range(0, 14);
        *b = *t + rng.Range(0, 12);
    };
    for (int step = 0; step < 400; ++step) {
        SCOPED_TRACE(step);
        int l, t, r, b;
        randRect(&l, &t, &r, &b);
        Rect rr = R(l, t, r, b);
        Pattern pat = pats[rng.Range(0, 4)];
        if (rng.Range(0, 3) == 0)
            for (UInt8& row : pat.pat)
                row = UInt8(rng.Next());
        const std::uint32_t fg = std::uint32_t(rng.Next()) & 0xFFFFFF,
                            bk = std::uint32_t(rng.Next()) & 0xFFFFFF;
        RGBColor fgc{UInt16((fg >> 16) * 0x101), UInt16(((fg >> 8) & 0xFF) * 0x101),
                     UInt16((fg & 0xFF) * 0x101)};
        RGBColor bkc{UInt16((bk >> 16) * 0x101), UInt16(((bk >> 8) & 0xFF) * 0x101),
                     UInt16((bk & 0xFF) * 0x101)};
        RGBForeColor(&fgc);
        RGBBackColor(&bkc);
        const int mode = rng.Range(patCopy, notPatBic);
        switch (rng.Range(0, 6)) {
        case 0: // a new clip: a rectangle or a rectangle with a hole
        {
            int l2, t2, r2, b2;
            randRect(&l2, &t2, &r2, &b2);
            SetRectRgn(clip, SInt16(l - 4), SInt16(t - 4), SInt16(r + 6), SInt16(b + 6));
            SetRectRgn(tmp, SInt16(l2), SInt16(t2), SInt16(r2), SInt16(b2));
            DiffRgn(clip, tmp, clip);
            SetClip(clip);
            clipMask = And(RectMask(l - 4, t - 4, r + 6, b + 6), Not(RectMask(l2, t2, r2, b2)));
            if (rng.Range(0, 3) == 0) {
                ClipWideOpen();
                clipMask = Everything();
            }
            break;
        }
        case 1:
            PenPat(&pat);
            PenMode(SInt16(mode));
            PaintRect(&rr);
            Paint(c, RectMask(l, t, r, b), clipMask, pat, mode, fg, bk);
            break;
        case 2: {
            const int pw = rng.Range(1, 5), ph = rng.Range(1, 5);
            PenPat(&pat);
            PenMode(SInt16(mode));
            PenSize(SInt16(pw), SInt16(ph));
            FrameRect(&rr);
            Paint(c, FrameMask(l, t, r, b, pw, ph), clipMask, pat, mode, fg, bk);
            PenSize(1, 1);
            break;
        }
        case 3:
            InvertRect(&rr);
            Invert(c, RectMask(l, t, r, b), clipMask);
            break;
        case 4:
            BackPat(&pat);
            EraseRect(&rr);
            Paint(c, RectMask(l, t, r, b), clipMask, pat, patCopy, fg, bk);
            break;
        case 5:
            FillRect(&rr, &pat);
            Paint(c, RectMask(l, t, r, b), clipMask, pat, patCopy, fg, bk);
            break;
        default: { // a region of two rectangles
            int l2, t2, r2, b2;
            randRect(&l2, &t2, &r2, &b2);
            SetRectRgn(tmp, SInt16(l), SInt16(t), SInt16(r), SInt16(b));
            RgnHandle second = NewRgn();
            SetRectRgn(second, SInt16(l2), SInt16(t2), SInt16(r2), SInt16(b2));
            UnionRgn(tmp, second, tmp);
            DisposeRgn(second);
            PenPat(&pat);
            PenMode(SInt16(mode));
            PaintRgn(tmp);
            Paint(c, Or(RectMask(l, t, r, b), RectMask(l2, t2, r2, b2)), clipMask, pat, mode, fg,
                  bk);
            break;
        }
        }
        ASSERT_EQ(Compare(port, c), "");
    }
    DisposeRgn(clip);
    DisposeRgn(tmp);
}

// ---- ScrollRect -------------------------------------------------------------

// The model: within area = r ∩ clip, a pixel takes the pixel (dh, dv) before
// it when that one is in the area too, else the background; the uncovered
// region is the second kind.
void ScrollModel(Canvas& c, const Mask& area, int dh, int dv, std::uint32_t bk, Mask* uncovered) {
    Canvas old = c;
    *uncovered = [area, dh, dv](int x, int y) { return area(x, y) && !area(x - dh, y - dv); };
    for (int y = c.oy; y < c.oy + c.h; ++y)
        for (int x = c.ox; x < c.ox + c.w; ++x) {
            if (!area(x, y)) continue;
            c.At(x, y) = area(x - dh, y - dv) ? old.At(x - dh, y - dv) : bk;
        }
}

void Scribble(Canvas& c) {
    // distinct pixels so that any misplaced one shows
    for (int y = 0; y < c.h; ++y)
        for (int x = 0; x < c.w; ++x) {
            const std::uint32_t v = std::uint32_t((x * 37 + y * 101) & 0xFF) << 8 |
                                    std::uint32_t(x) << 16 | std::uint32_t(y);
            RGBColor col{UInt16((v >> 16) * 0x101), UInt16(((v >> 8) & 0xFF) * 0x101),
                         UInt16((v & 0xFF) * 0x101)};
            Rect p{SInt16(y + c.oy), SInt16(x + c.ox), SInt16(y + c.oy + 1), SInt16(x + c.ox + 1)};
            PaintRGBRect(&p, &col);
            c.px[std::size_t(y * c.w + x)] = v;
        }
}

TEST_F(QDDraw, ScrollRectMovesPixelsAndAnswersTheUncoveredRegion) {
    const int moves[][2] = {{0, 3},   {0, -3}, {4, 0}, {-4, 0}, {2, 5},
                            {-3, -2}, {5, -1}, {0, 0}, {30, 0}, {0, -20}};
    RgnHandle update = NewRgn(), clip = NewRgn(), hole = NewRgn();
    for (int withHole = 0; withHole < 2; ++withHole)
        for (const auto& mv : moves) {
            SCOPED_TRACE(testing::Message() << mv[0] << "," << mv[1] << " hole " << withHole);
            ClipWideOpen();
            Canvas c(W, H);
            Scribble(c);
            Mask clipMask = Everything();
            if (withHole) {
                SetRectRgn(clip, 0, 0, W, H);
                SetRectRgn(hole, 8, 6, 12, 9);
                DiffRgn(clip, hole, clip);
                SetClip(clip);
                clipMask = Not(RectMask(8, 6, 12, 9));
            }
            Rect r = R(2, 1, 19, 15);
            ScrollRect(&r, SInt16(mv[0]), SInt16(mv[1]), update);
            Mask uncovered;
            ScrollModel(c, And(RectMask(2, 1, 19, 15), clipMask), mv[0], mv[1], kWhite, &uncovered);
            ASSERT_EQ(Compare(port, c), "");
            for (int y = -1; y <= H; ++y)
                for (int x = -1; x <= W; ++x)
                    ASSERT_EQ(bool(PtInRgn(Point{SInt16(y), SInt16(x)}, update)), uncovered(x, y))
                        << x << "," << y;
        }
    DisposeRgn(update);
    DisposeRgn(clip);
    DisposeRgn(hole);
}

// ---- Scale 2 and damage -----------------------------------------------------

TEST(QDScale, ScaleTwoDrawsEachLogicalPixelAsFourDevicePixels) {
    GrafPtr port = KsNewPort(11, 9, 2);
    ASSERT_NE(port, nullptr);
    KsSetPort(port);
    EXPECT_EQ(pixman_image_get_width(port->surface->image), 22);
    Canvas c(11, 9);
    Rect r = R(1, 1, 10, 8);
    FillRect(&r, &kQDGray);
    Paint(
        c, RectMask(1, 1, 10, 8), [](int, int) { return true; }, kQDGray, patCopy, kBlack, kWhite);
    PenSize(2, 1);
    PenMode(patXor);
    Rect f = R(0, 2, 7, 9);
    FrameRect(&f);
    Invert(c, FrameMask(0, 2, 7, 9, 2, 1), [](int, int) { return true; });
    RgnHandle clip = NewRgn();
    SetRectRgn(clip, 3, 0, 11, 5);
    SetClip(clip);
    Rect s = R(0, 0, 11, 9);
    ScrollRect(&s, 1, 1, nullptr);
    Mask u;
    ScrollModel(c, RectMask(3, 0, 11, 5), 1, 1, kWhite, &u);
    EXPECT_EQ(Compare(port, c), "");
    // A region of several bands under a clip with a hole.
    RgnHandle shape = NewRgn(), hole = NewRgn();
    SetRectRgn(shape, 0, 0, 6, 9);
    SetRectRgn(hole, 4, 3, 11, 6);
    UnionRgn(shape, hole, shape);
    SetRectRgn(clip, 0, 0, 11, 9);
    SetRectRgn(hole, 2, 2, 3, 7);
    DiffRgn(clip, hole, clip);
    SetClip(clip);
    InvertRgn(shape);
    Invert(c, Or(RectMask(0, 0, 6, 9), RectMask(4, 3, 11, 6)), Not(RectMask(2, 2, 3, 7)));
    EXPECT_EQ(Compare(port, c), "");
    DisposeRgn(shape);
    DisposeRgn(hole);
    DisposeRgn(clip);
    KsDisposePort(port);
}

TEST(QDDamage, DrawingAddsTheClippedDevicePixelsItTouched) {
    for (SInt16 scale = 1; scale <= 2; ++scale) {
        GrafPtr port = KsNewPort(40, 30, scale);
        KsSetPort(port);
        KsRgn& damage = port->surface->damage;
        damage.SetEmpty();
        Rect clipR = R(0, 0, 20, 30);
        ClipRect(&clipR);
        Rect r = R(10, 5, 30, 8);
        PaintRect(&r);
        EXPECT_EQ(damage, KsRgn(KsRect{10 * scale, 5 * scale, 20 * scale, 8 * scale}));
        Rect off = R(25, 0, 40, 30); // all clipped away: no damage
        InvertRect(&off);
        EXPECT_EQ(damage, KsRgn(KsRect{10 * scale, 5 * scale, 20 * scale, 8 * scale}));
        Rect other = R(0, 20, 5, 22);
        EraseRect(&other);
        EXPECT_EQ(damage, KsRgn({KsRect{10 * scale, 5 * scale, 20 * scale, 8 * scale},
                                 KsRect{0, 20 * scale, 5 * scale, 22 * scale}}));
        KsDisposePort(port);
    }
}

} // namespace
