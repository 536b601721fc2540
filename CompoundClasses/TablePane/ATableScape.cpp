// ATableScape: construction, columns, the row list and its layout.
#include "ATableScape.h"

#include "AColumn.h"
#include "ARow.h"
#include "AStream.h"
#include "AWindow.h"
#include "CKsList.h"
#include "CoreAttrList.h"
#include "KsPortSavers.h"
#include "PaneStream.h"
#include "QuickDraw.h"

#include <algorithm>
#include <climits>

namespace {
APortable* MakeTableScape() {
    return new ATableScape;
}
void AddProps(APane* p, CoreAttrList* l) {
    auto* t = static_cast<ATableScape*>(p);
    l->SetSInt32("indent", t->GetIndentWidth());
    l->SetSInt32("crAction", t->GetCRAction());
    l->SetSInt32("multiSel", t->GetMultiSelectRows());
    l->SetSInt32("lasso", t->GetLasso());
}
void GetProps(APane* p, CoreAttrList* l) {
    auto* t = static_cast<ATableScape*>(p);
    t->SetIndentWidth(SInt16(l->GetSInt32("indent", ATableScape::kDefaultIndent)));
    t->SetCRAction(CRAction_t(l->GetSInt32("crAction", kCRNextRow)));
    t->SetMultiSelectRows(l->GetSInt32("multiSel", 0) != 0);
    t->SetLasso(l->GetSInt32("lasso", 1) != 0);
}
const bool kRegistered = (ATableScape::PCRegister(), true);

SInt32 Sat(SInt64 v) {
    return SInt32(std::clamp<SInt64>(v, INT32_MIN, INT32_MAX));
}
} // namespace

void ATableScape::PCRegister() {
    PClassAdd(kClassID, kClassInfo.name, MakeTableScape);
    PaneTextClass row;
    row.name = "ATableScape";
    row.make = [] {
        auto* t = new ATableScape;
        return static_cast<APane*>(t);
    };
    row.addProps = {
        [](APane* p, CoreAttrList* l) { p->AddPropsToList(l); },
        [](APane* p, CoreAttrList* l) { static_cast<AScrollablePane*>(p)->AddPropsToList(l); },
        [](APane* p, CoreAttrList* l) { static_cast<ASplitablePane*>(p)->AddPropsToList(l); },
        AddProps};
    row.getProps = {
        [](APane* p, CoreAttrList* l) { p->GetPropsFromList(l); },
        [](APane* p, CoreAttrList* l) { static_cast<AScrollablePane*>(p)->GetPropsFromList(l); },
        [](APane* p, CoreAttrList* l) { static_cast<ASplitablePane*>(p)->GetPropsFromList(l); },
        GetProps};
    row.subs = PaneTextSubs::none;
    PaneTextRegisterClass(row);
}

ATableScape* ATableScape::New(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top,
                              SInt16 bot, SInt16 hei, const KsRGBColor& bkgdColor, SInt32 border) {
    auto* t = new ATableScape;
    try {
        t->ITableScape(encl, left, right, wid, top, bot, hei, bkgdColor, border);
    } catch (...) {
        t->Dispose();
        throw;
    }
    return t;
}

ATableScape::ATableScape() : iColumns(new AColumnList), iRows(new CKsList) {}

ATableScape::~ATableScape() {
    delete iRows;
    if (iColumns) iColumns->DisposeAll();
}

void ATableScape::ITableScape(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top,
                              SInt16 bot, SInt16 hei, const KsRGBColor& bkgdColor,
                              SInt32 borderStyle) {
    ISplitablePane(encl, left, right, wid, top, bot, hei, bkgdColor, borderStyle);
    SetFontSizeFace(1, 9, 0);
    SetUpdatesMenus(true);
    SetHandlesMenus(true);
    SetDrawsBackground(false);
    SetXincr(10);
    SetYincr(10);
    SetCanBeTabbedTo(true);
    SyncLimits();
}

void ATableScape::Dispose() {
    EndEditing();
    for (APane* p : iShownPanes)
        if (p->GetEnclPane() == this) RemoveSubPane(p);
    iShownPanes.clear();
    RemoveAllRows();
    ASplitablePane::Dispose();
}

void ATableScape::Put(AStream& s) {
    (void)kRegistered;
    ASplitablePane::Put(s);
    s.PutClassMark(kClassID, kVersion);
    s.PutShort("iIndentWidth", iIndentWidth);
    s.PutShort("iCRAction", iCRAction);
    s.PutShort("iMargin", iMargin);
    s.PutBool("iMultiSelect", iMultiSelect);
    s.PutBool("iLasso", iLasso);
}

void ATableScape::Get(AStream& s) {
    ASplitablePane::Get(s);
    s.GetClassMark(kClassID, 1, kVersion);
    iIndentWidth = s.GetShort("iIndentWidth");
    iCRAction = s.GetShort("iCRAction");
    iMargin = s.GetShort("iMargin");
    iMultiSelect = s.GetBool("iMultiSelect");
    iLasso = s.GetBool("iLasso");
}

// ---------------------------------------------------------------------------
// Columns

void ATableScape::InstallColumnList(AColumnList* list) {
    if (!list || list == iColumns) return;
    EndEditing();
    iColumns->DisposeAll();
    iColumns = list;
    for (SInt32 i = 1; i <= list->GetCount(); ++i)
        list->AtAs<AColumn>(i)->SetTable(this);
    RecalcColLefts();
}

void ATableScape::RecalcColLefts() {
    SInt32 x = 0;
    for (SInt32 i = 1; i <= iColumns->GetCount(); ++i) {
        AColumn* c = iColumns->AtAs<AColumn>(i);
        c->iLeft = x;
        if (c->GetVisible()) x += c->GetWidth();
    }
    SetXmax(x);
    InvalInterior();
    if (AScrollablePane* s = GetSlave()) s->InvalInterior();
}

void ATableScape::AppendCol(AColumn* column) {
    column->SetTable(this);
    iColumns->Append(column);
    RecalcColLefts();
}

AColumn* ATableScape::CreateAndAppendCol(const char* heading, ACellTextFunc textFunc,
                                         void* refcon) {
    auto* c = new AColumn;
    c->IColumn(heading, textFunc, refcon);
    AppendCol(c);
    return c;
}

AColumn* ATableScape::FindColumnByX(SInt32 x) const {
    for (SInt32 i = 1; i <= iColumns->GetCount(); ++i) {
        AColumn* c = iColumns->AtAs<AColumn>(i);
        if (c->GetVisible() && x >= c->GetLeft() && x < c->GetLeft() + c->GetWidth()) return c;
    }
    return nullptr;
}

void ATableScape::ShowHideColumn(AColumn* column, bool show) {
    if (!column || column->GetVisible() == show) return;
    if (!show && column == iActiveCol) EndEditing();
    column->SetVisible(show);
    RecalcColLefts();
}

void ATableScape::DeselectAllCols() {
    for (SInt32 i = 1; i <= iColumns->GetCount(); ++i) {
        AColumn* c = iColumns->AtAs<AColumn>(i);
        if (c->GetSelect()) c->SetSelect(false);
    }
}

AColumn* ATableScape::GetSelectedColumn() const {
    for (SInt32 i = 1; i <= iColumns->GetCount(); ++i)
        if (iColumns->AtAs<AColumn>(i)->GetSelect()) return iColumns->AtAs<AColumn>(i);
    return nullptr;
}

void ATableScape::HiliteColumn(AColumn* column, bool on) {
    if (!column) return;
    if (on) {
        DeselectAllCols();
        if (iColSelectProc) iColSelectProc(this, column);
    }
    column->SetSelect(on);
}

SInt16 ATableScape::GetMaxItemWidth(AColumn* column) {
    if (!column) return 0;
    StTextIn text(1, 9, 0);
    char buf[AColumn::kTextBytes];
    SInt32 widest = 0;
    for (SInt32 i = 1; i <= GetNumRows(); ++i) {
        ARow* row = iRows->AtAs<ARow>(i);
        const SInt32 n = column->GetText(row, buf, sizeof buf);
        SInt32 w = TextWidth(buf, 0, SInt16(n)) + 6;
        if (column->GetIndents()) w += row->GetIndentLevel() * iIndentWidth;
        widest = std::max(widest, w);
    }
    return SInt16(std::min<SInt32>(widest, 32767));
}

void ATableScape::TidyColumns() {
    for (SInt32 i = 1; i <= iColumns->GetCount(); ++i) {
        AColumn* c = iColumns->AtAs<AColumn>(i);
        if (c->GetVisible() && c->GetTextFunc())
            c->iWidth = std::max<SInt16>(GetMaxItemWidth(c), 8);
    }
    RecalcColLefts();
}

// ---------------------------------------------------------------------------
// Layout

SInt32 ATableScape::GetNumRows() const {
    return iRows->GetCount();
}

void ATableScape::NoteRowsChanged(SInt32 fromIndex) {
    iDirtyFrom = std::min(iDirtyFrom, std::max<SInt32>(fromIndex, 0));
    if (iHeightRow == nullptr) SyncLimits();
}

void ATableScape::UpdateLayout() {
    const SInt32 n = GetNumRows();
    if (iDirtyFrom >= n && SInt32(iTops.size()) == n + 1) return;
    iTops.resize(size_t(n) + 1);
    SInt32 i = std::min(iDirtyFrom, n);
    if (i == 0) iTops[0] = 0;
    SInt64 top = iTops[size_t(i)];
    for (; i < n; ++i) {
        ARow* r = iRows->AtAs<ARow>(i + 1);
        r->iPosition = i;
        iTops[size_t(i)] = top;
        top += r->GetHeight();
    }
    iTops[size_t(n)] = top;
    iDirtyFrom = n;
}

SInt32 ATableScape::GetRowsHeight() {
    UpdateLayout();
    return Sat(iTops.back());
}

void ATableScape::SyncLimits() {
    // The bars follow once at the end of the event, not once a row.
    const SInt32 h = GetRowsHeight();
    if (ymax == h) return;
    ymax = h;
    ContentChanged();
    // Rows removed from under a scrolled-down view bring it back in range.
    SInt32 most = 0;
    GetYScrollInfo(nullptr, &most, nullptr);
    if (ypos > most) Scroll(0, most - ypos);
}

bool ATableScape::GetRowInfoByRow(ARow* row, SInt32* index, SInt32* top) {
    if (!row || row->GetTable() != this || !row->IsShown()) return false;
    UpdateLayout();
    const SInt32 i = row->iPosition;
    if (index) *index = i + 1;
    if (top) *top = Sat(iTops[size_t(i)]);
    return true;
}

ARow* ATableScape::GetRowInfoByPos(SInt32 v, SInt32* index, SInt32* top) {
    UpdateLayout();
    const SInt32 n = GetNumRows();
    if (n == 0 || v < 0 || v >= iTops.back()) return nullptr;
    // The last row whose top is at or above v.
    const auto it = std::upper_bound(iTops.begin(), iTops.end() - 1, SInt64(v));
    const SInt32 i = SInt32(it - iTops.begin()) - 1;
    if (index) *index = i + 1;
    if (top) *top = Sat(iTops[size_t(i)]);
    return iRows->AtAs<ARow>(i + 1);
}

ARow* ATableScape::GetRowInfoByIndex(SInt32 index, SInt32* top) {
    if (index < 1 || index > GetNumRows()) return nullptr;
    UpdateLayout();
    if (top) *top = Sat(iTops[size_t(index - 1)]);
    return iRows->AtAs<ARow>(index);
}

void ATableScape::PointToRowCol(KsPoint pt, ARow** row, AColumn** column) {
    LongPoint l{};
    WindowToLandscapePt(pt, &l);
    const bool inside = GetInterior().Contains(pt);
    if (row) *row = inside ? GetRowInfoByPos(l.v, nullptr, nullptr) : nullptr;
    if (column) *column = inside ? FindColumnByX(l.h) : nullptr;
}

ARow* ATableScape::GetFirstRow(SInt32* index) {
    if (index) *index = 0;
    return GetNextRow(index);
}

ARow* ATableScape::GetNextRow(SInt32* index) {
    if (!index) return nullptr;
    ++*index;
    return iRows->AtAs<ARow>(*index);
}

ARow* ATableScape::FindRowByObj(const AObject* object) {
    for (SInt32 i = 1; i <= GetNumRows(); ++i)
        if (iRows->AtAs<ARow>(i)->GetObject() == object) return iRows->AtAs<ARow>(i);
    return nullptr;
}

// ---------------------------------------------------------------------------
// The row list

void ATableScape::CollectShownDescendants(const ARow* row, std::vector<ARow*>* out) {
    if (!row->GetIsExpanded()) return;
    for (ARow* sub : row->SubRows()) {
        out->push_back(sub);
        CollectShownDescendants(sub, out);
    }
}

SInt32 ATableScape::CountShownDescendants(const ARow* row) const {
    if (!row->GetIsExpanded()) return 0;
    SInt32 n = 0;
    for (const ARow* sub : row->SubRows())
        n += 1 + CountShownDescendants(sub);
    return n;
}

void ATableScape::SpliceRows(SInt32 at, SInt32 removeCount, const std::vector<ARow*>& add) {
    const SInt32 n = GetNumRows();
    at = std::clamp<SInt32>(at, 1, n + 1);
    removeCount = std::clamp<SInt32>(removeCount, 0, n + 1 - at);
    for (SInt32 i = 0; i < removeCount; ++i)
        iRows->AtAs<ARow>(at + i)->iPosition = -1;
    for (ARow* r : add) {
        r->itsTable = this;
        r->iPosition = at - 1; // on show; renumbered by the layout
    }
    if (removeCount + SInt32(add.size()) <= 4) {
        for (SInt32 i = 0; i < removeCount; ++i)
            iRows->RemoveAt(at);
        for (size_t i = 0; i < add.size(); ++i)
            iRows->InsertAt(at + SInt32(i), add[i]);
    } else {
        // One pass over the list, not one move of its tail per row.
        std::vector<void*> items;
        items.reserve(size_t(n - removeCount) + add.size());
        for (SInt32 i = 1; i < at; ++i)
            items.push_back(iRows->At(i));
        items.insert(items.end(), add.begin(), add.end());
        for (SInt32 i = at + removeCount; i <= n; ++i)
            items.push_back(iRows->At(i));
        iRows->RemoveAll();
        iRows->Reserve(SInt32(items.size()));
        for (void* p : items)
            iRows->Append(p);
    }
    iMaxIndentKnown = false;
    NoteRowsChanged(at - 1);
}

void ATableScape::AppendRow(ARow* row) {
    if (!row) return;
    if (row->GetParent() || row->IsShown()) row->Remove();
    std::vector<ARow*> add{row};
    CollectShownDescendants(row, &add);
    for (ARow* r : add)
        r->itsTable = this;
    SpliceRows(GetNumRows() + 1, 0, add);
}

ARow* ATableScape::CreateAndAppendRow(AObject* object, SInt16 height) {
    auto* r = new ARow;
    r->IRow(object, this, height);
    AppendRow(r);
    return r;
}

void ATableScape::InsertRowAfterRow(ARow* row, ARow* after) {
    if (!row || row == after) return;
    if (row->GetParent() || row->IsShown()) row->Remove();
    UpdateLayout();
    SInt32 at = 1;
    if (after && after->IsShown()) {
        at = after->iPosition + 2 + CountShownDescendants(after);
        if (ARow* parent = after->GetParent()) {
            auto& subs = parent->Subs();
            subs.insert(std::find(subs.begin(), subs.end(), after) + 1, row);
            row->itsParent = parent;
        }
    }
    std::vector<ARow*> add{row};
    CollectShownDescendants(row, &add);
    SpliceRows(at, 0, add);
}

void ATableScape::ForgetRow(ARow* row) {
    if (row == iHeightRow) iHeightRow = nullptr;
    if (row->iPanes) {
        for (const ARow::CellPane& c : *row->iPanes) {
            if (c.pane->GetEnclPane() == this) RemoveSubPane(c.pane);
            iShownPanes.erase(std::remove(iShownPanes.begin(), iShownPanes.end(), c.pane),
                              iShownPanes.end());
        }
    }
}

void ATableScape::RemoveRow(ARow* row, bool dispose) {
    if (!row || row->GetTable() != this) return;
    std::vector<ARow*> going{row};
    CollectShownDescendants(row, &going);
    // Nothing may point at a row that leaves: not the selection count, not
    // the editing.
    if (row->IsShown()) {
        for (ARow* r : going) {
            if (r == iActiveRow) EndEditing();
            r->SetSelectState(false);
            ForgetRow(r);
        }
        UpdateLayout();
        InvalRowAndBelow(row);
        SpliceRows(row->iPosition + 1, SInt32(going.size()), {});
    }
    if (ARow* parent = row->GetParent()) {
        auto& subs = parent->Subs();
        subs.erase(std::remove(subs.begin(), subs.end(), row), subs.end());
        row->itsParent = nullptr;
    }
    if (dispose) {
        row->itsTable = nullptr;
        row->Dispose();
    }
    HideOutsideRowPanes();
}

void ATableScape::RemoveAllRows() {
    EndEditing();
    std::vector<ARow*> tops;
    for (SInt32 i = 1; i <= GetNumRows(); ++i) {
        ARow* r = iRows->AtAs<ARow>(i);
        r->iPosition = -1;
        r->iSelected = false;
        ForgetRow(r);
        if (!r->GetParent()) tops.push_back(r);
    }
    iRows->RemoveAll();
    iNumSelected = 0;
    iTops.assign(1, 0);
    iDirtyFrom = 0;
    iFindFrom = 1;
    for (ARow* r : tops) {
        r->itsTable = nullptr;
        r->Dispose();
    }
    iMaxIndentKnown = false;
    SyncLimits();
    InvalInterior();
}

// ---------------------------------------------------------------------------
// Hierarchy

SInt32 ATableScape::GetMaxIndentLevel() {
    if (iMaxIndentKnown) return iMaxIndent;
    SInt32 deepest = 0;
    for (SInt32 i = 1; i <= GetNumRows(); ++i) {
        const ARow* r = iRows->AtAs<ARow>(i);
        if (r->GetParent()) deepest = std::max(deepest, r->GetIndentLevel());
    }
    iMaxIndent = deepest;
    iMaxIndentKnown = true;
    return deepest;
}

void ATableScape::NoteMaxIndent(SInt32 oldMax) {
    const SInt32 change = GetMaxIndentLevel() - oldMax;
    if (change == 0) return;
    for (SInt32 i = 1; i <= iColumns->GetCount(); ++i) {
        AColumn* c = iColumns->AtAs<AColumn>(i);
        if (!c->GetIndents()) continue;
        c->iWidth = SInt16(std::max<SInt32>(c->iWidth + change * iIndentWidth, 1));
        break;
    }
    RecalcColLefts();
}

void ATableScape::DoExpandCollapse(ARow* row) {
    if (!row || row->GetTable() != this) return;
    EndEditing();
    const SInt32 oldMax = GetMaxIndentLevel();
    const SInt32 before = GetNumRows();
    if (row->GetIsExpanded())
        row->Collapse();
    else
        row->Expand();
    if (GetNumRows() == before)
        row->Inval();
    else
        InvalRowAndBelow(row);
    NoteMaxIndent(oldMax);
    HideOutsideRowPanes();
}

void ATableScape::InvalRowAndBelow(ARow* row) {
    const KsRect in = GetInterior();
    KsRect r = row ? row->GetRowWindowRect() : KsRect{};
    if (r.IsEmpty()) {
        LongRect l{};
        if (!row || !row->GetRowRect(&l)) return;
        SInt32 ypos = 0;
        GetYinfo(&ypos, nullptr, nullptr);
        if (l.top >= ypos) return; // below the visible part
        r = in;
    }
    r.bottom = in.bottom;
    PaneInvalRect(r);
}

void ATableScape::InvalAllRows() {
    InvalInterior();
}
