// AFileListPane: the file dialogs' list of a folder's entries. A text list
// (selection, arrow keys, type-ahead on the shown names) whose rows also
// carry the entry's kind, size and date, drawn in three columns with a
// folder mark. A double-click, or Return handled by the dialog, opens the
// entry through the open procedure.
//
// Ownership: the rows are values; the procedures are plain pointers.
#pragma once

#include "ATextListPane.h"
#include "KsFolderListing.h"

#include <vector>

class AFileListPane;

// entry counts from 1.
using AFileListProc = void (*)(AFileListPane* list, long entry);

class AFileListPane : public ATextListPane {
    KS_DECLARE_CLASS(AFileListPane, ATextListPane)

    static constexpr OSType kClassID = FourCharCode("FLst");
    // Widths of the size and date columns and the folder mark's room.
    static constexpr SInt16 kSizeWidth = 70;
    static constexpr SInt16 kDateWidth = 110;
    static constexpr SInt16 kMarkWidth = 18;

    static AFileListPane* New(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top,
                              SInt16 bot, SInt16 hei);
    static void PCRegister();

    AFileListPane() = default;

    OSType GetClassID() const override { return kClassID; }
    void DrawDetail(const KsRect& rect, const KsRGBColor& bkgd, void* data) override;
    void DoClick(KsPoint pt, SInt16 modifiers, SInt32 when, void* data) override;
    bool DoKeyDown(SInt16 charCode, SInt16 keyCode, EventRecord* event, void* data) override;
    void DeleteAllEntries() override;

    // Replaces every entry, nothing selected, scrolled to the top.
    void SetRows(std::vector<KsFolderEntry> rows);
    // Row n (from 1), null when there is none.
    const KsFolderEntry* GetRow(long n) const;
    const KsFolderEntry* GetSelectedRow() const { return GetRow(GetSelectedEntryNum()); }
    // The row whose raw name is name; 0 when none.
    long FindRaw(const std::string& name) const;

    // Called after the selection changed by click or key.
    void SetSelectProc(AFileListProc proc) { selectProc = proc; }
    // Called on a double-click on an entry.
    void SetOpenProc(AFileListProc proc) { openProc = proc; }

private:
    void DrawRow(const KsFolderEntry& row, const KsRect& line, bool selected);
    void NotifySelection(long before);

    std::vector<KsFolderEntry> rows;
    AFileListProc selectProc = nullptr;
    AFileListProc openProc = nullptr;
    long lastClickEntry = 0;
    UInt32 lastClickWhen = 0;
};
