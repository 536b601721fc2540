// Another X11 application dragging into the one under test (XDND), or
// taking its drags, written for the test with plain Xlib.
//
//   ks_e2e_xdnd_peer WINDOW X Y TYPE DATA [--silent] [--eager] [--incr BYTES]
//
// Drags DATA, offered as TYPE (a MIME type or UTF8_STRING), into WINDOW (an X
// window id) to the root point (X, Y) and drops it there. --silent never
// answers the request for the data, as a peer that hangs; --eager does not
// wait for status answers between positions, as some toolkits do; --incr
// hands over BYTES bytes (DATA repeated) in pieces.
//
// Standard output: "status accept=0|1" for the last answer before the drop,
// then "finished accept=0|1" or "finished none" (no answer within 8 s).
//
//   ks_e2e_xdnd_peer --target X Y W H [--silent] [--old]
//
// Shows a window at root (X, Y), W x H, that takes drags through a proxy
// window. --silent never answers, as a peer that hangs; --old speaks
// version 4, whose XdndFinished carries no verdict.
//
// Standard output: "ready", then for a drag "enter version=V types=T,...",
// and "leave", or "drop", "targets T,...", "data TYPE BYTES" for each type
// fetched (bytes outside printable ASCII as \xNN) and "finished"; "end"
// when it quits (after a drag, or 20 s).
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

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

void Pause() {
    struct timespec pause {
        0, 5'000'000
    };
    nanosleep(&pause, nullptr);
}

// ---------------------------------------------------------------------------
// The peer as a target

std::string Printable(const unsigned char* data, unsigned long n) {
    std::string out;
    char hex[8];
    for (unsigned long i = 0; i < n; ++i) {
        if (data[i] >= 0x20 && data[i] < 0x7F && data[i] != '\\') {
            out.push_back(char(data[i]));
        } else {
            std::snprintf(hex, sizeof hex, "\\x%02x", data[i]);
            out += hex;
        }
    }
    return out;
}

std::string Name(Atom a) {
    char* n = a != None ? XGetAtomName(dpy, a) : nullptr;
    std::string s = n ? n : "None";
    if (n) XFree(n);
    return s;
}

// Asks the source for the selection as `type`; the property's type and
// bytes, or false when it refuses or does not answer.
bool Fetch(Window requestor, Atom type, Atom* gotType, std::string* bytes) {
    const Atom prop = At("KS_PEER_DATA");
    XConvertSelection(dpy, At("XdndSelection"), type, prop, requestor, CurrentTime);
    XFlush(dpy);
    const auto end = Clock::now() + std::chrono::seconds(2);
    while (Clock::now() < end) {
        XEvent e;
        if (!XCheckTypedWindowEvent(dpy, requestor, SelectionNotify, &e)) {
            Pause();
            continue;
        }
        if (e.xselection.property == None) return false;
        int format = 0;
        unsigned long n = 0, after = 0;
        unsigned char* data = nullptr;
        XGetWindowProperty(dpy, requestor, prop, 0, 1 << 20, True, AnyPropertyType, gotType,
                           &format, &n, &after, &data);
        const unsigned long size = format == 32 ? n * sizeof(long) : n;
        bytes->assign(data ? reinterpret_cast<char*>(data) : "", data ? size : 0);
        if (data) XFree(data);
        return true;
    }
    return false;
}

int RunTarget(int argc, char** argv) {
    if (argc < 6) return 2;
    const int x = std::atoi(argv[2]), y = std::atoi(argv[3]);
    const unsigned w = unsigned(std::atoi(argv[4])), h = unsigned(std::atoi(argv[5]));
    bool silent = false;
    long version = 5;
    for (int i = 6; i < argc; ++i) {
        silent = silent || std::strcmp(argv[i], "--silent") == 0;
        if (std::strcmp(argv[i], "--old") == 0) version = 4;
    }
    const Window root = DefaultRootWindow(dpy);
    XSetWindowAttributes a{};
    a.override_redirect = True;
    a.background_pixel = WhitePixel(dpy, DefaultScreen(dpy));
    const Window win = XCreateWindow(dpy, root, x, y, w, h, 0, CopyFromParent, InputOutput,
                                     CopyFromParent, CWOverrideRedirect | CWBackPixel, &a);
    self = XCreateSimpleWindow(dpy, root, -10, -10, 1, 1, 0, 0, 0);
    XChangeProperty(dpy, win, At("XdndAware"), XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(&version), 1);
    for (Window on : {win, self})
        XChangeProperty(dpy, on, At("XdndProxy"), XA_WINDOW, 32, PropModeReplace,
                        reinterpret_cast<unsigned char*>(&self), 1);
    XMapRaised(dpy, win);
    XSync(dpy, False);
    std::printf("ready\n");

    Window source = None;
    std::vector<Atom> types;
    const auto end = Clock::now() + std::chrono::seconds(20);
    bool done = false;
    while (!done && Clock::now() < end) {
        if (!XPending(dpy)) {
            Pause();
            continue;
        }
        XEvent e;
        XNextEvent(dpy, &e);
        if (e.type != ClientMessage) continue;
        const XClientMessageEvent& m = e.xclient;
        auto reply = [&](const char* type, long l1, long l4) {
            XEvent r{};
            r.xclient.type = ClientMessage;
            r.xclient.window = source;
            r.xclient.message_type = At(type);
            r.xclient.format = 32;
            r.xclient.data.l[0] = long(win);
            r.xclient.data.l[1] = l1;
            r.xclient.data.l[4] = l4;
            XSendEvent(dpy, source, False, NoEventMask, &r);
            XFlush(dpy);
        };
        if (m.message_type == At("XdndEnter")) {
            source = Window(m.data.l[0]);
            types.clear();
            if (m.data.l[1] & 1) {
                Atom t = None;
                int format = 0;
                unsigned long n = 0, after = 0;
                unsigned char* data = nullptr;
                XGetWindowProperty(dpy, source, At("XdndTypeList"), 0, 64, False, XA_ATOM, &t,
                                   &format, &n, &after, &data);
                for (unsigned long i = 0; data && i < n; ++i)
                    types.push_back(reinterpret_cast<Atom*>(data)[i]);
                if (data) XFree(data);
            } else {
                for (int i = 2; i <= 4; ++i)
                    if (m.data.l[i]) types.push_back(Atom(m.data.l[i]));
            }
            std::string names;
            for (Atom t : types)
                names += (names.empty() ? "" : ",") + Name(t);
            std::printf("enter version=%ld types=%s\n", (m.data.l[1] >> 24) & 0xFF, names.c_str());
        } else if (m.message_type == At("XdndPosition") && !silent) {
            reply("XdndStatus", 1, long(At("XdndActionCopy")));
        } else if (m.message_type == At("XdndLeave")) {
            std::printf("leave\n");
            done = true;
        } else if (m.message_type == At("XdndDrop")) {
            std::printf("drop\n");
            if (silent) continue;
            Atom t = None;
            std::string bytes;
            if (Fetch(self, At("TARGETS"), &t, &bytes)) {
                std::string names;
                const auto* atoms = reinterpret_cast<const long*>(bytes.data());
                for (std::size_t i = 0; i < bytes.size() / sizeof(long); ++i)
                    names += (names.empty() ? "" : ",") + Name(Atom(atoms[i]));
                std::printf("targets %s\n", names.c_str());
            }
            for (Atom want : types) {
                if (Fetch(self, want, &t, &bytes))
                    std::printf("data %s %s\n", Name(want).c_str(),
                                Printable(reinterpret_cast<const unsigned char*>(bytes.data()),
                                          bytes.size())
                                    .c_str());
            }
            reply("XdndFinished", version >= 5 ? 1 : 0,
                  version >= 5 ? long(At("XdndActionCopy")) : 0);
            std::printf("finished\n");
            done = true;
        }
    }
    std::printf("end\n");
    XDestroyWindow(dpy, win);
    XDestroyWindow(dpy, self);
    XCloseDisplay(dpy);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    if (argc > 1 && std::strcmp(argv[1], "--target") == 0) {
        dpy = XOpenDisplay(nullptr);
        return dpy ? RunTarget(argc, argv) : 1;
    }
    if (argc < 6) {
        std::fprintf(stderr, "usage: ks_e2e_xdnd_peer WINDOW X Y TYPE DATA [--silent] [--eager] "
                             "[--incr BYTES]\n");
        return 2;
    }
    const Window target = Window(std::strtoul(argv[1], nullptr, 0));
    const long x = std::atol(argv[2]), y = std::atol(argv[3]);
    const char* type = argv[4];
    std::string payload = argv[5];
    bool silent = false, eager = false;
    std::size_t incr = 0;
    for (int i = 6; i < argc; ++i) {
        silent = silent || std::strcmp(argv[i], "--silent") == 0;
        eager = eager || std::strcmp(argv[i], "--eager") == 0;
        if (std::strcmp(argv[i], "--incr") == 0 && i + 1 < argc)
            incr = std::size_t(std::atol(argv[++i]));
    }
    if (incr > 0 && !payload.empty()) {
        const std::string unit = payload;
        while (payload.size() < incr)
            payload += unit;
        payload.resize(incr);
    }
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

    // A transfer in pieces: the requestor's property, and how much went.
    constexpr std::size_t kPiece = 64 * 1024;
    Window incrTo = None;
    Atom incrProp = None;
    std::size_t sent = 0;
    auto piece = [&] {
        const std::size_t n = std::min(kPiece, payload.size() - sent);
        XChangeProperty(dpy, incrTo, incrProp, offered, 8, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(payload.data() + sent), int(n));
        XFlush(dpy);
        sent += n;
        if (n == 0) incrTo = None;
    };

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
                    if (r.target == offered && incr > 0) {
                        XSelectInput(dpy, r.requestor, PropertyChangeMask);
                        const long size = long(payload.size());
                        XChangeProperty(dpy, r.requestor, r.property, At("INCR"), 32,
                                        PropModeReplace,
                                        reinterpret_cast<const unsigned char*>(&size), 1);
                        incrTo = r.requestor;
                        incrProp = r.property;
                        sent = 0;
                        n.xselection.property = r.property;
                    } else if (r.target == offered) {
                        XChangeProperty(dpy, r.requestor, r.property, offered, 8, PropModeReplace,
                                        reinterpret_cast<const unsigned char*>(payload.data()),
                                        int(payload.size()));
                        n.xselection.property = r.property;
                    }
                    XSendEvent(dpy, r.requestor, False, NoEventMask, &n);
                    XFlush(dpy);
                } else if (e.type == PropertyNotify && e.xproperty.window == incrTo &&
                           e.xproperty.atom == incrProp && e.xproperty.state == PropertyDelete) {
                    piece(); // the requestor took the last one
                }
            }
            Pause();
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
