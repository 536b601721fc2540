// Port records: defaults, coordinates, clipping calls, pen state, ports that
// share a surface, and PNG output.
#include "KsScratchDir.h"
#include "PngSizeOf.h"
#include "QDReference.h"
#include "QuickDraw.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(QDPort, NewPortDefaults) {
    GrafPtr port = KsNewPort(30, 20);
    ASSERT_NE(port, nullptr);
    EXPECT_EQ(KsGetPort(), port);
    EXPECT_EQ(ToKsRect(port->portRect), (KsRect{0, 0, 30, 20}));
    EXPECT_EQ(ToKsPoint(port->pnSize), (KsPoint{1, 1}));
    EXPECT_EQ(port->pnMode, patCopy);
    EXPECT_EQ(port->pnVis, 0);
    EXPECT_EQ(port->txFont, 0);
    EXPECT_EQ(port->txSize, 12);
    EXPECT_EQ(port->txFace, normal);
    EXPECT_EQ(port->txMode, srcOr);
    EXPECT_EQ(qdref::Rgb(port->rgbFgColor), qdref::kBlack);
    EXPECT_EQ(qdref::Rgb(port->rgbBkColor), qdref::kWhite);
    EXPECT_EQ(ToKsRect((*port->visRgn)->rgnBBox), (KsRect{0, 0, 30, 20}));
    EXPECT_EQ(ToKsRect((*port->clipRgn)->rgnBBox), (KsRect{-32768, -32768, 32767, 32767}));
    KsDisposePort(port);
    EXPECT_EQ(KsGetPort(), nullptr);
}

TEST(QDPort, OriginMovesPortRectBoundsAndVisibleRegionNotClip) {
    GrafPtr port = KsNewPort(30, 20);
    Rect c{0, 0, 10, 10};
    ClipRect(&c);
    SetOrigin(5, -3);
    EXPECT_EQ(ToKsRect(port->portRect), (KsRect{5, -3, 35, 17}));
    EXPECT_EQ(ToKsRect(port->portBounds), (KsRect{5, -3, 35, 17}));
    EXPECT_EQ(ToKsRect((*port->visRgn)->rgnBBox), (KsRect{5, -3, 35, 17}));
    EXPECT_EQ(ToKsRect((*port->clipRgn)->rgnBBox), (KsRect{0, 0, 10, 10}));
    Point p{0, 0};
    LocalToGlobal(&p);
    EXPECT_EQ(ToKsPoint(p), (KsPoint{-5, 3}));
    GlobalToLocal(&p);
    EXPECT_EQ(ToKsPoint(p), (KsPoint{0, 0}));
    RgnHandle got = NewRgn(), set = NewRgn();
    GetClip(got);
    EXPECT_EQ(ToKsRect((*got)->rgnBBox), (KsRect{0, 0, 10, 10}));
    SetRectRgn(set, 1, 2, 3, 4);
    SetClip(set);
    OffsetRgn(set, 10, 10); // SetClip copies
    GetClip(got);
    EXPECT_EQ(ToKsRect((*got)->rgnBBox), (KsRect{1, 2, 3, 4}));
    PortSize(8, 9);
    EXPECT_EQ(ToKsRect(port->portRect), (KsRect{5, -3, 13, 6}));
    DisposeRgn(got);
    DisposeRgn(set);
    KsDisposePort(port);
}

// Two ports over one surface, as windows over the desktop: each draws at its
// global place and only within its visible region.
TEST(QDPort, PortsShareASurface) {
    KsPortSurface* desk = KsNewSurface(40, 30, 1);
    ASSERT_NE(desk, nullptr);
    GrafPort a{}, b{};
    KsOpenPort(&a, desk, Rect{0, 0, 30, 40});
    KsOpenPort(&b, desk, Rect{0, 0, 30, 40});
    KsSetPort(&b);
    // Put b's local (0, 0) at global (10, 5), 12x8 large.
    PortSize(12, 8);
    MovePortTo(10, 5);
    Rect vis{0, 0, 8, 12};
    RectRgn(b.visRgn, &vis);
    Point g{0, 0};
    LocalToGlobal(&g);
    EXPECT_EQ(ToKsPoint(g), (KsPoint{10, 5}));
    Rect all{-100, -100, 100, 100};
    PaintRect(&all);
    qdref::Canvas want(40, 30);
    for (int y = 5; y < 13; ++y)
        for (int x = 10; x < 22; ++x)
            want.At(x, y) = 0;
    KsSetPort(&a);
    EXPECT_EQ(qdref::Compare(&a, want), "");
    KsClosePort(&a);
    KsClosePort(&b);
    KsDisposeSurface(desk);
}

TEST(QDPort, PenStateAndColours) {
    GrafPtr port = KsNewPort(10, 10);
    PenSize(3, 2);
    PenMode(patXor);
    PenPat(&kQDGray);
    MoveTo(4, 5);
    PenState st;
    GetPenState(&st);
    PenNormal();
    EXPECT_EQ(port->pnSize.h, 1);
    EXPECT_EQ(port->pnMode, patCopy);
    SetPenState(&st);
    EXPECT_EQ(ToKsPoint(port->pnSize), (KsPoint{3, 2}));
    EXPECT_EQ(port->pnMode, patXor);
    EXPECT_EQ(port->pnPat.pat[0], 0xAA);
    EXPECT_EQ(port->pnLoc.h, 4);
    Move(2, -1);
    EXPECT_EQ(ToKsPoint(port->pnLoc), (KsPoint{6, 4}));
    ForeColor(205);
    BackColor(409);
    EXPECT_EQ(qdref::Rgb(port->rgbFgColor), 0xFF0000u);
    EXPECT_EQ(qdref::Rgb(port->rgbBkColor), 0x0000FFu);
    RGBColor h{1, 2, 3}, got;
    HiliteColor(&h);
    GetHiliteColor(&got);
    EXPECT_EQ(got.blue, 3);
    HidePen();
    HidePen();
    ShowPen();
    EXPECT_EQ(port->pnVis, -1);
    KsDisposePort(port);
}

// The PNG's signature and header: size at device resolution.
TEST(QDPortPNG, WritesTheRequestedPixels) {
    for (SInt16 scale = 1; scale <= 2; ++scale) {
        GrafPtr port = KsNewPort(17, 9, scale);
        Rect r{2, 3, 7, 13};
        PaintRect(&r);
        ScratchDir dir;
        const std::string path = (dir / "qdport.png").string();
        ASSERT_EQ(KsWritePortPNG(port, &r, path.c_str()), noErr);
        UInt32 w = 0, h = 0;
        ASSERT_TRUE(PNGSize(path, &w, &h));
        EXPECT_EQ(w, 10u * unsigned(scale));
        EXPECT_EQ(h, 5u * unsigned(scale));
        ASSERT_EQ(KsWritePortPNG(port, nullptr, path.c_str()), noErr);
        EXPECT_NE(KsWritePortPNG(port, nullptr, "/nonexistent-dir/x.png"), noErr);
        Rect outside{100, 100, 110, 110};
        EXPECT_EQ(KsWritePortPNG(port, &outside, path.c_str()), paramErr);
        KsDisposePort(port);
    }
}

} // namespace
