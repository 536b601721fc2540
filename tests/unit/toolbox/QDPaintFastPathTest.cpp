// The fast paths of the painting engine give the same pixels and damage as
// the general ones: glyphs blended four pixels at a time against one pixel
// at a time, and frames painted under one clip against a region clip.
#include "KsPortPrivate.h"
#include "QuickDraw.h"

#include <gtest/gtest.h>

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

TEST(QDPaintFastPath, FramesUnderARectangleClipMatchARegionClip) {
    constexpr int kW = 80, kH = 60;
    struct Case {
        Rect frame;
        Point pen;
    };
    const Case cases[] = {
        {{10, 10, 30, 40}, {1, 1}}, // inside the clip
        {{-5, -5, 70, 90}, {1, 1}}, // sides outside the port
        {{20, 30, 58, 78}, {3, 2}}, // thick pen, cut by the clip
        {{12, 12, 15, 15}, {2, 2}}, // pen covers all: painted whole
        {{40, 5, 41, 70}, {1, 1}},  // one pixel wide
    };
    for (const Case& c : cases) {
        GrafPtr simple = KsNewPort(kW, kH), split = KsNewPort(kW, kH);
        for (GrafPtr port : {simple, split}) {
            KsSetPort(port);
            port->surface->damage.SetEmpty();
            PenSize(c.pen.h, c.pen.v);
        }
        KsSetPort(simple);
        const Rect clip{0, 0, 50, 70};
        ClipRect(&clip);
        FrameRect(&c.frame);
        KsSetPort(split);
        // The same rectangle plus a piece off the port: a two-part region
        // that draws the same pixels through the general path.
        RgnHandle two = NewRgn(), away = NewRgn();
        SetRectRgn(two, 0, 0, 70, 50); // left, top, right, bottom
        SetRectRgn(away, -100, -100, -90, -90);
        UnionRgn(two, away, two);
        ASSERT_GT(KsRgnRef(two).RectCount(), 1u);
        SetClip(two);
        DisposeRgn(two);
        DisposeRgn(away);
        FrameRect(&c.frame);
        EXPECT_EQ(Pixels(simple, kW, kH), Pixels(split, kW, kH))
            << c.frame.left << "," << c.frame.top;
        EXPECT_EQ(simple->surface->damage, split->surface->damage) << c.frame.left;
        KsDisposePort(simple);
        KsDisposePort(split);
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
