// AStackPane: one collapsible section of a pane stack. A header row (opener
// and name) and, when open, a body of gadgets or of page panes, measured in
// whole rows of the stack's row height.
//
// Ownership: the pane's header gadgets, pages and body gadgets are sub-panes
// and owned as such; the fields only point at them and forget them when they
// go. The stack is found through the enclosures (the scrollable pane's
// enclosure) and is never owned.
#pragma once

#include "APane.h"

class AGadget;
class APagePane;
class APaneStack;

// Kinds of stack pane (paneStyle).
enum : SInt16 { kStackPaneOrdinary = 0, kStackPaneAlwaysOpen = 1, kStackPaneAutoOpen = 2 };

class AStackPane : public APane {
    KS_DECLARE_CLASS(AStackPane, APane)
    KS_PANE_WALK_TRAITS(AStackPane, kWalkIdleKeepsTree | kWalkStandardInterior)

    static constexpr OSType kClassID = FourCharCode("StkP");
    static constexpr SInt16 kVersion = 1;
    // Opener faces, closed and open.
    static constexpr SInt16 kOpenerClosedID = 9004;
    static constexpr SInt16 kOpenerOpenID = 9005;

    // encl is the stack's scrollable pane.
    static AStackPane* New(APane* encl, SInt32 refCon, SInt32 paneType, const char* name,
                           SInt16 heightMultiple, SInt16 paneStyle, SInt16 moreMultiple);
    static void PCRegister();

    AStackPane() = default;

    // --- Overrides ----------------------------------------------------------
    void Dispose() override;
    OSType GetClassID() const override { return kClassID; }
    SInt16 GetVersionWritten() const override { return kVersion; }
    SInt16 GetMinVersionRead() const override { return 1; }
    SInt16 GetMaxVersionRead() const override { return kVersion; }
    void Put(AStream& stream) override;
    void Get(AStream& stream) override;
    bool DoKeyDown(SInt16 charCode, SInt16 keyCode, EventRecord* event, void* data) override;
    void DoClick(KsPoint pt, SInt16 modifiers, SInt32 when, void* data) override;
    void SetBkndColor(const KsRGBColor& color) override;
    void RemoveSubPane(APane* pane) override;

    // --- Slots AStackPane introduces, in slot order ---------------------------
    virtual void IStackPane(APane* encl, SInt32 refCon, SInt32 paneType, const char* name,
                            SInt16 heightMultiple, SInt16 paneStyle, SInt16 moreMultiple);
    virtual void Shuffle() {}
    // Rows when open: 1 + the visible page's rows, else heightMultiple.
    virtual SInt16 GetHeightMultiple() const;
    // m >= 1. An open pane takes the new height and the stack moves the
    // panes after it; a closed one stays one row high.
    virtual void SetHeightMultiple(SInt16 m);
    virtual SInt16 GetMoreMultiple() const { return moreMultiple; }
    virtual void SetMoreMultiple(SInt16 m) { moreMultiple = m < 0 ? SInt16(0) : m; }
    virtual bool InTopRow(const APane* pane) const;
    // Copies at most len - 1 characters of the name gadget's text.
    virtual void GetName(char* buf, SInt32 len) const;
    virtual APagePane* GetVisiblePage() const;
    virtual bool SetOpenable(bool openable, bool force);
    virtual bool CanAutoOpen() const { return canAutoOpen; }
    virtual bool IsOpen() const { return isOpen || paneStyle == kStackPaneAlwaysOpen; }
    virtual void OpenPane();
    virtual void ClosePane();
    virtual bool IsMoreOpen() const { return isMoreOpen; }
    virtual void OpenMore();
    virtual void CloseMore();
    virtual void UpdateValues(SInt32 refCon, void* data);
    virtual void UpdateValues_Closed(SInt32 refCon, void* data);
    virtual void SetValueRefCon(SInt32 refCon) { valueRefCon = refCon; }
    virtual SInt32 GetValueRefCon() const { return valueRefCon; }

    // --- Not virtual ----------------------------------------------------------
    // The stack this pane lies in; null when it is not in one.
    APaneStack* GetStack() const;
    SInt16 GetRowHeight() const;
    APane* GetCurGad() const { return curGad; }
    void SetCurGad(APane* gad) { curGad = gad; }
    AGadget* GetLabelGad() const { return labelGad; }
    AGadget* GetOpenerGad() const { return openerGad; }
    APane* GetEnableGad() const { return enableGad; }
    void SetEnableGad(APane* gad) { enableGad = gad; }
    APane* GetPaneBook() const { return paneBook; }
    void SetPaneBook(APane* book) { paneBook = book; }
    APagePane* GetCurPage() const { return curPage; }
    void SetCurPage(APagePane* page) { curPage = page; }
    SInt16 GetPaneIndex() const { return paneIndex; }
    void SetPaneIndex(SInt16 i) { paneIndex = i; }
    SInt16 GetPaneStyle() const { return paneStyle; }
    bool IsOpenable() const { return openable; }
    bool IsInOpen() const { return inOpen; }
    void SetCanAutoOpen(bool on) { canAutoOpen = on; }
    SInt16 GetCurTopOffset() const { return curTopOffset; }
    void SetCurTopOffset(SInt16 v) { curTopOffset = v; }
    SInt32 GetPaneType() const { return paneType; }
    // The pane's own multiple, whatever page shows.
    SInt16 GetOwnHeightMultiple() const { return heightMultiple; }
    // The stored multiple, without moving anything: for a page change, which
    // restacks by itself.
    void StoreHeightMultiple(SInt16 m) { heightMultiple = m < 1 ? SInt16(1) : m; }
    // Rows the pane takes in the stack now: 1 closed, GetHeightMultiple open.
    SInt16 RowsNow() const { return IsOpen() ? GetHeightMultiple() : SInt16(1); }

protected:
    // The opener's colours against a background.
    static KsRGBColor OpenColor(const KsRGBColor& bkgd);
    static KsRGBColor ClosedColor(const KsRGBColor& bkgd);
    void SetOpenerFace(bool open);
    // The bottom of the bounds at top + rows × row height.
    void SetRows(SInt16 rows);
    void HideBody();
    void ShowBody();

    // Fields, in their declared order.
    APane* curGad = nullptr;      // not owned
    APane* paneBook = nullptr;    // not owned (a sub-pane)
    AGadget* labelGad = nullptr;  // not owned (a sub-pane)
    AGadget* openerGad = nullptr; // not owned (a sub-pane)
    APane* enableGad = nullptr;   // not owned (a sub-pane)
    APagePane* curPage = nullptr; // not owned (a sub-pane)
    bool isOpen = false;
    bool inOpen = false;
    bool canAutoOpen = true;
    bool openable = true;
    SInt16 paneIndex = 0;
    SInt16 paneStyle = kStackPaneOrdinary;
    SInt16 curTopOffset = 0;
    SInt16 heightMultiple = 1;
    SInt32 paneType = 0;
    SInt32 valueRefCon = -1;
    bool isMoreOpen = false;
    SInt16 moreMultiple = 0;

    friend class APaneStack;
};
