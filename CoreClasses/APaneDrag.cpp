// Drags inside the application: the outline of the drag region follows the
// pointer on the desktop by exclusive-or while the pane under it is asked
// whether it welcomes the drag, told when the drag enters and leaves it, and
// finally given the drop. Drags to and from other applications are not
// offered on this platform yet: every list stays inside the application.
#include "APane.h"
#include "AWindow.h"
#include "DragList.h"
#include "KsDesktop.h"
#include "KsPortSavers.h"
#include "QuickDraw.h"
#include "Windows.h"

namespace {

// The pane that welcomes the drag at a global point (the deepest pane there
// or an enclosure of it), and the point in its window's coordinates.
APane* DropCandidate(DragList* list, Point global, SInt16 modifiers, KsPoint* local) {
    WindowPtr w = nullptr;
    if (FindWindow(global, &w) != inContent || !w) return nullptr;
    AWindow* window = GetWindowObj(w);
    APane* root = window ? window->GetMainPane() : nullptr;
    if (!root) return nullptr;
    StPortSaver port;
    SetPortWindowPort(w);
    Point l = global;
    GlobalToLocal(&l);
    *local = {l.h, l.v};
    for (APane* p = root->FindPane(*local, false, false); p; p = p->GetEnclPane())
        if (p->HandleDragMsg(list, *local, modifiers, kDragMayAccept)) return p;
    return nullptr;
}

// The drag region's outline on the desktop, shown at most once at a time.
// Made once per drag: following the pointer only moves it.
class DragOutline {
public:
    explicit DragOutline(const KsRgn& shape) : rgn_(NewRgn()) {
        KsRgn inner = shape;
        inner.Inset(1, 1);
        KsRgnToRgnHandle(shape - inner, rgn_);
    }
    ~DragOutline() {
        Show(false, at_);
        DisposeRgn(rgn_);
    }
    DragOutline(const DragOutline&) = delete;
    DragOutline& operator=(const DragOutline&) = delete;

    void Show(bool on, KsPoint offset) {
        if (shown_ && (!on || !(offset == at_))) {
            Flip();
            shown_ = false;
        }
        if (!on || shown_) return;
        OffsetRgn(rgn_, SInt16(offset.h - at_.h), SInt16(offset.v - at_.v));
        at_ = offset;
        Flip();
        shown_ = true;
    }

private:
    void Flip() {
        GrafPtr desktop = KsGetDesktopPort();
        if (!desktop || EmptyRgn(rgn_)) return;
        StPortSaver port(desktop);
        StClipSaver clip;
        StColorPenSaver pen;
        const Rect all = KsDesktopBounds();
        ClipRect(&all);
        PenNormal();
        PenMode(patXor);
        PenPat(&kQDGray);
        PaintRgn(rgn_);
    }
    RgnHandle rgn_;
    KsPoint at_{};
    bool shown_ = false;
};

} // namespace

bool APane::DoDrag(KsPoint* pt, DragList* list, bool canLeavePane) {
    DragList* own = nullptr;
    if (!list) list = own = GetMyDragList(pt ? *pt : KsPoint{});
    if (!list) return false;
    struct Release {
        DragList* list;
        ~Release() {
            if (list) list->Dispose();
        }
    } release{own};
    list->SetSourceWindow(itsEnclWindow);
    list->SetDropPane(nullptr);
    list->SetHandled(false);

    const Point start = KsGetGlobalMouse();
    APane* target = nullptr;
    KsPoint local{};
    auto candidateAt = [&](Point g) -> APane* {
        const SInt16 mods = SInt16(KsGetModifiers());
        APane* c = DropCandidate(list, g, mods, &local);
        return canLeavePane || c == this ? c : nullptr;
    };
    {
        DragOutline outline(list->GetDragRgn());
        for (;;) {
            const bool down = StillDown();
            const Point m = KsGetGlobalMouse();
            if (!down) break;
            outline.Show(true, {m.h - start.h, m.v - start.v});
            APane* c = candidateAt(m);
            const SInt16 mods = SInt16(KsGetModifiers());
            if (c == target) {
                if (target) target->HandleDragMsg(list, local, mods, kDragWithin);
                continue;
            }
            if (target) target->HandleDragMsg(list, local, mods, kDragLeave);
            target = c && c->HandleDragMsg(list, local, mods, kDragEnter) ? c : nullptr;
        }
    }
    const SInt16 mods = SInt16(KsGetModifiers());
    APane* drop = candidateAt(KsGetGlobalMouse());
    if (target && target != drop) target->HandleDragMsg(list, local, mods, kDragLeave);
    if (drop) {
        list->SetDropPane(drop);
        if (drop->HandleDragMsg(list, local, mods, kDragDrop)) list->SetHandled(true);
        drop->DropHandler(list, local, mods);
    }
    if (pt) *pt = local;
    return list->AnyHandled();
}

// A list of the pane itself, dragged by the outline of its bounds.
DragList* APane::GetMyDragList(KsPoint) {
    DragList* list = DragList::New(1, ToKsPoint(KsGetGlobalMouse()));
    list->AddDragObject(this);
    KsRect r = GetBounds();
    if (itsEnclWindow && itsEnclWindow->GetWindowPtr()) {
        StPortSaver port;
        SetPortWindowPort(itsEnclWindow->GetWindowPtr());
        Point tl{SInt16(r.top), SInt16(r.left)};
        LocalToGlobal(&tl);
        r = r.Offsetted(tl.h - r.left, tl.v - r.top);
    }
    list->SetDragRgn(KsRgn(r));
    return list;
}
