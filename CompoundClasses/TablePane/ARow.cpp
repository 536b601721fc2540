#include "ARow.h"

#include "AColumn.h"
#include "APane.h"
#include "ATableScape.h"
#include "AWindow.h"
#include "CKsList.h"
#include "KsPortSavers.h"
#include "QuickDraw.h"
#include "Windows.h"

#include <algorithm>

const std::vector<ARow*>& ARow::NoRows() {
    static const std::vector<ARow*> none;
    return none;
}

void ARow::IRow(AObject* object, ATableScape* table, SInt16 height) {
    itsObject = object;
    itsTable = table;
    iHeight = height > 0 ? height : kDefaultHeight;
}

void ARow::Dispose() {
    if (itsTable && IsShown())
        itsTable->RemoveRow(this, false);
    else if (itsParent)
        Remove();
    for (ARow* sub : SubRows()) {
        sub->itsParent = nullptr;
        sub->itsTable = nullptr; // already off show with this row
        sub->Dispose();
    }
    delete iSubRows;
    iSubRows = nullptr;
    if (iPanes) {
        for (CellPane& c : *iPanes)
            c.pane->Dispose();
        delete iPanes;
        iPanes = nullptr;
    }
    if (iDeletesObj && itsObject) itsObject->Dispose();
    itsObject = nullptr;
    AObject::Dispose();
}

SInt32 ARow::GetPosition() const {
    if (!itsTable || iPosition < 0) return -1;
    SInt32 index = 0;
    itsTable->GetRowInfoByRow(const_cast<ARow*>(this), &index, nullptr);
    return index;
}

void ARow::Inval() {
    const KsRect r = GetRowWindowRect();
    if (!r.IsEmpty() && itsTable) itsTable->PaneInvalRect(r);
}

bool ARow::GetRowRect(LongRect* out) const {
    SInt32 top = 0;
    if (!itsTable || !IsShown() ||
        !itsTable->GetRowInfoByRow(const_cast<ARow*>(this), nullptr, &top))
        return false;
    SInt32 xmax = 0;
    itsTable->GetXinfo(nullptr, nullptr, &xmax);
    *out = {0, top, std::max<SInt32>(xmax, itsTable->GetInterior().Width()), top + iHeight};
    return true;
}

KsRect ARow::GetRowWindowRect() const {
    LongRect l{};
    if (!GetRowRect(&l)) return {};
    KsRect r{};
    itsTable->LandscapeRectToWindowRect(l, &r);
    const KsRect in = itsTable->GetInterior();
    r.left = in.left;
    r.right = in.right;
    return r.Intersect(in);
}

void ARow::SetSelectState(bool on) {
    if (on == iSelected) return;
    iSelected = on;
    if (itsTable) itsTable->iNumSelected += on ? 1 : -1;
}

void ARow::SetSelect(bool on) {
    if (on == iSelected) return;
    if (on && itsTable) {
        if (!itsTable->GetMultiSelectRows() && itsTable->GetNumSelectedRows() > 0) return;
        itsTable->EndEditing();
        itsTable->DeselectAllCols();
    }
    SetSelectState(on);
    if (itsTable) itsTable->RowSelectionChanged(this);
}

SInt16 ARow::SetHeight(SInt16 height) {
    const SInt16 old = iHeight;
    if (height <= 0 || height == old) return old;
    iHeight = height;
    if (itsTable && IsShown()) itsTable->NoteRowsChanged(iPosition);
    return old;
}

SInt16 ARow::SetHeightDynamic(SInt16 height) {
    const SInt16 old = SetHeight(height);
    if (old != iHeight && itsTable && IsShown()) {
        itsTable->InvalRowAndBelow(this);
        itsTable->ContentChanged();
    }
    return old;
}

void ARow::DoExpandCollapse() {
    if (itsTable)
        itsTable->DoExpandCollapse(this);
    else if (iExpanded)
        Collapse();
    else
        Expand();
}

void ARow::Expand() {
    if (iExpanded) return;
    iExpanded = true;
    if (!itsTable || !IsShown() || SubRows().empty()) return;
    itsTable->UpdateLayout();
    std::vector<ARow*> shown;
    ATableScape::CollectShownDescendants(this, &shown);
    itsTable->SpliceRows(iPosition + 2, 0, shown);
}

void ARow::Collapse() {
    if (!iExpanded) return;
    const SInt32 count = itsTable && IsShown() ? itsTable->CountShownDescendants(this) : 0;
    if (count > 0) {
        itsTable->UpdateLayout();
        // Hidden rows keep no selection and no editing.
        for (SInt32 i = 0; i < count; ++i) {
            ARow* r = static_cast<ARow*>(itsTable->iRows->At(iPosition + 2 + i));
            if (r == itsTable->iActiveRow) itsTable->EndEditing();
            r->SetSelectState(false);
        }
        itsTable->SpliceRows(iPosition + 2, count, {});
    }
    iExpanded = false;
}

SInt32 ARow::GetIndentLevel() const {
    SInt32 level = 0;
    for (const ARow* p = itsParent; p; p = p->itsParent)
        ++level;
    return level;
}

void ARow::Remove() {
    if (itsTable && IsShown()) {
        itsTable->RemoveRow(this, false);
        return;
    }
    if (itsParent) {
        auto& subs = itsParent->Subs();
        subs.erase(std::remove(subs.begin(), subs.end(), this), subs.end());
        itsParent = nullptr;
    }
}

void ARow::AddSubRow(ARow* sub) {
    if (!sub || sub == this) return;
    if (sub->itsParent || sub->IsShown()) sub->Remove();
    sub->itsParent = this;
    sub->itsTable = itsTable;
    Subs().push_back(sub);
    if (!itsTable || !IsShown() || !iExpanded) return;
    itsTable->UpdateLayout();
    // After this row's last row on show.
    const SInt32 at = iPosition + 1 + itsTable->CountShownDescendants(this) - 1 -
                      itsTable->CountShownDescendants(sub);
    std::vector<ARow*> add{sub};
    ATableScape::CollectShownDescendants(sub, &add);
    itsTable->SpliceRows(at + 1, 0, add);
    itsTable->iMaxIndentKnown = false;
}

void ARow::SetFace(SInt16 face) {
    if (face == iFace) return;
    iFace = face;
    Inval();
}

void ARow::SetRowPane(AColumn* column, APane* pane) {
    if (!iPanes) iPanes = new std::vector<CellPane>;
    for (auto it = iPanes->begin(); it != iPanes->end(); ++it) {
        if (it->column != column) continue;
        if (it->pane == pane) return;
        APane* old = it->pane;
        iPanes->erase(it);
        if (itsTable) {
            auto& shown = itsTable->iShownPanes;
            shown.erase(std::remove(shown.begin(), shown.end(), old), shown.end());
        }
        old->Dispose();
        break;
    }
    if (pane) {
        if (pane->GetEnclPane()) pane->GetEnclPane()->RemoveSubPane(pane);
        iPanes->push_back({column, pane});
    }
    if (itsTable) itsTable->HideOutsideRowPanes();
}

APane* ARow::GetRowPane(const AColumn* column) const {
    if (!iPanes) return nullptr;
    for (const CellPane& c : *iPanes)
        if (c.column == column) return c.pane;
    return nullptr;
}

void ARow::HandleClick(KsPoint pt, AColumn* column, SInt16 modifiers) {
    if (APane* p = GetRowPane(column)) p->DoClick(pt, modifiers, long(TickCount()), nullptr);
}

void ARow::Dawdle(KsPoint, SInt16) {}

void ARow::SetRowTextColor(const KsRGBColor& c) {
    iTextColor = c;
    Inval();
}

void ARow::SetRowColor(const KsRGBColor& c) {
    iRowColor = c;
    iRowColored = true;
    Inval();
}

void ARow::DrawHilite(const KsRect& rect, bool on) {
    if (!on) return;
    RGBColor hilite{};
    GetHiliteColor(&hilite);
    StColorPenSaver pen;
    RGBForeColor(&hilite);
    const Rect r = ToRect(KsRect{rect.left, rect.top, rect.right, rect.bottom - 1});
    PaintRect(&r);
}
