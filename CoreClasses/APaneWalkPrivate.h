// What the walks over the pane tree share: the packed table of a pane's
// sub-panes, the records a walk leaves for the sub-pane it calls, and the
// port and rectangle tests they make. Private to the APane sources.
#pragma once

#include "APane.h"
#include "AWindow.h"
#include "KsDrawUtils.h"
#include "KsFatal.h"
#include "KsPointScan.h"
#include "KsRectGrid.h"
#include "QuickDraw.h"
#include "Windows.h"

#include <algorithm>
#include <vector>

inline bool InRectInclusive(const KsRect& r, KsPoint pt) {
    return pt.h >= r.left && pt.h <= r.right && pt.v >= r.top && pt.v <= r.bottom;
}

inline GrafPtr PortOf(const AWindow* w) {
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
    // Shows, answered in line where both regions are rectangles: for the
    // walks' first test of the main pane, once a walk.
    bool ShowsInline(const KsRect& r) const {
        if (!visIsRect_ || !Fits16(r)) return Shows(r);
        const KsRect c{std::max({r.left, clip_.left, vis_.left}),
                       std::max({r.top, clip_.top, vis_.top}),
                       std::min({r.right, clip_.right, vis_.right}),
                       std::min({r.bottom, clip_.bottom, vis_.bottom})};
        return !c.IsEmpty();
    }

    // Whether the pixel at pt (right and below it) shows through both
    // regions, read from rectangles alone; false where that cannot be told
    // so. Any rectangle holding that pixel shows, then.
    bool ShowsPixel(KsPoint pt) const {
        return port_ && clipIsRect_ && visIsRect_ && clip_.Contains(pt) && vis_.Contains(pt);
    }
    // Whether the port's regions read as they did when this was made.
    bool Same(const PortExposure& now) const {
        return port_ == now.port_ && clipIsRect_ == now.clipIsRect_ &&
               visIsRect_ == now.visIsRect_ && clip_ == now.clip_ && vis_ == now.vis_;
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

struct APaneHitProbe;

// IsVisible, EnclosuresVisible and VisibleInteriorArea of a main pane, whose
// only enclosure is its window, worked out together with the frame and the
// port read once (APane::ViewInWindow).
struct MainPaneView {
    bool inWindow = false; // the window and the pane are visible
    GrafPtr port = nullptr;
    KsRect portRect = kKsRectEverywhere; // everywhere without a toolbox window
    KsRect frame{};
    KsRect interior{};                                           // not clipped by the port
    KsRect Area() const { return interior.Intersect(portRect); } // VisibleInteriorArea
    // FindPane's first tests of the main pane at pt: IsVisible (the bounds
    // or the frame meet the port rectangle), the bounds hold pt and show
    // through the port's regions. A pixel at pt inside the bounds that shows
    // through the port (*pixel) answers them at once.
    bool Takes(KsPoint pt, const KsRect& bounds, const PortExposure& shown, bool* pixel) const {
        *pixel = false;
        if (!inWindow || !InRectInclusive(bounds, pt)) return false;
        *pixel = bounds.Contains(pt) && portRect.Contains(pt) && shown.ShowsPixel(pt);
        return *pixel ||
               (!bounds.Union(frame).Intersect(portRect).IsEmpty() && shown.ShowsInline(bounds));
    }
};

// What an idle walk hands the sub-pane it calls, kept on the walk's stack
// and pointed to by the walking pane's table during the call. Taken by the
// callee on entry (APane::TakeIdleCall); the callee then need not hold
// itself, nor work out again what its enclosures leave visible or whether the
// point shows in the port. Only for a callee whose subtree keeps the tree.
struct APaneIdleCall {
    const APane* callee = nullptr;
    const AWindow* window = nullptr;
    KsRect area{};     // what the caller's enclosures and the caller leave visible
    KsRect interior{}; // the callee's, when interiorKnown
    bool interiorKnown = false;
    SInt8 pointShown = -1; // the point in the port's visible region; -1 not asked
    // Set when the callee is the pane the search for the pane under the point
    // has reached: its walk takes the search a level further.
    APaneHitProbe* probe = nullptr;
};

// The search for the pane under the point (FindPane's), carried down by an
// idle walk over a tree that keeps itself, so that the tip's search costs no
// second descent. Each level the walk reaches while it is the search's pane
// makes FindPane's choice among its sub-panes; where the walk does not go on
// into the choice, the search is finished after the walk from where it got
// to. Nothing the walk calls may change what the search reads.
struct APaneHitProbe {
    explicit APaneHitProbe(GrafPtr port) : shown(port) {}
    PortExposure shown;
    APane* hit = nullptr; // the search's pane so far
    KsRect area{};        // FindPane's area at hit: hit's interior within its enclosures'
    bool settled = false; // hit is the answer
    // The pixel at the point shows through the port: a candidate that holds
    // that pixel shows without a look at the regions.
    bool pixelShown = false;
    // The choice's quick test at hit (ChoiceAmong): the pixel shows and lies
    // in the area.
    bool Quick(KsPoint pt) const { return pixelShown && area.Contains(pt); }
};

// Hit testing reads only the bounds of most candidates and idle time only the
// frame and alwaysDawdle: packed here, in list order, they cost a few bytes a
// candidate instead of a cache line of a separately allocated pane and a
// virtual GetFrame. The storage is kept across rebuilds, so a table that has
// reached its size allocates no more.
struct APaneSubTable {
    struct Entry {
        APane* pane;
        KsRect frame;
        // The pane's own table at the build (or null), its arrays' addresses
        // and its count: the descent takes the next level's from here, and
        // reads the pane only to vouch for them (Vouched). A rebuild that
        // moves the arrays or changes the count marks this table stale.
        const APaneSubTable* sub;
        const KsRect* subBounds;
        const Entry* subEntries;
        SInt32 subCount;
        // The pane's declared traits; kWalkIdleKeepsTree only when every pane
        // of its subtree declares it too, since its walk calls them all.
        UInt8 traits;
        // The next level's lines, fetched while the chosen pane's own fields
        // are: its table and the table's arrays, or the pane itself where
        // they are missing (a null address is no cheap prefetch).
        void PrefetchNext() const {
            const void* own = sub ? static_cast<const void*>(sub) : pane;
            __builtin_prefetch(own);
            __builtin_prefetch(subBounds ? static_cast<const void*>(subBounds) : own);
            __builtin_prefetch(subEntries ? static_cast<const void*>(subEntries) : own);
        }
    };
    // What hit testing scans: the bounds, or everywhere for a pane that
    // tests hits itself (its FindPane is asked wherever the point is);
    // padded with nowhere to a whole number of fours.
    std::vector<KsRect> bounds;
    std::vector<KsRect> dawdle; // what idle time scans: the frame, or everywhere
    // The hit rectangle and the frame together: whatever of it the
    // enclosures leave visible makes the sub-pane visible.
    std::vector<KsRect> cover;
    std::vector<Entry> entries;
    static APaneTableView Vouched(const Entry& e);
    bool allKeepTree = true; // every entry's traits hold kWalkIdleKeepsTree
    bool hitIsIdle = true;   // bounds and dawdle hold the same rectangles
    // For a long list (a window of many controls), grids over bounds and
    // dawdle let a scan read the entries near the point only.
    KsRectGrid hitGrid, idleGrid;

    // The record of the sub-pane this pane's idle walk is calling (on the
    // walk's stack), or, in a main pane's table, of the main pane's own walk
    // as the window started it.
    APaneIdleCall* idleCall = nullptr;

    // The sub-pane this pane's tab walk is calling, and the area the
    // walk vouches is left visible by its enclosures (the window it was
    // worked out for included). Taken by that sub-pane on entry
    // (TakeTabCall), before anything else runs there; withdrawn when the
    // call ends (StWalkCall).
    struct Call {
        const APane* callee = nullptr;
        const AWindow* window = nullptr;
        KsRect area{};
    } call;
};

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

// Points the walking pane's table at the record of the sub-pane it calls,
// and withdraws it when the call ends, by a throw too.
class StIdleCall {
public:
    StIdleCall(APaneSubTable* table, APaneIdleCall* call) : table_(table) {
        table_->idleCall = call;
    }
    ~StIdleCall() { table_->idleCall = nullptr; }
    StIdleCall(const StIdleCall&) = delete;
    StIdleCall& operator=(const StIdleCall&) = delete;

private:
    APaneSubTable* table_;
};

// The walks' way in: the check of a current table inlines into them.
inline APaneSubTable* APane::CurrentSubTable() {
#ifdef NDEBUG
    if (!iSubTableStale && iSubTable && subPanes && subPanes->GetCount() == iSubTableCount)
        return iSubTable;
#endif
    return RefreshSubTable();
}

// What a level's scan reads of a table: the arrays' addresses, taken from
// the table or from an entry vouched for (APaneSubTable::Vouched).
struct APaneTableView {
    const APaneSubTable* table = nullptr;
    const KsRect* bounds = nullptr;
    const APaneSubTable::Entry* entries = nullptr;
    SInt32 count = 0;
    APaneTableView() = default;
    explicit APaneTableView(const APaneSubTable& t)
        : table(&t), bounds(t.bounds.data()), entries(t.entries.data()),
          count(SInt32(t.entries.size())) {}
    APaneTableView(const APaneSubTable* t, const KsRect* b, const APaneSubTable::Entry* e, SInt32 n)
        : table(t), bounds(b), entries(e), count(n) {}
};

// The view of e's pane's table that e recorded, when it still stands (else
// an empty view): the table is the pane's and current. Its arrays and count
// are then as recorded, since a rebuild that changes them marks e's table
// stale. The caller's next reads need not wait for the pane's lines or the
// table's header: the pane only vouches, in a predicted branch.
inline APaneTableView APaneSubTable::Vouched(const Entry& e) {
    const APaneSubTable* sub = e.sub;
    APane* p = e.pane;
    if (!sub || sub != p->iSubTable || p->iSubTableStale || !p->subPanes ||
        p->subPanes->GetCount() != p->iSubTableCount)
        return {};
#ifndef NDEBUG
    // Checked against the panes, as every use of a table is.
    FtlAssert(p->RefreshSubTable() == sub);
    FtlAssert(e.subBounds == sub->bounds.data() && e.subEntries == sub->entries.data() &&
              size_t(e.subCount) == sub->entries.size());
#endif
    return {sub, e.subBounds, e.subEntries, e.subCount};
}

inline const KsRect& APane::InteriorOfFrame(const KsRect& frame) const {
    if (!iInteriorKnown || frame != iInteriorFrame || border != iInteriorBorder ||
        borderProc != iInteriorProc)
        MeasureInteriorOfFrame(frame);
    return iInterior;
}

// Inline: the hit test and the idle walk's search start with it.
inline MainPaneView APane::ViewInWindow(UInt8 traits) const {
    MainPaneView v;
    const WindowPtr w = itsEnclWindow ? itsEnclWindow->GetWindowPtr() : nullptr;
    v.port = w ? GetWindowPort(w) : nullptr;
    if (v.port) v.portRect = ToKsRect(v.port->portRect);
    v.inWindow = itsEnclWindow && itsEnclWindow->IsVisible() && visible;
    const KsRect frame = GetFrame();
    // A standard interior is read from its cache, without a second GetFrame.
    v.interior = traits & kWalkStandardInterior ? InteriorOfFrame(frame) : GetInterior();
    v.frame = frame;
    return v;
}

inline bool APane::HitSeen(const APaneTableView& t, SInt32 k, const APane* encl, const KsRect* area,
                           const PortExposure& shown) {
    const APane* p = t.entries[k].pane;
    const KsRect& b = t.bounds[k];
    if (p->itsEnclWindow == encl->itsEnclWindow)
        return p->visible &&
               !t.table->cover[size_t(k)]
                    .Intersect(area ? *area : encl->VisibleInteriorArea())
                    .IsEmpty() &&
               shown.Shows(b);
    return p->IsVisible() && RectIsVisibleInPort(b, PortOf(p->itsEnclWindow));
}

// FindPane's choice among the entries of encl's table t marked in hits (bit k
// for entry k): the index (1-based) of the front-most one shown; or, negated,
// that of a sub-pane in front of every such one that tests hits itself; 0
// for none. area is what encl and its enclosures leave visible, or null to
// have it worked out where a test needs it. quick: the pixel at the point
// shows through the port and lies in that area; a candidate holding that
// pixel then shows without the rectangle tests.
inline SInt32 APane::ChoiceAmong(const APaneTableView& t, UInt64 hits, const APane* encl,
                                 const KsRect* area, const PortExposure& shown, bool quick,
                                 KsPoint pt) {
    while (hits) {
        const SInt32 k = 63 - __builtin_clzll(hits);
        hits &= ~(UInt64(1) << k);
        if (const SInt32 c = ChoiceAt(t, k, encl, area, shown, quick, pt)) return c;
    }
    return 0;
}

// ChoiceAmong's test of one candidate, entry k (0-based), that holds the
// point; quick when the point's pixel shows and lies in the area.
inline SInt32 APane::ChoiceAt(const APaneTableView& t, SInt32 k, const APane* encl,
                              const KsRect* area, const PortExposure& shown, bool quick,
                              KsPoint pt) {
    const APane* p = t.entries[k].pane;
    if (!p) return 0;
    if (p->iOwnHitTest) return -(k + 1);
    const KsRect& b = t.bounds[k];
    // b holds the point, edges included: its pixel is b's when it is not on
    // the right or bottom edge.
    if (quick && p->visible && p->itsEnclWindow == encl->itsEnclWindow && pt.h < b.right &&
        pt.v < b.bottom)
        return k + 1;
    return HitSeen(t, k, encl, area, shown) ? k + 1 : 0;
}

// One level of FindPane's descent over the first n entries of encl's table,
// answered as ChoiceAmong answers.
inline SInt32 APane::HitChoice(const APaneTableView& t, SInt32 n, const APane* encl,
                               const KsRect* area, const PortExposure& shown, bool quick,
                               const KsPointScan& scan, KsPoint pt) {
    const KsRect* b = t.bounds;
    const KsRectGrid& grid = t.table->hitGrid;
    if (n <= 64) {
        const UInt64 hits = grid.On() ? grid.Holding(b, pt, n) : scan.HoldingInFours(b, n);
        return ChoiceAmong(t, hits, encl, area, shown, quick, pt);
    }
    const auto last = [&](SInt32 k) { return grid.On() ? grid.Last(b, pt, k) : scan.Last(b, k); };
    for (SInt32 i = last(n); i >= 1; i = last(i - 1))
        if (const SInt32 c = ChoiceAt(t, i - 1, encl, area, shown, quick, pt)) return c;
    return 0;
}
