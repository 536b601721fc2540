// APane events: hit testing, clicks, keys and tabbing, menus, idle time and
// the cursor, mini-help, and the defaults of the drag hooks.
//
// Walks over sub-panes hold the panes they call (StPaneHold), so that a
// handler may dispose of any pane, the one called included.
#include <algorithm>
#include <cstring>
#include <vector>

#include "APane.h"
#include "APanePrivate.h"
#include "AWindow.h"
#include "Cursors.h"
#include "KsDrawUtils.h"
#include "KsFatal.h"
#include "KsPointScan.h"
#include "KsRectGrid.h"
#include "MacText.h"
#include "QuickDraw.h"
#include "Windows.h"

namespace {
constexpr SInt16 kTabCharCode = '\t';

bool InRectInclusive(const KsRect& r, KsPoint pt) {
    return pt.h >= r.left && pt.h <= r.right && pt.v >= r.top && pt.v <= r.bottom;
}

GrafPtr PortOf(const AWindow* w) {
    return w && w->GetWindowPtr() ? GetWindowPort(w->GetWindowPtr()) : nullptr;
}

constexpr bool Fits16(const KsRect& r) {
    return r.left >= -32768 && r.top >= -32768 && r.right <= 32767 && r.bottom <= 32767;
}

// Whether a rectangle shows through a port's visible and clip regions, the
// answer RectIsVisibleInPort gives, without copying either region. The
// toolbox answers from each region's header whether it is a rectangle (or
// nothing) and its bounding box, clamped to 16 bits; for a rectangle that lies in 16
// bits the clamped box of a rectangular region meets it exactly as the
// region does. Read once per walk: nothing a walk calls may change the port
// before the walk asks again (a handler that runs restarts the reading).
class PortExposure {
public:
    explicit PortExposure(GrafPtr port) : port_(port) {
        if (!port || !port->visRgn || !port->clipRgn) return;
        if (!KsRgnIsRect(port->clipRgn)) return;
        clip_ = ToKsRect(KsRgnBounds(port->clipRgn));
        clipIsRect_ = true;
        visIsRect_ = KsRgnIsRect(port->visRgn);
        vis_ = ToKsRect(KsRgnBounds(port->visRgn));
    }
    bool Shows(const KsRect& r) const {
        if (!port_ || r.IsEmpty()) return false;
        if (!clipIsRect_ || !Fits16(r)) return RectIsVisibleInPort(r, port_);
        const KsRect c = r.Intersect(clip_);
        if (c.IsEmpty()) return false;
        if (visIsRect_) return c.Overlaps(vis_);
        const Rect q = ToRect(c);
        return RectInRgn(&q, port_->visRgn);
    }

private:
    GrafPtr port_;
    KsRect clip_{}, vis_{};
    bool clipIsRect_ = false, visIsRect_ = false;
};

// Whether a point lies in a port's visible region; asked once a level of
// every idle walk, so the common case is answered here, inline. A
// rectangular (or empty) region is its bounding box, unless the box was
// clamped to 16 bits; a point beyond 16 bits, which ToPoint would clamp onto
// a 16-bit limit, is outside such a box either way.
inline bool PointInPortRegion(KsPoint pt, GrafPtr port) {
    if (!port || !port->visRgn) return false;
    const Rect b = KsRgnBounds(port->visRgn);
    if (KsRgnIsRect(port->visRgn) && b.left > -32768 && b.top > -32768 && b.right < 32767 &&
        b.bottom < 32767)
        return pt.h >= b.left && pt.h < b.right && pt.v >= b.top && pt.v < b.bottom;
    return PtInRgn(ToPoint(pt), port->visRgn);
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
    return PointInPortRegion(pt, static_cast<GrafPtr>(port));
}

// ---------------------------------------------------------------------------
// The table of sub-panes the scans read

// Hit testing reads only the bounds of most candidates and idle time only the
// frame and alwaysDawdle: packed here, in list order, they cost a few bytes a
// candidate instead of a cache line of a separately allocated pane and a
// virtual GetFrame. The storage is kept across rebuilds, so a table that has
// reached its size allocates no more.
struct APaneSubTable {
    struct Entry {
        APane* pane;
        KsRect frame;
        // The pane's declared traits; kWalkIdleKeepsTree only when every pane
        // of its subtree declares it too, since its walk calls them all.
        UInt8 traits;
    };
    // What hit testing scans: the bounds, or everywhere for a pane that
    // tests hits itself (its FindPane is asked wherever the point is).
    std::vector<KsRect> bounds;
    std::vector<KsRect> dawdle; // what idle time scans: the frame, or everywhere
    std::vector<Entry> entries;
    bool allKeepTree = true; // every entry's traits hold kWalkIdleKeepsTree
    // For a long list (a window of many controls), grids over bounds and
    // dawdle let a scan read the entries near the point only.
    KsRectGrid hitGrid, idleGrid;

    // The sub-pane this pane's idle or tab walk is calling, and the area the
    // walk vouches is left visible by its enclosures (the window it was
    // worked out for included). Taken by that sub-pane on entry
    // (TakeWalkCall), before anything else runs there; withdrawn when the
    // call ends (StWalkCall). An idle walk's record also vouches that the
    // walk holds the pane it calls. The port is not recorded: an override may
    // change it before it calls the APane walk.
    // With kWalkStandardInterior the record carries the callee's interior,
    // measured from the frame in the table.
    struct Call {
        const APane* callee = nullptr;
        const AWindow* window = nullptr;
        KsRect area{};
        KsRect interior{};
        bool interiorKnown = false;
        APane::WalkKind kind = APane::WalkKind::kIdle;
    } call;
};

namespace {
// Records a walk's call of a sub-pane in the walking pane's table, and
// withdraws it when the call ends, by a throw too: a record left behind would
// vouch for a hold and an area that no longer stand.
class StWalkCall {
public:
    StWalkCall(APaneSubTable* table, const APaneSubTable::Call& call) : table_(table) {
        table_->call = call;
    }
    ~StWalkCall() { table_->call.callee = nullptr; }
    StWalkCall(const StWalkCall&) = delete;
    StWalkCall& operator=(const StWalkCall&) = delete;

private:
    APaneSubTable* table_;
};
} // namespace

void APane::ReserveSubTable() {
    const size_t n = size_t(GetNumSubPanes());
    if (!iSubTable) iSubTable = new APaneSubTable;
    APaneSubTable& t = *iSubTable;
    if (t.entries.capacity() >= n) return;
    // Doubling: a list filled one pane at a time moves its table a few times,
    // not once a pane.
    const size_t room = std::max(n, 2 * t.entries.capacity());
    t.bounds.reserve(room);
    t.dawdle.reserve(room);
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

const KsRect& APane::InteriorOfFrame(const KsRect& frame) const {
    if (!iInteriorKnown || frame != iInteriorFrame || border != iInteriorBorder ||
        borderProc != iInteriorProc) {
        iInterior = FrameToInterior(frame);
        iInteriorFrame = frame;
        iInteriorBorder = border;
        iInteriorProc = borderProc;
        iInteriorKnown = true;
    }
    return iInterior;
}

// The walks' way in: the check of a current table inlines into them.
APaneSubTable* APane::CurrentSubTable() {
#ifdef NDEBUG
    if (!iSubTableStale && iSubTable && subPanes && subPanes->GetCount() == iSubTableCount)
        return iSubTable;
#endif
    return RefreshSubTable();
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
        // Cleared first: a GetFrame that changed a pane would leave it stale.
        iSubTableStale = false;
        iSubTableCount = n;
        t.bounds.clear();
        t.dawdle.clear();
        t.entries.clear();
        t.allKeepTree = true;
        t.bounds.reserve(size_t(n));
        t.dawdle.reserve(size_t(n));
        t.entries.reserve(size_t(n));
        for (SInt32 i = 1; i <= n; ++i) {
            auto* p = static_cast<APane*>(subPanes->At(i));
            if (!p) {
                t.bounds.push_back(kKsRectNowhere);
                t.dawdle.push_back(kKsRectNowhere);
                t.entries.push_back({nullptr, kKsRectNowhere, 0});
                t.allKeepTree = false;
                continue;
            }
            const KsRect frame = p->GetFrame();
            const UInt8 traits = traitsOf(p);
            t.bounds.push_back(p->iOwnHitTest ? kKsRectEverywhere : p->bounds);
            t.dawdle.push_back(p->alwaysDawdle ? kKsRectEverywhere : frame);
            t.entries.push_back({p, frame, traits});
            t.allKeepTree = t.allKeepTree && (traits & kWalkIdleKeepsTree);
        }
        t.hitGrid.Build(t.bounds.data(), n);
        t.idleGrid.Build(t.dawdle.data(), n);
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
    // Iterative descent: at each level the front-most hit sub-pane. The area
    // the enclosures leave visible is carried down rather than re-walked for
    // every candidate, and the port is read once; only the bounds are tested
    // until a candidate contains the point. A sub-pane that tests hits
    // itself is asked instead, wherever the point is; its answer ends the
    // descent, and without one the scan goes on behind it.
    if (!InRectInclusive(bounds, pt) || !IsVisible()) return nullptr;
    const PortExposure shown(PortOf(itsEnclWindow));
    if (!shown.Shows(bounds)) return nullptr;
    KsRect area = VisibleInteriorArea();
    const KsPointScan scan(pt);
    APane* hit = this;
    bool asked = false; // hit is the answer of a FindPane of its own
    while (!asked) {
        if (selectionAware && hit->GetSelected() &&
            !InRectInclusive(hit->bounds.Insetted(3, 3), pt))
            break;
        APane* next = nullptr;
        const APaneSubTable::Entry* chosen = nullptr; // next's entry, when scanned
        SInt32 i = hit->subPanes ? hit->subPanes->GetCount() : 0;
        while (i >= 1 && !next) {
            const APaneSubTable& t = *hit->CurrentSubTable();
            const KsRect* b = t.bounds.data();
            const auto last = [&](SInt32 k) {
                return t.hitGrid.On() ? t.hitGrid.Last(b, pt, k) : scan.Last(b, k);
            };
            for (i = last(std::min<SInt32>(i, SInt32(t.bounds.size()))); i >= 1; i = last(i - 1)) {
                const APaneSubTable::Entry& e = t.entries[size_t(i - 1)];
                APane* p = e.pane;
                if (!p) continue;
                if (p->iOwnHitTest) break;
                const KsRect& pb = b[i - 1];
                const bool seen =
                    p->itsEnclWindow == itsEnclWindow
                        ? p->visible && !pb.Union(e.frame).Intersect(area).IsEmpty() &&
                              shown.Shows(pb)
                        : p->IsVisible() && RectIsVisibleInPort(pb, PortOf(p->itsEnclWindow));
                if (seen) {
                    next = p;
                    chosen = &e;
                    break;
                }
            }
            if (i < 1 || next) break;
            // The table is fetched again after the call: the answer of a
            // FindPane of its own is not bound to leave the list alone.
            next = t.entries[size_t(i - 1)].pane->FindPane(pt, false, selectionAware);
            asked = next != nullptr;
            --i;
        }
        if (!next) break;
        hit = next;
        // A leaf needs no area for a level below it.
        if (!asked && hit->subPanes && hit->subPanes->GetCount() > 0)
            area = area.Intersect(chosen->traits & kWalkStandardInterior
                                      ? hit->InteriorOfFrame(chosen->frame)
                                      : hit->GetInterior());
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

bool APane::TakeWalkCall(WalkKind kind, KsRect* enclArea, KsRect* interior) {
    APaneSubTable* t = itsEnclPane ? itsEnclPane->iSubTable : nullptr;
    if (!t || t->call.callee != this || t->call.kind != kind) return false;
    t->call.callee = nullptr;
    if (t->call.window != itsEnclWindow) return false;
    *enclArea = t->call.area;
    if (interior) *interior = t->call.interiorKnown ? t->call.interior : kKsRectNowhere;
    return true;
}

void APane::FindTEpanes(APane** current, APane** next, APane** first, bool backwards) {
    KsRect enclArea;
    const bool called = TakeWalkCall(WalkKind::kTab, &enclArea);
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
            record.kind = WalkKind::kTab;
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
// Idle time and the cursor

void APane::Dawdle(KsPoint pt, SInt16 modifiers, SInt32* sleep, SInt16* cursorID, void* data) {
    KsRect enclArea, interior = kKsRectNowhere;
    const bool called = TakeWalkCall(WalkKind::kIdle, &enclArea, &interior);
    DawdleWalk(pt, modifiers, sleep, cursorID, data, called ? &enclArea : nullptr,
               interior == kKsRectNowhere ? nullptr : &interior);
}

void APane::DawdleWalk(KsPoint pt, SInt16 modifiers, SInt32* sleep, SInt16* cursorID, void* data,
                       const KsRect* enclArea, const KsRect* calledInterior) {
    SInt16 localCursor = -1;
    if (!cursorID) cursorID = &localCursor;
    const bool isMain = itsEnclPane == nullptr;
    if (isMain) *cursorID = -1;
    // The visibility of this pane's enclosures is worked out once (or taken
    // from the enclosure's walk), and again only after a handler has run.
    bool areaKnown = false, enclosuresShown = false;
    KsRect area;
    // Measured once, and only where there are sub-panes to walk: most panes
    // given idle time are leaves. The enclosure's walk measures it when the
    // class keeps GetInterior standard.
    const KsRect interior = !subPanes ? KsRect{} : calledInterior ? *calledInterior : GetInterior();
    if (enclArea) {
        enclosuresShown = visible;
        if (enclosuresShown) area = enclArea->Intersect(interior);
        areaKnown = true;
    }
    // Called from the enclosure's walk, this pane is held there already, or
    // nothing below it can dispose of it.
    StPaneHold hold(enclArea ? nullptr : this);
    GrafPtr port = PortOf(itsEnclWindow);
    // Asked at most once between handlers: only a handler changes the port.
    SInt8 pointShown = -1;
    auto pointInPort = [&] {
        if (pointShown < 0) pointShown = PointInPortRegion(pt, port) ? 1 : 0;
        return pointShown != 0;
    };
    if (subPanes && (InRectInclusive(interior, pt) || alwaysDawdle)) {
        // The cheap tests first, by index: nothing changes the list until a
        // handler runs. Around each handler that may change the tree an
        // iterator holds the walk's place, so that the handler may add,
        // remove or dispose of panes; a subtree whose panes all declare
        // kWalkIdleKeepsTree is called without one. The table answers the
        // cheap tests; it is fetched again after each handler, which may have
        // changed the list or marked it stale.
        const KsPointScan scan(pt);
        SInt32 i = 1;
        while (subPanes && i <= subPanes->GetCount()) {
            const APaneSubTable& t = *CurrentSubTable();
            const SInt32 count = SInt32(t.entries.size());
            const APaneSubTable::Entry* entries = t.entries.data();
            const auto first = [&](SInt32 from) {
                return t.idleGrid.On() ? t.idleGrid.First(t.dawdle.data(), pt, from, count)
                                       : scan.First(t.dawdle.data(), from, count);
            };
            for (i = first(i); i != 0; i = first(i + 1))
                if (entries[i - 1].pane && entries[i - 1].pane->visible) break;
            if (i == 0) break;
            const APaneSubTable::Entry& e = entries[i - 1];
            APane* p = e.pane;
            const KsRect cover = t.bounds[size_t(i - 1)].Union(e.frame);
            const bool sameWindow = p->itsEnclWindow == itsEnclWindow;
            bool shown;
            if (sameWindow) {
                if (!areaKnown) {
                    enclosuresShown = EnclosuresVisible();
                    if (enclosuresShown) area = VisibleInteriorArea();
                    areaKnown = true;
                }
                shown = enclosuresShown && !cover.Intersect(area).IsEmpty();
            } else {
                shown = p->IsVisible();
            }
            if (!shown || (!p->alwaysDawdle && !pointInPort())) {
                ++i;
                continue;
            }
            // Recorded for a pane of this window only: the area is this
            // window's.
            APaneSubTable::Call call{sameWindow ? p : nullptr, itsEnclWindow, area};
            if (sameWindow && p->subPanes && (e.traits & kWalkStandardInterior)) {
                call.interior = p->InteriorOfFrame(e.frame);
                call.interiorKnown = true;
            }
            if (sameWindow && (e.traits & kWalkIdleKeepsTree)) {
                // Nothing the call reaches changes the tree, the list or the
                // port's regions: the walk goes on at the next index.
                StWalkCall walkCall(iSubTable, call);
                p->Dawdle(pt, modifiers, sleep, cursorID, data);
                ++i;
                continue;
            }
            AListIterator it(*subPanes, i);
            {
                StPaneHold held(p);
                StWalkCall walkCall(iSubTable, call);
                p->Dawdle(pt, modifiers, sleep, cursorID, data);
            }
            areaKnown = false;
            pointShown = -1;
            if (!it.Next()) break;
            i = it.CurrentIndex();
        }
    }
    if (!isMain || !hold.Alive() || !pointInPort() || *cursorID == 0) return;
    EventRecord ev{};
    ev.modifiers = UInt16(modifiers);
    const bool right = itsEnclWindow && KsIsLiveWindow(itsEnclWindow)
                           ? itsEnclWindow->IsRightMouseButton(&ev)
                           : (modifiers & controlKey) != 0;
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
// print machinery overrides them. The drag itself, its messages and the
// standard feedback: APaneDrag.cpp.

bool APane::AcceptDrop(DragList*) {
    return false;
}
void APane::DropHandler(DragList*, KsPoint, SInt16) {}
void APane::HandleDropFromSystem(DragList*, KsPoint, SInt16) {}
void APane::ResetDragCursor() {}
void APane::HiliteAcceptDrag(bool) {}
