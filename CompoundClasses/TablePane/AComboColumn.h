// AComboColumn: cells edited by choosing from a list (AComboList) and, when
// the column allows typing, through a text field as AEditTextColumn. A
// click on the cell's arrow, or anywhere in the cell of a choose-only
// column, pops up the list; the chosen text goes to the set-text procedure
// at once. A choose-only column takes no part in Tab and Return editing.
#pragma once

#include "AEditTextColumn.h"

class AComboList;

class AComboColumn : public AEditTextColumn {
    KS_DECLARE_CLASS(AComboColumn, AEditTextColumn)

    static constexpr SInt16 kArrowWidth = 14;

    AComboColumn() = default;
    ~AComboColumn() override;

    // The column owns the list (a new empty one when null).
    void IComboColumn(const char* heading, ACellTextFunc textFunc, void* refcon, AComboList* list,
                      bool typing);
    AComboList* GetList() const { return itsList; }
    bool GetTyping() const { return iTyping; }

    void DrawCell(ARow* row, const KsRect& rect) override;
    void HandleClick(KsPoint pt, ARow* row, SInt16 modifiers) override;
    bool ActivateCell(ARow* row, KsRect* rect, APane** editPane) override;
    bool IsEditableTextColumn() const override { return iTyping; }

    // Pops up the list under the row's cell; answers whether a choice was
    // made (and handed to the set-text procedure).
    bool ChooseFromList(ARow* row);

private:
    AComboList* itsList = nullptr; // owned
    bool iTyping = false;
};
