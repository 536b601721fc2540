// APane events: hit testing, clicks, keys and tabbing, menus, mini-help, and
// the defaults of the drag hooks. Idle time and the cursor: APaneIdle.cpp.
//
// Walks over sub-panes hold the panes they call (StPaneHold), so that a
// handler may dispose of any pane, the one called included.
#include <algorithm>
#include <cstring>
#include <vector>

#include "APane.h"
#include "APanePrivate.h"
#include "APaneWalkPrivate.h"
#include "AWindow.h"
#include "KsDrawUtils.h"
#include "KsFatal.h"
#include "KsPointScan.h"
#include "MacText.h"

namespace {
constexpr SInt16 kTabCharCode = '\t';

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
    return PointInPortRegion(pt, static_cast<GrafPtr>(port));
}

// ---------------------------------------------------------------------------
// The table of sub-panes the scans read

void APane::ReserveSubTable() {
    const size_t n = size_t(GetNumSubPanes());
    if (!iSubTable) iSubTable = new APaneSubTable;
    APaneSubTable& t = *iSubTable;
    if (t.entries.capacity() >= n) return;
    // Doubling: a list filled one pane at a time moves its table a few times,
    // not once a pane.
    const size_t room = std::max(n, 2 * t.entries.capacity());
    // The enclosure's entries record where this table's arrays lie.
    if (itsEnclPane) itsEnclPane->iSubTableStale = true;
    t.bounds.reserve(room + 3);
    t.dawdle.reserve(room);
    t.cover.reserve(room);
    t.entries.reserve(room);
    t.hitGrid.Reserve(SInt32(room));
    t.idleGrid.Reserve(SInt32(room));
}

void APane::FreeSubTable(APaneSubTable* table) {
    delete table;
}

UInt8 APane::DeclaredWalkTraits() const {
    return typeid(*this) == typeid(APane) ? kWalkIdleKeepsTree | kWalkStandardInterior : 0;
}

void APane::MeasureInteriorOfFrame(const KsRect& frame) const {
    iInterior = FrameToInterior(frame);
    iInteriorFrame = frame;
    iInteriorBorder = border;
    iInteriorProc = borderProc;
    iInteriorKnown = true;
}

// The table, rebuilt when a writer has marked it stale or the list's count
// no longer matches it.
APaneSubTable* APane::RefreshSubTable() {
    // What the table records of a sub-pane's traits: its declaration, less
    // kWalkIdleKeepsTree when a pane below it does not keep the tree.
    auto traitsOf = [](APane* p) {
        const UInt8 declared = p->DeclaredWalkTraits();
        return p->SubtreeKeepsTree() ? declared : UInt8(declared & ~kWalkIdleKeepsTree);
    };
    const SInt32 n = subPanes ? subPanes->GetCount() : 0;
    if (!iSubTable) iSubTable = new APaneSubTable;
    APaneSubTable& t = *iSubTable;
    if (iSubTableStale || t.entries.size() != size_t(n)) {
        // The enclosure's entries record where the arrays lie and the count:
        // a change to either makes them stale.
        const KsRect* wasBounds = t.bounds.data();
        const APaneSubTable::Entry* wasEntries = t.entries.data();
        const size_t wasCount = t.entries.size();
        // Cleared first: a GetFrame that changed a pane would leave it stale.
        iSubTableStale = false;
        iSubTableCount = n;
        t.bounds.clear();
        t.dawdle.clear();
        t.cover.clear();
        t.entries.clear();
        t.allKeepTree = true;
        t.hitIsIdle = true;
        t.bounds.reserve(size_t(n) + 3);
        t.dawdle.reserve(size_t(n));
        t.cover.reserve(size_t(n));
        t.entries.reserve(size_t(n));
        for (SInt32 i = 1; i <= n; ++i) {
            auto* p = static_cast<APane*>(subPanes->At(i));
            if (!p) {
                t.bounds.push_back(kKsRectNowhere);
                t.dawdle.push_back(kKsRectNowhere);
                t.cover.push_back(kKsRectNowhere);
                t.entries.push_back({nullptr, kKsRectNowhere, nullptr, nullptr, nullptr, 0, 0});
                t.allKeepTree = false;
                continue;
            }
            const KsRect frame = p->GetFrame();
            const UInt8 traits = traitsOf(p);
            t.bounds.push_back(p->iOwnHitTest ? kKsRectEverywhere : p->bounds);
            t.dawdle.push_back(p->alwaysDawdle ? kKsRectEverywhere : frame);
            t.cover.push_back(t.bounds.back().Union(frame));
            t.hitIsIdle = t.hitIsIdle && t.bounds.back() == t.dawdle.back();
            const APaneSubTable* sub = p->iSubTable;
            t.entries.push_back({p, frame, sub, sub ? sub->bounds.data() : nullptr,
                                 sub ? sub->entries.data() : nullptr,
                                 sub ? SInt32(sub->entries.size()) : 0, traits});
            t.allKeepTree = t.allKeepTree && (traits & kWalkIdleKeepsTree);
        }
        // The hit scan reads whole fours (KsPointScan::HoldingInFours).
        while (t.bounds.size() % 4 != 0)
            t.bounds.push_back(kKsRectNowhere);
        t.hitGrid.Build(t.bounds.data(), n);
        t.idleGrid.Build(t.dawdle.data(), n);
        if (itsEnclPane && (t.bounds.data() != wasBounds || t.entries.data() != wasEntries ||
                            t.entries.size() != wasCount))
            itsEnclPane->iSubTableStale = true;
    }
#ifndef NDEBUG
    // Every writer marks the table stale; a miss shows here, in every test.
    for (SInt32 i = 1; i <= n; ++i) {
        auto* p = static_cast<APane*>(subPanes->At(i));
        const APaneSubTable::Entry& e = t.entries[size_t(i - 1)];
        FtlAssert(e.pane == p);
        if (!p) continue;
        FtlAssert(t.bounds[size_t(i - 1)] == (p->iOwnHitTest ? kKsRectEverywhere : p->bounds));
        FtlAssert(e.frame == p->GetFrame());
        FtlAssert(t.dawdle[size_t(i - 1)] == (p->alwaysDawdle ? kKsRectEverywhere : e.frame));
        FtlAssert(t.cover[size_t(i - 1)] == t.bounds[size_t(i - 1)].Union(e.frame));
        // Read without measuring the sub-pane's own table again: a change
        // below it marks this table stale too, and the rebuild measured it.
        const UInt8 declared = p->DeclaredWalkTraits();
        FtlAssert((e.traits & ~kWalkIdleKeepsTree) == (declared & ~kWalkIdleKeepsTree));
        if (e.traits & kWalkIdleKeepsTree)
            FtlAssert((declared & kWalkIdleKeepsTree) &&
                      (!p->subPanes || p->subPanes->GetCount() == 0 ||
                       (p->iSubTable && p->iSubTable->allKeepTree)));
    }
#endif
    return &t;
}

// Whether every pane below this one keeps the tree when given idle time.
bool APane::SubtreeKeepsTree() {
    return !subPanes || subPanes->GetCount() == 0 || CurrentSubTable()->allKeepTree;
}

// ---------------------------------------------------------------------------
// Hit testing and clicks

APane* APane::FindPane(KsPoint pt, bool wantEnclosure, bool selectionAware) {
    if (!InRectInclusive(bounds, pt)) return nullptr;
    APane* hit;
    if (itsEnclPane) {
        if (!IsVisible()) return nullptr;
        const PortExposure shown(PortOf(itsEnclWindow));
        if (!shown.ShowsInline(bounds)) return nullptr;
        hit = DescendHit(this, VisibleInteriorArea(), shown, pt, selectionAware);
    } else {
        const MainPaneView v = ViewInWindow(DeclaredWalkTraits());
        const PortExposure shown(v.port);
        bool pixel;
        if (!v.Takes(pt, bounds, shown, &pixel)) return nullptr;
        // Where the pixel shows and lies in the interior, the descent reads
        // the area only for that test, which the interior answers alike.
        hit = DescendHit(this, pixel && v.interior.Contains(pt) ? v.interior : v.Area(), shown, pt,
                         selectionAware);
    }
    return wantEnclosure ? hit->itsEnclPane : hit;
}

// FindPane's descent from hit, a pane it has chosen, given the area hit's
// enclosures and hit leave visible. Iterative: at each level the front-most
// hit sub-pane. The port is read once; only the bounds are tested until a
// candidate contains the point. While the point's pixel shows and lies in
// every interior on the way, a candidate that holds the pixel shows, and the
// area is not carried down: the rare test that needs it works it out, and it
// is carried from a level where the point lies outside it. A sub-pane that
// tests hits itself is asked instead, wherever the point is; its answer ends
// the descent, and without one the scan goes on behind it. Each level reads
// its table where the entry that chose its pane recorded it, once vouched
// for, so that its reads need not wait for the pane's or the table's header.
APane* APane::DescendHit(APane* hit, KsRect area, const PortExposure& shown, KsPoint pt,
                         bool selectionAware) {
    const KsPointScan scan(pt);
    bool quick = shown.ShowsPixel(pt) && area.Contains(pt);
    bool areaKnown = !quick; // carried from a level where quick failed
    // hit's table, where hit has sub-panes.
    const auto viewOf = [](APane* p) {
        return p->subPanes && p->subPanes->GetCount() > 0 ? APaneTableView(*p->CurrentSubTable())
                                                          : APaneTableView();
    };
    APaneTableView t = viewOf(hit);
    while (t.table) {
        if (selectionAware && hit->GetSelected() &&
            !InRectInclusive(hit->bounds.Insetted(3, 3), pt))
            break;
        const KsRect* knownArea = areaKnown ? &area : nullptr;
        SInt32 k, n = t.count;
        while ((k = HitChoice(t, n, hit, knownArea, shown, quick, scan, pt)) < 0) {
            // A sub-pane that tests hits itself, in front of any other
            // choice. The table is fetched again after the call: its answer
            // is not bound to leave the list alone.
            if (APane* own = t.entries[-k - 1].pane->FindPane(pt, false, selectionAware))
                return own;
            if (!(t = viewOf(hit)).table) return hit;
            n = std::min<SInt32>(-k - 1, t.count);
        }
        if (k == 0) break;
        const APaneSubTable::Entry& chosen = t.entries[k - 1];
        chosen.PrefetchNext();
        hit = chosen.pane;
        // A leaf needs no area for a level below it.
        if (!chosen.sub && !(hit->subPanes && hit->subPanes->GetCount() > 0)) break;
        const KsRect& interior = chosen.traits & kWalkStandardInterior
                                     ? hit->InteriorOfFrame(chosen.frame)
                                     : hit->GetInterior();
        if (areaKnown) {
            area = area.Intersect(interior);
        } else if (!quick) {
            // On from a level where the point lay outside the area.
            area = hit->VisibleInteriorArea();
            areaKnown = true;
        }
        quick = quick && interior.Contains(pt);
        // Vouched for after the interior: a subclass's GetInterior may have
        // changed the list.
        t = APaneSubTable::Vouched(chosen);
        if (!t.table) t = viewOf(hit);
    }
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
    const PortExposure shown(PortOf(itsEnclWindow));
    for (SInt32 i = GetNumSubPanes(); i >= 1; --i) {
        APane* p = GetSubPane(i);
        const KsRect hitRect = p->clickInLabel ? p->bounds : p->GetFrame();
        if (InRectInclusive(hitRect, pt) && p->IsVisible() && shown.Shows(hitRect)) {
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

bool APane::TakeTabCall(KsRect* enclArea) {
    APaneSubTable* t = itsEnclPane ? itsEnclPane->iSubTable : nullptr;
    if (!t || t->call.callee != this) return false;
    t->call.callee = nullptr;
    if (t->call.window != itsEnclWindow) return false;
    *enclArea = t->call.area;
    return true;
}

void APane::FindTEpanes(APane** current, APane** next, APane** first, bool backwards) {
    KsRect enclArea;
    const bool called = TakeTabCall(&enclArea);
    TabWalk(current, next, first, backwards, called ? &enclArea : nullptr);
}

void APane::TabWalk(APane** current, APane** next, APane** first, bool backwards,
                    const KsRect* enclArea) {
    // The area left by the enclosures comes from the enclosure's walk or is
    // worked out once here, so the walk stays linear in the number of panes.
    bool areaKnown = false, enclosuresShown = false;
    KsRect area;
    if (enclArea) {
        enclosuresShown = visible;
        if (enclosuresShown) area = enclArea->Intersect(GetInterior());
        areaKnown = true;
    }
    // Held: the walk's record of its calls lives with this pane.
    StPaneHold hold(this);
    APaneSubTable* table = nullptr;
    const SInt32 n = GetNumSubPanes();
    for (SInt32 k = 1; k <= n; ++k) {
        APane* p = GetSubPane(backwards ? n + 1 - k : k);
        if (!p || !p->visible) continue;
        const bool sameWindow = p->itsEnclWindow == itsEnclWindow;
        if (sameWindow) {
            if (!areaKnown) {
                enclosuresShown = EnclosuresVisible();
                if (enclosuresShown) area = VisibleInteriorArea();
                areaKnown = true;
            }
            if (!enclosuresShown || !p->VisibleWithin(area)) continue;
        } else if (!p->IsVisible()) {
            continue;
        }
        if (p->CanBeTabbedTo()) {
            if (!*first) *first = p;
            if (p->active)
                *current = p;
            else if (*current && !*next)
                *next = p;
        }
        if (!p->subPanes) continue;
        if (sameWindow) {
            if (!table) table = CurrentSubTable();
            APaneSubTable::Call record{p, itsEnclWindow, area};
            StWalkCall call(table, record);
            p->FindTEpanes(current, next, first, backwards);
        } else {
            p->FindTEpanes(current, next, first, backwards);
        }
    }
}

bool APane::DoKeyDown(SInt16 charCode, SInt16 keyCode, EventRecord* event, void* data) {
    if (!subPanes) return false;
    if (event && (event->modifiers & cmdKey)) return false;
    if (charCode == 0 && event) {
        charCode = SInt16(event->message & charCodeMask);
        keyCode = SInt16((event->message & keyCodeMask) >> 8);
    }
    if (charCode == 0 && keyCode == 0) return false;
    StPaneHold hold(this);
    bool handled = false;
    AWindow* w = itsEnclWindow && KsIsLiveWindow(itsEnclWindow) ? itsEnclWindow : nullptr;
    if (!itsEnclPane && w) {
        APane* target = w->GetTargetPane();
        if (charCode == kTabCharCode || !target || !target->active) {
            APane *current = nullptr, *next = nullptr, *first = nullptr;
            const bool shift = event && (event->modifiers & shiftKey);
            FindTEpanes(&current, &next, &first, shift);
            if (!next) next = first;
            w->SetTargetPane(current);
            if (charCode == kTabCharCode && current != next) {
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
// print machinery overrides them. The drag itself, its messages and the
// standard feedback: APaneDrag.cpp.

bool APane::AcceptDrop(DragList*) {
    return false;
}
void APane::DropHandler(DragList*, KsPoint, SInt16) {}
void APane::HandleDropFromSystem(DragList*, KsPoint, SInt16) {}
void APane::ResetDragCursor() {}
void APane::HiliteAcceptDrag(bool) {}
