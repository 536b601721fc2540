// AHeadingsPane: the column headings over a table, scrolled with it
// horizontally. A click on a heading sorts by that column, a second click
// reverses the order; dragging a heading's right edge resizes the column.
// AHeadedTable puts headings over a table in a scroll pane.
#pragma once

#include "APane.h"
#include "AScrollablePane.h"

class AColumn;
class AScrollPane;
class ATableScape;

class AHeadingsPane : public AScrollablePane {
    KS_DECLARE_CLASS(AHeadingsPane, AScrollablePane)
    KS_PANE_WALK_TRAITS(AHeadingsPane, kWalkIdleKeepsTree | kWalkStandardInterior)

    static constexpr SInt16 kHeight = 20;
    // A press this close to a heading's right edge resizes the column.
    static constexpr SInt16 kEdgeSlop = 3;
    static constexpr SInt16 kMinWidth = 8;

    // The headings follow table's horizontal scrolling; table does not own them.
    void IHeadingsPane(APane* encl, ATableScape* table, SInt16 left, SInt16 right, SInt16 top,
                       SInt16 height = kHeight);
    void Dispose() override;

    void DrawDetail(const KsRect& rect, const KsRGBColor& bkgd, void* data) override;
    void DoClick(KsPoint pt, SInt16 modifiers, SInt32 when, void* data) override;
    void Dawdle(KsPoint pt, SInt16 modifiers, SInt32* sleep, SInt16* cursorID, void* data) override;

    // The column whose heading lies under a window point, and whether the
    // point is on that heading's right edge.
    AColumn* HeadingAt(KsPoint pt, bool* onEdge) const;
    // Sorts by column: descending when it is already the ascending sort column.
    void ClickSort(AColumn* column);
    void ResizeColumn(AColumn* column, SInt32 width);

    ATableScape* GetTable() const { return itsTable; }
    AColumn* GetSortColumn() const { return iSortColumn; }
    bool GetSortDescending() const { return iDescending; }
    void ForgetTable() { itsTable = nullptr; }

private:
    ATableScape* itsTable = nullptr; // not owned
    AColumn* iSortColumn = nullptr;
    bool iDescending = false;
};

class AHeadedTable : public APane {
    KS_DECLARE_CLASS(AHeadedTable, APane)
    KS_PANE_WALK_TRAITS(AHeadedTable, kWalkIdleKeepsTree | kWalkStandardInterior)

    static AHeadedTable* New(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top,
                             SInt16 bot, SInt16 hei, const KsRGBColor& bkgdColor);
    void IHeadedTable(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top, SInt16 bot,
                      SInt16 hei, const KsRGBColor& bkgdColor,
                      SInt16 headingHeight = AHeadingsPane::kHeight);
    void Dispose() override;

    ATableScape* GetTable() const { return itsTable; }
    AHeadingsPane* GetHeadings() const { return itsHeadings; }
    AScrollPane* GetScrollPane() const { return itsScroll; }

private:
    // Sub-panes, owned as such.
    AHeadingsPane* itsHeadings = nullptr;
    AScrollPane* itsScroll = nullptr;
    ATableScape* itsTable = nullptr;
};
