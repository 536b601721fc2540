#include "KsXdndX11Private.h"

#if defined(KS_HAVE_X11)

#include "KsMacRoman.h"

#include <SDL_syswm.h>

namespace {

// The target's and the source's connections; the handler we replaced.
Display* gOurs[2] = {};
int (*gPreviousHandler)(Display*, XErrorEvent*) = nullptr;

int IgnoreOurErrors(Display* d, XErrorEvent* e) {
    for (Display* ours : gOurs)
        if (ours && d == ours) return 0;
    return gPreviousHandler ? gPreviousHandler(d, e) : 0;
}

} // namespace

bool KsXdndConnect(SDL_Window* window, KsXdndConnection* out) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!window || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11)
        return false;
    Display** slot = !gOurs[0] ? &gOurs[0] : !gOurs[1] ? &gOurs[1] : nullptr;
    if (!slot) return false;
    Display* d = XOpenDisplay(DisplayString(info.info.x11.display));
    if (!d) return false;
    if (!gOurs[0] && !gOurs[1]) gPreviousHandler = XSetErrorHandler(IgnoreOurErrors);
    *slot = d;
    *out = {d, info.info.x11.display, info.info.x11.window};
    return true;
}

void KsXdndDisconnect(Display* dpy) {
    if (!dpy) return;
    for (Display*& ours : gOurs)
        if (ours == dpy) ours = nullptr;
    if (!gOurs[0] && !gOurs[1]) XSetErrorHandler(gPreviousHandler);
    XCloseDisplay(dpy);
}

void KsXdndSend(Display* dpy, Window to, Window about, Atom type, Window from, long l1, long l2,
                long l3, long l4) {
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.display = dpy;
    e.xclient.window = about;
    e.xclient.message_type = type;
    e.xclient.format = 32;
    e.xclient.data.l[0] = long(from);
    e.xclient.data.l[1] = l1;
    e.xclient.data.l[2] = l2;
    e.xclient.data.l[3] = l3;
    e.xclient.data.l[4] = l4;
    XSendEvent(dpy, to, False, NoEventMask, &e);
    XFlush(dpy);
}

std::string KsXdndLatin1ToUTF8(std::string_view latin1) {
    std::string out;
    for (unsigned char c : latin1) {
        if (c < 0x80) {
            out.push_back(char(c));
        } else {
            out.push_back(char(0xC0 | (c >> 6)));
            out.push_back(char(0x80 | (c & 0x3F)));
        }
    }
    return out;
}

std::string KsXdndUTF8ToLatin1(std::string_view utf8) {
    std::string out;
    std::size_t i = 0;
    while (i < utf8.size()) {
        char32_t ch = 0;
        i += KsDecodeUTF8(utf8.data() + i, utf8.size() - i, &ch);
        out.push_back(ch < 0x100 ? char(ch) : '?');
    }
    return out;
}

#endif
