// The demo host application.
//
//   ksdemo [--backend headless|sdl] [--screen WxH] [--screenshot FILE]
//
// On a display it opens its window (the sdl back end): three windows to drag,
// grow, zoom, close and click through, and a menu bar with submenus and a menu
// long enough to scroll. It runs until the window is closed or Quit is chosen
// (Ctrl+Q). Without a display it runs headless and writes the desktop to
// ksdemo.png. --screenshot writes FILE once the first frame is drawn and quits.
#include "DemoScene.h"
#include "Events.h"
#include "KsBackend.h"
#include "KsDesktop.h"
#include "KsTavik20Version.h"
#include "Menus.h"
#include "QuickDraw.h"
#include "Windows.h"
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

const unsigned char* P(const char* s) {
    // Pascal strings for the toolbox, from literals; kept for the run.
    static unsigned char buf[16][256];
    static int next = 0;
    unsigned char* b = buf[next++ % 16];
    std::size_t n = std::strlen(s);
    if (n > 255) n = 255;
    b[0] = static_cast<unsigned char>(n);
    std::memcpy(b + 1, s, n);
    return b;
}

enum MenuIDs : MenuID { kFileMenu = 128, kEditMenu, kViewMenu, kRatesMenu, kThemeMenu = 200 };
enum Kinds : SInt32 { kShapes = 1, kText, kTimecode };

bool gQuit = false;

void BuildMenus() {
    MenuHandle file = NewMenu(kFileMenu, P("&File"));
    AppendMenu(file, P("New Window/N;Close/W;(-;Quit/Q"));
    MenuHandle edit = NewMenu(kEditMenu, P("&Edit"));
    AppendMenu(edit, P("(Undo/Z;(-;Cut/X;Copy/C;Paste/V"));
    MenuHandle view = NewMenu(kViewMenu, P("&View"));
    AppendMenu(view, P("Bring All to Front;Theme"));
    SetItemCmd(view, 2, hMenuCmd);
    SetItemMark(view, 2, static_cast<CharParameter>(kThemeMenu));
    MenuHandle theme = NewMenu(kThemeMenu, P("Theme"));
    AppendMenu(theme, P("Slate!\x12;Ocean;Forest"));
    MenuHandle rates = NewMenu(kRatesMenu, P("&Rates"));
    for (int i = 1; i <= 60; ++i) {
        char item[32];
        std::snprintf(item, sizeof item, "Frame rate preset %d", i);
        AppendMenuItemText(rates, P(item));
    }
    InsertMenu(file, 0);
    InsertMenu(edit, 0);
    InsertMenu(view, 0);
    InsertMenu(rates, 0);
    InsertMenu(theme, hierMenu);
    DrawMenuBar();
}

WindowPtr MakeWindow(Kinds kind, const char* title, SInt16 left, SInt16 top, SInt16 w, SInt16 h) {
    Rect bounds{top, left, SInt16(top + h), SInt16(left + w)};
    return NewCWindow(nullptr, &bounds, P(title), true, zoomDocProc,
                      reinterpret_cast<WindowPtr>(-1), true, kind);
}

void MakeWindows() {
    MakeWindow(kShapes, "Shapes and regions", 40, 70, 380, 300);
    MakeWindow(kText, "Text", 380, 150, 460, 320);
    MakeWindow(kTimecode, "Timecode", 760, 110, 260, 190);
}

void DrawWindow(WindowPtr w) {
    GrafPtr saved = KsGetPort();
    SetPortWindowPort(w);
    Rect r = w->portRect;
    switch (GetWRefCon(w)) {
    case kShapes:
        DrawShapesDemo(r);
        break;
    case kText:
        DrawTextDemo(r);
        break;
    default:
        DrawTimecodeDemo(r);
        break;
    }
    DrawGrowIcon(w);
    KsSetPort(saved);
}

void DoMenu(SInt32 choice) {
    const SInt16 menu = SInt16(choice >> 16), item = SInt16(choice & 0xFFFF);
    if (menu == kFileMenu) {
        if (item == 1) {
            static int made = 0;
            ++made;
            char title[32];
            std::snprintf(title, sizeof title, "Timecode %d", made + 1);
            MakeWindow(kTimecode, title, SInt16(500 + 24 * (made % 10)),
                       SInt16(260 + 24 * (made % 10)), 260, 190);
        } else if (item == 2 && FrontWindow()) {
            DisposeWindow(FrontWindow());
        } else if (item == 4) {
            gQuit = true;
        }
    } else if (menu == kViewMenu && item == 1) {
        for (WindowPtr w = KsGetWindowList(); w; w = GetNextWindow(w))
            ShowWindow(w);
    } else if (menu == kThemeMenu) {
        static const RGBColor themes[] = {
            {0x3C00, 0x4A00, 0x6000}, {0x1E00, 0x5000, 0x7800}, {0x2A00, 0x5000, 0x3400}};
        for (SInt16 i = 1; i <= 3; ++i)
            CheckItem(GetMenuHandle(kThemeMenu), i, i == item);
        KsSetDesktopColor(themes[(item - 1) % 3]);
        GrafPtr saved = KsGetPort();
        KsSetPort(KsGetDesktopPort());
        RGBBackColor(&themes[(item - 1) % 3]);
        Rect all = KsDesktopBounds();
        all.top = kKsMenuBarHeight;
        RgnHandle desk = NewRgn();
        RectRgn(desk, &all);
        for (WindowPtr w = KsGetWindowList(); w; w = GetNextWindow(w))
            if (IsWindowVisible(w)) DiffRgn(desk, w->strucRgn, desk);
        EraseRgn(desk);
        DisposeRgn(desk);
        DrawDesktopHeading(KsGetDesktopPort(), KsDesktopBounds());
        KsSetPort(saved);
    }
    HiliteMenu(0);
}

void DoMouseDown(const EventRecord& e) {
    WindowPtr w = nullptr;
    const SInt16 part = FindWindow(e.where, &w);
    Rect limits = KsDesktopBounds();
    switch (part) {
    case inMenuBar:
        DoMenu(MenuSelect(e.where));
        break;
    case inDrag:
        DragWindow(w, e.where, &limits);
        break;
    case inGrow: {
        Rect sizes{120, 160, 2000, 3000};
        SInt32 size = GrowWindow(w, e.where, &sizes);
        if (size) SizeWindow(w, SInt16(size & 0xFFFF), SInt16(size >> 16), true);
        break;
    }
    case inGoAway:
        if (TrackGoAway(w, e.where)) DisposeWindow(w);
        break;
    case inZoomIn:
    case inZoomOut:
        if (TrackBox(w, e.where, part)) ZoomWindow(w, part, true);
        break;
    case inContent:
        if (w != FrontWindow()) SelectWindow(w);
        break;
    default:
        break;
    }
}

void HandleEvent(const EventRecord& e) {
    switch (e.what) {
    case mouseDown:
        DoMouseDown(e);
        break;
    case keyDown:
    case autoKey:
        if (e.modifiers & cmdKey) DoMenu(MenuKey(CharParameter(e.message & charCodeMask)));
        break;
    case updateEvt:
        if (WindowPtr w = KsEventWindow(e)) {
            BeginUpdate(w);
            DrawWindow(w);
            EndUpdate(w);
        }
        break;
    case activateEvt:
        if (WindowPtr w = KsEventWindow(e)) DrawGrowIcon(w);
        break;
    default:
        break;
    }
}

// Puts everything away, so that a checked build sees no leak.
void TearDown() {
    while (WindowPtr w = KsGetWindowList())
        DisposeWindow(w);
    for (MenuID id : {kFileMenu, kEditMenu, kViewMenu, kRatesMenu, kThemeMenu})
        if (MenuHandle m = GetMenuHandle(id)) DisposeMenu(m);
    KsDesktopDispose();
}

// Serves every pending event without waiting (the first frame).
void Settle() {
    EventRecord e;
    for (int i = 0; i < 1000 && GetNextEvent(everyEvent, &e); ++i)
        HandleEvent(e);
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
        InitWindows();
        RGBColor slate{0x3C00, 0x4A00, 0x6000};
        KsSetDesktopColor(slate);
        KsSetPort(desktop);
        RGBBackColor(&slate);
        Rect all = KsDesktopBounds();
        EraseRect(&all);
        DrawDesktopHeading(desktop, all);
        BuildMenus();
        MakeWindows();
        Settle();
        KsPresentDesktop();

        const bool headless = std::strcmp(backend->Name(), "headless") == 0;
        std::printf("KsTavik20 %s demo on the %s back end, desktop %dx%d\n", KsTavik20Version(),
                    backend->Name(), int(all.right - all.left), int(all.bottom - all.top));
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
            TearDown();
            return 0;
        }

        KsSetQuitRequestHook({[](void*) { gQuit = true; }, nullptr});
        while (!gQuit) {
            EventRecord e;
            if (WaitNextEvent(everyEvent, &e, 30, nullptr)) {
                try {
                    HandleEvent(e);
                } catch (...) {
                    XError x = XErrorFromCurrentException();
                    std::fprintf(stderr, "ksdemo: %s\n", x.GetText().c_str());
                }
            }
        }
        TearDown();
    } catch (...) {
        XError e = XErrorFromCurrentException();
        std::fprintf(stderr, "ksdemo: %s\n", e.GetText().c_str());
        return 1;
    }
    return 0;
}
