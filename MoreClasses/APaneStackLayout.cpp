// APaneStack rows: restacking after a pane opens, closes or changes page,
// reordering, removal, resizing and scrolling in whole rows.
//
// Invariants kept here: stack panes lie one after another without gaps from
// the top of the landscape, a closed one a row high and an open one
// GetHeightMultiple rows; totalItems is the sum of their rows; the landscape
// is rowHeight × totalItems high.
#include "APaneStack.h"

#include "APagePane.h"
#include "APaneStackPrivate.h"
#include "AScrollBar.h"
#include "AScrollablePane.h"
#include "AStackPane.h"

#include <algorithm>
#include <vector>

namespace {
constexpr SInt16 S = kPaneDontCare;

SInt32 YPos(const AScrollablePane* main) {
    SInt32 pos = 0;
    if (main) main->GetYinfo(&pos, nullptr, nullptr);
    return pos;
}
} // namespace

void APaneStack::SetRangeFromTotal() {
    if (AScrollablePane* main = GetMainPane()) main->SetYmax(SInt32(rowHeight) * totalItems);
}

void APaneStack::InvalBar() {
    if (AScrollBar* v = GetVScroll()) v->InvalInterior();
}

void APaneStack::ScrollToTop() {
    AScrollablePane* main = GetMainPane();
    if (!main || YPos(main) == 0) return;
    main->SetYpos(0);
    main->InvalInterior();
}

SInt32 APaneStack::GetTopRow() const {
    return YPos(GetMainPane()) / rowHeight;
}

void APaneStack::PullBackPosition() {
    AScrollablePane* main = GetMainPane();
    const SInt32 p = YPos(main);
    if (!main || p == 0) return;
    const SInt32 r = rowHeight;
    if (r * totalItems - p >= visibleItems * r) return;
    main->SetYpos(std::max<SInt32>(0, (totalItems - visibleItems) * r));
    main->InvalInterior();
}

bool APaneStack::MoveLaterPanes(AStackPane* after, SInt32 rows) {
    AScrollablePane* main = GetMainPane();
    if (!main || rows == 0) return false;
    const SInt32 n = main->GetNumSubPanes();
    SInt32 i = 1;
    while (i <= n && main->GetSubPane(i) != after)
        ++i;
    bool moved = false;
    const SInt32 dy = rows * rowHeight;
    for (++i; i <= n; ++i) {
        APane* p = main->GetSubPane(i);
        if (p->IsInstanceOf("AStackPane")) moved |= p->MovePane(0, dy);
    }
    return moved;
}

bool APaneStack::ApplyRows(AStackPane* stackPane, SInt32 d, bool honourAutoScroll) {
    AScrollablePane* main = GetMainPane();
    const SInt32 r = rowHeight;
    totalItems += d;
    nextPaneTop += d * r;
    SetRangeFromTotal();
    InvalBar();
    if (d < 0) PullBackPosition();
    if (d > 0 && stackPane == curStackPane && (autoScroll || !honourAutoScroll)) {
        // The grown pane is scrolled just far enough to show its last row.
        const SInt32 rowsAbove = (stackPane->GetBounds().top - main->GetInterior().top) / r;
        const SInt32 e = stackPane->GetHeightMultiple() + rowsAbove - visibleItems;
        if (e > 0) {
            main->SetYpos(YPos(main) + e * r);
            main->InvalInterior();
        }
    }
    return MoveLaterPanes(stackPane, d);
}

bool APaneStack::Restack(AStackPane* stackPane, SInt16 delta) {
    if (CountStackPanes() == 0 || !stackPane || stackPane->GetStack() != this) return false;
    SInt32 d = delta;
    if (d == 0)
        d = stackPane->IsOpen() ? stackPane->GetHeightMultiple() - 1
                                : 1 - stackPane->GetHeightMultiple();
    return ApplyRows(stackPane, d, true);
}

// Only one page of a stack pane shows at a time: the others are hidden here,
// so that the pane's height and the rows booked for it come from one page.
bool APaneStack::ChangePage(APagePane* page) {
    if (CountStackPanes() == 0 || !page) return false;
    AStackPane* s = page->GetStackPane();
    if (!s || s->GetStack() != this) return false;
    s->SetCurPage(page);
    if (page->GetOwnVisible()) return false;
    const SInt32 oldRows = s->RowsNow();
    for (SInt32 i = 1; i <= s->GetNumSubPanes(); ++i) {
        APane* p = s->GetSubPane(i);
        if (p != page && p->IsInstanceOf("APagePane")) p->SetVisible(false);
    }
    s->StoreHeightMultiple(SInt16(page->GetHeightMultiple() + 1));
    page->SetVisible(true);
    if (s->IsInOpen() || !s->IsOpen()) return false;
    KsRect b = s->GetBounds();
    b.bottom = b.top + SInt32(s->GetHeightMultiple()) * rowHeight;
    s->SetBounds(b);
    const SInt32 d = s->RowsNow() - oldRows;
    if (d == 0) return false;
    return ApplyRows(s, d, false);
}

// Stack panes keep their index order within each group; an index outside
// 0 .. kMaxShuffle - 1 or used twice leaves the stack as it was.
bool APaneStack::ShuffleOpenable() {
    AScrollablePane* main = GetMainPane();
    const SInt32 n = CountStackPanes();
    if (!main || n == 0) return false;
    std::vector<AStackPane*> slots(kMaxShuffle, nullptr);
    bool anyOpenable = false;
    for (SInt32 i = 1; i <= n; ++i) {
        AStackPane* p = GetStackPane(i);
        if (!p) return false;
        const SInt32 idx = p->GetPaneIndex();
        if (idx < 0 || idx >= kMaxShuffle || slots[std::size_t(idx)]) return false;
        slots[std::size_t(idx)] = p;
        anyOpenable |= p->IsOpenable();
    }
    if (!anyOpenable) return false;
    for (AStackPane* p : slots)
        if (p) main->RemoveSubPane(p);
    ++iGeneration;
    ScrollToTop();
    totalItems = 0;
    SInt32 y = 0;
    for (bool openableFirst : {true, false}) {
        for (AStackPane* p : slots) {
            if (!p || p->IsOpenable() != openableFirst) continue;
            main->AddSubPane(p);
            const SInt16 rows = p->RowsNow();
            p->Place(0, S, SInt16(paneWidth), 0, S, SInt16(rows * rowHeight));
            p->MovePane(0, y);
            totalItems += rows;
            y += SInt32(rows) * rowHeight;
        }
    }
    nextPaneTop = y;
    SetRangeFromTotal();
    InvalBar();
    main->InvalInterior();
    return true;
}

void APaneStack::StackPaneGone(AStackPane* pane) {
    ForgetPane(pane);
    if (iRemovingAll) return;
    AScrollablePane* main = GetMainPane();
    bool inStack = false;
    for (SInt32 i = 1; main && i <= main->GetNumSubPanes() && !inStack; ++i)
        inStack = main->GetSubPane(i) == pane;
    if (!inStack) return;
    ++iGeneration;
    const SInt32 rows = pane->RowsNow();
    MoveLaterPanes(pane, -rows);
    totalItems -= rows;
    nextPaneTop -= rows * rowHeight;
    SetRangeFromTotal();
    InvalBar();
    PullBackPosition();
}

void APaneStack::RemoveStackPanes() {
    SetCurrent(nullptr, nullptr);
    lastPaneIndex = -1;
    totalItems = 0;
    nextPaneTop = 0;
    ScrollToTop();
    ++iGeneration;
    if (AScrollablePane* main = GetMainPane()) {
        iRemovingAll = true;
        struct Done {
            bool& flag;
            ~Done() { flag = false; }
        } done{iRemovingAll};
        for (SInt32 i = main->GetNumSubPanes(); i >= 1; i = std::min(i - 1, main->GetNumSubPanes()))
            main->GetSubPane(i)->Dispose();
        main->InvalInterior();
    }
    SetRangeFromTotal();
    InvalBar();
}

void APaneStack::ResetTotalItems(SInt32 n) {
    totalItems = n;
    if (AScrollablePane* main = GetMainPane()) main->InvalInterior();
    ScrollToTop();
    SetRangeFromTotal();
    InvalBar();
}

// The same frame allowance as construction: the stack shows whole rows.
bool APaneStack::Resize(SInt16 width, SInt16 height) {
    if (height != S) {
        visibleItems = std::max<SInt32>(0, (height - kFrameExtra) / rowHeight);
        height = SInt16(visibleItems * rowHeight + kFrameExtra);
    }
    AScrollPane::Resize(width, height);
    ScrollToTop();
    InvalBar();
    return true;
}

bool APaneStack::ScrollToItem(SInt32 row) {
    if (row < 0 || row >= totalItems) return false;
    const SInt32 t = GetTopRow();
    SInt32 dist = 0;
    if (row < t)
        dist = (row - t) * rowHeight;
    else if (row >= t + visibleItems)
        dist = (row - visibleItems - t + 1) * rowHeight;
    if (dist == 0) return false;
    ScrollMainPane(0, dist);
    return true;
}
