// Pixel readers for pixman images and ports: 0x00RRGGBB, the unused byte
// dropped.
#pragma once

#include "KsPortPrivate.h"
#include "QuickDraw.h"

#include <pixman.h>

#include <cstddef>
#include <cstdint>
#include <vector>

inline std::uint32_t ImagePixel(pixman_image_t* img, int h, int v) {
    const auto* p = reinterpret_cast<const std::uint32_t*>(pixman_image_get_data(img));
    return p[std::size_t(v) * std::size_t(pixman_image_get_stride(img) / 4) + std::size_t(h)] &
           0xFFFFFF;
}
// A device pixel of a port, whatever its scale.
inline std::uint32_t DevicePixel(GrafPtr port, int dx, int dy) {
    return ImagePixel(port->surface->image, dx, dy);
}
// Every device pixel of a port row by row, the stride's padding included.
inline std::vector<std::uint32_t> AllPixels(GrafPtr port) {
    pixman_image_t* img = port->surface->image;
    const auto* bits = reinterpret_cast<const std::uint32_t*>(pixman_image_get_data(img));
    return std::vector<std::uint32_t>(bits, bits + std::size_t(pixman_image_get_stride(img) / 4) *
                                                       std::size_t(pixman_image_get_height(img)));
}

// A white port made current for one scope, disposed when it goes.
class TinyPort {
public:
    TinyPort(int width, int height, int scale = 1)
        : port(KsNewPort(SInt16(width), SInt16(height), SInt16(scale))) {
        if (port) KsSetPort(port);
    }
    ~TinyPort() {
        if (port) KsDisposePort(port);
    }
    TinyPort(const TinyPort&) = delete;
    TinyPort& operator=(const TinyPort&) = delete;
    GrafPtr const port;
};
