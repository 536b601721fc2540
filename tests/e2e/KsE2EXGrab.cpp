// Reads pixels of the X screen as another client sees them.
//
//   ks_e2e_xgrab H,V ...
//
// Prints "H,V RRGGBB" for each point of the root window (screen coordinates),
// or "H,V outside". Exits 1 when the display cannot be opened.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdio>

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
        const unsigned long pixel = XGetPixel(image, 0, 0);
        // TrueColor masks of the visual; a 24-bit Xvfb screen is 0xRRGGBB.
        auto channel = [pixel](unsigned long mask) {
            if (!mask) return 0ul;
            int shift = 0;
            while (!((mask >> shift) & 1))
                ++shift;
            unsigned long value = (pixel & mask) >> shift, max = mask >> shift;
            return value * 255 / max;
        };
        std::printf("%d,%d %02lX%02lX%02lX\n", h, v, channel(image->red_mask),
                    channel(image->green_mask), channel(image->blue_mask));
        XDestroyImage(image);
    }
    XCloseDisplay(display);
    return status;
}
