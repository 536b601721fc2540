// The back end in use, its choice, and the desktop it presents.
#include "KsBackend.h"
#include "KsOutput.h"
#include "KsRgn.h"
#include "KsTime.h"

#include <cstdlib>
#include <cstring>

namespace {

std::unique_ptr<KsBackend>& Current() {
    static std::unique_ptr<KsBackend> backend;
    return backend;
}

KsEventSink*& Sink() {
    static KsEventSink* sink = nullptr;
    return sink;
}

struct Desktop {
    pixman_image_t* image = nullptr;
    KsRgn* damage = nullptr;
} gDesktop;

void PumpHook(void*) {
    if (KsEventSink* sink = Sink())
        sink->PumpAndPresent();
    else if (KsBackend* backend = Current().get())
        backend->Pump(); // nobody to deliver to: native queues still drain
}

bool Set(const char* name) {
    const char* v = std::getenv(name);
    return v && *v;
}

} // namespace

KsBackend::~KsBackend() = default;

void KsBackend::SetTextInputRect(const KsRect&) {}

void KsBackend::WaitForInputOrFd(long milliseconds, int) {
    WaitForInput(milliseconds);
}

KsEventSink* KsSetEventSink(KsEventSink* sink) {
    KsEventSink* old = Sink();
    Sink() = sink;
    return old;
}

void KsDeliverInput(const KsInput& input) {
    if (KsEventSink* sink = Sink()) sink->Input(input);
}

UInt16 KsBackend::KeyboardLocale() const {
    return 0x0409;
}

KsRect KsBackend::DesktopBounds() const {
    KsRect all = ScreenBounds(0);
    for (int i = 1; i < ScreenCount(); ++i)
        all = all.Union(ScreenBounds(i));
    return all;
}

std::unique_ptr<KsBackend> KsBackendChoose() {
    const char* asked = std::getenv("KS_BACKEND");
    if (asked && std::strcmp(asked, "headless") == 0) return KsNewHeadlessBackend();
    bool wantSDL = asked && std::strcmp(asked, "sdl") == 0;
    if (asked && *asked && !wantSDL)
        dprintf("KS_BACKEND=%s is not a back end (sdl, headless); choosing one\n", asked);
    if (wantSDL || Set("DISPLAY") || Set("WAYLAND_DISPLAY")) {
        if (auto sdl = KsNewSDLBackend()) return sdl;
        if (wantSDL)
            dprintf("KS_BACKEND=sdl: no video display could be opened; running headless\n");
    }
    return KsNewHeadlessBackend();
}

KsBackend* KsGetBackend() {
    if (!Current()) KsInstallBackend(KsBackendChoose());
    return Current().get();
}

std::unique_ptr<KsBackend> KsInstallBackend(std::unique_ptr<KsBackend> backend) {
    std::unique_ptr<KsBackend> old = std::move(Current());
    Current() = std::move(backend);
    KsSetPumpHook(Current() ? KsPumpHook{PumpHook, nullptr} : KsPumpHook{});
    return old;
}

void KsSetDesktopSurface(pixman_image_t* desktop, KsRgn* damage) {
    gDesktop = {desktop, damage};
}

void KsPresentDesktop() {
    if (!gDesktop.image || !gDesktop.damage || gDesktop.damage->IsEmpty()) return;
    KsGetBackend()->Present(gDesktop.image, *gDesktop.damage);
    gDesktop.damage->SetEmpty();
}
