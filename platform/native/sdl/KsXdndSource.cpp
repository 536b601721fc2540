#include "KsXdndPrivate.h"

#if defined(KS_HAVE_X11)

#include "KsXdndX11Private.h"

#include <X11/Xatom.h>

#include <algorithm>
#include <climits>
#include <string>
#include <vector>

#include <poll.h>

namespace {

constexpr long kXdndVersion = 5;
// Older peers lay their messages out differently; they are not spoken to.
constexpr long kXdndOldest = 3;
// How deep below a top-level window XdndAware is looked for.
constexpr int kMaxDepth = 16;

class XdndSource final : public KsXdndSource {
public:
    explicit XdndSource(const KsXdndConnection& c) : dpy_(c.dpy), top_(c.top) {
        root_ = DefaultRootWindow(dpy_);
        self_ = XCreateSimpleWindow(dpy_, root_, -10, -10, 1, 1, 0, 0, 0);
        const char* names[] = {"XdndAware",      "XdndProxy",
                               "XdndEnter",      "XdndPosition",
                               "XdndStatus",     "XdndLeave",
                               "XdndDrop",       "XdndFinished",
                               "XdndSelection",  "XdndTypeList",
                               "XdndActionCopy", "TARGETS",
                               "text/uri-list",  "text/plain;charset=utf-8",
                               "UTF8_STRING"};
        XInternAtoms(dpy_, const_cast<char**>(names), kAtoms, False, atoms_);
        // Longer data would need a transfer in pieces; what is dragged out
        // (paths and names) never comes near it.
        const long units =
            XExtendedMaxRequestSize(dpy_) ? XExtendedMaxRequestSize(dpy_) : XMaxRequestSize(dpy_);
        maxBytes_ = std::size_t(std::max(0L, units - 64)) * 4;
        XFlush(dpy_);
    }
    ~XdndSource() override {
        if (active_) DragEnd(false);
        XDestroyWindow(dpy_, self_);
        KsXdndDisconnect(dpy_);
    }

    bool DragBegin(const std::vector<KsDragItem>& items) override {
        if (active_) DragEnd(false);
        uri_.clear();
        text_.clear();
        for (const KsDragItem& item : items) {
            if (item.kind == KsDragItem::Kind::file) {
                uri_ += KsFileUri(item.utf8) + "\r\n";
            } else {
                if (!text_.empty()) text_.push_back('\n');
                text_ += item.utf8;
            }
        }
        latin1_ = KsXdndUTF8ToLatin1(text_);
        typeCount_ = 0;
        if (!uri_.empty()) types_[typeCount_++] = A(kUriList);
        if (!text_.empty())
            for (Atom t : {A(kTextPlain), A(kUtf8), Atom(XA_STRING)})
                types_[typeCount_++] = t;
        if (typeCount_ == 0) return false;
        XChangeProperty(dpy_, self_, A(kTypeList), XA_ATOM, 32, PropModeReplace,
                        reinterpret_cast<unsigned char*>(types_), typeCount_);
        XSetSelectionOwner(dpy_, A(kSelection), self_, CurrentTime);
        if (XGetSelectionOwner(dpy_, A(kSelection)) != self_) return false;
        ownTop_ = TopLevelOf(top_);
        Window child = None;
        XTranslateCoordinates(dpy_, top_, root_, 0, 0, &originX_, &originY_, &child);
        under_ = target_ = None;
        active_ = true;
        return true;
    }

    bool DragMove(SInt32 h, SInt32 v) override {
        if (!active_) return true;
        Serve();
        const int x = originX_ + int(h), y = originY_ + int(v);
        int dx = 0, dy = 0;
        Window child = None;
        XTranslateCoordinates(dpy_, root_, root_, x, y, &dx, &dy, &child);
        if (child != under_) {
            Leave();
            under_ = child;
            if (child != None && child != ownTop_) Enter(child, x, y);
        }
        if (child == ownTop_) return true;
        if (target_ != None) {
            wantX_ = x;
            wantY_ = y;
            SendPosition();
        }
        return false;
    }

    bool DragEnd(bool drop) override {
        if (!active_) return false;
        bool taken = false;
        if (drop && target_ != None) {
            // The answer to the last position decides.
            Await([this] {
                SendPosition();
                return !statusPending_ && wantX_ == sentX_ && wantY_ == sentY_;
            });
            if (accepted_) {
                finished_ = false;
                Send(A(kDrop), 0, CurrentTime, 0, 0);
                XSync(dpy_, False);
                // Until it says it is done, it may still ask for the data.
                if (Await([this] { return finished_; })) taken = finishedOk_;
                target_ = None;
            }
        }
        Leave();
        if (XGetSelectionOwner(dpy_, A(kSelection)) == self_)
            XSetSelectionOwner(dpy_, A(kSelection), None, CurrentTime);
        // Our last words reach the server even if the program ends next.
        XSync(dpy_, False);
        active_ = false;
        under_ = None;
        return taken;
    }

private:
    enum {
        kAware,
        kProxy,
        kEnter,
        kPosition,
        kStatus,
        kLeave,
        kDrop,
        kFinished,
        kSelection,
        kTypeList,
        kCopy,
        kTargets,
        kUriList,
        kTextPlain,
        kUtf8,
        kAtoms
    };
    Atom A(int i) const { return atoms_[i]; }

    Window TopLevelOf(Window w) const {
        for (int depth = 0; depth < kMaxDepth; ++depth) {
            Window rootOut = None, parent = None;
            Window* children = nullptr;
            unsigned int count = 0;
            if (!XQueryTree(dpy_, w, &rootOut, &parent, &children, &count)) return w;
            if (children) XFree(children);
            if (parent == None || parent == root_) return w;
            w = parent;
        }
        return w;
    }

    // The single-value property of a window; false when it has none of
    // that type.
    bool Property(Window w, Atom name, Atom type, long* value) const {
        Atom got = None;
        int format = 0;
        unsigned long count = 0, after = 0;
        unsigned char* data = nullptr;
        const bool ok = XGetWindowProperty(dpy_, w, name, 0, 1, False, type, &got, &format, &count,
                                           &after, &data) == Success &&
                        got == type && format == 32 && count == 1 && data;
        if (ok) *value = *reinterpret_cast<long*>(data);
        if (data) XFree(data);
        return ok;
    }

    // Looks for the XdndAware window on the pointer's path down from a
    // top-level window; where it names a proxy that names itself, messages
    // go there.
    void Enter(Window w, int x, int y) {
        for (int depth = 0; depth < kMaxDepth && w != None; ++depth) {
            long version = 0;
            if (Property(w, A(kAware), XA_ATOM, &version)) {
                if (version < kXdndOldest) return;
                target_ = w;
                version_ = std::min(version, kXdndVersion);
                break;
            }
            int dx = 0, dy = 0;
            Window sub = None;
            XTranslateCoordinates(dpy_, root_, w, x, y, &dx, &dy, &sub);
            w = sub;
        }
        if (target_ == None) return;
        to_ = target_;
        long proxy = 0, named = 0;
        if (Property(target_, A(kProxy), XA_WINDOW, &proxy) &&
            Property(Window(proxy), A(kProxy), XA_WINDOW, &named) && named == proxy)
            to_ = Window(proxy);
        accepted_ = statusPending_ = false;
        sentX_ = sentY_ = INT_MIN;
        Send(A(kEnter), (version_ << 24) | (typeCount_ > 3 ? 1 : 0), long(types_[0]),
             typeCount_ > 1 ? long(types_[1]) : 0, typeCount_ > 2 ? long(types_[2]) : 0);
    }

    // One position at a time: the next goes when the last is answered, or
    // when the peer has been silent too long to wait for.
    void SendPosition() {
        if (target_ == None || (wantX_ == sentX_ && wantY_ == sentY_)) return;
        const long now = long(SDL_GetTicks());
        if (statusPending_ && now - sentAt_ < kXdndTimeoutMs) return;
        Send(A(kPosition), 0, (long(wantX_) << 16) | (wantY_ & 0xFFFF), CurrentTime,
             long(A(kCopy)));
        sentX_ = wantX_;
        sentY_ = wantY_;
        sentAt_ = now;
        statusPending_ = true;
    }

    void Leave() {
        if (target_ == None) return;
        Send(A(kLeave), 0, 0, 0, 0);
        XSync(dpy_, False);
        target_ = None;
        accepted_ = statusPending_ = false;
    }

    // Serves the peers until `done` or the time-out; answers `done`.
    template <class F> bool Await(F done) {
        const long end = long(SDL_GetTicks()) + kXdndTimeoutMs;
        for (;;) {
            Serve();
            if (done()) return true;
            const long left = end - long(SDL_GetTicks());
            if (left <= 0) return false;
            pollfd fd{ConnectionNumber(dpy_), POLLIN, 0};
            poll(&fd, 1, int(std::min(left, 10L)));
        }
    }

    void Serve() {
        while (XPending(dpy_)) {
            XEvent e;
            XNextEvent(dpy_, &e);
            if (e.type == SelectionRequest)
                Answer(e.xselectionrequest);
            else if (e.type == ClientMessage && e.xclient.window == self_ && e.xclient.format == 32)
                Message(e.xclient);
        }
    }

    void Message(const XClientMessageEvent& m) {
        const Window from = Window(m.data.l[0]);
        if (target_ == None || (from != target_ && from != to_)) return; // stale
        if (m.message_type == A(kStatus)) {
            accepted_ = (m.data.l[1] & 1) != 0;
            statusPending_ = false;
            SendPosition();
        } else if (m.message_type == A(kFinished)) {
            finished_ = true;
            // Before version 5 the answer carries no verdict: the last status
            // stands for it.
            finishedOk_ = version_ >= 5 ? (m.data.l[1] & 1) != 0 : accepted_;
        }
    }

    const std::string* DataFor(Atom type) const {
        if (type == A(kUriList) && !uri_.empty()) return &uri_;
        if (text_.empty()) return nullptr;
        if (type == A(kTextPlain) || type == A(kUtf8)) return &text_;
        if (type == XA_STRING) return &latin1_;
        return nullptr;
    }

    void Answer(const XSelectionRequestEvent& r) {
        XEvent n{};
        n.xselection.type = SelectionNotify;
        n.xselection.display = dpy_;
        n.xselection.requestor = r.requestor;
        n.xselection.selection = r.selection;
        n.xselection.target = r.target;
        n.xselection.time = r.time;
        n.xselection.property = None;
        // Old requestors name no property: the target's name serves.
        const Atom property = r.property != None ? r.property : r.target;
        if (active_ && r.selection == A(kSelection) && r.owner == self_) {
            if (r.target == A(kTargets)) {
                Atom list[1 + 4] = {A(kTargets)};
                std::copy(types_, types_ + typeCount_, list + 1);
                XChangeProperty(dpy_, r.requestor, property, XA_ATOM, 32, PropModeReplace,
                                reinterpret_cast<unsigned char*>(list), 1 + typeCount_);
                n.xselection.property = property;
            } else if (const std::string* data = DataFor(r.target);
                       data && data->size() <= maxBytes_) {
                XChangeProperty(dpy_, r.requestor, property, r.target, 8, PropModeReplace,
                                reinterpret_cast<const unsigned char*>(data->data()),
                                int(data->size()));
                n.xselection.property = property;
            }
        }
        XSendEvent(dpy_, r.requestor, False, NoEventMask, &n);
        XFlush(dpy_);
    }

    void Send(Atom type, long l1, long l2, long l3, long l4) {
        KsXdndSend(dpy_, to_, target_, type, self_, l1, l2, l3, l4);
    }

    Display* dpy_;
    Window top_;
    Window root_ = None;
    Window self_ = None; // owns the selection and hears the peers' answers
    Atom atoms_[kAtoms] = {};
    std::size_t maxBytes_ = 0;

    // What is offered, in each form asked for.
    std::string uri_, text_, latin1_;
    Atom types_[4] = {};
    int typeCount_ = 0;

    bool active_ = false;
    Window ownTop_ = None;
    int originX_ = 0, originY_ = 0; // the desktop's origin on the root window
    Window under_ = None;           // the top-level window under the pointer
    Window target_ = None, to_ = None;
    long version_ = 0;
    bool accepted_ = false, statusPending_ = false, finished_ = false, finishedOk_ = false;
    int wantX_ = 0, wantY_ = 0, sentX_ = INT_MIN, sentY_ = INT_MIN;
    long sentAt_ = 0;
};

} // namespace

std::unique_ptr<KsXdndSource> KsXdndSource::Open(SDL_Window* window) {
    KsXdndConnection c;
    if (!KsXdndConnect(window, &c)) return nullptr;
    return std::make_unique<XdndSource>(c);
}

#else

std::unique_ptr<KsXdndSource> KsXdndSource::Open(SDL_Window*) {
    return nullptr;
}

#endif
