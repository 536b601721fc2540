#include "KsDesktop.h"

#include "AScreenManOS.h"

#include "KsBackend.h"
#include "KsOutput.h"
#include "KsPortPrivate.h"
#include "Menus.h"
#include "WindowsPrivate.h"

#include <algorithm>

namespace {
struct Desktop {
    KsPortSurface* surface = nullptr;
    GrafPort port{};
    KsRect bounds;
    Rect mainScreen{};
    RGBColor color{0x5A00, 0x6E00, 0x8200};
};
Desktop gDesktop;

// The core's screen manager asks the back end where its screens are.
int BackendScreens(KsRect* screens, int max) {
    KsBackend* backend = KsGetBackend();
    int n = std::min(backend->ScreenCount(), max);
    for (int i = 0; i < n; ++i)
        screens[i] = backend->ScreenBounds(i);
    return n;
}

// How much of a title bar must stay on the desktop, below the menu bar, for
// the user to grab it and drag the window back.
constexpr SInt32 kReach = 16;

// Moves each window whose title bar (or, without one, structure) has left
// the usable desktop back by the least distance that gives kReach pixels of
// it, both ways. Windows that are partly off the desktop but within reach
// stay where the user put them.
void KeepWindowsReachable() {
    KsRect usable = gDesktop.bounds;
    usable.top = std::max<SInt32>(usable.top, gDesktop.mainScreen.top + kKsMenuBarHeight);
    for (WindowPtr w = KsGetWindowList(); w; w = GetNextWindow(w)) {
        KsRect grip = KsTitleBarRect(w);
        if (grip.IsEmpty()) grip = KsStructureRect(w);
        const SInt32 across = std::min(kReach, grip.Width()),
                     down = std::min(kReach, grip.Height());
        SInt32 dh = 0, dv = 0;
        if (grip.left > usable.right - across)
            dh = usable.right - across - grip.left;
        else if (grip.right < usable.left + across)
            dh = usable.left + across - grip.right;
        if (grip.top > usable.bottom - down)
            dv = usable.bottom - down - grip.top;
        else if (grip.top < usable.top)
            dv = usable.top - grip.top;
        if (dh == 0 && dv == 0) continue;
        const KsRect c = KsContentRect(w);
        MoveWindow(w, SInt16(c.left + dh), SInt16(c.top + dv), false);
    }
}

// Replaces the desktop's pixels by an image of the new size that keeps the
// pixels both share; false (desktop unchanged) when memory ran out.
bool ResizeSurface(const KsRect& now) {
    pixman_image_t* image =
        pixman_image_create_bits(PIXMAN_x8r8g8b8, now.Width(), now.Height(), nullptr, 0);
    if (!image) return false;
    const KsRect kept = now.Intersect(gDesktop.bounds);
    if (!kept.IsEmpty())
        pixman_image_composite32(PIXMAN_OP_SRC, gDesktop.surface->image, nullptr, image,
                                 kept.left - gDesktop.bounds.left, kept.top - gDesktop.bounds.top,
                                 0, 0, kept.left - now.left, kept.top - now.top, kept.Width(),
                                 kept.Height());
    pixman_image_unref(gDesktop.surface->image);
    gDesktop.surface->image = image;
    // Everything is shown again: the native window's old pixels are gone too.
    gDesktop.surface->damage.SetRect({0, 0, now.Width(), now.Height()});
    return true;
}
} // namespace

GrafPtr KsDesktopInit() {
    if (gDesktop.surface) return &gDesktop.port;
    KsSetScreenProvider(BackendScreens);
    KsBackend* backend = KsGetBackend();
    gDesktop.bounds = backend->DesktopBounds();
    gDesktop.mainScreen = ToRect(backend->ScreenBounds(0));
    gDesktop.surface = KsNewSurface(gDesktop.bounds.Width(), gDesktop.bounds.Height(), 1);
    if (!gDesktop.surface) return nullptr;
    KsOpenPort(&gDesktop.port, gDesktop.surface, ToRect(gDesktop.bounds));
    GrafPtr saved = KsGetPort();
    KsSetPort(&gDesktop.port);
    ClipWideOpen();
    RGBBackColor(&gDesktop.color);
    Rect all = ToRect(gDesktop.bounds);
    EraseRect(&all);
    KsSetPort(saved && saved != &gDesktop.port ? saved : &gDesktop.port);
    KsSetDesktopSurface(gDesktop.surface->image, &gDesktop.surface->damage);
    return &gDesktop.port;
}

void KsDesktopFollowScreens() {
    if (!gDesktop.surface) return;
    KsBackend* backend = KsGetBackend();
    const KsRect now = backend->DesktopBounds();
    const Rect oldMain = gDesktop.mainScreen;
    gDesktop.mainScreen = ToRect(backend->ScreenBounds(0));
    if (now == gDesktop.bounds) {
        if (ToKsRect(oldMain) != ToKsRect(gDesktop.mainScreen)) DrawMenuBar();
        return;
    }
    if (now.IsEmpty() || !ResizeSurface(now)) {
        dprintf("desktop: cannot follow the screens to %dx%d; it stays %dx%d\n", now.Width(),
                now.Height(), gDesktop.bounds.Width(), gDesktop.bounds.Height());
        gDesktop.mainScreen = oldMain;
        return;
    }
    const KsRect old = gDesktop.bounds;
    gDesktop.bounds = now;
    GrafPort& port = gDesktop.port;
    port.portRect = port.portBounds = ToRect(now);
    RectRgn(port.visRgn, &port.portRect);
    KsSetDesktopSurface(gDesktop.surface->image, &gDesktop.surface->damage);
    KsWindowsFollowDesktop(old, oldMain);
    KeepWindowsReachable();
    DrawMenuBar();
}

void KsDesktopDispose() {
    if (!gDesktop.surface) return;
    KsSetDesktopSurface(nullptr, nullptr);
    if (KsGetPort() == &gDesktop.port) KsSetPort(nullptr);
    KsClosePort(&gDesktop.port);
    KsDisposeSurface(gDesktop.surface);
    gDesktop.surface = nullptr;
    gDesktop.port = GrafPort{};
}

GrafPtr KsGetDesktopPort() {
    return gDesktop.surface ? &gDesktop.port : nullptr;
}

Rect KsDesktopBounds() {
    return ToRect(gDesktop.bounds);
}

Rect KsMainScreenBounds() {
    KsBackend* backend = KsGetBackend();
    return ToRect(backend->ScreenBounds(0));
}

void KsSetDesktopColor(const RGBColor& color) {
    gDesktop.color = color;
}

RGBColor KsGetDesktopColor() {
    return gDesktop.color;
}
