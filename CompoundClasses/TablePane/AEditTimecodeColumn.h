// AEditTimecodeColumn: cells edited in place through a timecode field. The
// field reads the cell's text as timecode; when editing ends the field's
// text, in its own timecode form, goes to the set-text procedure.
#pragma once

#include "AColumn.h"

class AEditTimecodeColumn : public AColumn {
    KS_DECLARE_CLASS(AEditTimecodeColumn, AColumn)

    void IEditTimecodeColumn(const char* heading, ACellTextFunc textFunc, void* refcon,
                             UInt16 formatFlags);
    bool ActivateCell(ARow* row, KsRect* rect, APane** editPane) override;
    void DeactivateCell(ARow* row, APane* editPane) override;
    bool IsEditableTextColumn() const override { return true; }

private:
    UInt16 iFormatFlags = 0;
};
