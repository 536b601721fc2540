// ARow: one row of an ATableScape, standing for one data object.
//
// A row belongs to its table (the table's row list holds the rows on show,
// in display order) or, while its parent is collapsed, only to its parent's
// sub-rows. It owns its sub-rows and the panes it shows in cells, and its
// object when told to (GetDeletesObj). Its position in the display list is
// kept by the table; -1 while the row is not on show.
#pragma once

#include "AObject.h"
#include "KsColor.h"
#include "KsGeometry.h"
#include "KsMacTypes.h"

#include <vector>

class AColumn;
class APane;
class ATableScape;

class ARow : public AObject {
    KS_DECLARE_CLASS(ARow, AObject)

    static constexpr SInt16 kDefaultHeight = 16;

    ARow() = default;
    ARow(const ARow&) = delete;
    ARow& operator=(const ARow&) = delete;

    // Takes the row out of its table, then disposes of its sub-rows, its
    // panes and (when it owns it) its object.
    void Dispose() override;

    // --- Slots ARow introduces, in slot order ---------------------------------
    virtual void Inval();
    // The row across the table's interior, in window coordinates (clipped to
    // the 16-bit space); empty when the row is not on show.
    virtual KsRect GetRowWindowRect() const;
    // The row in landscape coordinates; answers false when not on show.
    virtual bool GetRowRect(LongRect* out) const;
    // The table's selection rules: see ATableScape.
    virtual void SetSelect(bool on);
    virtual bool GetSelect() const { return iSelected; }
    // The flag and the table's count only: no refusal, no drawing.
    virtual void SetSelectState(bool on);
    // Answers the old height; the table's layout follows.
    virtual SInt16 SetHeight(SInt16 height);
    virtual SInt16 SetHeightDynamic(SInt16 height);
    virtual void DoExpandCollapse();
    virtual void Expand();
    virtual void Collapse();
    virtual SInt32 GetIndentLevel() const;
    // Takes the row (and its sub-rows) out of the table without disposing.
    virtual void Remove();
    // The row takes ownership of sub; a sub-row of another row moves here.
    virtual void AddSubRow(ARow* sub);
    virtual void IRow(AObject* object, ATableScape* table, SInt16 height);
    virtual bool GetIsExpanded() const { return iExpanded; }
    virtual void SetIsExpanded(bool on) { iExpanded = on; }
    virtual bool GetIsExpandable() const { return iExpandable || !SubRows().empty(); }
    virtual void SetIsExpandable(bool on) { iExpandable = on; }
    virtual bool GetDeletesObj() const { return iDeletesObj; }
    virtual ARow* GetParent() const { return itsParent; }
    virtual SInt32 GetNumSubRows() const { return SInt32(SubRows().size()); }
    virtual void SetParentRow(ARow* parent) { itsParent = parent; }
    virtual void SetFace(SInt16 face);
    // The row owns pane from now on; null removes (and disposes of) the pane
    // of that column. The table shows a row's panes only while the row is.
    virtual void SetRowPane(AColumn* column, APane* pane);
    virtual APane* GetRowPane(const AColumn* column) const;
    virtual bool HasPane(const AColumn* column) const { return GetRowPane(column) != nullptr; }
    // A click in a column where the row shows a pane: the pane takes it.
    virtual void HandleClick(KsPoint pt, AColumn* column, SInt16 modifiers);
    virtual void Dawdle(KsPoint pt, SInt16 modifiers);
    virtual bool IsRowColored() const { return iRowColored; }
    virtual KsRGBColor GetRowColor() const { return iRowColor; }
    virtual KsRGBColor GetRowTextColor() const { return iTextColor; }
    virtual void SetRowTextColor(const KsRGBColor& c);
    virtual void SetRowColor(const KsRGBColor& c);
    // Draws the selection state over rect (window coordinates) when the
    // table asks rows to; this one shades it in the hilite colour.
    virtual void DrawHilite(const KsRect& rect, bool on);

    // --- Not virtual -------------------------------------------------------------
    ATableScape* GetTable() const { return itsTable; }
    AObject* GetObject() const { return itsObject; }
    void SetDeletesObj(bool on) { iDeletesObj = on; }
    SInt16 GetHeight() const { return iHeight; }
    SInt16 GetFace() const { return iFace; }
    // 1-based position in the table's display list; -1 when not on show.
    SInt32 GetPosition() const;
    ARow* GetSubRow(SInt32 index) const { return SubRows().at(size_t(index)); }
    const std::vector<ARow*>& SubRows() const { return iSubRows ? *iSubRows : NoRows(); }
    bool IsShown() const { return iPosition >= 0; }

private:
    friend class ATableScape;
    static const std::vector<ARow*>& NoRows();
    std::vector<ARow*>& Subs() {
        if (!iSubRows) iSubRows = new std::vector<ARow*>;
        return *iSubRows;
    }
    struct CellPane {
        AColumn* column;
        APane* pane;
    };

    ATableScape* itsTable = nullptr; // not owned
    SInt32 iPosition = -1;           // written by the table
    AObject* itsObject = nullptr;    // owned when iDeletesObj
    ARow* itsParent = nullptr;       // not owned
    // Owned with the rows in it; made for the first sub-row, since most rows
    // have none and a million rows must stay small.
    std::vector<ARow*>* iSubRows = nullptr;
    std::vector<CellPane>* iPanes = nullptr; // owned with its panes; most rows have none
    KsRGBColor iTextColor = RGBblack;
    KsRGBColor iRowColor = RGBblack;
    SInt16 iHeight = kDefaultHeight;
    SInt16 iFace = 0;
    bool iSelected : 1 = false;
    bool iDeletesObj : 1 = false;
    bool iRowColored : 1 = false;
    bool iExpanded : 1 = false;
    bool iExpandable : 1 = false;
};
