// Off-screen worlds: making and refusing them, the current world, pixel
// maps, and UpdateGWorld keeping pixels.
#include "QDOffscreen.h"
#include "QDReference.h"

#include <gtest/gtest.h>

using namespace qdref;

namespace {

TEST(GWorld, MakingAndRefusing) {
    GrafPtr before = KsGetPort();
    GWorldPtr w = nullptr;
    Rect r = R(10, 20, 30, 25);
    for (SInt16 depth : {0, 1, 8, 16, 32}) {
        ASSERT_EQ(NewGWorld(&w, depth, &r, nullptr, nullptr, pixPurge | noNewDevice), noErr);
        EXPECT_EQ(KsGetPort(), before) << "making a world changes no port";
        EXPECT_EQ(ToKsRect(w->portRect), (KsRect{10, 20, 30, 25}));
        EXPECT_EQ(DevicePixel(w, 19, 4), kWhite);
        PixMapHandle pm = GetGWorldPixMap(w);
        ASSERT_NE(pm, nullptr);
        EXPECT_TRUE(LockPixels(pm));
        EXPECT_EQ((**pm).pixelSize, 32);
        EXPECT_NE((**pm).rowBytes & 0x8000, 0);
        EXPECT_EQ((**pm).pixelRowBytes, pixman_image_get_stride(w->surface->image));
        EXPECT_EQ(GetPixBaseAddr(pm),
                  reinterpret_cast<Ptr>(pixman_image_get_data(w->surface->image)));
        EXPECT_EQ(ToKsRect((**pm).bounds), (KsRect{10, 20, 30, 25}));
        UnlockPixels(pm);
        DisposeGWorld(w);
    }
    Rect empty = R(5, 5, 5, 9), huge = R(-32000, -32000, 32000, 32000);
    w = reinterpret_cast<GWorldPtr>(1);
    EXPECT_EQ(NewGWorld(&w, 32, &empty, nullptr, nullptr, 0), paramErr);
    EXPECT_EQ(w, nullptr);
    EXPECT_EQ(NewGWorld(&w, 24, &r, nullptr, nullptr, 0), paramErr);
    EXPECT_EQ(NewGWorld(&w, 32, nullptr, nullptr, nullptr, 0), paramErr);
    EXPECT_EQ(NewGWorld(nullptr, 32, &r, nullptr, nullptr, 0), paramErr);
    EXPECT_EQ(KsNewGWorldScaled(&w, 32, &r, 5, 0), paramErr);
    EXPECT_EQ(NewGWorld(&w, 32, &huge, nullptr, nullptr, 0), memFullErr);
    EXPECT_EQ(QDError(), memFullErr);
    EXPECT_EQ(w, nullptr);
}

TEST(GWorld, SetAndGetSwitchThePortAndDevice) {
    Rect r = R(0, 0, 8, 8);
    GWorldPtr one = nullptr, two = nullptr;
    ASSERT_EQ(NewGWorld(&one, 32, &r, nullptr, nullptr, 0), noErr);
    ASSERT_EQ(NewGWorld(&two, 32, &r, nullptr, nullptr, 0), noErr);
    GrafPtr plain = KsNewPort(4, 4);
    SetGWorld(plain, GetMainDevice());
    {
        StGWorldSaver saver;
        SetGWorld(one, nullptr);
        CGrafPtr port = nullptr;
        GDHandle dev = nullptr;
        GetGWorld(&port, &dev);
        EXPECT_EQ(port, one);
        EXPECT_EQ(dev, GetGWorldDevice(one));
        EXPECT_NE(dev, GetMainDevice());
        // Drawing goes to the current world only.
        Rect box = R(1, 1, 3, 3);
        PaintRect(&box);
        SetGWorld(two, GetMainDevice()); // a world's own device wins
        GetGWorld(&port, &dev);
        EXPECT_EQ(port, two);
        EXPECT_EQ(dev, GetGWorldDevice(two));
        EXPECT_EQ(GetGDevice(), dev);
    }
    CGrafPtr port = nullptr;
    GDHandle dev = nullptr;
    GetGWorld(&port, &dev);
    EXPECT_EQ(port, plain);
    EXPECT_EQ(dev, GetMainDevice());
    EXPECT_EQ(DevicePixel(one, 1, 1), kBlack);
    EXPECT_EQ(DevicePixel(two, 1, 1), kWhite);
    EXPECT_EQ(DevicePixel(plain, 1, 1), kWhite);

    // Disposing of the current world leaves no dangling current port.
    SetGWorld(one, nullptr);
    DisposeGWorld(one);
    GetGWorld(&port, &dev);
    EXPECT_EQ(port, nullptr);
    EXPECT_EQ(dev, GetMainDevice());
    DisposeGWorld(two);
    KsDisposePort(plain);
}

// Pixels drawn before UpdateGWorld, as a canvas of logical pixels.
Canvas DrawSample(GWorldPtr w) {
    StGWorldSaver saver;
    SetGWorld(w, nullptr);
    const RGBColor blue{0, 0, 0xFFFF};
    RGBForeColor(&blue);
    Rect a = R(0, 0, 4, 3), b = R(5, 2, 8, 6);
    PaintRect(&a);
    InvertRect(&b);
    Canvas c(8, 6);
    auto all = [](int, int) { return true; };
    Paint(c, RectMask(0, 0, 4, 3), all, kQDBlack, patCopy, 0x0000FF, kWhite);
    Invert(c, RectMask(5, 2, 8, 6), all);
    return c;
}

TEST(GWorld, UpdateKeepsPixelsWhenAsked) {
    for (SInt16 scale : {1, 2}) {
        GWorldPtr w = nullptr;
        Rect r = R(0, 0, 8, 6);
        ASSERT_EQ(KsNewGWorldScaled(&w, 32, &r, scale, 0), noErr);
        const Canvas before = DrawSample(w);
        const RGBColor green{0, 0xFFFF, 0};
        SetGWorld(w, nullptr);
        RGBForeColor(&green);
        Rect clip = R(0, 0, 3, 3);
        ClipRect(&clip);
        SetGWorld(nullptr, nullptr);

        // Moving only: same pixels under new coordinates.
        Rect moved = R(100, 50, 108, 56);
        EXPECT_EQ(UpdateGWorld(&w, 32, &moved, nullptr, nullptr, 0), GWorldFlags(0));
        EXPECT_EQ(Compare(w, before), "");
        EXPECT_EQ(ToKsRect(w->portRect), (KsRect{100, 50, 108, 56}));

        // Larger, clipped: the old pixels at the top-left, white elsewhere.
        Rect larger = R(0, 0, 11, 9);
        EXPECT_EQ(UpdateGWorld(&w, 32, &larger, nullptr, nullptr, clipPix), reallocPix | clipPix);
        Canvas grown(11, 9);
        for (int y = 0; y < 6; ++y)
            for (int x = 0; x < 8; ++x)
                grown.At(x, y) = before.px[std::size_t(y * 8 + x)];
        EXPECT_EQ(Compare(w, grown), "");
        EXPECT_EQ(w->surface->scale, scale);
        EXPECT_EQ(w->rgbFgColor.green, 0xFFFF) << "the port keeps its state";
        EXPECT_EQ(KsRgnRef(w->clipRgn).Bounds(), (KsRect{0, 0, 3, 3}));

        // Smaller, clipped.
        Rect smaller = R(0, 0, 5, 4);
        EXPECT_EQ(UpdateGWorld(&w, 32, &smaller, nullptr, nullptr, clipPix), reallocPix | clipPix);
        Canvas shrunk(5, 4);
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 5; ++x)
                shrunk.At(x, y) = before.px[std::size_t(y * 8 + x)];
        EXPECT_EQ(Compare(w, shrunk), "");

        // Stretched to twice the size: each pixel becomes 2x2.
        Rect twice = R(0, 0, 10, 8);
        EXPECT_EQ(UpdateGWorld(&w, 32, &twice, nullptr, nullptr, stretchPix),
                  reallocPix | stretchPix);
        Canvas stretched(10, 8);
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 10; ++x)
                stretched.At(x, y) = shrunk.At(x / 2, y / 2);
        EXPECT_EQ(Compare(w, stretched), "");

        // Without a keep flag the pixels are new; bad calls change nothing.
        Rect other = R(0, 0, 7, 7);
        EXPECT_EQ(UpdateGWorld(&w, 8, &other, nullptr, nullptr, 0), reallocPix | newDepth);
        EXPECT_EQ(Compare(w, Canvas(7, 7)), "");
        Rect empty = R(3, 3, 3, 3);
        EXPECT_EQ(UpdateGWorld(&w, 32, &empty, nullptr, nullptr, clipPix), gwFlagErr);
        EXPECT_EQ(QDError(), paramErr);
        EXPECT_EQ(UpdateGWorld(&w, 3, &other, nullptr, nullptr, clipPix), gwFlagErr);
        GWorldPtr none = nullptr;
        EXPECT_EQ(UpdateGWorld(&none, 32, &other, nullptr, nullptr, 0), gwFlagErr);
        EXPECT_EQ(ToKsRect(w->portRect), (KsRect{0, 0, 7, 7}));
        DisposeGWorld(w);
    }
}

// The descriptor of a port follows the port's origin and reaches its port
// for CopyBits; a copy of it is not taken for a port's pixels.
TEST(GWorld, PortDescriptors) {
    GrafPtr port = KsNewPort(6, 5);
    const BitMap* bm = GetPortBitMapForCopyBits(port);
    ASSERT_NE(bm, nullptr);
    EXPECT_EQ(ToKsRect(bm->bounds), (KsRect{0, 0, 6, 5}));
    KsSetPort(port);
    SetOrigin(10, 20);
    EXPECT_EQ(GetPortBitMapForCopyBits(port), bm);
    EXPECT_EQ(ToKsRect(bm->bounds), (KsRect{10, 20, 16, 25}));
    PixMap copy = *static_cast<const PixMap*>(bm);
    Rect r = R(10, 20, 12, 22);
    CopyBits(&copy, bm, &r, &r, srcCopy, nullptr);
    EXPECT_EQ(QDError(), paramErr);
    CopyBits(bm, bm, &r, &r, srcCopy, nullptr);
    EXPECT_EQ(QDError(), noErr);
    EXPECT_EQ(GetPortBitMapForCopyBits(nullptr), nullptr);
    KsDisposePort(port);
}

} // namespace
