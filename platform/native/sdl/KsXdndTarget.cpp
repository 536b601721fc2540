#include "KsXdndPrivate.h"

#if defined(KS_HAVE_X11)

#include "KsGeometry.h"
#include "KsSystemDrag.h"
#include "KsXdndX11Private.h"

#include <X11/Xatom.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

constexpr long kXdndVersion = 5;

class XdndTarget final : public KsXdndTarget {
public:
    XdndTarget(Display* d, Display* sdl, Window top) : dpy_(d), sdl_(sdl), top_(top) {
        root_ = DefaultRootWindow(dpy_);
        proxy_ = XCreateSimpleWindow(dpy_, root_, -10, -10, 1, 1, 0, 0, 0);
        XSelectInput(dpy_, proxy_, PropertyChangeMask);
        const char* names[] = {"XdndAware",
                               "XdndProxy",
                               "XdndEnter",
                               "XdndPosition",
                               "XdndStatus",
                               "XdndLeave",
                               "XdndDrop",
                               "XdndFinished",
                               "XdndSelection",
                               "XdndTypeList",
                               "XdndActionCopy",
                               "text/uri-list",
                               "text/plain;charset=utf-8",
                               "UTF8_STRING",
                               "INCR",
                               "KS_XDND_DATA"};
        XInternAtoms(dpy_, const_cast<char**>(names), kAtoms, False, atoms_);
        // The proxy names itself, as the protocol asks of a proxy.
        XChangeProperty(dpy_, proxy_, A(kProxy), XA_WINDOW, 32, PropModeReplace,
                        reinterpret_cast<unsigned char*>(&proxy_), 1);
        XChangeProperty(dpy_, proxy_, A(kAware), XA_ATOM, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(&kXdndVersion), 1);
        XFlush(dpy_);
    }
    ~XdndTarget() override {
        Enable(false);
        XDestroyWindow(dpy_, proxy_);
        KsXdndDisconnect(dpy_);
    }

    void Enable(bool on) override {
        // What SDL did to the window's properties reaches the server first.
        XSync(sdl_, False);
        if (on) {
            XChangeProperty(dpy_, top_, A(kAware), XA_ATOM, 32, PropModeReplace,
                            reinterpret_cast<const unsigned char*>(&kXdndVersion), 1);
            XChangeProperty(dpy_, top_, A(kProxy), XA_WINDOW, 32, PropModeReplace,
                            reinterpret_cast<unsigned char*>(&proxy_), 1);
        } else {
            XDeleteProperty(dpy_, top_, A(kProxy));
            XDeleteProperty(dpy_, top_, A(kAware));
            Reset(true);
        }
        XFlush(dpy_);
    }

    bool Busy() const override { return source_ != None; }

    void Pump() override {
        while (XPending(dpy_)) {
            XEvent e;
            XNextEvent(dpy_, &e);
            if (e.type == ClientMessage && e.xclient.format == 32)
                Message(e.xclient);
            else if (e.type == SelectionNotify && e.xselection.requestor == proxy_)
                Arrived(e.xselection);
            else if (e.type == PropertyNotify && e.xproperty.window == proxy_ &&
                     e.xproperty.atom == A(kData) && e.xproperty.state == PropertyNewValue && incr_)
                Piece();
        }
        if (source_ != None && long(SDL_GetTicks()) - heard_ > kXdndTimeoutMs) Reset(true);
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
        kUriList,
        kTextPlain,
        kUtf8,
        kIncr,
        kData,
        kAtoms
    };
    Atom A(int i) const { return atoms_[i]; }

    void Message(const XClientMessageEvent& m) {
        const Window from = Window(m.data.l[0]);
        if (m.message_type == A(kEnter)) {
            Reset(true);
            Enter(m);
            return;
        }
        if (from == None || from != source_) return; // a stray or a stale drag
        heard_ = long(SDL_GetTicks());
        if (m.message_type == A(kPosition)) {
            Position(SInt32(m.data.l[2] >> 16) & 0xFFFF, SInt32(m.data.l[2] & 0xFFFF));
        } else if (m.message_type == A(kLeave)) {
            Reset(false);
        } else if (m.message_type == A(kDrop)) {
            Drop(Time(m.data.l[2]));
        }
    }

    void Enter(const XClientMessageEvent& m) {
        source_ = Window(m.data.l[0]);
        version_ = std::min<long>(kXdndVersion, (m.data.l[1] >> 24) & 0xFF);
        heard_ = long(SDL_GetTicks());
        std::vector<Atom> types;
        if (m.data.l[1] & 1) {
            TypeList(&types);
        } else {
            for (int i = 2; i <= 4; ++i)
                if (m.data.l[i]) types.push_back(Atom(m.data.l[i]));
        }
        // The most telling type of each kind: a list of files, then text.
        for (Atom t : types)
            if (t == A(kUriList)) fileType_ = t;
        for (Atom want : {A(kTextPlain), A(kUtf8), Atom(XA_STRING)})
            for (Atom t : types)
                if (t == want && textType_ == None) textType_ = t;
        entered_ = false;
    }

    void TypeList(std::vector<Atom>* types) {
        Atom type = None;
        int format = 0;
        unsigned long count = 0, after = 0;
        unsigned char* data = nullptr;
        if (XGetWindowProperty(dpy_, source_, A(kTypeList), 0, 256, False, XA_ATOM, &type, &format,
                               &count, &after, &data) == Success &&
            type == XA_ATOM && format == 32 && data) {
            const auto* atoms = reinterpret_cast<const Atom*>(data);
            types->assign(atoms, atoms + count);
        }
        if (data) XFree(data);
    }

    void Position(SInt32 rootX, SInt32 rootY) {
        int x = 0, y = 0;
        Window child = None;
        XTranslateCoordinates(dpy_, root_, top_, rootX, rootY, &x, &y, &child);
        at_ = {x, y};
        accepted_ = false;
        KsDropSink* sink = KsGetDropSink();
        std::vector<KsDragItem::Kind> kinds;
        if (fileType_ != None) kinds.push_back(KsDragItem::Kind::file);
        if (textType_ != None) kinds.push_back(KsDragItem::Kind::text);
        if (sink && !kinds.empty()) {
            accepted_ = sink->DropTrack(entered_ ? KsDropPhase::within : KsDropPhase::enter, x, y,
                                        0, kinds);
            entered_ = true;
        }
        Send(A(kStatus), accepted_ ? 3 : 2, 0, 0, accepted_ ? long(A(kCopy)) : 0);
    }

    // The drop is taken only where the last position was; a peer that drops
    // after a refusal is told so at once.
    void Drop(Time when) {
        if (!accepted_) {
            Finish(false);
            return;
        }
        asked_ = fileType_ != None ? fileType_ : textType_;
        XDeleteProperty(dpy_, proxy_, A(kData));
        XConvertSelection(dpy_, A(kSelection), asked_, A(kData), proxy_,
                          version_ >= 1 ? when : CurrentTime);
        XFlush(dpy_);
        waiting_ = true;
    }

    void Arrived(const XSelectionEvent& s) {
        if (!waiting_) return;
        heard_ = long(SDL_GetTicks());
        if (s.property == None) {
            Finish(false);
            return;
        }
        Atom type = None;
        int format = 0;
        unsigned long count = 0, after = 0;
        unsigned char* data = nullptr;
        const long maxLongs = long(kKsDropMaxBytes / 4) + 1;
        const bool got =
            XGetWindowProperty(dpy_, proxy_, A(kData), 0, maxLongs, True, AnyPropertyType, &type,
                               &format, &count, &after, &data) == Success;
        if (got && type == A(kIncr)) {
            // Pieces follow, each a new value of the property we deleted.
            if (data) XFree(data);
            incr_ = true;
            buffer_.clear();
            return;
        }
        const bool fits = got && after == 0 && format == 8 && type == asked_;
        if (fits && data) buffer_.assign(reinterpret_cast<char*>(data), count);
        if (data) XFree(data);
        if (!fits) {
            Finish(false);
            return;
        }
        Deliver();
    }

    void Piece() {
        heard_ = long(SDL_GetTicks());
        Atom type = None;
        int format = 0;
        unsigned long count = 0, after = 0;
        unsigned char* data = nullptr;
        const long room = long((kKsDropMaxBytes - buffer_.size()) / 4) + 1;
        const bool got = XGetWindowProperty(dpy_, proxy_, A(kData), 0, room, True, AnyPropertyType,
                                            &type, &format, &count, &after, &data) == Success;
        const bool fits = got && after == 0 && format == 8 && type == asked_ &&
                          buffer_.size() + count <= kKsDropMaxBytes;
        if (fits && data) buffer_.append(reinterpret_cast<char*>(data), count);
        if (data) XFree(data);
        if (!fits) {
            Finish(false);
            return;
        }
        if (count == 0) {
            incr_ = false;
            Deliver();
        }
    }

    void Deliver() {
        std::vector<KsDragItem> items;
        if (asked_ == A(kUriList)) {
            std::vector<std::string> paths;
            if (KsParseUriList(buffer_, &paths))
                for (std::string& p : paths)
                    items.push_back({KsDragItem::Kind::file, std::move(p)});
        } else {
            std::string text = asked_ == XA_STRING ? KsXdndLatin1ToUTF8(buffer_) : buffer_;
            if (KsIsDropText(text)) items.push_back({KsDragItem::Kind::text, std::move(text)});
        }
        KsDropSink* sink = KsGetDropSink();
        const bool taken =
            !items.empty() && sink && sink->DropDeliver(at_.h, at_.v, true, 0, items);
        entered_ = false; // the sink has ended the drag
        Finish(taken);
    }

    void Finish(bool taken) {
        if (source_ != None) Send(A(kFinished), taken ? 1 : 0, taken ? long(A(kCopy)) : 0, 0, 0);
        Reset(false);
    }

    void Reset(bool tellPeer) {
        if (tellPeer && waiting_ && source_ != None) Send(A(kFinished), 0, 0, 0, 0);
        if (entered_) {
            if (KsDropSink* sink = KsGetDropSink())
                sink->DropTrack(KsDropPhase::leave, at_.h, at_.v, 0, {});
        }
        source_ = None;
        fileType_ = textType_ = asked_ = None;
        entered_ = accepted_ = waiting_ = incr_ = false;
        buffer_.clear();
        buffer_.shrink_to_fit();
    }

    void Send(Atom type, long l1, long l2, long l3, long l4) {
        KsXdndSend(dpy_, source_, source_, type, top_, l1, l2, l3, l4);
    }

    Display* dpy_;
    Display* sdl_; // SDL's connection, not ours
    Window top_;
    Window root_ = None;
    Window proxy_ = None;
    Atom atoms_[kAtoms] = {};
    Window source_ = None;
    long version_ = 0;
    Atom fileType_ = None, textType_ = None, asked_ = None;
    bool entered_ = false, accepted_ = false, waiting_ = false, incr_ = false;
    long heard_ = 0;
    KsPoint at_{};
    std::string buffer_;
};

} // namespace

std::unique_ptr<KsXdndTarget> KsXdndTarget::Open(SDL_Window* window) {
    KsXdndConnection c;
    if (!KsXdndConnect(window, &c)) return nullptr;
    return std::make_unique<XdndTarget>(c.dpy, c.sdl, c.top);
}

#else

std::unique_ptr<KsXdndTarget> KsXdndTarget::Open(SDL_Window*) {
    return nullptr;
}

#endif
