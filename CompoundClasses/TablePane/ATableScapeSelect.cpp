// ATableScape: row selection and the lasso.
#include "ATableScape.h"

#include "AColumn.h"
#include "ARow.h"
#include "AWindow.h"
#include "CKsList.h"
#include "Events.h"
#include "KsPortSavers.h"
#include "KsTime.h"
#include "QuickDraw.h"

#include <algorithm>

void ATableScape::RowSelectionChanged(ARow* row) {
    if (row->IsShown()) DrawRowNow(row);
}

void ATableScape::SelectAllRows() {
    if (!iMultiSelect) return;
    EndEditing();
    for (SInt32 i = 1; i <= GetNumRows(); ++i)
        iRows->AtAs<ARow>(i)->SetSelectState(true);
    InvalInterior();
}

void ATableScape::DeselectAllRows() {
    if (iNumSelected == 0) return;
    // Rows under collapsed parents were deselected when they were hidden.
    for (SInt32 i = 1; i <= GetNumRows() && iNumSelected > 0; ++i) {
        ARow* r = iRows->AtAs<ARow>(i);
        if (r->GetSelect()) r->SetSelect(false);
    }
}

ARow* ATableScape::GetFirstSelectedRow() {
    if (iNumSelected == 0) return nullptr;
    for (SInt32 i = 1; i <= GetNumRows(); ++i)
        if (iRows->AtAs<ARow>(i)->GetSelect()) return iRows->AtAs<ARow>(i);
    return nullptr;
}

// The range runs from the first selected row to row, either way; rows
// selected outside it are deselected, so Shift-clicks move the range's end.
void ATableScape::SelectRange(ARow* row) {
    if (!iMultiSelect || !row || !row->IsShown()) return;
    ARow* anchor = GetFirstSelectedRow();
    if (!anchor) {
        row->SetSelect(true);
        return;
    }
    SInt32 a = 0, b = 0;
    GetRowInfoByRow(anchor, &a, nullptr);
    GetRowInfoByRow(row, &b, nullptr);
    const SInt32 lo = std::min(a, b), hi = std::max(a, b);
    for (SInt32 i = 1; i <= GetNumRows(); ++i) {
        ARow* r = iRows->AtAs<ARow>(i);
        const bool in = i >= lo && i <= hi;
        if (r->GetSelect() != in) r->SetSelect(in);
    }
}

void ATableScape::MoveSelectionTo(ARow* row, bool extend) {
    if (!row) return;
    if (extend && iMultiSelect) {
        row->SetSelect(true);
    } else {
        DeselectAllRows();
        row->SetSelect(true);
    }
    ScrollToRow(row, true);
}

// The rows whose extent crosses [v1, v2] become selected; the others lose
// their selection unless adding, where the rows selected before the lasso
// began keep theirs (the caller restores them).
void ATableScape::SelectRowsInLasso(SInt32 v1, SInt32 v2, bool adding) {
    SInt32 lo = 0, hi = -1;
    const SInt32 top = std::min(v1, v2), bottom = std::max(v1, v2);
    if (GetNumRows() > 0 && bottom >= 0 && top < GetRowsHeight()) {
        GetRowInfoByPos(std::max<SInt32>(top, 0), &lo, nullptr);
        GetRowInfoByPos(std::min<SInt32>(bottom, GetRowsHeight() - 1), &hi, nullptr);
    }
    for (SInt32 i = 1; i <= GetNumRows(); ++i) {
        ARow* r = iRows->AtAs<ARow>(i);
        const bool in = i >= lo && i <= hi;
        if (in && !r->GetSelect()) r->SetSelect(true);
        if (!in && !adding && r->GetSelect()) r->SetSelect(false);
    }
}

void ATableScape::DoLassoed(KsPoint pt, SInt16 modifiers) {
    EndEditing();
    const bool adding = (modifiers & 0x0200) != 0;
    std::vector<ARow*> before;
    if (adding)
        for (SInt32 i = 1; i <= GetNumRows(); ++i)
            if (iRows->AtAs<ARow>(i)->GetSelect()) before.push_back(iRows->AtAs<ARow>(i));
    LongPoint start{};
    WindowToLandscapePt(pt, &start);
    SInt32 lastV = INT32_MIN;
    auto follow = [&](KsPoint at) {
        // The pointer past either edge scrolls the table.
        const KsRect in = GetInterior();
        if (at.v < in.top) Scroll(0, -GetYincr());
        if (at.v >= in.bottom) Scroll(0, GetYincr());
        LongPoint l{};
        WindowToLandscapePt(at, &l);
        if (l.v == lastV) return;
        lastV = l.v;
        SelectRowsInLasso(start.v, l.v, adding);
        if (!adding) return;
        for (ARow* r : before)
            if (r->IsShown() && !r->GetSelect()) r->SetSelect(true);
    };
    follow(pt);
    while (StillDown()) {
        Point m{};
        GetMouse(&m);
        follow({m.h, m.v});
        KsDoNothing(1);
    }
}
