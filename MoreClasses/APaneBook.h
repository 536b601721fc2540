// APaneBook: a container that shows one of several pages at a time, each
// reached through a labelled tab along the top edge or stacked down the left
// edge. APaneBookPage is one page: it owns its page pane (an
// AScrollablePane, a sub-pane of the book) and an optional enable button on
// its tab (also a sub-pane of the book).
//
// The book owns its pages. A page pane or enable button that is disposed of
// by someone else is forgotten by its page (RemoveSubPane), so no page ever
// points at a pane that is gone.
//
// The builder calls (Add..., SetCurPage..., SetCurGad...) act on the current
// page and do nothing without one. Values are refreshed through UpdateValues
// on the whole book, which passes the gadget value-update modes on.
//
// Bodies: APaneBook.cpp (pages, showing, clicks, keys), APaneBookPage.cpp,
// APaneBookBuild.cpp (builder, values),
// APaneBookDraw.cpp (tab geometry and drawing), APaneBookStream.cpp
// (streams, property text, class registration).
#pragma once

#include "AGadget.h"
#include "APane.h"
#include "CoreAttrList.h"

#include <memory>
#include <vector>

class APaneBook;
class APaneBookPage;
class APushButton;
class AScrollablePane;

// Called after a page is shown, with the page and the data given with it.
using APaneBookShowProc = void (*)(APaneBookPage* page, void* data);
// Predicate of GenericFindGad.
using APaneBookGadTest = bool (*)(APane* pane, void* data);

// Value-update modes that reach every page rather than the visible one.
enum : SInt32 {
    kBookUpdateAllQuiet = 3, // modes 2 and 3 reach hidden pages as 3
    kBookUpdateOption = 4,   // an option-click on the visible tab
    kBookUpdateAll = 5,      // modes 4 and 5 reach hidden pages as 5
};

class APaneBookPage : public AObject {
    KS_DECLARE_CLASS(APaneBookPage, AObject)

    // -32768: no window content size goes with the page.
    static constexpr SInt32 kNoSize = -32768;

    // A page with a new page pane named `name` in `book`.
    static APaneBookPage* New(APaneBook* book, const char* name);
    // Wraps an existing pane (read from a resource) as a page; the pane is
    // made a sub-pane of the book if it is not one already.
    static APaneBookPage* NewPageWithPane(APaneBook* book, APane* pane);

    APaneBookPage() = default;
    APaneBookPage(const APaneBookPage&) = delete;
    APaneBookPage& operator=(const APaneBookPage&) = delete;

    virtual void IPaneBookPage(APaneBook* book, const char* name);
    void Dispose() override;

    // --- Slots APaneBookPage introduces, in slot order -----------------------
    // Shows or hides the check boxes and radio buttons on the page, and
    // passes the request on to nested books.
    virtual void SetControlsVisible(bool on);
    virtual void SetShowProc(APaneBookShowProc proc, void* data);
    // The tab, unselected or selected.
    virtual void DrawBackground(bool selected);
    // The tab's label.
    virtual void DrawDetail(bool selected);
    // Passes (mode, data) to every gadget, text entry or nested book on the page.
    virtual void UpdateValues(SInt32 mode, void* data);
    virtual void RefConUpdateValues(SInt32 refCon, SInt32 mode, void* data, APane* except);
    virtual APane* RefConFindGad(SInt32 refCon);
    virtual APane* GenericFindGad(APaneBookGadTest test, void* data);
    virtual APane* RefConFindEnableGad(SInt32 refCon);
    virtual void EnableVisPage(bool on);
    // 1-based number of the visible page of a nested book, 0 without one.
    virtual SInt32 GetVisSubPageNum();
    virtual APaneBookPage* GetVisSubPage();
    virtual bool RefConActivateTE(SInt32 refCon);
    // Hides or shows the tab (and the enable button with it); answers
    // whether anything changed.
    virtual bool SetHidden(bool on);
    // Asks the window to take the page's content size; answers whether it did.
    virtual bool SetEnclWinContentSize();

    // --- Not virtual ---------------------------------------------------------
    APaneBook* GetBook() const { return itsBook; }
    APane* GetPagePane() const { return itsPagePane; }
    APushButton* GetEnableButton() const { return itsEnableButton; }
    APane* GetCurGad() const { return itsCurGad; }
    SInt32 GetRefCon() const { return refCon; }
    bool IsHidden() const { return hidden; }
    bool IsVisiblePage() const;
    const KsRGBColor& GetTabColor() const { return tabColor; }
    SInt16 GetTabIcon() const { return tabIcon; }
    SInt32 GetExtraTabOffset() const { return extraTabOffset; }
    void GetWindowContentSize(SInt32* width, SInt32* height) const {
        *width = winWidth;
        *height = winHeight;
    }
    // The page's name: the body text of its page pane.
    void GetName(char* buf, SInt32 len) const;

private:
    friend class APaneBook;
    static APaneBookPage* Make(APaneBook* book);
    void DrawTabIcon(const KsRect& tab, const KsRGBColor& fg, const KsRGBColor& bg);
    // The page pane or enable button went away under the page.
    void Forget(APane* pane);
    // Hands the book's visible-page rules to a gadget the builder adds.
    void AdoptGadget(AGadget* gad, const char* label, bool textGadget, SInt32 refCon,
                     AGadgetValUpdateProc proc);

    // Fields in their declared order.
    APushButton* itsEnableButton = nullptr; // owned (a sub-pane of the book), may be null
    APane* itsPagePane = nullptr;           // owned (a sub-pane of the book)
    APaneBook* itsBook = nullptr;           // not owned
    KsRgn edgeRgn;
    SInt32 extraTabOffset = 0;
    APane* itsCurGad = nullptr; // not owned: the last gadget the builder added
    KsRect rect{};
    SInt32 refCon = 0;
    bool hidden = false;
    KsRGBColor tabColor = RGBblack;
    SInt32 winWidth = kNoSize;
    SInt32 winHeight = kNoSize;
    APaneBookShowProc showProc = nullptr;
    void* showData = nullptr;
    SInt16 tabIcon = -1;
};

class APaneBook : public APane {
    KS_DECLARE_CLASS(APaneBook, APane)
    KS_PANE_WALK_TRAITS(APaneBook, kWalkIdleKeepsTree | kWalkStandardInterior)

    static constexpr OSType kClassID = FourCharCode("PBok");
    // 2: the pages' settings and enable buttons follow the pages.
    static constexpr SInt16 kVersion = 2;
    // Key codes that switch pages.
    static constexpr SInt16 kPageUpKey = 0x74;
    static constexpr SInt16 kPageDownKey = 0x79;
    // Interiors narrower than this show tabs only.
    static constexpr SInt16 kTabsOnlyWidth = 28;
    static constexpr SInt32 kMinWidth = 20;

    static APaneBook* New(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top,
                          SInt16 bot, SInt16 hei, const KsRGBColor& bkgdColor, bool stacked,
                          bool drawTabs);
    static void PCRegister();

    APaneBook() = default;

    virtual void IPaneBook(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top,
                           SInt16 bot, SInt16 hei, const KsRGBColor& bkgdColor, bool stacked,
                           bool drawTabs);

    // --- APane slots APaneBook overrides ------------------------------------
    void Dispose() override;
    AObject* Copy() override;
    OSType GetClassID() const override { return kClassID; }
    SInt16 GetVersionWritten() const override { return kVersion; }
    SInt16 GetMinVersionRead() const override { return 1; }
    SInt16 GetMaxVersionRead() const override { return kVersion; }
    void Put(AStream& stream) override;
    void Get(AStream& stream) override;
    bool DoKeyDown(SInt16 charCode, SInt16 keyCode, EventRecord* event, void* data) override;
    void DoClick(KsPoint pt, SInt16 modifiers, SInt32 when, void* data) override;
    void DrawInterior(const KsRect* clip, void* data) override;
    void DrawDetail(const KsRect& rect, const KsRGBColor& bkgd, void* data) override;
    void SetBkndColor(const KsRGBColor& color) override;
    void RemoveSubPane(APane* pane) override;

    // --- Slots APaneBook introduces, in slot order ---------------------------
    // By page, else by number (1-based, when non-zero), else by the page
    // pane's ID. A page that is not found, already visible or hidden: nothing.
    virtual void ShowPage(APaneBookPage* page, const char* name, SInt32 number, bool update);
    virtual void CalcStackedLabelWidth(const char* text);
    virtual SInt32 CalcMinimumWidth();
    virtual void SetControlsVisible(bool on);
    virtual void MoveVisPage(bool earlier);
    virtual void DeleteVisPage();
    virtual void DeletePage(APaneBookPage* page);
    virtual void SetVisPageName(const char* name);
    virtual void GetVisPageName(char* buf, SInt32 len);
    virtual SInt32 GetVisPageNum(bool sub);
    virtual void NextPage();
    // Null clears it; a page of another book is refused.
    virtual void SetCurPage(APaneBookPage* page);
    virtual APane* FindPagePaneByNum(SInt32 number);
    virtual APane* FindPagePaneByID(const char* id);
    virtual bool PtInTabArea(KsPoint pt);
    virtual bool RefConActivateTE(SInt32 refCon);
    virtual void UpdateValues(SInt32 mode, void* data);
    virtual void UpdateCurPageValues(SInt32 mode, void* data);
    virtual void RefConUpdateValues(SInt32 refCon, SInt32 mode, void* data, APane* except);
    virtual APane* RefConFindGad(SInt32 refCon);
    virtual bool RefConPtInGad(SInt32 refCon, KsPoint pt);
    virtual APane* GenericFindGad(APaneBookGadTest test, void* data);
    virtual APane* RefConFindEnableGad(SInt32 refCon);
    virtual void SetCurPageLabelSeparation(SInt32 extra);
    virtual APushButton* AddEnableGad(SInt32 refCon, AGadgetValUpdateProc updateProc,
                                      AGadgetUpClickProc clickProc);
    virtual void RealignEnableGads();
    virtual void EnableVisPage(bool on);
    virtual AGadget* AddRsrcGad(SInt32 refCon, const char* label, AGadgetValUpdateProc updateProc,
                                SInt16 left, SInt16 wid, SInt16 top, SInt16 hei, OSType rsrcType,
                                SInt16 rsrcID);
    virtual AGadget* AddLabelGad(SInt32 refCon, const char* label, AGadgetValUpdateProc updateProc,
                                 SInt16 left, SInt16 top);
    virtual AGadget* AddCenteredLabelGad(SInt32 refCon, const char* label,
                                         AGadgetValUpdateProc updateProc, SInt16 left, SInt16 wid,
                                         SInt16 top, SInt16 hei);
    virtual AGadget* AddLabelGadStyle(SInt32 refCon, const char* label,
                                      AGadgetValUpdateProc updateProc, SInt16 left, SInt16 top,
                                      SInt16 font, SInt16 size, SInt16 face);
    virtual void SetCurPaneQAPID(const char* id);
    virtual void SetCurGadQAPID(const char* id);
    virtual void SetCurGadHelpText(const char* text);
    virtual void SetCurGadWinHelpNum(SInt32 number);
    virtual void SetCurPageWinHelpNum(SInt32 number);
    virtual void SetCurPageTabColor(const KsRGBColor& color);
    virtual void SetCurPageTabIcon(SInt16 iconID);
    virtual void SetCurPageShowProc(APaneBookShowProc proc, void* data);
    virtual void SetCurGadValRefConProc(AGadgetValRefConProc proc);
    virtual bool TabsOnly();

    // --- Not virtual ---------------------------------------------------------
    // A new page (number -1: after the last; a null name becomes "Pg<n>"),
    // made current; answers its page pane. A number beyond the end is taken
    // as the end.
    APane* NewPage(const char* name, SInt32 number, SInt32 refCon, SInt32 windowWidth,
                   SInt32 windowHeight);
    // Adds a page that wraps an existing pane; inserted at number (1-based,
    // -1 or beyond the end: last).
    APaneBookPage* AddPageWithPane(APane* pane, SInt32 number);
    SInt32 GetPageCount() const { return SInt32(pages.size()); }
    // 1-based; null out of range.
    APaneBookPage* GetPage(SInt32 number) const;
    APaneBookPage* GetVisPage(bool sub);
    APaneBookPage* GetCurPage() const { return itsCurPage; }
    APaneBookPage* FindPageByNum(SInt32 number) const { return GetPage(number); }
    APaneBookPage* FindPageByID(const char* id) const;
    APaneBookPage* FindPageByPagePane(const APane* pane) const;
    // 1-based; 0 when the page is not in this book.
    SInt32 GetPageNum(const APaneBookPage* page) const;
    // The page whose tab holds pt, with its tab rectangle; else the visible
    // page (or a nested book's page) when pt is on its pane.
    APaneBookPage* FindPageAtPoint(KsPoint pt, KsRect* tabRect);
    // The tab of a page in window coordinates (empty without tabs).
    KsRect GetTabRect(const APaneBookPage* page) const;

    bool GetStackedLabels() const { return iStackedLabels; }
    bool GetDrawBinder() const { return iDrawBinder; }
    bool GetDrawsTabs() const { return drawsTabs; }
    SInt32 GetLabelWidth() const { return iLabelWidth; }
    SInt32 GetLabelHeight() const { return iLabelHeight; }
    SInt32 GetLabelSeparation() const { return iLabelSeparation; }
    SInt32 GetLabelMargin() const { return iLabelMargin; }
    SInt32 GetReveal() const { return iReveal; }
    SInt32 GetPageInset() const { return pageInset; }
    SInt32 GetPageBottomInset() const { return pageBottomInset; }
    SInt16 GetLabelSize() const { return labelSize; }
    SInt16 GetLabelFace() const { return labelFace; }
    void SetDefaultTabColor(const KsRGBColor& color) { defaultTabColor = color; }
    void SetReveal(SInt32 reveal);

    void AddPropsToList(CoreAttrList* list);
    void GetPropsFromList(CoreAttrList* list);

private:
    friend class APaneBookPage;
    // Where a page pane goes in this book, as six coordinates.
    void PlacePagePane(APane* pane) const;
    void InsertPage(APaneBookPage* page, SInt32 number);
    // Removes the page from the list and clears every pointer to it.
    void Unlist(APaneBookPage* page);
    void DrawTab(APaneBookPage* page, bool selected);
    // Colours of the tab strip.
    KsRGBColor TabShade() const;
    KsRGBColor EnclosureColor() const;
    void RecolorEnableButton(APaneBookPage* page, bool visible);
    // A non-hidden page before (step -1) or after (step 1) the visible one.
    APaneBookPage* NeighbourPage(SInt32 step);
    void UpdatePage(APaneBookPage* page, SInt32 mode, void* data);
    // Turns every sub-pane that is not yet a page into one (after reading),
    // in the order and with the settings the property text gave.
    void AdoptSubPanesAsPages();
    // What a page carries beyond its pane: streams and property text
    // (APaneBookPageStream.cpp).
    void PutPageSettings(AStream& stream);
    void GetPageSettings(AStream& stream);
    void AddPagePropsToList(CoreAttrList* list);
    void AdoptPagesFromProps(const CoreAttrList& list);
    // Makes button (one of the book's sub-panes, no other page's) the page's
    // enable button; answers false when it cannot be.
    bool ClaimEnableButton(APaneBookPage* page, APane* button);
    static void AfterRead(APane* pane);

    // Fields in their declared order.
    std::vector<APaneBookPage*> pages; // owned, tab order
    bool iStackedLabels = false;
    bool iDrawBinder = true;
    SInt16 labelFace = 0;
    SInt16 labelSize = 10;
    SInt32 iLabelWidth = 42;
    SInt32 iLabelHeight = 18;
    SInt32 iLabelSeparation = 2;
    SInt32 iLabelMargin = 8;
    SInt32 iLabelMargin2 = 8;
    SInt32 enableSize = 11;
    KsRGBColor defaultTabColor = RGBblack;
    SInt32 iReveal = 0;
    SInt32 tabStripOffset = 0;
    APaneBookPage* itsCurPage = nullptr; // not owned (one of pages)
    SInt32 pageInset = 1;
    SInt32 pageBottomInset = 4;
    bool drawsTabs = true;
    // Set while the book takes its pages apart, so that RemoveSubPane does
    // not forget pages that are going anyway.
    bool iTearingDown = false;
    // The property text's page keys, kept until the sub-panes are read.
    std::unique_ptr<CoreAttrList> pendingPageProps;
};
