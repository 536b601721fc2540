#include "AColumn.h"

#include "AApplication.h"
#include "ARow.h"
#include "ATableScape.h"
#include "KsOutput.h"
#include "KsPortSavers.h"
#include "KsText.h"
#include "QuickDraw.h"

#include <algorithm>
#include <cstring>

void AColumn::IColumn(const char* heading, ACellTextFunc textFunc, void* refcon) {
    SetHeading(heading);
    SetTextFunc(textFunc, refcon);
}

void AColumn::SetTextFunc(ACellTextFunc f, void* refcon) {
    iTextFunc = f;
    iRefCon = refcon;
    iFailureLogged = false;
}

void AColumn::Dawdle(KsPoint, ARow*, SInt16) {}

void AColumn::GetColRect(LongRect* out) const {
    SInt32 ymax = 0;
    if (itsTable) itsTable->GetYinfo(nullptr, nullptr, &ymax);
    *out = {iLeft, 0, iLeft + iWidth, ymax};
}

KsRect AColumn::GetColWindowRect() const {
    if (!itsTable || !iVisible) return {};
    LongRect l{};
    GetColRect(&l);
    KsRect r{};
    itsTable->LandscapeRectToWindowRect(l, &r);
    const KsRect in = itsTable->GetInterior();
    r.top = in.top;
    r.bottom = in.bottom;
    return r.Intersect(in);
}

void AColumn::Inval() {
    const KsRect r = GetColWindowRect();
    if (!r.IsEmpty()) itsTable->PaneInvalRect(r);
}

void AColumn::SetHeading(const char* heading) {
    iHeading = heading ? heading : "";
    if (itsTable && itsTable->GetSlave()) itsTable->GetSlave()->InvalInterior();
}

void AColumn::SetSelect(bool on) {
    if (on == iSelected || (on && !iSelectable)) return;
    iSelected = on;
    Inval();
}

void AColumn::SetWidth(SInt16 width) {
    width = std::max<SInt16>(width, 1);
    if (width == iWidth) return;
    iWidth = width;
    if (itsTable) itsTable->RecalcColLefts();
}

void AColumn::SetClickProc(AColumnProc proc, void* refcon) {
    iClickProc = proc;
    iClickRefCon = refcon;
}
void AColumn::SetDubClickProc(AColumnProc proc, void* refcon) {
    iDubClickProc = proc;
    iDubClickRefCon = refcon;
}
void AColumn::SetSetTextProc(AColumnSetTextProc proc, void* refcon) {
    iSetTextProc = proc;
    iSetTextRefCon = refcon;
}

SInt32 AColumn::GetText(ARow* row, char* buf, SInt32 len) {
    if (!buf || len <= 0) return 0;
    buf[0] = 0;
    if (iTextFunc) {
        SInt32 value = 0;
        try {
            iTextFunc(this, row, buf, len, &value, iRefCon);
        } catch (...) {
            buf[0] = 0;
            // Drawing asks again on every update: one line is enough.
            if (!iFailureLogged) {
                iFailureLogged = true;
                dprintf("Table column \"%s\": the text function failed; its cells show empty\n",
                        iHeading.c_str());
            }
        }
    }
    buf[len - 1] = 0;
    return SInt32(std::strlen(buf));
}

int AColumn::CompareTexts(const char* a, const char* b) const {
    return iOrder == AColumnOrder::bytes ? std::strcmp(a, b) : CIntstrcmp(a, b);
}

int AColumn::CompareRows(ARow* a, ARow* b) {
    char ta[kTextBytes], tb[kTextBytes];
    GetText(a, ta, sizeof ta);
    GetText(b, tb, sizeof tb);
    return CompareTexts(ta, tb);
}

KsRect AColumn::IndentRect(ARow* row, const KsRect& rect) const {
    KsRect r = rect;
    if (iIndents && itsTable && row)
        r.left = SInt16(
            std::min<SInt32>(r.right, r.left + row->GetIndentLevel() * itsTable->GetIndentWidth()));
    return r;
}

void AColumn::DrawCellText(ARow* row, const KsRect& rect) {
    char buf[kTextBytes];
    const SInt32 n = GetText(row, buf, sizeof buf);
    if (n == 0) return;
    FontInfo fi{};
    GetFontInfo(&fi);
    const KsRect r = IndentRect(row, rect);
    const SInt32 line = fi.ascent + fi.descent;
    MoveTo(SInt16(r.left + 3), SInt16(r.top + (r.Height() - line) / 2 + fi.ascent));
    DrawText(buf, 0, SInt16(n));
}

void AColumn::DrawCell(ARow* row, const KsRect& rect) {
    DrawCellText(row, rect);
}

void AColumn::HideRowPane(ARow* row) {
    if (APane* p = row ? row->GetRowPane(this) : nullptr) p->SetVisible(false);
}

// A triangle pointing right (collapsed) or down (expanded), 9 pixels wide.
void AColumn::DrawExpanderIcon(ARow* row, const KsRect& rect) {
    if (!row || !row->GetIsExpandable()) return;
    const SInt16 cx = SInt16(rect.left + 8), cy = SInt16(rect.top + rect.Height() / 2);
    StColorPenSaver pen;
    ForeColor(33);
    for (SInt16 i = 0; i < 5; ++i) {
        if (row->GetIsExpanded()) {
            MoveTo(SInt16(cx - 4 + i), SInt16(cy - 2 + i));
            LineTo(SInt16(cx + 4 - i), SInt16(cy - 2 + i));
        } else {
            MoveTo(SInt16(cx - 2 + i), SInt16(cy - 4 + i));
            LineTo(SInt16(cx - 2 + i), SInt16(cy + 4 - i));
        }
    }
}

bool AColumn::ActivateCell(ARow*, KsRect*, APane**) {
    return false;
}

void AColumn::DeactivateCell(ARow*, APane*) {}

void AColumn::DoNormalClick(ARow* row) {
    if (!row->GetSelect()) {
        itsTable->DeselectAllRows();
        row->SetSelect(true);
    }
    if (DoubleClick() && !CallDubClickProc(row)) itsTable->DoExpandCollapse(row);
}

void AColumn::HandleClick(KsPoint, ARow* row, SInt16 modifiers) {
    if (!itsTable || !row) return;
    if (!iClickSelectsRow) {
        CallClickProc(row);
        itsTable->SetActiveCell(row, this);
        return;
    }
    if (modifiers & 0x0100)
        row->SetSelect(!row->GetSelect());
    else if (modifiers & 0x0200)
        itsTable->SelectRange(row);
    else
        DoNormalClick(row);
}

// ---------------------------------------------------------------------------

void AHandleColumn::IHandleColumn() {
    IColumn("", nullptr, nullptr);
    SetWidth(kWidth);
}

// Three short grip lines, centred.
void AHandleColumn::DrawCell(ARow*, const KsRect& rect) {
    StColorPenSaver pen;
    ForeColor(33);
    const SInt16 cy = SInt16(rect.top + rect.Height() / 2);
    for (SInt16 d : {-3, 0, 3}) {
        MoveTo(SInt16(rect.left + 3), SInt16(cy + d));
        LineTo(SInt16(rect.right - 4), SInt16(cy + d));
    }
}

void ExpanderColumn::IExpanderColumn() {
    IColumn("", nullptr, nullptr);
    SetWidth(kWidth);
    SetIndents(true);
}

void ExpanderColumn::DrawCell(ARow* row, const KsRect& rect) {
    DrawExpanderIcon(row, IndentRect(row, rect));
}

void ExpanderColumn::HandleClick(KsPoint pt, ARow* row, SInt16 modifiers) {
    if (!GetTable() || !row) return;
    const KsRect cell = IndentRect(row, GetTable()->GetCellWindowRect(row, this));
    if (row->GetIsExpandable() && pt.h >= cell.left && pt.h < cell.left + kWidth) {
        GetTable()->DoExpandCollapse(row);
        return;
    }
    AColumn::HandleClick(pt, row, modifiers);
}
