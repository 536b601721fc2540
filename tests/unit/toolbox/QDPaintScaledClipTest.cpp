// Rectangle fills under a rectangular clip give the same pixels and damage as
// under a region clip when the port's origin is moved and its pixels are
// scaled: the fast path works out the local bounds, clip and device box
// itself.
#include "KsPortPrivate.h"
#include "QuickDraw.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<UInt32> Pixels(GrafPtr port) {
    pixman_image_t* img = port->surface->image;
    const int w = pixman_image_get_width(img), h = pixman_image_get_height(img);
    const int stride = pixman_image_get_stride(img) / 4;
    const UInt32* bits = pixman_image_get_data(img);
    std::vector<UInt32> out;
    for (int y = 0; y < h; ++y)
        out.insert(out.end(), bits + y * stride, bits + y * stride + w);
    return out;
}

void DrawShapes() {
    const RGBColor red{0xFFFF, 0, 0}, blue{0, 0, 0xFFFF};
    const Rect fills[] = {{-20, -20, 5, 5}, {0, 0, 30, 1}, {10, 12, 40, 13}, {30, 30, 200, 200}};
    for (const Rect& r : fills) {
        RGBForeColor(&red);
        PaintRect(&r);
        RGBForeColor(&blue);
        FrameRect(&r);
    }
    const Rect wide{5, -10, 25, 60}; // more than 32 device pixels wide at scale 2
    EraseRect(&wide);
}

TEST(QDPaintScaledClip, RectangleClipMatchesRegionClipWithOriginAndScale) {
    constexpr SInt16 kW = 48, kH = 36;
    for (const SInt16 scale : {SInt16(1), SInt16(2)}) {
        for (const Point origin : {Point{0, 0}, Point{-7, 11}}) {
            GrafPtr simple = KsNewPort(kW, kH, scale), split = KsNewPort(kW, kH, scale);
            for (GrafPtr port : {simple, split}) {
                KsSetPort(port);
                SetOrigin(origin.h, origin.v);
                port->surface->damage.SetEmpty();
            }
            // Clip partly outside the port, in local coordinates.
            const Rect clip{SInt16(origin.v - 3), SInt16(origin.h + 4), SInt16(origin.v + 30),
                            SInt16(origin.h + 60)};
            KsSetPort(simple);
            ClipRect(&clip);
            DrawShapes();
            KsSetPort(split);
            // The same rectangle plus a piece far off the port: a two-part
            // region that draws the same pixels through the general path.
            RgnHandle two = NewRgn(), away = NewRgn();
            RectRgn(two, &clip);
            SetRectRgn(away, -300, -300, -290, -290);
            UnionRgn(two, away, two);
            ASSERT_GT(KsRgnRef(two).RectCount(), 1u);
            SetClip(two);
            DisposeRgn(two);
            DisposeRgn(away);
            DrawShapes();
            EXPECT_EQ(Pixels(simple), Pixels(split)) << "scale " << scale << " origin " << origin.h;
            EXPECT_EQ(simple->surface->damage, split->surface->damage)
                << "scale " << scale << " origin " << origin.h;
            EXPECT_FALSE(simple->surface->damage.IsEmpty());
            KsDisposePort(simple);
            KsDisposePort(split);
        }
    }
}

} // namespace
