// Another X11 application (XDND), written for the test with plain Xlib.
//
//   ks_e2e_xdnd_peer WINDOW X Y TYPE DATA [--silent] [--eager] [--incr BYTES]
// drags DATA as TYPE into WINDOW at root (X, Y) and drops it: --silent never
// hands over the data, --eager sends positions without waiting for answers,
// --incr sends BYTES bytes (DATA repeated) in pieces. Prints "status
// accept=0|1" (the last before the drop) and "finished accept=0|1" or
// "finished none" (no answer within 8 s).
//
//   ks_e2e_xdnd_peer --target X Y W H [--silent] [--old]
// shows a window at root (X, Y) that takes drags through a proxy: --silent
// never answers, --old speaks version 4 (XdndFinished without a verdict).
// Prints "ready", "enter version=V types=T,...", then "leave", or "drop",
// "targets T,...", "data TYPE BYTES" per type (\xNN outside printable
// ASCII) and "finished"; "end" when it quits.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

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

using Clock = std::chrono::steady_clock;

void Pause() {
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
}

// Whether the options from argv[first] on include `flag`.
bool Has(int argc, char** argv, int first, const char* flag) {
    for (int i = first; i < argc; ++i)
        if (std::strcmp(argv[i], flag) == 0) return true;
    return false;
}

// A property of `from` as bytes, or (from None) the selection converted to
// `type` on `self`; false when there is none (within 2 s).
bool Read(Window from, Atom prop, Atom type, std::string* bytes) {
    if (from == None) {
        XConvertSelection(dpy, At("XdndSelection"), type, prop, self, CurrentTime);
        XEvent e;
        const auto end = Clock::now() + std::chrono::seconds(2);
        while (!XCheckTypedWindowEvent(dpy, self, SelectionNotify, &e))
            if (Clock::now() > end)
                return false;
            else
                Pause();
        if (e.xselection.property == None) return false;
    }
    Atom got = None;
    int format = 0;
    unsigned long n = 0, after = 0;
    unsigned char* data = nullptr;
    XGetWindowProperty(dpy, from == None ? self : from, prop, 0, 1 << 20, from == None,
                       AnyPropertyType, &got, &format, &n, &after, &data);
    bytes->clear();
    if (data) bytes->assign(reinterpret_cast<char*>(data), format == 32 ? n * sizeof(long) : n);
    if (data) XFree(data);
    return got != None;
}

Window Proxy(Window w) {
    std::string b;
    return Read(w, At("XdndProxy"), None, &b) && b.size() == sizeof(long)
               ? Window(*reinterpret_cast<const long*>(b.data()))
               : None;
}

// ---------------------------------------------------------------------------
// The peer as a target

std::string Name(Atom a) {
    char* n = XGetAtomName(dpy, a);
    std::string s = n ? n : "?";
    if (n) XFree(n);
    return s;
}

// Atom names (32-bit items) or bytes (\xNN outside printable ASCII).
std::string Show(const std::string& bytes, bool atoms) {
    std::string out;
    char hex[8];
    for (std::size_t i = 0; atoms && i + sizeof(long) <= bytes.size(); i += sizeof(long))
        out += (out.empty() ? "" : ",") + Name(Atom(*reinterpret_cast<const long*>(&bytes[i])));
    for (unsigned char c : atoms ? std::string() : bytes) {
        std::snprintf(hex, sizeof hex, c >= 0x20 && c < 0x7F && c != '\\' ? "%c" : "\\x%02x", c);
        out += hex;
    }
    return out;
}

int RunTarget(int argc, char** argv) {
    if (argc < 6) return 2;
    const bool silent = Has(argc, argv, 6, "--silent");
    long version = Has(argc, argv, 6, "--old") ? 4 : 5;
    XSetWindowAttributes a{};
    a.override_redirect = True;
    const Window win =
        XCreateWindow(dpy, DefaultRootWindow(dpy), std::atoi(argv[2]), std::atoi(argv[3]),
                      unsigned(std::atoi(argv[4])), unsigned(std::atoi(argv[5])), 0, CopyFromParent,
                      InputOutput, CopyFromParent, CWOverrideRedirect, &a);
    // Messages come through a proxy, as with toolkits that use one.
    self = XCreateSimpleWindow(dpy, DefaultRootWindow(dpy), -10, -10, 1, 1, 0, 0, 0);
    XChangeProperty(dpy, win, At("XdndAware"), XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(&version), 1);
    for (Window on : {win, self})
        XChangeProperty(dpy, on, At("XdndProxy"), XA_WINDOW, 32, PropModeReplace,
                        reinterpret_cast<unsigned char*>(&self), 1);
    XMapRaised(dpy, win);
    XSync(dpy, False);
    std::printf("ready\n");
    Window source = None;
    std::string types;
    auto reply = [&](const char* type, long l1) {
        Send(source, source, type, l1, 0, 0, l1 ? long(At("XdndActionCopy")) : 0);
    };
    XEvent e;
    for (const auto end = Clock::now() + std::chrono::seconds(20); Clock::now() < end;) {
        if (!XCheckTypedEvent(dpy, ClientMessage, &e)) {
            Pause();
            continue;
        }
        const XClientMessageEvent& m = e.xclient;
        const std::string what = Name(m.message_type);
        if (what == "XdndEnter") {
            source = Window(m.data.l[0]);
            types.assign(reinterpret_cast<const char*>(&m.data.l[2]), 3 * sizeof(long));
            if (m.data.l[1] & 1) Read(source, At("XdndTypeList"), XA_ATOM, &types);
            while (types.size() >= sizeof(long) &&
                   types.substr(types.size() - sizeof(long)) == std::string(sizeof(long), '\0'))
                types.resize(types.size() - sizeof(long));
            std::printf("enter version=%ld types=%s\n", (m.data.l[1] >> 24) & 0xFF,
                        Show(types, true).c_str());
        } else if (what == "XdndPosition" && !silent) {
            reply("XdndStatus", 1);
        } else if (what == "XdndLeave" || what == "XdndDrop") {
            std::printf("%s\n", what == "XdndLeave" ? "leave" : "drop");
            if (silent || what == "XdndLeave") break;
            std::string bytes;
            if (Read(None, At("KS_PEER_DATA"), At("TARGETS"), &bytes))
                std::printf("targets %s\n", Show(bytes, true).c_str());
            for (std::size_t i = 0; i + sizeof(long) <= types.size(); i += sizeof(long)) {
                const Atom t = Atom(*reinterpret_cast<const long*>(&types[i]));
                if (Read(None, At("KS_PEER_DATA"), t, &bytes))
                    std::printf("data %s %s\n", Name(t).c_str(), Show(bytes, false).c_str());
            }
            // Version 4 says nothing of the verdict.
            reply("XdndFinished", version >= 5 ? 1 : 0);
            std::printf("finished\n");
            break;
        }
    }
    std::printf("end\n");
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
    const bool silent = Has(argc, argv, 6, "--silent"), eager = Has(argc, argv, 6, "--eager");
    std::size_t incr = 0;
    for (int i = 6; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "--incr") == 0) incr = std::size_t(std::atol(argv[i + 1]));
    for (const std::string unit = payload; !unit.empty() && payload.size() < incr;)
        payload += unit;
    if (incr > 0) payload.resize(incr);
    dpy = XOpenDisplay(nullptr);
    if (!dpy) return 1;
    self = XCreateSimpleWindow(dpy, DefaultRootWindow(dpy), 0, 0, 1, 1, 0, 0, 0);
    std::string aware;
    if (!Read(target, At("XdndAware"), None, &aware)) {
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
