// A small application for the end-to-end tests: the desktop on the sdl back
// end with two windows at known places, driven by real X input.
//
//   ks_e2e_driver [--put-scrap TEXT] [--edit TEXT] [--time-limit SECONDS] [--probe H,V ...]
//
// --edit puts a text record holding TEXT, all selected and active, in Alpha;
// keys type into it and Ctrl+X, C and V cut, copy and paste.
//
// TEXT is Mac OS Roman with %XX escapes ("Caf%8E%0Dbar"). Standard output,
// one "key value" line each, flushed as written:
//   ready
//   window NAME content L,T,R,B goaway H,V drag H,V   (global; the parts
//                                                       found through FindWindow)
//   probe H,V RRGGBB                                   (the desktop's pixel there)
// then, once the user quits (Ctrl+Q, the native window's close button) or
// the time limit passes:
//   end quit|timeout
//   desktop W,H                                        (its size then)
//   window NAME content L,T,R,B ...                    (the windows left, front first)
//   typed ESCAPED                                      (characters of keyDown events)
//   scrap ESCAPED | scrap none                         (the 'TEXT' entry)
//   edit ESCAPED                                       (the record's text, with --edit)
// Escaped text keeps 0x21..0x7E except '%'; other bytes are %XX.
#include "Events.h"
#include "KsBackend.h"
#include "KsDesktop.h"
#include "KsE2EParts.h"
#include "KsE2ERun.h"
#include "KsHandle.h"
#include "Menus.h"
#include "QDOffscreen.h"
#include "QuickDraw.h"
#include "Scrap.h"
#include "TextEdit.h"
#include "Windows.h"
#include "XError.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr MenuID kFileMenu = 128;
constexpr ResType kTextType = FourCharCode("TEXT");
constexpr SInt16 kQuitItem = 1;
bool gQuit = false;
TEHandle gEdit = nullptr;

struct Options {
    bool putScrap = false;
    std::string scrap; // Mac OS Roman
    bool edit = false;
    std::string editText;
    double timeLimit = 20.0;
    std::vector<Point> probes;
};

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool Unescape(const char* s, std::string& out) {
    out.clear();
    for (; *s; ++s) {
        if (*s != '%') {
            out += *s;
            continue;
        }
        int hi = HexDigit(s[1]), lo = hi < 0 ? -1 : HexDigit(s[2]);
        if (hi < 0 || lo < 0) return false;
        out += char(hi * 16 + lo);
        s += 2;
    }
    return true;
}

std::string Escape(const unsigned char* bytes, std::size_t n) {
    std::string out;
    for (std::size_t i = 0; i < n; ++i) {
        unsigned char c = bytes[i];
        if (c > 0x20 && c < 0x7F && c != '%') {
            out += char(c);
        } else {
            char hex[4];
            std::snprintf(hex, sizeof hex, "%%%02X", c);
            out += hex;
        }
    }
    return out.empty() ? "-" : out;
}

bool Parse(int argc, char** argv, Options& o) {
    for (int i = 1; i < argc; i += 2) { // every option takes a value
        std::string a = argv[i];
        const char* v = i + 1 < argc ? argv[i + 1] : nullptr;
        if (!v) return false;
        if (a == "--put-scrap") {
            o.putScrap = true;
            if (!Unescape(v, o.scrap)) return false;
        } else if (a == "--edit") {
            o.edit = true;
            if (!Unescape(v, o.editText)) return false;
        } else if (a == "--time-limit") {
            o.timeLimit = std::atof(v);
            if (!(o.timeLimit > 0 && o.timeLimit < 600)) return false;
        } else if (a == "--probe") {
            int h = 0, vv = 0;
            if (std::sscanf(v, "%d,%d", &h, &vv) != 2) return false;
            o.probes.push_back(Point{SInt16(vv), SInt16(h)});
        } else {
            return false;
        }
    }
    return true;
}

const unsigned char* P(const char* s, unsigned char (&buf)[256]) {
    std::size_t n = std::min<std::size_t>(std::strlen(s), 255);
    buf[0] = static_cast<unsigned char>(n);
    std::memcpy(buf + 1, s, n);
    return buf;
}

WindowPtr MakeWindow(const char* title, SInt16 left, SInt16 top, SInt16 w, SInt16 h) {
    unsigned char t[256];
    Rect bounds{top, left, SInt16(top + h), SInt16(left + w)};
    return NewCWindow(nullptr, &bounds, P(title, t), true, zoomDocProc,
                      reinterpret_cast<WindowPtr>(-1), true, 0);
}

void PrintWindows() {
    for (WindowPtr w = KsGetWindowList(); w; w = GetNextWindow(w)) {
        Str255 title;
        GetWTitle(w, title);
        PrintWindowLine(w, Escape(title + 1, title[0]).c_str());
    }
}

void PrintProbes(const std::vector<Point>& probes) {
    const PixMap* pm =
        reinterpret_cast<const PixMap*>(GetPortBitMapForCopyBits(KsGetDesktopPort()));
    const Rect b = pm->bounds;
    for (Point p : probes) {
        if (p.h < b.left || p.h >= b.right || p.v < b.top || p.v >= b.bottom) {
            std::printf("probe %d,%d outside\n", p.h, p.v);
            continue;
        }
        const auto* row = reinterpret_cast<const UInt32*>(
            reinterpret_cast<const char*>(pm->baseAddr) +
            std::size_t(p.v - b.top) * std::size_t(pm->pixelRowBytes));
        std::printf("probe %d,%d %06X\n", p.h, p.v, unsigned(row[p.h - b.left] & 0xFFFFFF));
    }
}

void HandleMouseDown(const EventRecord& e) {
    WindowPtr w = nullptr;
    const SInt16 part = FindWindow(e.where, &w);
    Rect limits = KsDesktopBounds();
    switch (part) {
    case inMenuBar: {
        SInt32 choice = MenuSelect(e.where);
        if ((choice >> 16) == kFileMenu && (choice & 0xFFFF) == kQuitItem) gQuit = true;
        HiliteMenu(0);
        break;
    }
    case inDrag:
        DragWindow(w, e.where, &limits);
        break;
    case inGoAway:
        if (TrackGoAway(w, e.where)) DisposeWindow(w);
        break;
    case inGrow: {
        Rect sizes{80, 120, 2000, 3000};
        if (SInt32 size = GrowWindow(w, e.where, &sizes))
            SizeWindow(w, SInt16(size & 0xFFFF), SInt16(size >> 16), true);
        break;
    }
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

void HandleEvent(const EventRecord& e, std::string& typed) {
    switch (e.what) {
    case mouseDown:
        HandleMouseDown(e);
        break;
    case keyDown:
    case autoKey: {
        const char ch = char(e.message & charCodeMask);
        if (gEdit && (e.modifiers & cmdKey) && (ch == 'x' || ch == 'c' || ch == 'v')) {
            ch == 'x' ? KsTECut() : ch == 'c' ? KsTECopy() : KsTEPaste();
        } else if (e.modifiers & cmdKey) {
            SInt32 choice = MenuKey(CharParameter(ch));
            if ((choice >> 16) == kFileMenu && (choice & 0xFFFF) == kQuitItem) gQuit = true;
            HiliteMenu(0);
        } else {
            typed += ch;
            if (gEdit) KsTEKey(SInt16(UInt8(ch)), gEdit, false, nullptr);
        }
        break;
    }
    case updateEvt:
        if (WindowPtr w = KsEventWindow(e)) {
            BeginUpdate(w);
            GrafPtr saved = KsGetPort();
            SetPortWindowPort(w);
            EraseRect(&w->portRect);
            KsSetPort(saved);
            EndUpdate(w);
        }
        break;
    default:
        break;
    }
}

} // namespace

int main(int argc, char** argv) {
    Options options;
    if (!Parse(argc, argv, options)) {
        std::fprintf(stderr, "usage: ks_e2e_driver [--put-scrap TEXT] [--edit TEXT] "
                             "[--time-limit SECONDS] [--probe H,V ...]\n");
        return 2;
    }
    if (!StartOnSDL("ks_e2e_driver")) return 1;
    int status = 0;
    try {
        KsGetBackend()->SetTitle("ks_e2e_driver");
        GrafPtr desktop = KsDesktopInit();
        if (!desktop) {
            std::fprintf(stderr, "ks_e2e_driver: the desktop could not be made\n");
            return 1;
        }
        InitWindows();
        const RGBColor background{0x3C00, 0x4A00, 0x6000};
        KsSetDesktopColor(background);
        KsSetPort(desktop);
        RGBBackColor(&background);
        Rect all = KsDesktopBounds();
        EraseRect(&all);

        unsigned char t[256];
        MenuHandle file = NewMenu(kFileMenu, P("File", t));
        AppendMenu(file, P("Quit/Q", t));
        InsertMenu(file, 0);
        DrawMenuBar();

        WindowPtr alpha = MakeWindow("Alpha", 100, 100, 300, 200);
        MakeWindow("Beta", 500, 150, 300, 200);
        if (options.putScrap) {
            ZeroScrap();
            PutScrap(SInt32(options.scrap.size()), kTextType, options.scrap.data());
        }
        if (options.edit) {
            SetPortWindowPort(alpha);
            gEdit = KsTENew({10, 10, 290, 190}, {10, 10, 290, 190}, false);
            TESetText(options.editText.data(), SInt32(options.editText.size()), gEdit);
            TESetSelect(0, SInt32(options.editText.size()), gEdit);
            KsTEActivate(gEdit, nullptr);
        }
        KsSetQuitRequestHook({[](void*) { gQuit = true; }, nullptr});

        std::string typed;
        EventRecord e;
        for (int i = 0; i < 1000 && GetNextEvent(everyEvent, &e); ++i)
            HandleEvent(e, typed);
        KsPresentDesktop();
        PrintWindows();
        PrintProbes(options.probes);
        std::printf("ready\n");

        const bool timedOut = RunTurns(
            options.timeLimit, [] { return gQuit; },
            [&] {
                if (!WaitNextEvent(everyEvent, &e, 6, nullptr)) return;
                try {
                    HandleEvent(e, typed);
                } catch (...) {
                    ReportException("ks_e2e_driver");
                    status = 1;
                }
            });

        std::printf("end %s\n", timedOut ? "timeout" : "quit");
        const Rect desk = KsDesktopBounds();
        std::printf("desktop %d,%d\n", desk.right - desk.left, desk.bottom - desk.top);
        PrintWindows();
        std::printf(
            "typed %s\n",
            Escape(reinterpret_cast<const unsigned char*>(typed.data()), typed.size()).c_str());
        Handle h = KsNewHandle(0);
        SInt32 offset = 0;
        SInt32 n = GetScrap(h, kTextType, &offset);
        if (n >= 0)
            std::printf("scrap %s\n",
                        Escape(reinterpret_cast<const unsigned char*>(*h), std::size_t(n)).c_str());
        else
            std::printf("scrap none\n");
        KsDisposeHandle(h);
        if (gEdit) {
            std::printf("edit %s\n",
                        Escape(reinterpret_cast<const unsigned char*>(KsTETextPtr(gEdit)),
                               std::size_t(TEGetTextLength(gEdit)))
                            .c_str());
            TEDispose(gEdit);
        }

        while (WindowPtr w = KsGetWindowList())
            DisposeWindow(w);
        DisposeMenu(file);
        KsDesktopDispose();
    } catch (...) {
        ReportException("ks_e2e_driver");
        return 1;
    }
    return status;
}
