// AStringsRow: a row whose cells are plain strings, held by its AStringsObj;
// getCellStringFunc is the text function that shows them. A column's refcon
// is the cell's index (0-based) cast to a pointer, or a tag it was set by.
#pragma once

#include "AColumn.h"
#include "ARow.h"

#include <string>
#include <vector>

class AStringsObj : public AObject {
    KS_DECLARE_CLASS(AStringsObj, AObject)
    struct Cell {
        SInt32 tag;
        std::string text;
    };
    std::vector<Cell> cells;
};

class AStringsRow : public ARow {
    KS_DECLARE_CLASS(AStringsRow, ARow)

    // A row that owns a new, empty AStringsObj.
    void IStringsRow(ATableScape* table, SInt16 height);
    // Cell by 0-based index; the cells in between are made empty.
    void SetString(SInt32 index, const char* text);
    // Cell by tag: the first cell carrying it, else a new one at the end.
    void SetStringByTag(SInt32 tag, const char* text);
    const char* GetString(SInt32 index) const;
    const char* GetStringByTag(SInt32 tag) const;
    AStringsObj* GetStrings() const { return static_cast<AStringsObj*>(GetObject()); }
};

// Text function of columns over AStringsRows: refcon holds the cell index.
void getCellStringFunc(AColumn* column, ARow* row, char* buf, SInt32 len, SInt32* value,
                       void* refcon);
