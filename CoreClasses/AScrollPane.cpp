// AScrollPane: parts and layout, keeping the bars in step with the main pane,
// the coalesced end-of-event adjustment, keys and the mouse wheel.
// Persistence lives in AScrollPaneStream.cpp.
#include "AScrollPane.h"

#include "AApplication.h"
#include "AGrowBoxPane.h"
#include "AScrollBar.h"
#include "AScrollablePane.h"
#include "AWindow.h"
#include "KsFatal.h"
#include "KsPortSavers.h"
#include "KsScrollMath.h"

#include <algorithm>

namespace {
constexpr SInt16 S = kPaneDontCare;

// The scroll pane whose main pane this is, or null.
AScrollPane* ScrollPaneOf(AScrollablePane* pane) {
    APane* encl = pane ? pane->GetEnclPane() : nullptr;
    if (!encl || !encl->IsInstanceOf("AScrollPane")) return nullptr;
    auto* sp = static_cast<AScrollPane*>(encl);
    return sp->GetMainPane() == pane ? sp : nullptr;
}
} // namespace

AScrollPane* AScrollPane::New(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top,
                              SInt16 bot, SInt16 hei, const KsRGBColor& color, SInt32 border,
                              bool hBar, bool vBar, bool grow, const KsRGBColor& partColor) {
    auto* p = new AScrollPane;
    try {
        p->IScrollPane(encl, left, right, wid, top, bot, hei, color, border, hBar, vBar, grow,
                       partColor);
    } catch (...) {
        p->Dispose();
        throw;
    }
    return p;
}

void AScrollPane::IScrollPane(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top,
                              SInt16 bot, SInt16 hei, const KsRGBColor& color, SInt32 borderStyle,
                              bool hBar, bool vBar, bool grow, const KsRGBColor& partColor) {
    IPane(encl, left, right, wid, top, bot, hei, color, borderStyle);
    AddScrollPaneParts(hBar, vBar, grow, partColor);
}

void AScrollPane::AddScrollPaneParts(bool hBar, bool vBar, bool grow, const KsRGBColor& color) {
    AScrollBar* h = nullptr;
    AScrollBar* v = nullptr;
    if (hBar) {
        h = AScrollBar::New(this, itsMainPane, -1, -1, S, S, 1, kBarWidth, color, 1);
        h->SetPaneID("hScroll");
        h->SetIsVertical(false);
    }
    if (vBar) {
        v = AScrollBar::New(this, itsMainPane, S, 1, kBarWidth, -1, 1, S, color, 1);
        v->SetPaneID("vScroll");
        v->SetIsVertical(true);
    }
    hasGrow = grow;
    if (growBox) {
        growBox->Dispose();
        growBox = nullptr;
    }
    if (grow || (h && v)) {
        auto* g = new AGrowBoxPane;
        g->IGrowBoxPane(this, grow, kBarWidth);
        g->SetPaneID("growBox");
        g->SetGrowsWindow(grow);
        g->Place(S, 1, kBarWidth, S, 1, kBarWidth);
        g->SetFlag(kPaneScrollPart, true);
        growBox = g;
    }
    InstallScrollBars(h, v);
}

void AScrollPane::SetScrollPanePartColor(const KsRGBColor& color) {
    for (APane* p :
         {static_cast<APane*>(hScroll), static_cast<APane*>(vScroll), static_cast<APane*>(growBox)})
        if (p) p->SetBkndColor(color);
}

void AScrollPane::Dispose() {
    CancelDeferredAdjust();
    APane::Dispose();
}

// The fields point at sub-panes: one that leaves is forgotten here.
void AScrollPane::RemoveSubPane(APane* pane) {
    if (!pane) return;
    if (pane == itsMainPane) {
        itsMainPane = nullptr;
        for (AScrollBar* b : {hScroll, vScroll})
            if (b) b->SetControlledPane(nullptr);
    }
    if (pane == hScroll) hScroll = nullptr;
    if (pane == vScroll) vScroll = nullptr;
    if (pane == growBox) growBox = nullptr;
    for (auto* list : {&iHMinis, &iVMinis}) {
        auto it = std::find(list->begin(), list->end(), pane);
        if (it != list->end()) {
            list->erase(it);
            (list == &iHMinis ? hMiniCount : vMiniCount)--;
        }
    }
    APane::RemoveSubPane(pane);
}

// ---------------------------------------------------------------------------
// Installing parts

void AScrollPane::InstallScrollBars(AScrollBar* h, AScrollBar* v) {
    if (hScroll && hScroll != h) hScroll->Dispose();
    if (vScroll && vScroll != v) vScroll->Dispose();
    hScroll = h;
    vScroll = v;
    for (AScrollBar* b : {h, v}) {
        if (!b) continue;
        if (b->GetEnclPane() != this) b->SetEnclosure(this);
        b->SetFlag(kPaneScrollPart, true);
    }
    PlaceBars(growBox || (h && v));
    HookupScrollBar(h);
    HookupScrollBar(v);
}

void AScrollPane::HookupScrollBar(AScrollBar* bar) {
    if (!bar) return;
    bar->SetScrollCB(ScrollProc, this);
    bar->SetControlledPane(itsMainPane);
}

void AScrollPane::InstallPane(AScrollablePane* main) {
    if (itsMainPane && itsMainPane != main) itsMainPane->Dispose();
    itsMainPane = main;
    for (AScrollBar* b : {hScroll, vScroll})
        if (b) b->SetControlledPane(main);
    if (!main) {
        AdjustScrollBars();
        return;
    }
    main->SetFlag(kPaneScrollPart, true);
    if (main->GetEnclPane() != this) main->SetEnclosure(this);
    main->SetSizingAttrs(kPaneSizingMask);
    main->SetIsInScrollPane(true);
    main->SetLimitsChangedProc(LimitsChanged);
    main->SetContentChangedProc(ContentChanged);
    // The main pane goes behind the bars, which overlap its edges by a pixel.
    main->SendToBack();
    PlaceMainPane();
    InteriorChanged(GetInterior());
}

bool AScrollPane::IsMiniPane(const APane* p) const {
    for (const auto* list : {&iHMinis, &iVMinis})
        if (std::find(list->begin(), list->end(), p) != list->end()) return true;
    return false;
}

void AScrollPane::AddMiniPane(APane* pane, bool horizontal) {
    FtlAssert(pane != nullptr && pane->GetEnclPane() == nullptr);
    pane->SetEnclosure(this);
    pane->SetFlag(kPaneScrollPart, true);
    (horizontal ? iHMinis : iVMinis).push_back(pane);
    (horizontal ? hMiniCount : vMiniCount)++;
    PlaceBars(growBox && growBox->GetOwnVisible());
    AdjustSBarVisibility();
}

namespace {
// Places a part, redrawing only when it moved: the bars are placed again on
// every adjustment.
void PlacePart(APane* p, SInt16 l, SInt16 r, SInt16 w, SInt16 t, SInt16 b, SInt16 h) {
    const KsRect before = p->GetBounds();
    p->Place(l, r, w, t, b, h);
    if (p->GetBounds() == before) return;
    p->PaneInvalRect(p->GetVisRect(before));
    p->Inval();
}
} // namespace

// Along each bar, from its far end: the mini panes, newest last, then the
// bar in what is left. Neighbours share their one-pixel borders.
void AScrollPane::PlaceBars(bool corner) {
    const SInt16 inset = corner ? kCornerInset : 0;
    SInt32 hEnd = corner ? inset : (iHMinis.empty() ? 0 : -1);
    for (auto it = iHMinis.rbegin(); it != iHMinis.rend(); ++it) {
        const SInt16 len = (*it)->GetWidth();
        PlacePart(*it, S, SInt16(hEnd), len, S, 1, kBarWidth);
        hEnd -= len - 1;
    }
    SInt32 vEnd = corner ? inset : (iVMinis.empty() ? 1 : -1);
    for (auto it = iVMinis.rbegin(); it != iVMinis.rend(); ++it) {
        const SInt16 len = (*it)->GetHeight();
        PlacePart(*it, S, 1, kBarWidth, S, SInt16(vEnd), len);
        vEnd -= len - 1;
    }
    if (vScroll) PlacePart(vScroll, S, 1, kBarWidth, -1, SInt16(vEnd), S);
    if (hScroll) PlacePart(hScroll, -1, SInt16(hEnd), S, S, 1, kBarWidth);
}

void AScrollPane::PlaceMainPane() {
    if (!itsMainPane) return;
    const bool v = vScroll && vScroll->GetOwnVisible();
    const bool h = hScroll && hScroll->GetOwnVisible();
    const KsRect before = itsMainPane->GetBounds();
    itsMainPane->PlaceAndAdjust(0, SInt16(v ? -15 : 0), S, 0, SInt16(h ? -15 : 0), S);
    itsMainPane->SetSizingAttrs(kPaneSizingMask);
    if (itsMainPane->GetBounds() != before) itsMainPane->Inval();
}

void AScrollPane::InteriorChanged(const KsRect& in) {
    APane::InteriorChanged(in);
    AdjustScrollBars();
    PlaceMainPane();
}

// ---------------------------------------------------------------------------
// Bars in step

void AScrollPane::ScrollProc(SInt32 delta, AScrollBar* bar, void* data) {
    auto* sp = static_cast<AScrollPane*>(data);
    if (!sp->itsMainPane || delta == 0) return;
    if (bar == sp->hScroll)
        sp->ScrollMainPane(delta, 0);
    else
        sp->ScrollMainPane(0, delta);
}

void AScrollPane::ScrollMainPane(SInt32 dx, SInt32 dy) {
    if (itsMainPane) itsMainPane->Scroll(dx, dy);
}

void AScrollPane::LimitsChanged(AScrollablePane* pane) {
    if (AScrollPane* sp = ScrollPaneOf(pane)) sp->AdjustScrollBars();
}

void AScrollPane::ContentChanged(AScrollablePane* pane) {
    if (AScrollPane* sp = ScrollPaneOf(pane)) sp->DirtyScrollBars();
}

// Changing a bar's range can show or hide it, which resizes the main pane and
// so changes the ranges again: a few passes settle it.
void AScrollPane::AdjustScrollBars() {
    if (iAdjusting) {
        iAdjustAgain = true;
        return;
    }
    iAdjusting = true;
    struct Done {
        bool& flag;
        ~Done() { flag = false; }
    } done{iAdjusting};
    for (int pass = 0; pass < 3; ++pass) {
        iAdjustAgain = false;
        const KsRect before = itsMainPane ? itsMainPane->GetScrollableRect() : KsRect{};
        AdjustOnce();
        const KsRect after = itsMainPane ? itsMainPane->GetScrollableRect() : KsRect{};
        if (!iAdjustAgain && after == before) break;
    }
    scrollBarsDirty = false;
    CancelDeferredAdjust();
}

void AScrollPane::AdjustOnce() {
    if (!itsMainPane) {
        SetScrollBarMinMaxVal(hScroll, 0, 0, 0);
        SetScrollBarMinMaxVal(vScroll, 0, 0, 0);
        return;
    }
    for (bool horizontal : {true, false}) {
        AScrollBar* bar = horizontal ? hScroll : vScroll;
        if (!bar) continue;
        SInt32 mn = 0, mx = 0, pos = 0, page = 0, step = 0;
        if (horizontal)
            itsMainPane->GetXScrollInfo(&mn, &mx, &pos);
        else
            itsMainPane->GetYScrollInfo(&mn, &mx, &pos);
        GetIncrs(horizontal, &page, &step);
        bar->SetStep(step);
        bar->SetPageStep(page);
        if (mn < mx || pos != 0)
            SetScrollBarMinMaxVal(bar, mn, mx, std::min(pos, mx));
        else
            SetScrollBarMinMaxVal(bar, 0, 0, 0);
    }
}

void AScrollPane::SetScrollBarMinMaxVal(AScrollBar* bar, SInt32 min, SInt32 max, SInt32 val) {
    if (!bar) return;
    bar->SetMinMaxVal(min, max, val);
    (bar == hScroll ? hBarEmpty : vBarEmpty) = min == 0 && max == 0;
    AdjustSBarVisibility();
}

void AScrollPane::GetIncrs(bool horizontal, SInt32* page, SInt32* step) {
    SInt32 s = 1, extent = 0;
    if (itsMainPane) {
        const KsRect r = itsMainPane->GetScrollableRect();
        s = horizontal ? itsMainPane->GetXincr() : itsMainPane->GetYincr();
        extent = horizontal ? r.Width() : r.Height();
    }
    s = KsScroll::SaneIncr(s);
    if (step) *step = s;
    if (page) *page = KsScroll::PageIncr(extent, s);
}

void AScrollPane::DirtyScrollBars() {
    if (scrollBarsDirty) return;
    if (!gApplication) {
        // No event loop to run the task: adjust now.
        AdjustScrollBars();
        return;
    }
    gApplication->AddEndOfEventTask(EndOfEventAdjust, this);
    scrollBarsDirty = true;
}

void AScrollPane::CancelDeferredAdjust() {
    if (scrollBarsDirty && gApplication) gApplication->RemoveEndOfEventTask(EndOfEventAdjust, this);
    scrollBarsDirty = false;
}

void AScrollPane::EndOfEventAdjust(void* data) {
    auto* pane = static_cast<APane*>(data);
    FtlAssert(pane->IsInstanceOf("AScrollPane"));
    auto* sp = static_cast<AScrollPane*>(pane);
    sp->scrollBarsDirty = false; // the task has run: nothing to remove
    AWindow* w = sp->GetEnclWindow();
    if (w && w->GetWindowPtr()) {
        StPortSaver port(GrafPtr(GetWindowPort(w->GetWindowPtr())));
        sp->AdjustScrollBars();
    } else {
        sp->AdjustScrollBars();
    }
}

// ---------------------------------------------------------------------------
// Visibility

void AScrollPane::HSBarAlwaysVisible(bool on) {
    hBarAlwaysVisible = on;
    AdjustSBarVisibility();
}
void AScrollPane::VSBarAlwaysVisible(bool on) {
    vBarAlwaysVisible = on;
    AdjustSBarVisibility();
}
void AScrollPane::HSBarAlwaysInvisible(bool on) {
    hBarAlwaysInvisible = on;
    AdjustSBarVisibility();
}
void AScrollPane::VSBarAlwaysInvisible(bool on) {
    vBarAlwaysInvisible = on;
    AdjustSBarVisibility();
}

void AScrollPane::AdjustSBarVisibility() {
    bool showV =
        vScroll && (vBarAlwaysVisible || !(vBarAlwaysInvisible || (vBarEmpty && vMiniCount == 0)));
    bool showH =
        hScroll && (hBarAlwaysVisible || !(hBarAlwaysInvisible || (hBarEmpty && hMiniCount == 0)));
    // A grow box needs a bar to sit beside: keep the one already showing.
    if (!showH && !showV && hasGrow) {
        if (vScroll && vScroll->GetOwnVisible())
            showV = true;
        else if (hScroll)
            showH = true;
        else if (vScroll)
            showV = true;
    }
    const bool growShows = (showH || showV) && (hasGrow || (showH && showV));
    const bool hChanged = hScroll && hScroll->GetOwnVisible() != showH;
    const bool vChanged = vScroll && vScroll->GetOwnVisible() != showV;
    if (hChanged || vChanged) {
        if (hScroll) hScroll->SetVisible(showH);
        if (vScroll) vScroll->SetVisible(showV);
        PlaceMainPane();
    }
    if (hScroll && vScroll && !hasGrow) PlaceBars(growShows);
    if (growBox && growBox->GetOwnVisible() != growShows) {
        growBox->SetVisible(growShows);
        if (hScroll) hScroll->Inval();
        if (vScroll) vScroll->Inval();
    }
}

// ---------------------------------------------------------------------------
// Clicks, keys and the wheel

void AScrollPane::DoClick(KsPoint pt, SInt16 modifiers, SInt32 when, void* data) {
    if (scrollBarsDirty) AdjustScrollBars();
    APane::DoClick(pt, modifiers, when, data);
}

bool AScrollPane::DoKeyDown(SInt16 charCode, SInt16 keyCode, EventRecord* event, void* data) {
    if (!itsMainPane || (keyCode != kKeyPageUp && keyCode != kKeyPageDown && keyCode != kKeyHome &&
                         keyCode != kKeyEnd))
        return APane::DoKeyDown(charCode, keyCode, event, data);
    SInt32 page = 0, mn = 0, mx = 0, pos = 0;
    GetIncrs(false, &page, nullptr);
    itsMainPane->GetYScrollInfo(&mn, &mx, &pos);
    // Deltas that land on the ends exactly: a fixed huge delta would overflow
    // a position added to it.
    SInt64 delta = 0;
    switch (keyCode) {
    case kKeyPageUp:
        delta = -SInt64(page);
        break;
    case kKeyPageDown:
        delta = page;
        break;
    case kKeyHome:
        delta = SInt64(mn) - pos;
        break;
    default:
        delta = SInt64(mx) - pos;
        break;
    }
    // A move across the whole 32-bit range takes two deltas.
    const SInt64 target = std::clamp<SInt64>(SInt64(pos) + delta, mn, std::max(mn, mx));
    for (int i = 0; i < 2 && pos != target; ++i) {
        ScrollMainPane(0, KsScroll::SaturatedDelta(pos, target - pos));
        itsMainPane->GetYinfo(&pos, nullptr, nullptr);
    }
    AdjustScrollBars();
    return true;
}

SInt32 AScrollPane::WheelNotch(SInt32 step) {
    // Three steps a notch, but never a crawl on panes with tiny steps.
    constexpr SInt32 kLeast = 40;
    return std::max<SInt32>(
        SInt32(std::min<SInt64>(3 * SInt64(KsScroll::SaneIncr(step)), INT32_MAX)), kLeast);
}

bool AScrollPane::DoWheel(SInt32 dx16, SInt32 dy16, SInt16 modifiers) {
    if (!itsMainPane) return false;
    // Shift turns the wheel sideways: toward the user goes right, as down
    // does on the vertical axis.
    if ((modifiers & shiftKey) && dx16 == 0) {
        dx16 = -dy16;
        dy16 = 0;
    }
    // Sixteenths of a notch to units, keeping the fraction for the next turn
    // so that a touchpad's small steps add up.
    auto units = [](SInt32 d16, SInt32 notch, SInt32& rest) -> SInt32 {
        const SInt64 total = SInt64(d16) * notch + rest;
        const SInt64 whole = total / 16;
        rest = SInt32(total - whole * 16);
        return SInt32(std::clamp<SInt64>(whole, -INT32_MAX, INT32_MAX));
    };
    const SInt32 dx = units(dx16, WheelNotch(itsMainPane->GetXincr()), iWheelRestX);
    // Up (away from the user) shows what lies above: the position decreases.
    const SInt32 dy = -units(dy16, WheelNotch(itsMainPane->GetYincr()), iWheelRestY);
    SInt32 x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    itsMainPane->GetXinfo(&x0, nullptr, nullptr);
    itsMainPane->GetYinfo(&y0, nullptr, nullptr);
    if (dx || dy) ScrollMainPane(dx, dy);
    itsMainPane->GetXinfo(&x1, nullptr, nullptr);
    itsMainPane->GetYinfo(&y1, nullptr, nullptr);
    if (x0 == x1 && y0 == y1) return false;
    AdjustScrollBars();
    return true;
}
