// AColumn: one column of an ATableScape. It gets the text of a row through
// its text function, draws cells, takes clicks and orders rows for sorting.
// AHandleColumn and ExpanderColumn are the stock special columns.
#pragma once

#include "AObject.h"
#include "KsGeometry.h"
#include "KsMacTypes.h"

#include <string>

class AColumn;
class APane;
class ARow;
class ATableScape;
class CKsList;

// Fills buf (len bytes) with the cell text of row in column; value may carry
// a number for the caller. Exceptions are caught by GetText.
using ACellTextFunc = void (*)(AColumn* column, ARow* row, char* buf, SInt32 len, SInt32* value,
                               void* refcon);
using AColumnProc = void (*)(AColumn* column, ARow* row, void* refcon);
// Hands edited text back to the host.
using AColumnSetTextProc = void (*)(AColumn* column, ARow* row, const char* text, void* refcon);

// How a column orders texts: CIntstrcmp (case-insensitive, digit runs by
// value) or plain byte order.
enum class AColumnOrder : UInt8 { natural, bytes };

class AColumn : public AObject {
    KS_DECLARE_CLASS(AColumn, AObject)

    static constexpr SInt16 kDefaultWidth = 80;
    // Bytes of text a cell shows and sorting compares.
    static constexpr SInt32 kTextBytes = 256;

    AColumn() = default;
    AColumn(const AColumn&) = delete;
    AColumn& operator=(const AColumn&) = delete;

    // --- Slots AColumn introduces, in slot order --------------------------------
    virtual void Dawdle(KsPoint pt, ARow* row, SInt16 modifiers);
    // The column down the table's interior, window coordinates.
    virtual KsRect GetColWindowRect() const;
    // The column in landscape coordinates.
    virtual void GetColRect(LongRect* out) const;
    // Draws the cell; rect is the cell in window coordinates, the port's clip
    // already limits drawing to it.
    virtual void DrawCell(ARow* row, const KsRect& rect);
    virtual void HideRowPane(ARow* row);
    virtual void DrawExpanderIcon(ARow* row, const KsRect& rect);
    virtual void SetHeading(const char* heading);
    virtual void Inval();
    virtual void SetSelect(bool on);
    virtual void SetSelectable(bool on) { iSelectable = on; }
    virtual void HandleClick(KsPoint pt, ARow* row, SInt16 modifiers);
    // Starts editing the cell: answers its rectangle (window coordinates) and
    // the pane that edits it, or false when the cell cannot be edited.
    virtual bool ActivateCell(ARow* row, KsRect* rect, APane** editPane);
    virtual void DeactivateCell(ARow* row, APane* editPane);
    virtual void SetClickSelectsRow(bool on) { iClickSelectsRow = on; }
    virtual void SetClickProc(AColumnProc proc, void* refcon);
    virtual void SetDubClickProc(AColumnProc proc, void* refcon);
    virtual void SetSetTextProc(AColumnSetTextProc proc, void* refcon);
    virtual void SetWidth(SInt16 width);
    virtual SInt16 GetWidth() const { return iWidth; }
    // Empties buf, calls the text function under an exception guard (a
    // failure leaves the cell empty and is logged once per column), ends
    // buf with a zero and answers the text's length.
    virtual SInt32 GetText(ARow* row, char* buf, SInt32 len);
    virtual int CompareRows(ARow* a, ARow* b);
    // The cell less the row's indent when the column indents.
    virtual KsRect IndentRect(ARow* row, const KsRect& rect) const;
    virtual bool IsEditableTextColumn() const { return false; }
    virtual void IColumn(const char* heading, ACellTextFunc textFunc, void* refcon);
    // Sorting compares texts through this, after GetText.
    virtual int CompareTexts(const char* a, const char* b) const;

    // --- Not virtual -------------------------------------------------------------
    ATableScape* GetTable() const { return itsTable; }
    void SetTable(ATableScape* table) { itsTable = table; }
    const char* GetHeading() const { return iHeading.c_str(); }
    bool GetIndents() const { return iIndents; }
    void SetIndents(bool on) { iIndents = on; }
    bool GetVisible() const { return iVisible; }
    void SetVisible(bool on) { iVisible = on; }
    bool GetSelectable() const { return iSelectable; }
    bool GetSelect() const { return iSelected; }
    bool GetClickSelectsRow() const { return iClickSelectsRow; }
    ACellTextFunc GetTextFunc() const { return iTextFunc; }
    void* GetRefCon() const { return iRefCon; }
    void SetTextFunc(ACellTextFunc f, void* refcon);
    AColumnOrder GetOrder() const { return iOrder; }
    void SetOrder(AColumnOrder order) { iOrder = order; }
    // Landscape left edge, kept by the table (RecalcColLefts).
    SInt32 GetLeft() const { return iLeft; }
    void CallClickProc(ARow* row) {
        if (iClickProc) iClickProc(this, row, iClickRefCon);
    }
    bool CallDubClickProc(ARow* row) {
        if (!iDubClickProc) return false;
        iDubClickProc(this, row, iDubClickRefCon);
        return true;
    }
    void CallSetTextProc(ARow* row, const char* text) {
        if (iSetTextProc) iSetTextProc(this, row, text, iSetTextRefCon);
    }

protected:
    // A normal click: select the row alone unless it is selected; a double
    // click runs the double-click procedure or expands/collapses the row.
    void DoNormalClick(ARow* row);
    // The cell's text at the cell's baseline, clipped by the caller.
    void DrawCellText(ARow* row, const KsRect& rect);

private:
    friend class ATableScape;
    ATableScape* itsTable = nullptr; // not owned
    ACellTextFunc iTextFunc = nullptr;
    void* iRefCon = nullptr;
    AColumnProc iClickProc = nullptr;
    void* iClickRefCon = nullptr;
    AColumnProc iDubClickProc = nullptr;
    void* iDubClickRefCon = nullptr;
    AColumnSetTextProc iSetTextProc = nullptr;
    void* iSetTextRefCon = nullptr;
    std::string iHeading;
    SInt32 iLeft = 0;
    SInt16 iWidth = kDefaultWidth;
    AColumnOrder iOrder = AColumnOrder::natural;
    bool iIndents = false;
    bool iVisible = true;
    bool iSelectable = true;
    bool iSelected = false;
    bool iClickSelectsRow = true;
    bool iFailureLogged = false; // the text function raised; said once
};

// A grab handle in every row: a click selects the row as other columns do.
class AHandleColumn : public AColumn {
    KS_DECLARE_CLASS(AHandleColumn, AColumn)
    static constexpr SInt16 kWidth = 14;
    void IHandleColumn();
    void DrawCell(ARow* row, const KsRect& rect) override;
};

// The disclosure triangle: a click on it expands or collapses the row. It
// indents its cells by the row's level, so it widens with the deepest level.
class ExpanderColumn : public AColumn {
    KS_DECLARE_CLASS(ExpanderColumn, AColumn)
    static constexpr SInt16 kWidth = 16;
    void IExpanderColumn();
    void DrawCell(ARow* row, const KsRect& rect) override;
    void HandleClick(KsPoint pt, ARow* row, SInt16 modifiers) override;
};
