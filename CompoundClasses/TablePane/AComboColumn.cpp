#include "AComboColumn.h"

#include "AComboList.h"
#include "ARow.h"
#include "ATableScape.h"
#include "AWindow.h"
#include "KsPortSavers.h"
#include "QuickDraw.h"
#include "Windows.h"

AComboColumn::~AComboColumn() {
    delete itsList;
}

void AComboColumn::IComboColumn(const char* heading, ACellTextFunc textFunc, void* refcon,
                                AComboList* list, bool typing) {
    IEditTextColumn(heading, textFunc, refcon);
    if (list != itsList) delete itsList;
    itsList = list ? list : new AComboList;
    iTyping = typing;
}

// The text, then a small downward triangle at the right edge.
void AComboColumn::DrawCell(ARow* row, const KsRect& rect) {
    AEditTextColumn::DrawCell(row, rect);
    const SInt16 cx = SInt16(rect.right - kArrowWidth / 2 - 1);
    const SInt16 cy = SInt16(rect.top + rect.Height() / 2 - 1);
    StColorPenSaver pen;
    ForeColor(33);
    for (SInt16 i = 0; i < 4; ++i) {
        MoveTo(SInt16(cx - 3 + i), SInt16(cy + i));
        LineTo(SInt16(cx + 3 - i), SInt16(cy + i));
    }
}

void AComboColumn::HandleClick(KsPoint pt, ARow* row, SInt16 modifiers) {
    ATableScape* table = GetTable();
    if (!table || !row) return;
    const KsRect cell = table->GetCellWindowRect(row, this);
    if (iTyping && pt.h < cell.right - kArrowWidth) {
        AEditTextColumn::HandleClick(pt, row, modifiers);
        return;
    }
    CallClickProc(row);
    ChooseFromList(row);
}

// The field leaves the arrow uncovered, so a click on it still pops up the
// list while the cell is being typed in.
bool AComboColumn::ActivateCell(ARow* row, KsRect* rect, APane** editPane) {
    if (!iTyping || !AEditTextColumn::ActivateCell(row, rect, editPane)) return false;
    if (rect->Width() > 2 * kArrowWidth) {
        rect->right = SInt16(rect->right - kArrowWidth);
        (*editPane)->SetBounds(*rect);
    }
    return true;
}

bool AComboColumn::ChooseFromList(ARow* row) {
    ATableScape* table = GetTable();
    if (!table || !row || !itsList) return false;
    table->EndEditing();
    table->ScrollToRow(row, true);
    const KsRect cell = table->GetCellWindowRect(row, this);
    if (cell.IsEmpty()) return false;
    char text[kTextBytes];
    GetText(row, text, sizeof text);
    // The current choice opens over the cell, as the cell's own text.
    Point anchor{SInt16(cell.top), SInt16(cell.left)};
    if (AWindow* w = table->GetEnclWindow(); w && w->GetWindowPtr()) {
        StPortSaver saver;
        SetPortWindowPort(w->GetWindowPtr());
        LocalToGlobal(&anchor);
    }
    const SInt32 chosen = itsList->PopUp(anchor.v, anchor.h, itsList->IndexOf(text));
    if (chosen == 0) return false;
    CallSetTextProc(row, itsList->GetChoice(chosen));
    table->DrawRow(row);
    return true;
}
