// AEditTextColumn: a column whose cells are edited in place through a text
// field. A click starts editing; when editing ends the field's text goes to
// the column's set-text procedure.
#pragma once

#include "AColumn.h"

class AEditTextColumn : public AColumn {
    KS_DECLARE_CLASS(AEditTextColumn, AColumn)

    void IEditTextColumn(const char* heading, ACellTextFunc textFunc, void* refcon);
    bool ActivateCell(ARow* row, KsRect* rect, APane** editPane) override;
    void DeactivateCell(ARow* row, APane* editPane) override;
    bool IsEditableTextColumn() const override { return true; }
};
