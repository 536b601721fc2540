#include "AEditTimecodeColumn.h"

#include "ARow.h"
#include "ATCEntry.h"
#include "ATableScape.h"

void AEditTimecodeColumn::IEditTimecodeColumn(const char* heading, ACellTextFunc textFunc,
                                              void* refcon, UInt16 formatFlags) {
    IColumn(heading, textFunc, refcon);
    SetClickSelectsRow(false);
    iFormatFlags = formatFlags;
}

bool AEditTimecodeColumn::ActivateCell(ARow* row, KsRect* rect, APane** editPane) {
    ATableScape* table = GetTable();
    if (!table || !row) return false;
    *rect = table->GetCellWindowRect(row, this);
    if (rect->IsEmpty()) return false;
    char text[kTextBytes];
    GetText(row, text, sizeof text);
    ATCEntry* field = ATCEntry::New(table, 0, kPaneDontCare, rect->Width(), 0, kPaneDontCare,
                                    rect->Height(), iFormatFlags, nullptr);
    field->SetBounds(*rect);
    field->SetCstr(text);
    field->TextToValue(true, false);
    field->TabTo();
    *editPane = field;
    return true;
}

// The typed text becomes the field's value first, so the host gets it in
// the field's canonical form.
void AEditTimecodeColumn::DeactivateCell(ARow* row, APane* editPane) {
    if (!editPane) return;
    auto* field = static_cast<ATCEntry*>(editPane);
    if (row) {
        field->TextToValue(true, false);
        char text[kTextBytes];
        field->GetCstr(text, sizeof text);
        CallSetTextProc(row, text);
    }
    editPane->Dispose();
}
