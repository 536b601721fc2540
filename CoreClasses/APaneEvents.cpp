// APane events: hit testing, clicks, keys and tabbing, menus, idle time and
// the cursor, mini-help, and the defaults of the drag hooks.
//
// Walks over sub-panes hold the panes they call (StPaneHold), so that a
// handler may dispose of any pane, the one called included.
#include <algorithm>
#include <climits>
#include <cstring>
#include <vector>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

// The same without a branch per edge: most candidates of a hit test miss,
// on no predictable edge.
inline bool InRectInclusiveFlat(const KsRect& r, KsPoint pt) {
    return (pt.h >= r.left) & (pt.h <= r.right) & (pt.v >= r.top) & (pt.v <= r.bottom);
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

// What a walk down the tree (idle time, tab order) hands to the sub-pane it
// is about to call, so that the sub-pane does not walk its enclosures again:
// the area they leave visible (they and the window are known shown). Taken
// only by the pane it names, on entry to its APane walk, before anything else
// runs there; an override that changes its enclosures before calling the
// APane walk must not rely on it (none does). Idle time's hint also vouches
// that the walk holds the pane it calls. The port is not handed down: an
// override may change it before it calls the APane walk.
struct WalkHint {
    const APane* pane = nullptr;
    const APane* encl = nullptr;
    const AWindow* window = nullptr;
    KsRect area{};
};
WalkHint gTabHint;
WalkHint gIdleHint;

// Whether the hint names this pane, in the enclosure and window it was made
// for; *enclArea is then the area the enclosures leave. Taken either way.
bool TakeWalkHint(WalkHint& hint, const APane* pane, const APane* encl, const AWindow* window,
                  KsRect* enclArea) {
    if (hint.pane != pane) return false;
    hint.pane = nullptr;
    if (hint.encl != encl || hint.window != window) return false;
    *enclArea = hint.area;
    return true;
}

// Withdraws a hint when the call it was made for ends, by a throw too: a hint
// left behind would vouch for a hold and an area that no longer stand.
class StHintCall {
public:
    explicit StHintCall(WalkHint* hint) : hint_(hint) {}
    ~StHintCall() { hint_->pane = nullptr; }
    StHintCall(const StHintCall&) = delete;
    StHintCall& operator=(const StHintCall&) = delete;

private:
    WalkHint* hint_;
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
    };
    std::vector<KsRect> bounds; // what hit testing scans
    std::vector<KsRect> dawdle; // what idle time scans: the frame, or everywhere
    std::vector<Entry> entries;
};

namespace {
// Contains no point, inclusive edges or not.
constexpr KsRect kNoRect{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
// Contains every point: an alwaysDawdle pane's place in the idle scan.
constexpr KsRect kEverywhere{INT_MIN, INT_MIN, INT_MAX, INT_MAX};

// Finds the rectangles of a packed array that contain a point, edges
// included. Most rectangles miss, on no predictable edge: four are tested
// with one compare each and one branch for the four.
class PointScan {
public:
    explicit PointScan(KsPoint pt) : pt_(pt) {
#if defined(__SSE2__)
        // left <= h, top <= v, right > h - 1, bottom > v - 1: the compare
        // "greater" answers 0, 0, 1, 1 exactly for a containing rectangle.
        wide_ = pt.h != INT_MIN && pt.v != INT_MIN;
        if (wide_) p_ = _mm_setr_epi32(pt.h, pt.v, pt.h - 1, pt.v - 1);
#endif
    }
    // The 1-based index of the last of r[0, n) that contains the point, or 0.
    SInt32 Last(const KsRect* r, SInt32 n) const {
#if defined(__SSE2__)
        if (wide_) {
            for (; n >= 4; n -= 4) {
                const int m3 = Mask(r + n - 1), m2 = Mask(r + n - 2);
                const int m1 = Mask(r + n - 3), m0 = Mask(r + n - 4);
                if ((m3 == kIn) | (m2 == kIn) | (m1 == kIn) | (m0 == kIn))
                    return m3 == kIn ? n : m2 == kIn ? n - 1 : m1 == kIn ? n - 2 : n - 3;
            }
        }
#endif
        for (; n >= 1; --n)
            if (InRectInclusiveFlat(r[n - 1], pt_)) return n;
        return 0;
    }
    // The 1-based index of the first of r[from - 1, n) that contains the
    // point, or 0.
    SInt32 First(const KsRect* r, SInt32 from, SInt32 n) const {
#if defined(__SSE2__)
        if (wide_) {
            for (; from + 3 <= n; from += 4) {
                const int m0 = Mask(r + from - 1), m1 = Mask(r + from);
                const int m2 = Mask(r + from + 1), m3 = Mask(r + from + 2);
                if ((m0 == kIn) | (m1 == kIn) | (m2 == kIn) | (m3 == kIn))
                    return m0 == kIn   ? from
                           : m1 == kIn ? from + 1
                           : m2 == kIn ? from + 2
                                       : from + 3;
            }
        }
#endif
        for (; from <= n; ++from)
            if (InRectInclusiveFlat(r[from - 1], pt_)) return from;
        return 0;
    }

private:
    KsPoint pt_;
#if defined(__SSE2__)
    static constexpr int kIn = 0xC;
    int Mask(const KsRect* r) const {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(r));
        return _mm_movemask_ps(_mm_castsi128_ps(_mm_cmpgt_epi32(v, p_)));
    }
    __m128i p_{};
    bool wide_ = false;
#endif
};
static_assert(sizeof(KsRect) == 4 * sizeof(SInt32), "the scans read rectangles as four lanes");
} // namespace

void APane::FreeSubTable(APaneSubTable* table) {
    delete table;
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
        t.bounds.reserve(size_t(n));
        t.dawdle.reserve(size_t(n));
        t.entries.reserve(size_t(n));
        for (SInt32 i = 1; i <= n; ++i) {
            auto* p = static_cast<APane*>(subPanes->At(i));
            if (!p) {
                t.bounds.push_back(kNoRect);
                t.dawdle.push_back(kNoRect);
                t.entries.push_back({nullptr, kNoRect});
                continue;
            }
            const KsRect frame = p->GetFrame();
            t.bounds.push_back(p->bounds);
            t.dawdle.push_back(p->alwaysDawdle ? kEverywhere : frame);
            t.entries.push_back({p, frame});
        }
    }
#ifndef NDEBUG
    // Every writer marks the table stale; a miss shows here, in every test.
    for (SInt32 i = 1; i <= n; ++i) {
        const auto* p = static_cast<const APane*>(subPanes->At(i));
        const APaneSubTable::Entry& e = t.entries[size_t(i - 1)];
        FtlAssert(e.pane == p);
        if (!p) continue;
        FtlAssert(t.bounds[size_t(i - 1)] == p->bounds);
        FtlAssert(e.frame == p->GetFrame());
        FtlAssert(t.dawdle[size_t(i - 1)] == (p->alwaysDawdle ? kEverywhere : e.frame));
    }
#endif
    return &t;
}

// ---------------------------------------------------------------------------
// Hit testing and clicks

APane* APane::FindPane(KsPoint pt, bool wantEnclosure, bool selectionAware) {
    // Iterative descent: at each level the front-most hit sub-pane. The area
    // the enclosures leave visible is carried down rather than re-walked for
    // every candidate, and the port is read once; only the bounds are tested
    // until a candidate contains the point.
    if (!InRectInclusive(bounds, pt) || !IsVisible()) return nullptr;
    const PortExposure shown(PortOf(itsEnclWindow));
    if (!shown.Shows(bounds)) return nullptr;
    KsRect area = VisibleInteriorArea();
    const PointScan scan(pt);
    APane* hit = this;
    for (;;) {
        if (selectionAware && hit->GetSelected() &&
            !InRectInclusive(hit->bounds.Insetted(3, 3), pt))
            break;
        APane* next = nullptr;
        if (hit->subPanes) {
            const SInt32 n = hit->GetNumSubPanes();
            const APaneSubTable& t = *hit->CurrentSubTable();
            const KsRect* b = t.bounds.data();
            const SInt32 m = std::min<SInt32>(n, SInt32(t.bounds.size()));
            for (SInt32 i = scan.Last(b, m); i >= 1; i = scan.Last(b, i - 1)) {
                const APaneSubTable::Entry& e = t.entries[size_t(i - 1)];
                APane* p = e.pane;
                if (!p) continue;
                const KsRect& pb = b[i - 1];
                const bool seen =
                    p->itsEnclWindow == itsEnclWindow
                        ? p->visible && !pb.Union(e.frame).Intersect(area).IsEmpty() &&
                              shown.Shows(pb)
                        : p->IsVisible() && RectIsVisibleInPort(pb, PortOf(p->itsEnclWindow));
                if (seen) {
                    next = p;
                    break;
                }
            }
        }
        if (!next) break;
        hit = next;
        // A leaf needs no area for a level below it.
        if (hit->subPanes && hit->subPanes->GetCount() > 0)
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

void APane::FindTEpanes(APane** current, APane** next, APane** first, bool backwards) {
    // The area left by the enclosures comes from the enclosure's walk or is
    // worked out once here, so the walk stays linear in the number of panes.
    bool areaKnown = false, enclosuresShown = false;
    KsRect area;
    if (KsRect enclArea; TakeWalkHint(gTabHint, this, itsEnclPane, itsEnclWindow, &enclArea)) {
        enclosuresShown = visible;
        if (enclosuresShown) area = enclArea.Intersect(GetInterior());
        areaKnown = true;
    }
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
        if (p->subPanes) {
            StHintCall call(&gTabHint);
            if (sameWindow) gTabHint = {p, this, itsEnclWindow, area};
            p->FindTEpanes(current, next, first, backwards);
        }
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
    // The visibility of this pane's enclosures is worked out once (or taken
    // from the enclosure's walk), and again only after a handler has run.
    bool areaKnown = false, enclosuresShown = false;
    KsRect area;
    // Measured once, and only where there are sub-panes to walk: most panes
    // given idle time are leaves.
    const KsRect interior = subPanes ? GetInterior() : KsRect{};
    KsRect enclArea;
    const bool hinted = TakeWalkHint(gIdleHint, this, itsEnclPane, itsEnclWindow, &enclArea);
    if (hinted) {
        enclosuresShown = visible;
        if (enclosuresShown) area = enclArea.Intersect(interior);
        areaKnown = true;
    }
    // Called from the enclosure's walk, this pane is held there already.
    StPaneHold hold(hinted ? nullptr : this);
    GrafPtr port = PortOf(itsEnclWindow);
    // Asked at most once between handlers: only a handler changes the port.
    SInt8 pointShown = -1;
    auto pointInPort = [&] {
        if (pointShown < 0) pointShown = PointInPortRegion(pt, port) ? 1 : 0;
        return pointShown != 0;
    };
    if (subPanes && (InRectInclusive(interior, pt) || alwaysDawdle)) {
        // The cheap tests first, by index: nothing changes the list until a
        // handler runs. Around each handler an iterator holds the walk's
        // place, so that the handler may add, remove or dispose of panes.
        // The table answers the cheap tests; it is fetched again after each
        // handler, which may have changed the list or marked it stale.
        const PointScan scan(pt);
        SInt32 i = 1;
        while (subPanes && i <= subPanes->GetCount()) {
            const APaneSubTable& t = *CurrentSubTable();
            const SInt32 count = SInt32(t.entries.size());
            const APaneSubTable::Entry* entries = t.entries.data();
            for (i = scan.First(t.dawdle.data(), i, count); i != 0;
                 i = scan.First(t.dawdle.data(), i + 1, count))
                if (entries[i - 1].pane && entries[i - 1].pane->visible) break;
            if (i == 0) break;
            APane* p = entries[i - 1].pane;
            const KsRect cover = t.bounds[size_t(i - 1)].Union(entries[i - 1].frame);
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
            AListIterator it(*subPanes, i);
            {
                StPaneHold held(p);
                StHintCall call(&gIdleHint);
                if (sameWindow) gIdleHint = {p, this, itsEnclWindow, area};
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
