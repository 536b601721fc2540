// ATableScape: rows in columns over a scrollable landscape, with selection,
// hierarchy, sorting, find-while-typing, cell editing and printing.
//
// The row list holds the rows on show in display order (the sub-rows of a
// collapsed row live only with their parent). Row tops are kept as running
// sums beside the list, brought up to date lazily from the first row that
// changed, so the row at a landscape position and the position of a row cost
// O(log n) and O(1) once a change has been absorbed.
//
// Bodies by concern: ATableScape.cpp (rows, columns, layout),
// ATableScapeSelect.cpp (selection, lasso), ATableScapeEvents.cpp (clicks,
// keys, find-while-typing, editing), ATableScapeSort.cpp, ATableScapeDraw.cpp
// (drawing, printing, row panes).
#pragma once

#include "AColumn.h"
#include "ASplitablePane.h"

#include <vector>

class ARow;
class ATableScape;
class CKsList;
using AColumnList = CKsList;

// Called when the user selects a column.
using AColSelectProc = void (*)(ATableScape* table, AColumn* column);
// What Return or Enter does while a cell is being edited.
using CRAction_t = SInt16;
enum : CRAction_t { kCREndEdit = 0, kCRNextRow = 1, kCRSelectRow = 2, kCRNextColumn = 3 };

class ATableScape : public ASplitablePane {
    KS_DECLARE_CLASS(ATableScape, ASplitablePane)
    KS_PANE_WALK_TRAITS(ATableScape, kWalkIdleKeepsTree | kWalkStandardInterior)

    static constexpr OSType kClassID = FourCharCode("Tabl");
    static constexpr SInt16 kVersion = 1;
    static constexpr SInt16 kDefaultIndent = 15;
    // Keys typed within this many ticks extend the search text.
    static constexpr long kFindTicks = 15;
    static constexpr SInt32 kFindMax = 31;

    static ATableScape* New(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top,
                            SInt16 bot, SInt16 hei, const KsRGBColor& bkgdColor, SInt32 border);
    static void PCRegister();

    ATableScape();
    ~ATableScape() override;

    // --- APane / AScrollablePane slots ----------------------------------------
    void Dispose() override;
    OSType GetClassID() const override { return kClassID; }
    SInt16 GetVersionWritten() const override { return kVersion; }
    SInt16 GetMaxVersionRead() const override { return kVersion; }
    void Put(AStream& stream) override;
    void Get(AStream& stream) override;
    void DoClick(KsPoint pt, SInt16 modifiers, SInt32 when, void* data) override;
    bool DoKeyDown(SInt16 charCode, SInt16 keyCode, EventRecord* event, void* data) override;
    void DrawDetail(const KsRect& rect, const KsRGBColor& bkgd, void* data) override;
    void SetYpos(SInt32 y) override;
    void SetXpos(SInt32 x) override;
    SInt32 PrintPrepareTo(const KsRect& page, void** state) override;
    void PrintPageBody(SInt32 page, SInt32 pageCount, const KsRect& pageRect, void* state) override;
    void PrintComplete(void* state) override;

    // --- Slots ATableScape introduces, in slot order ----------------------------
    virtual AColumn* FindColumnByX(SInt32 landscapeX) const;
    // The 1-based display index and landscape top of a row on show.
    virtual bool GetRowInfoByRow(ARow* row, SInt32* index, SInt32* top);
    // The row at a landscape v, with its index and top; null past the rows.
    virtual ARow* GetRowInfoByPos(SInt32 v, SInt32* index, SInt32* top);
    virtual ARow* GetRowInfoByIndex(SInt32 index, SInt32* top);
    // Window point to row and column (either may come back null).
    virtual void PointToRowCol(KsPoint pt, ARow** row, AColumn** column);
    virtual void DoExpandCollapse(ARow* row);
    // Up, Down, Home, End, Page Up/Down move the selection; Left collapses
    // and Right expands the selected row. Answers whether the key was one.
    virtual bool HandleArrowKeys(SInt16 keyCode, SInt16 modifiers);
    virtual void ResetRowPaneOrder();
    virtual void DrawRow(ARow* row);
    virtual void ScrollToRow(ARow* row, bool redraw);
    virtual void SelectAllRows();
    virtual void SelectRange(ARow* row);
    virtual void DeselectAllRows();
    virtual void SetMultiSelectRows(bool on) { iMultiSelect = on; }
    virtual ARow* GetFirstSelectedRow();
    virtual bool GetMultiSelectRows() const { return iMultiSelect; }
    virtual void DeselectAllCols();
    // The table takes ownership of the list and its columns.
    virtual void InstallColumnList(AColumnList* list);
    virtual void RecalcColLefts();
    virtual void AppendCol(AColumn* column);
    virtual AColumn* CreateAndAppendCol(const char* heading, ACellTextFunc textFunc, void* refcon);
    virtual void AppendRow(ARow* row);
    virtual ARow* CreateAndAppendRow(AObject* object, SInt16 height);
    // Puts row on show after `after` (null: first), at after's level.
    virtual void InsertRowAfterRow(ARow* row, ARow* after);
    // Takes the row and its sub-rows out; disposes of them when dispose.
    // Selected rows are deselected and editing ends first.
    virtual void RemoveRow(ARow* row, bool dispose);
    virtual KsRect GetCellWindowRect(ARow* row, AColumn* column);
    virtual KsRect GetEditPaneWindowRect();
    virtual void SetActiveCell(ARow* row, AColumn* column);
    virtual void SetMargin(SInt16 margin) { iMargin = margin; }
    virtual SInt16 GetMaxItemWidth(AColumn* column);
    // Each visible column as wide as its widest text.
    virtual void TidyColumns();
    virtual void HiliteColumn(AColumn* column, bool on);
    virtual void SetColSelectCB(AColSelectProc proc) { iColSelectProc = proc; }
    virtual void RemoveAllRows();
    virtual SInt32 GetNumSelectedRows() const { return iNumSelected; }
    virtual void ITableScape(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top,
                             SInt16 bot, SInt16 hei, const KsRGBColor& bkgdColor, SInt32 border);
    // Tracks a lasso from pt until the button comes up, selecting the rows
    // it crosses; Shift adds them to the selection.
    virtual void DoLassoed(KsPoint pt, SInt16 modifiers);
    virtual void SetCRAction(CRAction_t action) { iCRAction = action; }
    // Iterators over the rows on show: *index is 0 before the first call.
    virtual ARow* GetNextRow(SInt32* index);
    virtual ARow* GetFirstRow(SInt32* index);
    virtual void Sort(AColumn* column, bool descending);
    virtual AColumn* GetSelectedColumn() const;
    virtual ARow* FindRowByObj(const AObject* object);
    virtual void ShowHideColumn(AColumn* column, bool show);
    virtual void InvalRowAndBelow(ARow* row);
    virtual void InvalAllRows();
    virtual void HideOutsideRowPanes();
    virtual SInt32 GetMaxIndentLevel();
    virtual void SetFindWhileType(bool on, AColumn* column);

protected:
    virtual ARow* FindRowBySubstring(const char* text, SInt32 length, AColumn* column);

private:
    virtual void SelectRowsInLasso(SInt32 v1, SInt32 v2, bool adding);

public:
    // --- Not virtual -------------------------------------------------------------
    CKsList* GetRowList() const { return iRows; }
    AColumnList* GetColumnList() const { return iColumns; }
    SInt32 GetNumRows() const;
    ARow* GetActiveRow() const { return iActiveRow; }
    AColumn* GetActiveColumn() const { return iActiveCol; }
    APane* GetEditPane() const { return iEditPane; }
    SInt16 GetIndentWidth() const { return iIndentWidth; }
    void SetIndentWidth(SInt16 w) { iIndentWidth = w; }
    CRAction_t GetCRAction() const { return iCRAction; }
    bool GetFindWhileType() const { return iFindWhileType; }
    void SetRowsDrawHilite(bool on) { iRowsDrawHilite = on; }
    void SetLasso(bool on) { iLasso = on; }
    bool GetLasso() const { return iLasso; }
    // Total height of the rows on show.
    SInt32 GetRowsHeight();
    // Ends any editing (SetActiveCell with nothing).
    void EndEditing() { SetActiveCell(nullptr, nullptr); }
    // The search text typed so far.
    const char* GetFindText() const { return iFindText; }

private:
    friend class ARow;
    friend class AColumn;
    // Layout: positions and running tops from iDirtyFrom on are stale.
    void NoteRowsChanged(SInt32 fromIndex);
    void UpdateLayout();
    void SyncLimits();
    // Splices the rows `add` into the list before 1-based index `at`, after
    // removing `removeCount` rows from there.
    void SpliceRows(SInt32 at, SInt32 removeCount, const std::vector<ARow*>& add);
    // The rows under row that are on show when row is, in display order.
    static void CollectShownDescendants(const ARow* row, std::vector<ARow*>* out);
    SInt32 CountShownDescendants(const ARow* row) const;
    void RowSelectionChanged(ARow* row);
    void DrawRowNow(ARow* row);
    void DrawRowsIn(const KsRect& area, SInt32 dx, SInt32 dy);
    void DrawOneRow(ARow* row, SInt32 index, const KsRect& rowRect, const KsRect& clip, SInt32 dx);
    void NoteMaxIndent(SInt32 oldMax);
    void MoveSelectionTo(ARow* row, bool extend);
    bool EditKey(SInt16 charCode, SInt16 keyCode, EventRecord* event, void* data);
    void FindKey(char c, long when);
    void ForgetRow(ARow* row);

    AColumnList* iColumns = nullptr; // owned with its columns
    CKsList* iRows = nullptr;        // owned; the rows through their own ownership
    APane* iEditPane = nullptr;      // a sub-pane while editing
    KsRect iActiveRect{};
    ARow* iActiveRow = nullptr;
    AColumn* iActiveCol = nullptr;
    SInt16 iIndentWidth = kDefaultIndent;
    SInt32 iNumSelected = 0;
    CRAction_t iCRAction = kCRNextRow;
    SInt16 iMargin = 0;
    bool iFindWhileType = false;
    AColumn* iFindCol = nullptr;
    bool iMultiSelect = false;
    bool iRowsDrawHilite = false;
    bool iLasso = true;
    ARow* iHeightRow = nullptr;
    AColSelectProc iColSelectProc = nullptr;

    // Running tops: iTops[i] is the top of display index i + 1, and
    // iTops[n] the total; valid below iDirtyFrom (0-based).
    std::vector<SInt64> iTops;
    SInt32 iDirtyFrom = 0;
    SInt32 iMaxIndent = 0;
    bool iMaxIndentKnown = false;
    // Find-while-typing: the text, when its last key came, and the display
    // index the search may start from (rows before it failed a shorter text).
    char iFindText[kFindMax + 1] = {};
    SInt32 iFindLength = 0;
    long iFindWhen = 0;
    SInt32 iFindFrom = 1;
    // Row panes now in the pane tree (their rows are on screen).
    std::vector<APane*> iShownPanes;
};
