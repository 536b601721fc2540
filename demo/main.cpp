// The demo host application.
//
//   ksdemo [--backend headless|sdl] [--screen WxH] [--screenshot FILE]
//
// On a display it opens its windows (the sdl back end) as a small media tool:
// a bin of 100,000 clips, an inspector following the bin's selection, a
// viewer strip and a console; the menus open the rest (sample windows,
// gadgets, notes, dialogs, drag and drop between bins). It runs
// until Quit is chosen (Ctrl+Q), SIGTERM arrives or a script asks through the
// request socket. Without a display it runs headless: a few scripted steps,
// then the desktop goes to ksdemo.png (or FILE) and it quits by itself.
#include "DemoApp.h"
#include "KsBackend.h"
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
        const char* v = i + 1 < argc ? argv[i + 1] : nullptr;
        if (a == "--backend" && v &&
            (std::strcmp(v, "sdl") == 0 || std::strcmp(v, "headless") == 0)) {
            o.backend = v;
        } else if (a == "--screen" && v) {
            int w = 0, h = 0;
            if (std::sscanf(v, "%dx%d", &w, &h) != 2 || w < 640 || h < 480 || w > 8192 ||
                h > 8192) {
                std::fprintf(stderr, "ksdemo: --screen takes WxH, from 640x480 to 8192x8192\n");
                return false;
            }
            o.width = w;
            o.height = h;
        } else if (a == "--screenshot" && v) {
            o.screenshot = v;
        } else {
            std::fprintf(stderr, "usage: ksdemo [--backend headless|sdl] [--screen WxH] "
                                 "[--screenshot FILE]\n");
            return false;
        }
        ++i;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    Options options;
    if (!Parse(argc, argv, options)) return 2;
    if (!options.backend.empty()) setenv("KS_BACKEND", options.backend.c_str(), 1);
    const bool headless =
        options.backend == "headless" ||
        (options.backend.empty() && !std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY"));
    if (headless) KsInstallBackend(KsNewHeadlessBackend(options.width, options.height));

    std::string shot = options.screenshot;
    if (headless && shot.empty()) shot = "ksdemo.png";
    int status = 0;
    try {
        KsGetBackend()->SetTitle("KsTavik20 demo");
        status = RunDemo(shot);
    } catch (...) {
        XError e = XErrorFromCurrentException();
        std::fprintf(stderr, "ksdemo: %s\n", e.GetText().c_str());
        return 1;
    }
    return status;
}
