// Drags inside the application: the outline of the drag region follows the
// pointer on the desktop by exclusive-or while the pane under it is asked
// whether it welcomes the drag, told when the drag enters and leaves it, and
// finally given the drop. The state of the running drag is shared by all
// panes; every way out of a drag (drop, refusal, error) ends it and puts
// back what it changed.
#include "APane.h"
#include "AWindow.h"
#include "DragList.h"
#include "DragMessages.h"
#include "DragTrackPrivate.h"
#include "Events.h"
#include "KsDesktop.h"
#include "KsPortSavers.h"
#include "QuickDraw.h"
#include "Sound.h"
#include "SystemDrag.h"
#include "Windows.h"

#include <algorithm>
#include <vector>

namespace {

// A pane lightened by the standard feedback, with the colour it had.
struct Lightened {
    APane* pane;
    KsRGBColor saved;
};

class DragOutline;
struct Confinement;

struct DragState {
    DragList* list = nullptr;
    APane* startPane = nullptr;
    APane* target = nullptr;
    APane* accepting = nullptr; // the target showing that it takes the drop
    // While the pointer is tracked: the outline, how it is kept in the start
    // pane, and where it started.
    DragOutline* outline = nullptr;
    const Confinement* box = nullptr;
    KsPoint start{};
    bool canLeave = true;
    bool exitedStart = false;
    bool systemDrag = false;
    bool outlineDrawn = false;
    bool droppedHere = false;
    std::vector<Lightened> lightened;
};

DragState& Drag() {
    static DragState state;
    return state;
}

constexpr UInt16 kLightenBy = 0x6000;

UInt16 Lighter(UInt16 channel) {
    return UInt16(std::min<UInt32>(0xFFFF, UInt32(channel) + kLightenBy));
}

void RedrawNow(APane* pane) {
    pane->Inval();
    if (AWindow* w = pane->GetEnclWindow()) w->UpdateIfNeeded();
}

// Lightening always starts from the colour saved on the first entry, so a
// repeated entry cannot drift it.
void Lighten(APane* pane) {
    auto& lit = Drag().lightened;
    auto it =
        std::find_if(lit.begin(), lit.end(), [&](const Lightened& l) { return l.pane == pane; });
    const KsRGBColor saved = it == lit.end() ? pane->GetBkndColor() : it->saved;
    if (it == lit.end()) lit.push_back({pane, saved});
    pane->SetBkndColor({Lighter(saved.red), Lighter(saved.green), Lighter(saved.blue)});
    RedrawNow(pane);
}

void RestoreColour(APane* pane) {
    auto& lit = Drag().lightened;
    auto it =
        std::find_if(lit.begin(), lit.end(), [&](const Lightened& l) { return l.pane == pane; });
    if (it == lit.end()) return;
    const KsRGBColor saved = it->saved;
    lit.erase(it);
    pane->SetBkndColor(saved);
    RedrawNow(pane);
}

// A global point in the coordinates of a pane's window.
KsPoint InWindowOf(const APane* pane, KsPoint global) {
    AWindow* w = pane ? pane->GetEnclWindow() : nullptr;
    if (!w || !w->GetWindowPtr()) return global;
    StPortSaver port;
    SetPortWindowPort(w->GetWindowPtr());
    Point p{SInt16(global.v), SInt16(global.h)};
    GlobalToLocal(&p);
    return {p.h, p.v};
}

KsRect GlobalBoundsOf(const APane* pane) {
    const KsRect b = pane->GetBounds();
    const KsPoint local = InWindowOf(pane, {0, 0});
    return b.Offsetted(-local.h, -local.v);
}

// The pane that welcomes the drag at a global point (the deepest pane there
// or an enclosure of it), and the point in its window's coordinates.
APane* DropCandidate(DragList* list, KsPoint global, SInt16 modifiers, KsPoint* local) {
    WindowPtr w = nullptr;
    const Point g{SInt16(global.v), SInt16(global.h)};
    if (FindWindow(g, &w) != inContent || !w) return nullptr;
    AWindow* window = GetWindowObj(w);
    APane* root = window ? window->GetMainPane() : nullptr;
    if (!root) return nullptr;
    *local = InWindowOf(root, global);
    for (APane* p = root->FindPane(*local, false, false); p; p = p->GetEnclPane())
        if (p->HandleDragMsg(list, *local, modifiers, kDragMayAccept)) return p;
    return nullptr;
}

// Runs drop code; an error it raises is kept for the end of the drag.
template <class F> void Deferring(F&& dropCode) {
    try {
        dropCode();
    } catch (const XError& e) {
        RecordDragException(e);
    } catch (...) {
        RecordDragException(XErrorFromCurrentException());
    }
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
        Drag().outlineDrawn = shown_;
        if (!on || shown_) return;
        OffsetRgn(rgn_, SInt16(offset.h - at_.h), SInt16(offset.v - at_.v));
        at_ = offset;
        Flip();
        shown_ = true;
        Drag().outlineDrawn = true;
    }
    bool Shown() const { return shown_; }

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

// Keeps a point, and the outline's offset, inside the start pane when the
// drag may not leave it.
struct Confinement {
    bool on = false;
    KsRect pane{};
    KsRect region{};

    KsPoint Point(KsPoint p) const {
        if (!on) return p;
        return {std::clamp(p.h, pane.left, std::max(pane.left, pane.right - 1)),
                std::clamp(p.v, pane.top, std::max(pane.top, pane.bottom - 1))};
    }
    KsPoint Offset(KsPoint d) const {
        if (!on || region.IsEmpty()) return d;
        auto fit = [](SInt32 delta, SInt32 lo, SInt32 hi) {
            return hi < lo ? lo : std::clamp(delta, lo, hi);
        };
        return {fit(d.h, pane.left - region.left, pane.right - region.right),
                fit(d.v, pane.top - region.top, pane.bottom - region.bottom)};
    }
};

// The outline placed for the global pointer point, unless the drag is not
// being tracked.
void ShowOutlineAt(KsPoint global);
void HideOutline();

// The ghost at the pointer: the target's own, the outline where there is none.
void ShowGhost(KsPoint global) {
    if (APane* t = Drag().target)
        t->DrawDragGhost(InWindowOf(t, global));
    else
        ShowOutlineAt(global);
}
void HideGhost() {
    if (APane* t = Drag().target)
        t->HideDragGhost();
    else
        HideOutline();
}

// Tells the accepting pane that it no longer is.
void EndAccepting() {
    if (APane* p = Drag().accepting) {
        Drag().accepting = nullptr;
        p->HideAcceptDrag();
    }
}

// Makes the outline and its placing reachable for the ghost while the
// pointer is tracked.
class Tracking {
public:
    Tracking(DragOutline* outline, const Confinement* box, KsPoint start) {
        DragState& s = Drag();
        s.outline = outline;
        s.box = box;
        s.start = start;
    }
    ~Tracking() {
        Drag().outline = nullptr;
        Drag().box = nullptr;
    }
    Tracking(const Tracking&) = delete;
    Tracking& operator=(const Tracking&) = delete;
};

void ShowOutlineAt(KsPoint global) {
    const DragState& s = Drag();
    if (s.outline)
        s.outline->Show(true, s.box->Offset({global.h - s.start.h, global.v - s.start.v}));
}
void HideOutline() {
    if (Drag().outline) Drag().outline->Show(false, {});
}

constexpr UInt8 kEscapeChar = 0x1B;

// Keys mean nothing while a drag runs; Escape ends it.
bool EscapePressed() {
    EventRecord e;
    while (GetNextEvent(keyDownMask, &e))
        if ((e.message & charCodeMask) == kEscapeChar) return true;
    return false;
}

// Tracks the outline until the button comes up; answers the release point.
// With a way out, the pointer may go over another application's window:
// the outline is lifted and the panes are left while it is there, and
// Escape cancels.
KsPoint TrackInApplication(DragList* list, const Confinement& box, KsPoint start, SInt16* mods,
                           KsDragSource* out = nullptr, DragTrackEnd* end = nullptr) {
    KsPoint last = box.Point(start);
    *mods = SInt16(KsGetModifiers());
    APane::SendDragMsg(last, *mods, kDragEnter);
    DragOutline outline(list->GetDragRgn());
    const Tracking tracking(&outline, &box, start);
    ShowGhost(last);
    bool here = true;
    for (;;) {
        const bool down = StillDown();
        const KsPoint now = box.Point(ToKsPoint(KsGetGlobalMouse()));
        *mods = SInt16(KsGetModifiers());
        if (out && EscapePressed()) {
            HideGhost();
            APane::SendDragMsg(now, *mods, kDragLeave);
            *end = DragTrackEnd::cancelled;
            return now;
        }
        const bool wasHere = here;
        if (out) here = out->DragMove(now.h, now.v);
        if (wasHere && !here) {
            HideGhost();
            APane::SendDragMsg(now, *mods, kDragLeave);
        }
        if (!down) {
            if (end) *end = here ? DragTrackEnd::here : DragTrackEnd::elsewhere;
            return now;
        }
        if (!here) {
            last = now;
            continue;
        }
        // Feedback redraws panes: the outline is lifted while it may.
        if (!(now == last)) HideGhost();
        APane::SendDragMsg(now, *mods, kDragWithin);
        ShowGhost(now);
        last = now;
    }
}

} // namespace

KsPoint TrackSystemDrag(DragList* list, KsPoint start, SInt16* mods, KsDragSource* out,
                        DragTrackEnd* end) {
    return TrackInApplication(list, Confinement{}, start, mods, out, end);
}

// ---------------------------------------------------------------------------
// The shared drag state

void APane::BeginDrag(DragList* list) {
    DragState& s = Drag();
    s.list = list;
    s.startPane = s.target = s.accepting = nullptr;
    s.canLeave = true;
    s.exitedStart = s.systemDrag = s.outlineDrawn = s.droppedHere = false;
}

void APane::EndDrag() {
    DragState& s = Drag();
    EndAccepting();
    while (!s.lightened.empty())
        RestoreColour(s.lightened.back().pane);
    s.list = nullptr;
    s.startPane = s.target = nullptr;
    s.canLeave = true;
    s.exitedStart = s.systemDrag = s.outlineDrawn = false;
}

bool APane::DoingDrag() {
    return Drag().list != nullptr;
}

DragList* APane::GetDragList() {
    return Drag().list;
}

bool APane::HasExitedStartPane() const {
    return Drag().exitedStart;
}

bool APane::SendDragMsg(KsPoint global, SInt16 modifiers, SInt16 message) {
    DragState& s = Drag();
    DragList* list = s.list;
    if (!list) return false;
    StPortSaver port;
    APane* candidate = nullptr;
    KsPoint local{};
    if (!s.canLeave) {
        candidate = s.startPane;
        local = InWindowOf(candidate, global);
    } else if (message != kDragLeave) {
        candidate = DropCandidate(list, global, modifiers, &local);
    }
    if (candidate && candidate == s.target && message != kDragDrop)
        return candidate->HandleDragMsg(list, local, modifiers, kDragWithin);
    if (s.target && s.target != candidate) {
        APane* left = s.target;
        s.target = nullptr;
        if (s.accepting == left) EndAccepting();
        left->HandleDragMsg(list, InWindowOf(left, global), modifiers, kDragLeave);
        left->HideDragGhost();
        left->ResetDragCursor();
        s.exitedStart = true;
    }
    if (candidate && candidate != s.target) {
        if (candidate != s.startPane) s.exitedStart = true;
        if (candidate->HandleDragMsg(list, local, modifiers, kDragEnter)) {
            s.target = candidate;
            if (candidate->AcceptDrop(list)) {
                s.accepting = candidate;
                candidate->DrawAcceptDrag();
            }
        }
    }
    if (message != kDragDrop) return s.target != nullptr;
    if (!candidate) return false;
    s.droppedHere = true;
    s.target = nullptr;
    EndAccepting();
    list->SetDropPane(candidate);
    Deferring([&] { candidate->HandleDragMsg(list, local, modifiers, kDragDrop); });
    return list->AnyHandled();
}

// ---------------------------------------------------------------------------
// One drag

bool APane::DoDrag(KsPoint* pt, DragList* list, bool canLeavePane) {
    DragList* own = nullptr;
    if (!list) list = own = GetMyDragList(pt ? *pt : KsPoint{});
    if (!list) return false;
    XError deferred;
    bool handled = false;
    {
        // Whatever ends the drag, the state, the clip and the list go back.
        struct Session {
            DragList* own;
            ~Session() {
                APane::EndDrag();
                if (own) own->Dispose();
            }
        };
        StPortSaver port;
        StClipSaver clip;
        const KsPoint start = ToKsPoint(KsGetGlobalMouse());
        SInt16 mods = SInt16(KsGetModifiers());
        const KsPoint here = pt ? *pt : InWindowOf(this, start);
        APane* startPane = this;
        for (APane* p = this; p; p = p->GetEnclPane())
            if (p->HandleDragMsg(list, here, mods, kDragMayAccept)) {
                startPane = p;
                break;
            }
        Session session{own};
        BeginDrag(list);
        DragState& s = Drag();
        s.startPane = startPane;
        s.canLeave = canLeavePane;
        list->SetSourceWindow(itsEnclWindow);
        list->ResetDragList();
        ClearDragException();

        KsPoint release = start;
        s.systemDrag = canLeavePane && list->CanDragToSystem();
        if (!s.systemDrag || !SystemTrackDrag(list, start, &release, &mods)) {
            s.systemDrag = false;
            Confinement box;
            if (!canLeavePane) {
                box = {true, GlobalBoundsOf(startPane), list->GetDragRgn().Bounds()};
            }
            release = TrackInApplication(list, box, start, &mods);
            SendDragMsg(release, mods, kDragDrop);
        }
        APane* dropPane = list->GetDropPane();
        const KsPoint at = InWindowOf(dropPane ? dropPane : this, release);
        if (dropPane) Deferring([&] { dropPane->DropHandler(list, at, mods); });
        if (pt) *pt = at;
        handled = list->AnyHandled();
        if (s.droppedHere) deferred = GetDragException();
        ClearDragException();
    }
    if (deferred.IsError()) throw deferred;
    return handled;
}

// A list of the pane itself, dragged by the outline of its bounds.
DragList* APane::GetMyDragList(KsPoint) {
    DragList* list = DragList::New(kDragSrcMayLeave, ToKsPoint(KsGetGlobalMouse()));
    list->AddDragThing(APaneDragThing::New(this));
    list->SetDragRgn(KsRgn(GlobalBoundsOf(this)));
    return list;
}

// ---------------------------------------------------------------------------
// Messages and the standard feedback

bool APane::HandleDragMsg(DragList* list, KsPoint pt, SInt16 modifiers, SInt16 message) {
    if (dragMsgProc) return dragMsgProc(this, list, pt, modifiers, message);
    const bool answer = DoDragFeedback(list, pt, modifiers, message);
    if (message != kDragDrop || !list || !AcceptDrop(list)) return answer;
    if (list->GetSrcKind() == kDragSrcSystem) HandleDropFromSystem(list, pt, modifiers);
    list->SetHandled(true);
    return true;
}

bool APane::DoDragFeedback(DragList*, KsPoint, SInt16, SInt16 message) {
    if (message == kDragMayAccept) return GetFlag(kPaneStdHandleOver);
    if (!GetFlag(kPaneStdHandleOver) || GetNumSubPanes() > 0) return true;
    if (message == kDragEnter) {
        Lighten(this);
    } else if (message == kDragLeave) {
        RestoreColour(this);
    } else if (message == kDragDrop) {
        SysBeep(kKsShortBeepTicks);
        RestoreColour(this);
    }
    return true;
}

// ---------------------------------------------------------------------------
// The window-level statics forward to the panes' drag.

void AWindow::BeginDrag(DragList* list) {
    APane::BeginDrag(list);
}
void AWindow::EndDrag() {
    APane::EndDrag();
}
bool AWindow::DoingDrag() {
    return APane::DoingDrag();
}
DragList* AWindow::GetDragList() {
    return APane::GetDragList();
}

// ---------------------------------------------------------------------------
// Default drawing: a frame inside the pane that takes the drop, and the drag
// region's outline for the ghost.

namespace {
constexpr SInt16 kAcceptFrame = 2;
}

void APane::DrawAcceptDrag() {
    AWindow* w = itsEnclWindow;
    if (!w || !w->GetWindowPtr() || !w->IsVisible() || !visible) return;
    StPortSaver port;
    SetPortWindowPort(w->GetWindowPtr());
    StClipSaver clip;
    StColorPenSaver pen;
    const Rect vis = ToRect(GetVisBounds());
    ClipRect(&vis);
    PenNormal();
    PenSize(kAcceptFrame, kAcceptFrame);
    RGBColor hilite;
    GetHiliteColor(&hilite);
    RGBForeColor(&hilite);
    const Rect r = ToRect(bounds);
    FrameRect(&r);
}

void APane::HideAcceptDrag() {
    KsRgn frame(bounds);
    frame.Subtract(bounds.Insetted(kAcceptFrame, kAcceptFrame));
    PaneInvalRgn(frame);
    if (itsEnclWindow) itsEnclWindow->UpdateIfNeeded();
}

void APane::DrawDragGhost(KsPoint pt) {
    const KsPoint origin = InWindowOf(this, {0, 0});
    ShowOutlineAt({pt.h - origin.h, pt.v - origin.v});
}

void APane::HideDragGhost() {
    HideOutline();
}
