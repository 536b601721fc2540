// APane events: hit testing, clicks, keys and tabbing, menus, idle time and
// the cursor, mini-help, and the defaults of the drag and print hooks.
//
// Walks over sub-panes hold the panes they call (StPaneHold), so that a
// handler may dispose of any pane, the one called included.
#include <cstring>

#include "APane.h"
#include "APanePrivate.h"
#include "AWindow.h"
#include "Cursors.h"
#include "KsDrawUtils.h"
#include "KsFatal.h"
#include "MacText.h"
#include "QuickDraw.h"
#include "Windows.h"

namespace {
bool InRectInclusive(const KsRect& r, KsPoint pt) {
    return pt.h >= r.left && pt.h <= r.right && pt.v >= r.top && pt.v <= r.bottom;
}

GrafPtr PortOf(const AWindow* w) {
    return w && w->GetWindowPtr() ? GetWindowPort(w->GetWindowPtr()) : nullptr;
}

KsRgn ShownRegion(GrafPtr port) {
    KsRgn shown = RgnHandleToKsRgn(port->visRgn);
    shown.Intersect(RgnHandleToKsRgn(port->clipRgn));
    return shown;
}
} // namespace

// The part of the window this pane's enclosures leave to its contents: its
// interior within every enclosure's interior and the port. Only meaningful
// when the pane and its enclosures are visible.
KsRect APane::VisibleInteriorArea() const {
    KsRect r = GetInterior();
    for (const APane* p = itsEnclPane; p && !r.IsEmpty(); p = p->itsEnclPane)
        r = r.Intersect(p->GetInterior());
    if (itsEnclWindow)
        if (WindowPtr w = itsEnclWindow->GetWindowPtr())
            r = r.Intersect(ToKsRect(GetWindowPort(w)->portRect));
    return r;
}

// IsVisible for a pane whose enclosures are known visible, in a visible
// window, given the area they leave (VisibleInteriorArea of the enclosure).
bool APane::VisibleWithin(const KsRect& enclosureArea) const {
    return visible && !bounds.Union(GetFrame()).Intersect(enclosureArea).IsEmpty();
}

// This pane and all its enclosures are visible, in a visible window.
bool APane::EnclosuresVisible() const {
    if (!itsEnclWindow || !itsEnclWindow->IsVisible()) return false;
    for (const APane* p = this; p; p = p->itsEnclPane)
        if (!p->visible) return false;
    return true;
}

bool APane::PointInVisibleRegion(KsPoint pt, void* port) const {
    auto* p = static_cast<GrafPtr>(port);
    return p && p->visRgn && PtInRgn(ToPoint(pt), p->visRgn);
}

// ---------------------------------------------------------------------------
// Hit testing and clicks

APane* APane::FindPane(KsPoint pt, bool wantEnclosure, bool selectionAware) {
    // Iterative descent: at each level the front-most hit sub-pane. The
    // port's visible and clip regions are intersected once, and the area left
    // visible by the enclosures is carried down instead of re-walked for
    // every candidate.
    if (!InRectInclusive(bounds, pt) || !IsVisible()) return nullptr;
    GrafPtr port = PortOf(itsEnclWindow);
    if (!port || bounds.IsEmpty()) return nullptr;
    const KsRgn shown = ShownRegion(port);
    if (!shown.Overlaps(bounds)) return nullptr;
    KsRect area = VisibleInteriorArea();
    APane* hit = this;
    for (;;) {
        if (selectionAware && hit->GetSelected() &&
            !InRectInclusive(hit->bounds.Insetted(3, 3), pt))
            break;
        APane* next = nullptr;
        for (SInt32 i = hit->GetNumSubPanes(); i >= 1; --i) {
            APane* p = static_cast<APane*>(hit->subPanes->At(i));
            if (!InRectInclusive(p->bounds, pt)) continue;
            const bool seen =
                p->itsEnclWindow == itsEnclWindow
                    ? p->VisibleWithin(area) && shown.Overlaps(p->bounds)
                    : p->IsVisible() && RectIsVisibleInPort(p->bounds, PortOf(p->itsEnclWindow));
            if (seen) {
                next = p;
                break;
            }
        }
        if (!next) break;
        hit = next;
        area = area.Intersect(hit->GetInterior());
    }
    if (wantEnclosure) return hit->itsEnclPane;
    return hit;
}

void APane::DoClick(KsPoint pt, SInt16 modifiers, SInt32 when, void* data) {
    if (!subPanes) return;
    StPaneHold hold(this);
    if (!itsEnclPane) {
        APane* p = FindPane(pt, false, false);
        if (p && !p->active && (p->CanBeTabbedTo() || p->IsInstanceOf("AMacControl"))) {
            // The focus leaves before the click lands.
            ForEachSubPane(
                [](APane* q, void*, void*) {
                    if (q->canBeTabbedTo && q->active) q->TabFrom();
                    return true;
                },
                nullptr, nullptr);
        }
    }
    if (!hold.Alive() || !subPanes) return;
    GrafPtr port = PortOf(itsEnclWindow);
    for (SInt32 i = GetNumSubPanes(); i >= 1; --i) {
        APane* p = GetSubPane(i);
        const KsRect hitRect = p->clickInLabel ? p->bounds : p->GetFrame();
        if (InRectInclusive(hitRect, pt) && p->IsVisible() && RectIsVisibleInPort(hitRect, port)) {
            StPaneHold held(p);
            p->DoClick(pt, modifiers, when, data);
            break;
        }
    }
    ClipWideOpen();
}

bool APane::DoCaptureClick(EventRecord*, SInt16) {
    return false;
}

// ---------------------------------------------------------------------------
// Keys and focus

bool APane::CanBeTabbedTo() const {
    return canBeTabbedTo && !displayOnly;
}

void APane::TabTo() {
    Activate();
}

void APane::TabFrom() {
    Deactivate();
}

void APane::Activate() {
    for (SInt32 i = 1; i <= GetNumSubPanes(); ++i)
        if (!GetSubPane(i)->CanBeTabbedTo()) GetSubPane(i)->Activate();
}

void APane::Deactivate() {
    for (SInt32 i = 1; i <= GetNumSubPanes(); ++i)
        GetSubPane(i)->Deactivate();
}

void APane::FindTEpanes(APane** current, APane** next, APane** first, bool backwards) {
    const SInt32 n = GetNumSubPanes();
    for (SInt32 k = 1; k <= n; ++k) {
        APane* p = GetSubPane(backwards ? n + 1 - k : k);
        if (!p->visible || !p->IsVisible()) continue;
        if (p->CanBeTabbedTo()) {
            if (!*first) *first = p;
            if (p->active)
                *current = p;
            else if (*current && !*next)
                *next = p;
        }
        if (p->subPanes) p->FindTEpanes(current, next, first, backwards);
    }
}

bool APane::DoKeyDown(SInt16 charCode, SInt16 keyCode, EventRecord* event, void* data) {
    if (!subPanes) return false;
    if (event && (event->modifiers & 0x100)) return false;
    if (charCode == 0 && event) {
        charCode = SInt16(event->message & 0xFF);
        keyCode = SInt16((event->message >> 8) & 0xFF);
    }
    if (charCode == 0 && keyCode == 0) return false;
    StPaneHold hold(this);
    bool handled = false;
    AWindow* w = itsEnclWindow && KsIsLiveWindow(itsEnclWindow) ? itsEnclWindow : nullptr;
    if (!itsEnclPane && w) {
        APane* target = w->GetTargetPane();
        if (charCode == 9 || !target || !target->active) {
            APane *current = nullptr, *next = nullptr, *first = nullptr;
            const bool shift = event && (event->modifiers & 0x200);
            FindTEpanes(&current, &next, &first, shift);
            if (!next) next = first;
            w->SetTargetPane(current);
            if (charCode == 9 && current != next) {
                if (current) current->TabFrom();
                if (next) next->TabTo();
                w->SetTargetPane(next);
                return true;
            }
        }
        if (APane* t = w->GetTargetPane()) {
            StPaneHold held(t);
            handled = t->DoKeyDown(charCode, keyCode, event, data);
        }
    }
    if (!hold.Alive() || !subPanes) return handled;
    APane* target = w ? w->GetTargetPane() : nullptr;
    AListIterator it(*subPanes);
    APane* p = nullptr;
    while (!handled && it.Next(&p)) {
        if (p == target || !p->IsVisible()) continue;
        StPaneHold held(p);
        handled = p->DoKeyDown(charCode, keyCode, event, data);
    }
    return handled;
}

// ---------------------------------------------------------------------------
// Menus

bool APane::DoMenuSelect(SInt32 menu, SInt32 item, void* data) {
    if (!subPanes || !handlesMenus) return false;
    StPaneHold hold(this);
    AListIterator it(*subPanes);
    APane* p = nullptr;
    while (it.Next(&p)) {
        if (!p->handlesMenus || !p->IsVisible()) continue;
        StPaneHold held(p);
        if (p->DoMenuSelect(menu, item, data)) return true;
    }
    return false;
}

void APane::UpdateMenus(void* data, EventRecord* event) {
    if (!subPanes || !updatesMenus) return;
    StPaneHold hold(this);
    AListIterator it(*subPanes);
    APane* p = nullptr;
    while (it.Next(&p)) {
        if (!p->updatesMenus || !p->IsVisible()) continue;
        StPaneHold held(p);
        p->UpdateMenus(data, event);
    }
}

// ---------------------------------------------------------------------------
// Idle time and the cursor

void APane::Dawdle(KsPoint pt, SInt16 modifiers, SInt32* sleep, SInt16* cursorID, void* data) {
    SInt16 localCursor = -1;
    if (!cursorID) cursorID = &localCursor;
    const bool isMain = itsEnclPane == nullptr;
    if (isMain) *cursorID = -1;
    StPaneHold hold(this);
    GrafPtr port = PortOf(itsEnclWindow);
    if (subPanes && (InRectInclusive(GetInterior(), pt) || alwaysDawdle)) {
        // The cheap tests first; the visibility of this pane's enclosures is
        // worked out once, and again only after a handler has run.
        bool areaKnown = false, enclosuresShown = false;
        KsRect area;
        AListIterator it(*subPanes);
        APane* p = nullptr;
        while (it.Next(&p)) {
            if (!p->visible) continue;
            if (!p->alwaysDawdle && !InRectInclusive(p->GetFrame(), pt)) continue;
            bool shown;
            if (p->itsEnclWindow == itsEnclWindow) {
                if (!areaKnown) {
                    enclosuresShown = EnclosuresVisible();
                    if (enclosuresShown) area = VisibleInteriorArea();
                    areaKnown = true;
                }
                shown = enclosuresShown && p->VisibleWithin(area);
            } else {
                shown = p->IsVisible();
            }
            if (!shown) continue;
            if (p->alwaysDawdle || PointInVisibleRegion(pt, port)) {
                StPaneHold held(p);
                p->Dawdle(pt, modifiers, sleep, cursorID, data);
                areaKnown = false;
            }
        }
    }
    if (!isMain || !hold.Alive() || !PointInVisibleRegion(pt, port) || *cursorID == 0) return;
    EventRecord ev{};
    ev.modifiers = UInt16(modifiers);
    const bool right = itsEnclWindow && KsIsLiveWindow(itsEnclWindow)
                           ? itsEnclWindow->IsRightMouseButton(&ev)
                           : (modifiers & 0x1000) != 0;
    if (right)
        SetCursorByID(kRightButtonCursorID);
    else if (*cursorID == -1 && defaultsCursor)
        SetArrowCursor();
    else if (*cursorID != -1) {
        if (GetCursor(*cursorID))
            SetCursorByID(*cursorID);
        else
            KsSetCCursor(*cursorID);
    }
}

// ---------------------------------------------------------------------------
// Mini-help

void APane::GetMiniHelpText(char* buf, SInt32 len) {
    if (!buf || len < 1) return;
    buf[0] = 0;
    if (label && !labeldx && !labeldy) label->GetText(buf, len);
    if (!buf[0] && helpText) helpText->GetText(buf, len);
}

bool APane::HasMiniHelpText() {
    if (iFlags & kPaneNoMiniHelp) return false;
    char buf[4] = {};
    GetMiniHelpText(buf, 3);
    FtlAssert(buf[3] == 0);
    return buf[0] != 0;
}

KsPoint APane::GetMiniHelpAlignment(KsPoint) const {
    return {0, SInt32(GetInterior().left < 20 ? -1 : 1)};
}

// ---------------------------------------------------------------------------
// Drag and print hooks: the defaults refuse and do nothing; the drag and
// print machinery overrides them.

bool APane::DoDrag(KsPoint*, DragList*, bool) {
    return false;
}
bool APane::HandleDragMsg(DragList* list, KsPoint pt, SInt16 modifiers, SInt16 message) {
    if (dragMsgProc) return dragMsgProc(this, list, pt, modifiers, message);
    return DoDragFeedback(list, pt, modifiers, message);
}
bool APane::DoDragFeedback(DragList*, KsPoint, SInt16, SInt16 message) {
    return message == 1 ? GetFlag(kPaneStdHandleOver) : true;
}
bool APane::AcceptDrop(DragList*) {
    return false;
}
void APane::DropHandler(DragList*, KsPoint, SInt16) {}
void APane::HandleDropFromSystem(DragList*, KsPoint, SInt16) {}
DragList* APane::GetMyDragList(KsPoint) {
    return nullptr;
}
void APane::ResetDragCursor() {}
void APane::DrawAcceptDrag() {}
void APane::HideAcceptDrag() {}
void APane::DrawDragGhost(KsPoint) {}
void APane::HideDragGhost() {}
bool APane::HasExitedStartPane() const {
    return false;
}
void APane::HiliteAcceptDrag(bool) {}
