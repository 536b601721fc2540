// Reads pixels of the X screen as another client sees them.
//
//   ks_e2e_xgrab H,V ...
//   ks_e2e_xgrab --count RRGGBB
//
// Prints "H,V RRGGBB" for each point of the root window (screen coordinates),
// or "H,V outside"; or "count N", the number of root pixels of one colour.
// Exits 1 when the display cannot be opened.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace {

// 0xRRGGBB of a pixel, from the TrueColor masks of the image's visual (a
// 24-bit Xvfb screen is 0xRRGGBB already).
unsigned long RGB(const XImage* image, unsigned long pixel) {
    auto channel = [pixel](unsigned long mask) {
        if (!mask) return 0ul;
        int shift = 0;
        while (!((mask >> shift) & 1))
            ++shift;
        unsigned long value = (pixel & mask) >> shift, max = mask >> shift;
        return value * 255 / max;
    };
    return channel(image->red_mask) << 16 | channel(image->green_mask) << 8 |
           channel(image->blue_mask);
}

int Count(Display* display, Window root, const XWindowAttributes& a, const char* colour) {
    const unsigned long want = std::strtoul(colour, nullptr, 16);
    XImage* image =
        XGetImage(display, root, 0, 0, unsigned(a.width), unsigned(a.height), AllPlanes, ZPixmap);
    if (!image) return 1;
    long n = 0;
    for (int v = 0; v < a.height; ++v)
        for (int h = 0; h < a.width; ++h)
            n += RGB(image, XGetPixel(image, h, v)) == want;
    std::printf("count %ld\n", n);
    XDestroyImage(image);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "ks_e2e_xgrab: cannot open the X display\n");
        return 1;
    }
    const Window root = DefaultRootWindow(display);
    XWindowAttributes attributes;
    XGetWindowAttributes(display, root, &attributes);
    int status = 0;
    if (argc == 3 && std::string_view(argv[1]) == "--count") {
        status = Count(display, root, attributes, argv[2]);
        XCloseDisplay(display);
        return status;
    }
    for (int i = 1; i < argc; ++i) {
        int h = 0, v = 0;
        if (std::sscanf(argv[i], "%d,%d", &h, &v) != 2) {
            std::fprintf(stderr, "ks_e2e_xgrab: %s is not H,V\n", argv[i]);
            status = 2;
            continue;
        }
        if (h < 0 || v < 0 || h >= attributes.width || v >= attributes.height) {
            std::printf("%d,%d outside\n", h, v);
            continue;
        }
        XImage* image = XGetImage(display, root, h, v, 1, 1, AllPlanes, ZPixmap);
        if (!image) {
            std::printf("%d,%d unreadable\n", h, v);
            status = 1;
            continue;
        }
        std::printf("%d,%d %06lX\n", h, v, RGB(image, XGetPixel(image, 0, 0)));
        XDestroyImage(image);
    }
    XCloseDisplay(display);
    return status;
}
