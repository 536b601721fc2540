// Builders of icon, pattern and picture bytes for the image tests, written
// field by field from the stored formats, and a pixel reader for ports.
#pragma once

#include "BytesBuilder.h"
#include "KsPixels.h"
#include "KsPortPrivate.h"
#include "QuickDraw.h"

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

// A PixMap record: rowBytes carries the pixel-map flag.
inline void PutPixMap(Bytes& o, bool withBase, int rowBytes, int t, int l, int bo, int r, int depth,
                      int packType = 0, int cmpCount = 1, int cmpSize = 0,
                      std::uint32_t table = 0) {
    if (withBase) o.u32(0);
    o.u16(0x8000 | rowBytes).rect(t, l, bo, r).u16(0).u16(packType).u32(0);
    o.u32(0x00480000).u32(0x00480000).u16(depth > 8 ? 16 : 0).u16(depth).u16(cmpCount);
    o.u16(cmpSize ? cmpSize : depth).u32(0).u32(table).u32(0);
}

struct Rgb16 {
    int r, g, b;
};
inline void PutColorTable(Bytes& o, const std::vector<Rgb16>& colors) {
    o.u32(0).u16(0).u16(int(colors.size()) - 1);
    for (std::size_t i = 0; i < colors.size(); ++i)
        o.u16(int(i)).u16(colors[i].r).u16(colors[i].g).u16(colors[i].b);
}

// Reads device pixels of a scale-1 port.
inline std::uint32_t PixelAt(GrafPtr port, int h, int v) {
    return DevicePixel(port, h, v);
}
