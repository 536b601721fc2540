// APane idle time and the cursor: the walk that gives idle time to the panes
// under the point, and the search for the pane under the point that rides on
// it for the window's tip.
//
// A walk over a subtree that may change the tree holds the panes it calls
// (StPaneHold) and keeps its place in the list with an iterator, so that a
// handler may add, remove or dispose of any pane, the one called included.
// A subtree whose panes all declare kWalkIdleKeepsTree is walked without
// either, and each level hands the next what it worked out.
#include "APane.h"
#include "APanePrivate.h"
#include "APaneWalkPrivate.h"
#include "AWindow.h"
#include "Cursors.h"
#include "KsPointScan.h"

inline const APaneIdleCall* APane::TakeIdleCall() {
    // A main pane finds the record of its own walk in its own table.
    APaneSubTable* t = itsEnclPane ? itsEnclPane->iSubTable : iSubTable;
    APaneIdleCall* r = t ? t->idleCall : nullptr;
    if (!r || r->callee != this) return nullptr;
    r->callee = nullptr;
    if (!itsEnclPane) t->idleCall = nullptr; // the slot is its walk's now
    return r->window == itsEnclWindow ? r : nullptr;
}

// FindPane's choice at this level, and the search taken on to it.
inline SInt32 APane::AdvanceHitProbe(APaneHitProbe& probe, const APaneSubTable& t, UInt64 hits,
                                     KsPoint pt, KsRect* interior) {
    const SInt32 k =
        ChoiceAmong(APaneTableView(t), hits, this, &probe.area, probe.shown, probe.Quick(pt), pt);
    if (k == 0) probe.settled = true; // no sub-pane takes the point
    // A sub-pane that tests hits itself is asked after the walk, from here.
    if (k <= 0) return 0;
    const APaneSubTable::Entry& e = t.entries[size_t(k - 1)];
    APane* p = e.pane;
    probe.hit = p;
    if (p->subPanes && p->subPanes->GetCount() > 0) {
        *interior =
            e.traits & kWalkStandardInterior ? p->InteriorOfFrame(e.frame) : p->GetInterior();
        probe.area = probe.area.Intersect(*interior);
    }
    return k;
}

void APane::Dawdle(KsPoint pt, SInt16 modifiers, SInt32* sleep, SInt16* cursorID, void* data) {
    const APaneIdleCall* c = TakeIdleCall();
    SInt16 localCursor = -1;
    if (!cursorID) cursorID = &localCursor;
    const bool isMain = itsEnclPane == nullptr;
    if (isMain) *cursorID = -1;
    APaneHitProbe* probe = c && c->probe && c->probe->hit == this ? c->probe : nullptr;
    // Asked at most once between handlers that may change the port; a record
    // brings the caller's answer.
    SInt8 pointShown = c ? c->pointShown : -1;
    const auto pointInPort = [&] {
        if (pointShown < 0) pointShown = PointInPortRegion(pt, PortOf(itsEnclWindow)) ? 1 : 0;
        return pointShown != 0;
    };
    if (!subPanes || subPanes->GetCount() == 0) {
        // Most panes given idle time are leaves. FindPane's descent ends here.
        if (probe) probe->settled = true;
        if (isMain && pointInPort()) SetIdleCursor(modifiers, *cursorID);
        return;
    }
    // The visibility of this pane's enclosures is worked out once (or taken
    // from the record), and again only after a handler that may change it.
    bool areaKnown = false, enclosuresShown = false;
    KsRect area;
    const KsRect interior = c && c->interiorKnown ? c->interior : GetInterior();
    if (c) {
        enclosuresShown = visible;
        if (enclosuresShown) area = c->area.Intersect(interior);
        areaKnown = true;
    }
    const auto knowArea = [&] {
        if (areaKnown) return;
        enclosuresShown = EnclosuresVisible();
        if (enclosuresShown) area = VisibleInteriorArea();
        areaKnown = true;
    };
    // With a record, the caller holds this pane, or nothing below it can
    // dispose of it.
    StPaneHold hold(c ? nullptr : this);
    if (InRectInclusive(interior, pt) || alwaysDawdle) {
        const KsPointScan scan(pt);
        APaneIdleCall call;
        call.window = itsEnclWindow;
        // Calls a sub-pane whose subtree keeps the tree: nothing the call
        // reaches changes the tree, the list or the port's regions, and the
        // callee takes what this level worked out.
        const auto callKeeping = [&](APaneSubTable& t, APane* p, const APaneSubTable::Entry& e,
                                     APaneHitProbe* handOn, const KsRect* interiorKnown) {
            call.callee = p;
            call.area = area;
            call.pointShown = pointShown;
            call.interiorKnown = p->subPanes && (e.traits & kWalkStandardInterior);
            if (call.interiorKnown)
                call.interior = interiorKnown ? *interiorKnown : p->InteriorOfFrame(e.frame);
            call.probe = handOn;
            StIdleCall record(&t, &call);
            p->Dawdle(pt, modifiers, sleep, cursorID, data);
        };
        SInt32 i = 1; // where the general walk below starts
        APaneSubTable& t = *CurrentSubTable();
        const SInt32 count = SInt32(t.entries.size());
        if (t.allKeepTree && count <= 64) {
            // Nothing this level calls changes the list: the sub-panes that
            // hold the point are found at once, as bits.
            const UInt64 idle = t.idleGrid.On() ? t.idleGrid.Holding(t.dawdle.data(), pt, count)
                                                : scan.Holding(t.dawdle.data(), count);
            // The search's choice among them, made before any runs.
            SInt32 probeAt = 0;
            KsRect probeInterior; // the interior of the entry at probeAt, when measured
            if (probe) {
                const UInt64 hits = t.hitIsIdle      ? idle
                                    : t.hitGrid.On() ? t.hitGrid.Holding(t.bounds.data(), pt, count)
                                                     : scan.HoldingInFours(t.bounds.data(), count);
                probeAt = AdvanceHitProbe(*probe, t, hits, pt, &probeInterior);
            }
            i = count + 1;
            bool pixelInArea = areaKnown && enclosuresShown && area.Contains(pt);
            for (UInt64 rest = idle; rest; rest &= rest - 1) {
                const SInt32 k = SInt32(__builtin_ctzll(rest));
                const APaneSubTable::Entry& e = t.entries[size_t(k)];
                APane* p = e.pane;
                if (!p || !p->visible) continue;
                if (p->itsEnclWindow != itsEnclWindow) {
                    // A pane of another window: the general walk takes it on.
                    i = k + 1;
                    break;
                }
                if (!areaKnown) {
                    knowArea();
                    pixelInArea = enclosuresShown && area.Contains(pt);
                }
                // A frame that holds the point's pixel, where the area holds it
                // too, shows.
                const KsRect& d = t.dawdle[size_t(k)];
                const bool shown =
                    enclosuresShown &&
                    ((pixelInArea && !p->alwaysDawdle && pt.h < d.right && pt.v < d.bottom) ||
                     !t.cover[size_t(k)].Intersect(area).IsEmpty());
                if (!shown) continue;
                if (!p->alwaysDawdle && !pointInPort()) continue;
                const bool onSearch = k + 1 == probeAt;
                callKeeping(t, p, e, onSearch ? probe : nullptr,
                            onSearch && p->subPanes && p->subPanes->GetCount() > 0 ? &probeInterior
                                                                                   : nullptr);
            }
        } else if (probe) {
            const SInt32 k = HitChoice(APaneTableView(t), count, this, &probe->area, probe->shown,
                                       probe->Quick(pt), scan, pt);
            if (k == 0) probe->settled = true;
            // Else the search goes on after the walk, from here: this level is
            // long, or a sub-pane that tests hits itself is asked.
        }
        // The cheap tests first, by index: nothing changes the list until a
        // handler that may change the tree runs; around such a handler an
        // iterator keeps the walk's place. The table answers the cheap tests;
        // it is fetched again after each handler.
        while (subPanes && i <= subPanes->GetCount()) {
            APaneSubTable& u = *CurrentSubTable();
            const SInt32 n = SInt32(u.entries.size());
            const APaneSubTable::Entry* entries = u.entries.data();
            const auto first = [&](SInt32 from) {
                return u.idleGrid.On() ? u.idleGrid.First(u.dawdle.data(), pt, from, n)
                                       : scan.First(u.dawdle.data(), from, n);
            };
            for (i = first(i); i != 0; i = first(i + 1))
                if (entries[i - 1].pane && entries[i - 1].pane->visible) break;
            if (i == 0) break;
            const APaneSubTable::Entry& e = entries[i - 1];
            APane* p = e.pane;
            const bool sameWindow = p->itsEnclWindow == itsEnclWindow;
            bool shown;
            if (sameWindow) {
                knowArea();
                shown = enclosuresShown && !u.cover[size_t(i - 1)].Intersect(area).IsEmpty();
            } else {
                shown = p->IsVisible();
            }
            if (!shown || (!p->alwaysDawdle && !pointInPort())) {
                ++i;
                continue;
            }
            if (sameWindow && (e.traits & kWalkIdleKeepsTree)) {
                callKeeping(u, p, e, nullptr, nullptr);
                ++i;
                continue;
            }
            AListIterator it(*subPanes, i);
            {
                StPaneHold held(p);
                p->Dawdle(pt, modifiers, sleep, cursorID, data);
            }
            areaKnown = false;
            pointShown = -1;
            if (!it.Next()) break;
            i = it.CurrentIndex();
        }
    }
    // With a record the caller holds this pane and nothing below disposes of it.
    if (isMain && (c || hold.Alive()) && pointInPort()) SetIdleCursor(modifiers, *cursorID);
}

void APane::SetIdleCursor(SInt16 modifiers, SInt16 cursorID) {
    if (cursorID == 0) return;
    EventRecord ev{};
    ev.modifiers = UInt16(modifiers);
    const bool right = itsEnclWindow && KsIsLiveWindow(itsEnclWindow)
                           ? itsEnclWindow->IsRightMouseButton(&ev)
                           : (modifiers & controlKey) != 0;
    if (right)
        SetCursorByID(kRightButtonCursorID);
    else if (cursorID == -1 && defaultsCursor)
        SetArrowCursor();
    else if (cursorID != -1) {
        if (GetCursor(cursorID))
            SetCursorByID(cursorID);
        else
            KsSetCCursor(cursorID);
    }
}

// ---------------------------------------------------------------------------
// The search for the pane under the point, riding on the walk

bool APane::DawdleFindingPane(KsPoint pt, SInt16 modifiers, SInt32* sleep, void* data,
                              APane** hit) {
    // Only where no handler the walk calls may change what the search reads,
    // and the search is APane's own.
    const UInt8 traits = DeclaredWalkTraits();
    const bool ride =
        !itsEnclPane && !iOwnHitTest && (traits & kWalkIdleKeepsTree) && SubtreeKeepsTree();
    if (!ride) {
        Dawdle(pt, modifiers, sleep, nullptr, data);
        return false;
    }
    StPaneHold hold(this);
    const AWindow* window = itsEnclWindow;
    const MainPaneView view = ViewInWindow(traits);
    const GrafPtr port = view.port;
    // FindPane's first steps.
    APaneHitProbe probe(port);
    bool pixel;
    const bool inside = view.Takes(pt, bounds, probe.shown, &pixel);
    if (inside) {
        probe.hit = this;
        probe.area = view.Area();
        probe.pixelShown = probe.shown.ShowsPixel(pt);
    }
    APaneIdleCall root;
    if (view.inWindow) {
        root.callee = this;
        root.window = window;
        root.area = view.portRect;
        root.interior = view.interior;
        root.interiorKnown = true;
        root.pointShown = PointInPortRegion(pt, port) ? 1 : 0;
        root.probe = inside ? &probe : nullptr;
    }
    {
        StIdleCall record(CurrentSubTable(), root.callee ? &root : nullptr);
        Dawdle(pt, modifiers, sleep, nullptr, data);
    }
    if (!hold.Alive() || itsEnclWindow != window || !probe.shown.Same(PortExposure(port)))
        return false;
    *hit = !inside         ? nullptr
           : probe.settled ? probe.hit
                           : DescendHit(probe.hit, probe.area, probe.shown, pt, false);
    return true;
}
