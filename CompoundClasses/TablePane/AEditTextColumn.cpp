#include "AEditTextColumn.h"

#include "ARow.h"
#include "ATableScape.h"
#include "ATextEntry.h"

void AEditTextColumn::IEditTextColumn(const char* heading, ACellTextFunc textFunc, void* refcon) {
    IColumn(heading, textFunc, refcon);
    SetClickSelectsRow(false);
}

bool AEditTextColumn::ActivateCell(ARow* row, KsRect* rect, APane** editPane) {
    ATableScape* table = GetTable();
    if (!table || !row) return false;
    *rect = table->GetCellWindowRect(row, this);
    if (rect->IsEmpty()) return false;
    char text[kTextBytes];
    GetText(row, text, sizeof text);
    ATextEntry* field = ATextEntry::New(table, 0, kPaneDontCare, rect->Width(), 0, kPaneDontCare,
                                        rect->Height(), text, false);
    field->SetBounds(*rect);
    field->SetSelect(0, ATextEntry::kTextEnd);
    field->TabTo();
    *editPane = field;
    return true;
}

// The text goes back before the field does, so the host sees what was typed.
void AEditTextColumn::DeactivateCell(ARow* row, APane* editPane) {
    if (!editPane) return;
    if (row) {
        char text[kTextBytes];
        static_cast<ATextEntry*>(editPane)->GetCstr(text, sizeof text);
        CallSetTextProc(row, text);
    }
    editPane->Dispose();
}
