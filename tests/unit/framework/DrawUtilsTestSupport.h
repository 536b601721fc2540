// A tiny white port made current for the drawing-utility tests, and readers
// of its pixels in logical coordinates.
#pragma once

#include "KsColor.h"
#include "KsGeometry.h"
#include "KsPixels.h"
#include "KsPortPrivate.h"
#include "QuickDraw.h"

#include <gtest/gtest.h>
#include <pixman.h>

#include <cstdint>

class DrawUtilsPort : public ::testing::Test {
protected:
    static constexpr int W = 24, H = 20;
    GrafPtr port = nullptr;

    void MakePort(int scale) {
        if (port != nullptr) KsDisposePort(port);
        port = KsNewPort(W, H, SInt16(scale));
        ASSERT_NE(port, nullptr);
        KsSetPort(port);
    }
    void SetUp() override { MakePort(1); }
    void TearDown() override { KsDisposePort(port); }

    std::uint32_t Device(int dx, int dy) const { return DevicePixel(port, dx, dy); }
    // The logical pixel (h, v); at scale 2 all four device pixels must agree,
    // otherwise the answer is a value no colour has.
    std::uint32_t Px(int h, int v) const {
        const int s = port->scale;
        const std::uint32_t first = Device(h * s, v * s);
        for (int dy = 0; dy < s; ++dy)
            for (int dx = 0; dx < s; ++dx)
                if (Device(h * s + dx, v * s + dy) != first) return 0xFF000000u;
        return first;
    }
    static std::uint32_t Dev(const KsRGBColor& c) { return KsPixelOf(ToRGBColor(c)) & 0xFFFFFF; }
    // Pixels outside r that are not white.
    int DirtyOutside(const KsRect& r) const {
        int n = 0;
        for (int v = 0; v < H; ++v)
            for (int h = 0; h < W; ++h)
                if (!r.Contains(KsPoint{h, v}) && Px(h, v) != 0xFFFFFF) ++n;
        return n;
    }
    static int Brightness(std::uint32_t px) {
        return int((px >> 16) & 0xFF) + int((px >> 8) & 0xFF) + int(px & 0xFF);
    }
};
