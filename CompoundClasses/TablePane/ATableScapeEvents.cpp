// ATableScape: clicks, keys, find-while-typing, scrolling to a row and cell
// editing.
#include "ATableScape.h"

#include "AColumn.h"
#include "ARow.h"
#include "AWindow.h"
#include "CKsList.h"
#include "KsPortSavers.h"
#include "KsText.h"
#include "QuickDraw.h"
#include "Windows.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr SInt16 kCmd = 0x0100, kShift = 0x0200;
enum : SInt16 {
    kKeyUp = 126,
    kKeyDown = 125,
    kKeyLeft = 123,
    kKeyRight = 124,
    kKeyHome = 0x73,
    kKeyEnd = 0x77,
    kKeyPageUp = 0x74,
    kKeyPageDown = 0x79,
    kKeyForwardDelete = 0x75,
    kKeyEnter = 0x4C,
};

bool StartsWithIgnoringCase(const char* text, const char* prefix, SInt32 length) {
    for (SInt32 i = 0; i < length; ++i) {
        if (!text[i]) return false;
        if (KsToLowerMacRoman((unsigned char)text[i]) !=
            KsToLowerMacRoman((unsigned char)prefix[i]))
            return false;
    }
    return true;
}
} // namespace

void ATableScape::DoClick(KsPoint pt, SInt16 modifiers, SInt32 when, void* data) {
    if (iEditPane && iEditPane->PtInPane(pt)) {
        iEditPane->DoClick(pt, modifiers, when, data);
        return;
    }
    if (TrackSplit(pt)) return;
    ARow* row = nullptr;
    AColumn* col = nullptr;
    PointToRowCol(pt, &row, &col);
    if (row && col) {
        if (row->HasPane(col))
            row->HandleClick(pt, col, modifiers);
        else
            col->HandleClick(pt, row, modifiers);
    } else if (!row && GetInterior().Contains(pt) && iLasso) {
        DoLassoed(pt, modifiers);
    } else if (!row) {
        EndEditing();
    }
}

bool ATableScape::DoKeyDown(SInt16 charCode, SInt16 keyCode, EventRecord* event, void* data) {
    if (iEditPane) return EditKey(charCode, keyCode, event, data);
    const SInt16 mods = event ? SInt16(event->modifiers) : 0;
    if (HandleArrowKeys(keyCode, mods)) return true;
    if (iFindWhileType && keyCode != kKeyForwardDelete && !(mods & kCmd) &&
        (unsigned char)charCode >= 0x20) {
        FindKey(char(charCode), event ? long(event->when) : long(TickCount()));
        return true;
    }
    return ASplitablePane::DoKeyDown(charCode, keyCode, event, data);
}

bool ATableScape::HandleArrowKeys(SInt16 keyCode, SInt16 modifiers) {
    const SInt32 n = GetNumRows();
    if (n == 0) return false;
    ARow* first = GetFirstSelectedRow();
    SInt32 at = 0;
    if (first) GetRowInfoByRow(first, &at, nullptr);
    // The row the selection moves from: the last selected for downward keys.
    SInt32 last = at;
    if (first && iNumSelected > 1)
        for (SInt32 i = n; i > at; --i)
            if (iRows->AtAs<ARow>(i)->GetSelect()) {
                last = i;
                break;
            }
    const SInt32 page = std::max<SInt32>(1, GetInterior().Height() / ARow::kDefaultHeight - 1);
    SInt32 to = 0;
    switch (keyCode) {
    case kKeyDown:
        to = first ? last + 1 : 1;
        break;
    case kKeyUp:
        to = first ? at - 1 : n;
        break;
    case kKeyHome:
        to = 1;
        break;
    case kKeyEnd:
        to = n;
        break;
    case kKeyPageDown:
        to = first ? last + page : page;
        break;
    case kKeyPageUp:
        to = first ? at - page : 1;
        break;
    case kKeyLeft:
    case kKeyRight:
        if (first && iNumSelected == 1 && first->GetIsExpandable() &&
            first->GetIsExpanded() == (keyCode == kKeyLeft))
            DoExpandCollapse(first);
        else if (first && keyCode == kKeyLeft && first->GetParent())
            MoveSelectionTo(first->GetParent(), false);
        return true;
    default:
        return false;
    }
    MoveSelectionTo(iRows->AtAs<ARow>(std::clamp<SInt32>(to, 1, n)), (modifiers & kShift) != 0);
    return true;
}

void ATableScape::SetFindWhileType(bool on, AColumn* column) {
    iFindWhileType = on;
    iFindCol = column;
    iFindLength = 0;
    iFindText[0] = 0;
}

void ATableScape::FindKey(char c, long when) {
    const bool extends = iFindLength > 0 && when - iFindWhen <= kFindTicks;
    iFindWhen = when;
    if (!extends) {
        iFindLength = 0;
        iFindFrom = 1;
    }
    if (iFindLength >= kFindMax) return;
    iFindText[iFindLength++] = c;
    iFindText[iFindLength] = 0;
    AColumn* col = iFindCol ? iFindCol : iColumns->AtAs<AColumn>(1);
    ARow* found = FindRowBySubstring(iFindText, iFindLength, col);
    if (!found) return;
    DeselectAllRows();
    found->SetSelect(true);
    ScrollToRow(found, true);
}

// Rows before iFindFrom failed a shorter search text, so they fail this one
// too: a run of keys costs one walk over the rows at most.
ARow* ATableScape::FindRowBySubstring(const char* text, SInt32 length, AColumn* column) {
    if (!column || length <= 0) return nullptr;
    char buf[33];
    for (SInt32 i = std::max<SInt32>(iFindFrom, 1); i <= GetNumRows(); ++i) {
        ARow* r = iRows->AtAs<ARow>(i);
        column->GetText(r, buf, sizeof buf);
        if (StartsWithIgnoringCase(buf, text, length)) {
            iFindFrom = i;
            return r;
        }
    }
    iFindFrom = GetNumRows() + 1;
    return nullptr;
}

void ATableScape::ScrollToRow(ARow* row, bool) {
    LongRect l{};
    if (!row || !row->GetRowRect(&l)) return;
    SInt32 ypos = 0;
    GetYinfo(&ypos, nullptr, nullptr);
    const SInt32 visible = GetScrollableRect().Height();
    const SInt32 frozen = GetYsplit();
    if (l.top >= ypos + frozen && l.bottom <= ypos + frozen + visible) return;
    Scroll(0, l.top - frozen - ypos);
}

// ---------------------------------------------------------------------------
// Editing

KsRect ATableScape::GetCellWindowRect(ARow* row, AColumn* column) {
    LongRect l{};
    if (!row || !column || !row->GetRowRect(&l)) return {};
    l.left = column->GetLeft();
    l.right = l.left + column->GetWidth();
    KsRect r{};
    LandscapeRectToWindowRect(l, &r);
    return r;
}

KsRect ATableScape::GetEditPaneWindowRect() {
    return iEditPane ? iEditPane->GetBounds() : KsRect{};
}

void ATableScape::SetActiveCell(ARow* row, AColumn* column) {
    AWindow* w = GetEnclWindow();
    StPortSaver port(w && w->GetWindowPtr() ? GrafPtr(GetWindowPort(w->GetWindowPtr()))
                                            : KsGetPort());
    if (row && column) ScrollToRow(row, true);
    if (iActiveRow || iEditPane) {
        APane* pane = iEditPane;
        ARow* oldRow = iActiveRow;
        AColumn* oldCol = iActiveCol;
        iEditPane = nullptr;
        iActiveRow = nullptr;
        iActiveCol = nullptr;
        iActiveRect = {};
        if (pane) {
            pane->Inval();
            RemoveSubPane(pane);
        }
        if (oldCol)
            oldCol->DeactivateCell(oldRow, pane);
        else if (pane)
            pane->Dispose();
    }
    if (!row || !column || !row->IsShown()) return;
    KsRect rect{};
    APane* pane = nullptr;
    if (!column->ActivateCell(row, &rect, &pane)) return;
    iActiveRow = row;
    iActiveCol = column;
    iActiveRect = rect;
    iEditPane = pane;
    if (pane) {
        if (pane->GetEnclPane() != this) AddSubPane(pane);
        pane->SetBkndColor(GetBkndColor());
        pane->Inval();
    }
    DeselectAllRows();
    DeselectAllCols();
}

bool ATableScape::EditKey(SInt16 charCode, SInt16 keyCode, EventRecord* event, void* data) {
    const SInt16 mods = event ? SInt16(event->modifiers) : 0;
    const bool back = (mods & kShift) != 0;
    ARow* row = iActiveRow;
    AColumn* col = iActiveCol;
    // Columns whose cells cannot be edited are passed over.
    auto nextColumn = [&] {
        const SInt32 n = iColumns->GetCount();
        SInt32 i = iColumns->IndexOf(col);
        for (SInt32 k = 0; k < n; ++k) {
            i = back ? (i <= 1 ? n : i - 1) : (i >= n ? 1 : i + 1);
            AColumn* c = iColumns->AtAs<AColumn>(i);
            if (!c->GetVisible()) continue;
            SetActiveCell(row, c);
            if (iEditPane || iActiveRow) return;
        }
    };
    if (charCode == '\t') {
        nextColumn();
        return true;
    }
    if (charCode == 13 || keyCode == kKeyEnter) {
        switch (iCRAction) {
        case kCREndEdit:
            EndEditing();
            break;
        case kCRNextRow: {
            SInt32 i = 0;
            GetRowInfoByRow(row, &i, nullptr);
            const SInt32 n = GetNumRows();
            i = back ? (i <= 1 ? n : i - 1) : (i >= n ? 1 : i + 1);
            SetActiveCell(iRows->AtAs<ARow>(i), col);
            break;
        }
        case kCRSelectRow:
            EndEditing();
            if (row) row->SetSelect(true);
            break;
        default:
            nextColumn();
            break;
        }
        return true;
    }
    return iEditPane->DoKeyDown(charCode, keyCode, event, data);
}
