// The demo host application.
//
//   ksdemo [--backend headless|sdl] [--screen WxH] [--screenshot FILE]
//
// On a display it opens its window (the sdl back end) and runs until the
// window is closed or Ctrl+Q is pressed. Without one it runs headless and
// writes the desktop to ksdemo.png. --screenshot writes FILE once the first
// frame is drawn and quits.
#include "DemoScene.h"
#include "Events.h"
#include "KsBackend.h"
#include "KsDesktop.h"
#include "KsTavik20Version.h"
#include "QuickDraw.h"
#include "XError.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

struct Options {
    std::string backend;
    SInt32 width = 1280, height = 800;
    std::string screenshot;
};

bool Parse(int argc, char** argv, Options& o) {
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        auto value = [&](const char* name) -> const char* {
            if (i + 1 >= argc) {
                std::fprintf(stderr, "ksdemo: %s needs a value\n", name);
                return nullptr;
            }
            return argv[++i];
        };
        if (a == "--backend") {
            const char* v = value("--backend");
            if (!v || (std::strcmp(v, "sdl") != 0 && std::strcmp(v, "headless") != 0)) {
                std::fprintf(stderr, "ksdemo: --backend takes headless or sdl\n");
                return false;
            }
            o.backend = v;
        } else if (a == "--screen") {
            const char* v = value("--screen");
            int w = 0, h = 0;
            if (!v || std::sscanf(v, "%dx%d", &w, &h) != 2 || w < 320 || h < 240 || w > 8192 ||
                h > 8192) {
                std::fprintf(stderr, "ksdemo: --screen takes WxH, from 320x240 to 8192x8192\n");
                return false;
            }
            o.width = w;
            o.height = h;
        } else if (a == "--screenshot") {
            const char* v = value("--screenshot");
            if (!v) return false;
            o.screenshot = v;
        } else {
            std::fprintf(stderr, "usage: ksdemo [--backend headless|sdl] [--screen WxH] "
                                 "[--screenshot FILE]\n");
            return false;
        }
    }
    return true;
}

bool gQuit = false;

bool IsQuitKey(const EventRecord& e) {
    return e.what == keyDown && (e.modifiers & cmdKey) &&
           ((e.message & charCodeMask) | 0x20) == 'q';
}

} // namespace

int main(int argc, char** argv) {
    Options options;
    if (!Parse(argc, argv, options)) return 2;
    if (!options.backend.empty()) setenv("KS_BACKEND", options.backend.c_str(), 1);
    if (options.backend == "headless" ||
        (options.backend.empty() && !std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY")))
        KsInstallBackend(KsNewHeadlessBackend(options.width, options.height));

    try {
        KsBackend* backend = KsGetBackend();
        backend->SetTitle("KsTavik20 demo");
        GrafPtr desktop = KsDesktopInit();
        if (!desktop) {
            std::fprintf(stderr, "ksdemo: the desktop could not be made\n");
            return 1;
        }
        DrawDemoScene(desktop, KsDesktopBounds());
        KsPresentDesktop();
        const bool headless = std::strcmp(backend->Name(), "headless") == 0;
        std::printf("KsTavik20 %s demo on the %s back end, desktop %dx%d\n", KsTavik20Version(),
                    backend->Name(), int(KsDesktopBounds().right - KsDesktopBounds().left),
                    int(KsDesktopBounds().bottom - KsDesktopBounds().top));

        std::string shot = options.screenshot;
        if (headless && shot.empty()) shot = "ksdemo.png";
        if (!shot.empty()) {
            OSErr err = KsWritePortPNG(desktop, nullptr, shot.c_str());
            if (err != noErr) {
                std::fprintf(stderr, "ksdemo: could not write %s (error %d)\n", shot.c_str(), err);
                return 1;
            }
            std::printf("%s: wrote the desktop to %s\n", headless ? "headless" : "screenshot",
                        shot.c_str());
            return 0;
        }

        KsSetQuitRequestHook({[](void*) { gQuit = true; }, nullptr});
        while (!gQuit) {
            EventRecord e;
            if (WaitNextEvent(everyEvent, &e, 30, nullptr) && IsQuitKey(e)) gQuit = true;
        }
        KsDesktopDispose();
    } catch (...) {
        XError e = XErrorFromCurrentException();
        std::fprintf(stderr, "ksdemo: %s\n", e.GetText().c_str());
        return 1;
    }
    return 0;
}
