#include "KsDesktop.h"

#include "AScreenManOS.h"

#include "KsBackend.h"
#include "KsPortPrivate.h"

#include <algorithm>

namespace {
struct Desktop {
    KsPortSurface* surface = nullptr;
    GrafPort port{};
    KsRect bounds;
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
} // namespace

GrafPtr KsDesktopInit() {
    if (gDesktop.surface) return &gDesktop.port;
    KsSetScreenProvider(BackendScreens);
    KsBackend* backend = KsGetBackend();
    gDesktop.bounds = backend->DesktopBounds();
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
