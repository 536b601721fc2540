// The fast paths of the painting engine give the same pixels and damage as
// the general ones: glyphs blended four pixels at a time against one pixel
// at a time, and rectangles and frames painted under one clip against a
// region clip.
#include "KsPortPrivate.h"
#include "QuickDraw.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

UInt32* Row(GrafPtr port, int y) {
    pixman_image_t* img = port->surface->image;
    return pixman_image_get_data(img) + y * (pixman_image_get_stride(img) / 4);
}

std::vector<UInt32> Pixels(GrafPtr port, int width, int height) {
    std::vector<UInt32> out;
    for (int y = 0; y < height; ++y)
        out.insert(out.end(), Row(port, y), Row(port, y) + width);
    return out;
}

// A background where every pixel differs from its neighbours, so a blend
// that mixes up pixels or channels shows.
void PaintNoise(GrafPtr port, int width, int height) {
    UInt32 s = 12345;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            s = s * 1103515245u + 12345u;
            Row(port, y)[x] = 0xFF000000u | (s >> 8);
        }
}

const unsigned char kText[] = "\x1CWaxy glyphs & 0123456789 @Qj";

TEST(QDPaintFastPath, GlyphBlendMatchesOnePixelSpans) {
    constexpr int kW = 260, kH = 40;
    for (const RGBColor ink :
         {RGBColor{0, 0, 0}, RGBColor{0xFFFF, 0x8000, 0x1234}, RGBColor{0x4000, 0xFFFF, 0xC0C0}}) {
        GrafPtr wide = KsNewPort(kW, kH), narrow = KsNewPort(kW, kH);
        for (GrafPtr port : {wide, narrow}) {
            KsSetPort(port);
            PaintNoise(port, kW, kH);
            TextSize(18);
            RGBForeColor(&ink);
        }
        KsSetPort(wide);
        MoveTo(3, 28);
        DrawString(kText);
        // One column at a time: every span is a single pixel, blended alone.
        KsSetPort(narrow);
        for (SInt16 x = 0; x < kW; ++x) {
            const Rect col{0, x, kH, SInt16(x + 1)};
            ClipRect(&col);
            MoveTo(3, 28);
            DrawString(kText);
        }
        const std::vector<UInt32> a = Pixels(wide, kW, kH), b = Pixels(narrow, kW, kH);
        int differing = 0;
        for (std::size_t i = 0; i < a.size(); ++i)
            differing += a[i] != b[i];
        EXPECT_EQ(differing, 0) << "ink " << ink.red << "," << ink.green << "," << ink.blue;
        KsDisposePort(wide);
        KsDisposePort(narrow);
    }
}

// Draws under a rectangular clip, partly outside the port, and under a
// two-part region of the same pixels (the rectangle and a piece far off the
// port) that goes through the general path: pixels and damage must agree,
// with the origin moved and the pixels scaled, so that the fast paths work
// out the local bounds, clip and device box themselves.
// Answers whether anything was drawn.
bool ExpectBothClipsAgree(SInt16 scale, Point origin, const std::function<void()>& draw) {
    constexpr SInt16 kW = 80, kH = 60;
    GrafPtr simple = KsNewPort(kW, kH, scale), split = KsNewPort(kW, kH, scale);
    for (GrafPtr port : {simple, split}) {
        KsSetPort(port);
        SetOrigin(origin.h, origin.v);
        port->surface->damage.SetEmpty();
    }
    const Rect clip{SInt16(origin.v - 3), SInt16(origin.h + 4), SInt16(origin.v + 50),
                    SInt16(origin.h + 90)};
    KsSetPort(simple);
    ClipRect(&clip);
    draw();
    KsSetPort(split);
    RgnHandle two = NewRgn(), away = NewRgn();
    RectRgn(two, &clip);
    SetRectRgn(away, -300, -300, -290, -290);
    UnionRgn(two, away, two);
    EXPECT_GT(KsRgnRef(two).RectCount(), 1u);
    SetClip(two);
    DisposeRgn(two);
    DisposeRgn(away);
    draw();
    pixman_image_t* img = simple->surface->image;
    const int width = pixman_image_get_width(img), rows = pixman_image_get_height(img);
    EXPECT_EQ(Pixels(simple, width, rows), Pixels(split, width, rows));
    EXPECT_EQ(simple->surface->damage, split->surface->damage);
    const bool drawn = !simple->surface->damage.IsEmpty();
    KsDisposePort(simple);
    KsDisposePort(split);
    return drawn;
}

TEST(QDPaintFastPath, RectanglesAndFramesUnderARectangleClipMatchARegionClip) {
    const RGBColor red{0xFFFF, 0, 0}, blue{0, 0, 0xFFFF};
    const auto shapes = [&] {
        const Rect fills[] = {
            {-20, -20, 5, 5}, {0, 0, 30, 1}, {10, 12, 40, 13}, {30, 30, 200, 200}};
        for (const Rect& r : fills) {
            RGBForeColor(&red);
            PaintRect(&r);
            RGBForeColor(&blue);
            FrameRect(&r);
        }
        const Rect wide{5, -10, 25, 60}; // more than 32 device pixels wide at scale 2
        EraseRect(&wide);
    };
    struct Frame {
        Rect frame;
        Point pen;
    };
    const Frame frames[] = {
        {{-5, -5, 70, 90}, {1, 1}}, // sides outside the port
        {{20, 30, 58, 78}, {3, 2}}, // thick pen, cut by the clip
        {{12, 12, 15, 15}, {2, 2}}, // pen covers all: painted whole
        {{40, 5, 41, 70}, {1, 1}},  // one pixel wide
    };
    for (const SInt16 scale : {SInt16(1), SInt16(2)})
        for (const Point origin : {Point{0, 0}, Point{-7, 11}}) {
            SCOPED_TRACE(testing::Message() << "scale " << scale << " origin " << origin.h);
            EXPECT_TRUE(ExpectBothClipsAgree(scale, origin, shapes));
            for (const Frame& f : frames)
                ExpectBothClipsAgree(scale, origin, [&] {
                    PenSize(f.pen.h, f.pen.v);
                    FrameRect(&f.frame);
                });
        }
}

TEST(QDPaintFastPath, FrameDamageIsTheRingNotTheInside) {
    GrafPtr port = KsNewPort(60, 40);
    KsSetPort(port);
    port->surface->damage.SetEmpty();
    const Rect r{5, 10, 25, 40}; // 30 wide, 20 high
    FrameRect(&r);
    KsRgn ring(KsRect{10, 5, 40, 25});
    ring.Subtract(KsRect{11, 6, 39, 24});
    EXPECT_EQ(port->surface->damage, ring);
    KsDisposePort(port);
}

} // namespace
