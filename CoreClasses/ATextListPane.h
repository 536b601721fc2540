// ATextListPane: a scrolling list of text entries, one line each, with at
// most one selected. A click selects; the arrow keys move the selection;
// typing selects the first entry that begins with what was typed in quick
// succession (case ignored). The selection is kept in view.
//
// Entries are numbered from 1; 0 means no entry.
#pragma once

#include "AScrollablePane.h"

#include <string>
#include <vector>

class ATextListPane : public AScrollablePane {
    KS_DECLARE_CLASS(ATextListPane, AScrollablePane)
    KS_PANE_WALK_TRAITS(ATextListPane, kWalkIdleKeepsTree | kWalkStandardInterior)

    static constexpr OSType kClassID = FourCharCode("TLst");
    // Keys typed further apart than this start a new search.
    static constexpr long kTypeAheadTicks = 60;
    static constexpr SInt16 kKeyUp = 0x7E;
    static constexpr SInt16 kKeyDown = 0x7D;

    static ATextListPane* New(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top,
                              SInt16 bot, SInt16 hei);
    static void PCRegister();

    ATextListPane();

    OSType GetClassID() const override { return kClassID; }
    void DrawDetail(const KsRect& rect, const KsRGBColor& bkgd, void* data) override;
    void DoClick(KsPoint pt, SInt16 modifiers, SInt32 when, void* data) override;
    bool DoKeyDown(SInt16 charCode, SInt16 keyCode, EventRecord* event, void* data) override;
    void SetFontSizeFace(SInt16 font, SInt16 size, SInt16 face) override;

    virtual void ITextListPane(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top,
                               SInt16 bot, SInt16 hei);
    // Answers the new entry's number.
    virtual long AddEntry(const char* text, bool select);
    virtual void SelectEntry(long n, bool on);
    virtual void ClearSelection();
    virtual void DeleteAllEntries();

    long GetEntryCount() const { return long(entries.size()); }
    long GetSelectedEntryNum() const { return selected; }
    // Copies entry n into buf (len bytes, NUL included); "" for no such entry.
    void GetEntryText(long n, char* buf, long len) const;
    SInt16 GetLineHeight() const { return lineHeight; }

private:
    void MeasureLines();
    void ShowEntry(long n);
    void InvalEntry(long n);
    long EntryAt(KsPoint pt) const;

    std::vector<std::string> entries;
    long selected = 0;
    SInt16 lineHeight = 14;
    SInt16 ascent = 11;
    std::string typed;
    long lastTypedTick = 0;
};
