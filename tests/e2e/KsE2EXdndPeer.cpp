// Another X11 application dragging into the one under test (XDND), written
// for the test with plain Xlib.
//
//   ks_e2e_xdnd_peer WINDOW X Y TYPE DATA [--silent] [--eager]
//
// Drags DATA, offered as TYPE (a MIME type or UTF8_STRING), into WINDOW (an X
// window id) to the root point (X, Y) and drops it there. --silent never
// answers the request for the data, as a peer that hangs; --eager does not
// wait for status answers between positions, as some toolkits do.
//
// Standard output: "status accept=0|1" for the last answer before the drop,
// then "finished accept=0|1" or "finished none" (no answer within 8 s).
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

Display* dpy = nullptr;
Window self = None;

Atom At(const char* name) {
    return XInternAtom(dpy, name, False);
}

void Send(Window to, Window target, const char* type, long l1, long l2, long l3, long l4) {
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = target;
    e.xclient.message_type = At(type);
    e.xclient.format = 32;
    e.xclient.data.l[0] = long(self);
    e.xclient.data.l[1] = l1;
    e.xclient.data.l[2] = l2;
    e.xclient.data.l[3] = l3;
    e.xclient.data.l[4] = l4;
    XSendEvent(dpy, to, False, NoEventMask, &e);
    XFlush(dpy);
}

Window Proxy(Window w) {
    Atom type = None;
    int format = 0;
    unsigned long n = 0, after = 0;
    unsigned char* data = nullptr;
    Window proxy = None;
    if (XGetWindowProperty(dpy, w, At("XdndProxy"), 0, 1, False, XA_WINDOW, &type, &format, &n,
                           &after, &data) == Success &&
        type == XA_WINDOW && n == 1)
        proxy = *reinterpret_cast<Window*>(data);
    if (data) XFree(data);
    return proxy;
}

bool Aware(Window w) {
    Atom type = None;
    int format = 0;
    unsigned long n = 0, after = 0;
    unsigned char* data = nullptr;
    const bool ok = XGetWindowProperty(dpy, w, At("XdndAware"), 0, 1, False, XA_ATOM, &type,
                                       &format, &n, &after, &data) == Success &&
                    type == XA_ATOM && n == 1;
    if (data) XFree(data);
    return ok;
}

using Clock = std::chrono::steady_clock;

} // namespace

int main(int argc, char** argv) {
    if (argc < 6) {
        std::fprintf(stderr, "usage: ks_e2e_xdnd_peer WINDOW X Y TYPE DATA [--silent] [--eager]\n");
        return 2;
    }
    const Window target = Window(std::strtoul(argv[1], nullptr, 0));
    const long x = std::atol(argv[2]), y = std::atol(argv[3]);
    const char* type = argv[4];
    const std::string payload = argv[5];
    bool silent = false, eager = false;
    for (int i = 6; i < argc; ++i) {
        silent = silent || std::strcmp(argv[i], "--silent") == 0;
        eager = eager || std::strcmp(argv[i], "--eager") == 0;
    }
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    dpy = XOpenDisplay(nullptr);
    if (!dpy) return 1;
    self = XCreateSimpleWindow(dpy, DefaultRootWindow(dpy), 0, 0, 1, 1, 0, 0, 0);
    if (!Aware(target)) {
        std::printf("not aware\n");
        return 1;
    }
    const Window proxy = Proxy(target);
    const Window to = proxy != None ? proxy : target;
    XSetSelectionOwner(dpy, At("XdndSelection"), self, CurrentTime);
    const Atom offered = At(type);

    long accept = -1;
    auto wait = [&](const char* what, double seconds) -> bool {
        const auto end = Clock::now() + std::chrono::duration<double>(seconds);
        while (Clock::now() < end) {
            while (XPending(dpy)) {
                XEvent e;
                XNextEvent(dpy, &e);
                if (e.type == ClientMessage && e.xclient.message_type == At("XdndStatus")) {
                    accept = e.xclient.data.l[1] & 1;
                    if (std::strcmp(what, "XdndStatus") == 0) return true;
                } else if (e.type == ClientMessage &&
                           e.xclient.message_type == At("XdndFinished")) {
                    std::printf("finished accept=%ld\n", e.xclient.data.l[1] & 1);
                    return true;
                } else if (e.type == SelectionRequest && !silent) {
                    const XSelectionRequestEvent& r = e.xselectionrequest;
                    XEvent n{};
                    n.xselection.type = SelectionNotify;
                    n.xselection.requestor = r.requestor;
                    n.xselection.selection = r.selection;
                    n.xselection.target = r.target;
                    n.xselection.time = r.time;
                    n.xselection.property = None;
                    if (r.target == offered) {
                        XChangeProperty(dpy, r.requestor, r.property, offered, 8, PropModeReplace,
                                        reinterpret_cast<const unsigned char*>(payload.data()),
                                        int(payload.size()));
                        n.xselection.property = r.property;
                    }
                    XSendEvent(dpy, r.requestor, False, NoEventMask, &n);
                    XFlush(dpy);
                }
            }
            struct timespec pause {
                0, 5'000'000
            };
            nanosleep(&pause, nullptr);
        }
        return false;
    };

    Send(to, target, "XdndEnter", 5L << 24, long(offered), 0, 0);
    for (int step = 3; step >= 0; --step) {
        Send(to, target, "XdndPosition", 0, ((x - step) << 16) | (y - step), CurrentTime,
             long(At("XdndActionCopy")));
        if (!eager) wait("XdndStatus", 2.0);
    }
    if (eager) wait("XdndStatus", 2.0);
    std::printf("status accept=%ld\n", accept);
    // Dropped even after a refusal, as some peers do.
    Send(to, target, "XdndDrop", 0, CurrentTime, 0, 0);
    if (!wait("XdndFinished", 8.0)) std::printf("finished none\n");
    XDestroyWindow(dpy, self);
    XCloseDisplay(dpy);
    return 0;
}
