// APaneStack: a scroll pane holding a vertical stack of collapsible stack
// panes, everything measured in rows of one height. Opening or closing a pane
// moves every later one by whole rows and keeps the total row count, the
// scroll range (rows × row height) and the scroll position in step.
//
// For property panels the stack is also a builder: AddPane starts a stack
// pane, the Add...Gad members put gadgets into the current target (the pane,
// one of its pages), each with a refcon and a value-update procedure, and
// UpdateValues refreshes every visible value in one call.
//
// Ownership: the scrollable pane ("scrollablePane") owns the stack panes;
// curStackPane and curTarget only point, and are forgotten when their panes
// go. A host procedure called from inside the stack may dispose of the
// stack: the disposal then waits until the outermost call returns.
//
// Bodies by concern: APaneStack.cpp (construction, selection, values),
// APaneStackLayout.cpp (rows, restacking, scrolling), APaneStackBuilder.cpp
// (the Add... members), APaneStackControls.cpp (the standard controls'
// members), APaneStackStream.cpp (streams and property text).
#pragma once

#include "AGadget.h"
#include "AMillSliders.h"
#include "AScrollPane.h"
#include "ATextEntry.h"

class ACheckBox;
class AMacPopupMenu;
class APagePane;
class APaneBook;
class AStackPane;
class StStackCall;

class APaneStack : public AScrollPane {
    KS_DECLARE_CLASS(APaneStack, AScrollPane)
    KS_PANE_WALK_TRAITS(APaneStack, kWalkIdleKeepsTree | kWalkStandardInterior)

    static constexpr OSType kClassID = FourCharCode("PStk");
    static constexpr SInt16 kVersion = 1;
    // Height and width the frame (border style 2) adds around the rows, at
    // construction and on every resize alike.
    static constexpr SInt16 kFrameExtra = 2;
    // The bar's width beyond the stack panes' width.
    static constexpr SInt16 kBarExtra = 14;
    // The stack panes are this much narrower than the width asked for.
    static constexpr SInt16 kPaneInset = 3;
    // ShuffleOpenable orders panes whose indexes lie in 0 .. kMaxShuffle - 1.
    static constexpr SInt16 kMaxShuffle = 100;

    static APaneStack* New(APane* encl, SInt16 left, SInt16 top, SInt16 width, SInt16 rowHeight,
                           SInt16 visibleRows, SInt16 totalRows, const KsRGBColor& color);
    static void PCRegister();

    APaneStack() = default;

    // --- Overrides ----------------------------------------------------------
    void Dispose() override;
    OSType GetClassID() const override { return kClassID; }
    SInt16 GetVersionWritten() const override { return kVersion; }
    SInt16 GetMinVersionRead() const override { return 1; }
    SInt16 GetMaxVersionRead() const override { return kVersion; }
    void Put(AStream& stream) override;
    void Get(AStream& stream) override;
    bool Resize(SInt16 width, SInt16 height) override;

    // --- Slots APaneStack introduces, in slot order -----------------------------
    virtual bool ScrollToItem(SInt32 row);
    virtual void ResetTotalItems(SInt32 n);
    virtual void RemoveStackPanes();
    virtual bool Restack(AStackPane* stackPane, SInt16 delta);
    virtual bool ShuffleOpenable();
    virtual bool ChangePage(APagePane* page);
    virtual void UpdateValues(SInt32 refCon, void* data);
    virtual void UpdateCurPaneValues(SInt32 refCon, void* data);
    virtual void UpdatePaneValues(SInt32 paneType, SInt32 refCon, void* data);
    virtual void UpdateCurGadValues(SInt32 refCon, void* data);
    virtual AStackPane* AddPane(SInt32 refCon, SInt32 paneType, const char* name,
                                SInt16 heightMultiple, SInt16 moreMultiple);
    virtual AStackPane* AddPaneType(SInt32 refCon, SInt32 paneType, const char* name,
                                    SInt16 heightMultiple, SInt16 paneStyle);
    virtual void SetPaneLabelClickProcs(AGadgetClickProc downProc, AGadgetUpClickProc upProc);
    virtual APagePane* AddPanePage(SInt32 refCon, const char* name, SInt16 heightMultiple,
                                   AGadgetValUpdateProc valUpdateProc, SInt16 moreMultiple);
    virtual bool IsPanePage() const;
    virtual SInt16 GetCurTopOffset() const;
    virtual void SetCurTopOffset(SInt16 offset);
    // A pane book in the current target, rows + 2 rows high; the current
    // stack pane may have one. The text is not used.
    virtual APaneBook* AddPaneBook(const char* text, SInt16 rows, bool stacked);
    // A page of the current stack pane's book, which becomes the target;
    // answers its page pane.
    virtual APane* AddPaneBookPage(const char* name, SInt32 number, SInt32 refCon);
    virtual void PostAddGad() {}
    virtual AGadget* AddButtonGad(SInt32 refCon, const char* label, AGadgetValUpdateProc proc,
                                  AGadgetClickProc downProc, AGadgetUpClickProc upProc, SInt16 left,
                                  SInt16 top);
    virtual AGadget* AddButtonGadStyle(SInt32 refCon, const char* label, AGadgetValUpdateProc proc,
                                       AGadgetClickProc downProc, AGadgetUpClickProc upProc,
                                       SInt16 left, SInt16 wid, SInt16 top, SInt16 hei,
                                       SInt32 border, OSType rsrcType, SInt16 rsrcID);
    virtual AGadget* AddRsrcGad(SInt32 refCon, const char* label, AGadgetValUpdateProc proc,
                                SInt16 left, SInt16 wid, SInt16 top, SInt16 hei, OSType rsrcType,
                                SInt16 rsrcID);
    virtual AGadget* AddLabelGad(SInt32 refCon, const char* label, AGadgetValUpdateProc proc,
                                 SInt16 left, SInt16 top);
    virtual AGadget* AddLabelGadStyle(SInt32 refCon, const char* label, AGadgetValUpdateProc proc,
                                      SInt16 left, SInt16 top, SInt16 font, SInt16 size,
                                      SInt16 face);
    virtual AGadget* AddDlogGad(SInt32 refCon, const char* label, AGadgetValUpdateProc proc,
                                AGadgetClickProc downProc, AGadgetUpClickProc upProc, SInt16 left,
                                SInt16 top);
    virtual AGadget* AddMenuGad(SInt32 refCon, const char* label, AGadgetValUpdateProc proc,
                                AGadgetClickProc downProc, AGadgetUpClickProc upProc, SInt16 left,
                                SInt16 top);
    virtual AGadget* AddMenuIDGad(SInt32 refCon, const char* label, SInt16 menuID,
                                  AGadgetValUpdateProc proc, AGadgetClickProc downProc,
                                  AGadgetUpClickProc upProc, SInt16 left, SInt16 top);
    virtual AGadget* AddPopupMenuGadAt(SInt32 refCon, const char* label, AGadgetValUpdateProc proc,
                                       AGadgetClickProc downProc, AGadgetUpClickProc upProc,
                                       SInt16 left, SInt16 top);
    virtual AGadget* AddPopupMenuGadAt1(SInt32 refCon, const char* label, AGadgetValUpdateProc proc,
                                        AGadgetClickProc downProc, AGadgetUpClickProc upProc,
                                        SInt16 left, SInt16 top);
    virtual AGadget* AddPopupMenuGad(SInt32 refCon, const char* label, AGadgetValUpdateProc proc,
                                     AGadgetClickProc downProc, AGadgetUpClickProc upProc);
    // The standard controls (APaneStackControls.cpp). The label is the
    // control's title; upProc runs after a click or key changed the value.
    // A pop-up menu takes the items of menu (null: none yet).
    virtual AMacPopupMenu* AddMacPopupMenuGad(SInt32 refCon, const char* label,
                                              AGadgetValUpdateProc proc, AGadgetUpClickProc upProc,
                                              MenuHandle menu);
    virtual ACheckBox* AddMacCheckBoxGad(SInt32 refCon, const char* label,
                                         AGadgetValUpdateProc proc, AGadgetUpClickProc upProc);
    virtual ACheckBox* Add1MacCheckBoxGad(SInt32 refCon, const char* label,
                                          AGadgetValUpdateProc proc, AGadgetUpClickProc upProc,
                                          SInt16 left, SInt16 top);
    virtual AGadget* AddCheckBoxGadAt(SInt32 refCon, const char* label, AGadgetValUpdateProc proc,
                                      AGadgetClickProc downProc, AGadgetUpClickProc upProc,
                                      SInt16 left, SInt16 top);
    virtual AGadget* AddCheckBoxGad(SInt32 refCon, const char* label, AGadgetValUpdateProc proc,
                                    AGadgetClickProc downProc, AGadgetUpClickProc upProc);
    virtual AGadget* AddCustomGad(SInt32 refCon, const char* label, AGadgetValUpdateProc proc,
                                  AGadgetClickProc downProc, AGadgetUpClickProc upProc, SInt16 left,
                                  SInt16 wid, SInt16 top, SInt16 hei, SInt32 border);
    virtual AGadget* AddEnableGad(SInt32 refCon, const char* label, AGadgetValUpdateProc proc,
                                  AGadgetClickProc downProc, AGadgetUpClickProc upProc, SInt16 left,
                                  SInt16 top);
    // Sliders, one a row, across the pane (min and max arrive as integers
    // for the whole-number members).
    virtual AThinSlider* AddSliderGad(SInt32 refCon, const char* label, AGadgetValUpdateProc proc,
                                      ASliderTrackProc trackProc, SInt32 min, SInt32 max);
    virtual AThinSlider* AddSliderGadLong(SInt32 refCon, const char* label,
                                          AGadgetValUpdateProc proc, ASliderTrackProc trackProc,
                                          SInt32 min, SInt32 max);
    virtual AThinSlider* AddSliderGadMargin(SInt32 refCon, const char* label,
                                            AGadgetValUpdateProc proc, ASliderTrackProc trackProc,
                                            SInt32 min, SInt32 max, SInt16 m1, SInt16 m2);
    virtual AThinSlider* AddSliderGadAvp(SInt32 refCon, const char* label,
                                         AGadgetValUpdateProc proc, ASliderTrackProc trackProc,
                                         AThinSliderActivateProc activateProc, SInt32 min,
                                         SInt32 max);
    virtual AThinSlider* AddFPSliderGad(SInt32 refCon, const char* label, AGadgetValUpdateProc proc,
                                        ASliderTrackProc trackProc, double min, double max,
                                        double inc);
    virtual ATreadMill* AddTreadmillGadMargin(SInt32 refCon, const char* label,
                                              AGadgetValUpdateProc proc, ASliderTrackProc trackProc,
                                              SInt32 min, SInt32 max, SInt16 m1, SInt16 m2);
    virtual ATreadMill* AddFPTreadmillGad(SInt32 refCon, const char* label,
                                          AGadgetValUpdateProc proc, ASliderTrackProc trackProc,
                                          double min, double max, double inc);
    virtual AWindMill* AddAngleGad(SInt32 refCon, const char* label, AGadgetValUpdateProc proc,
                                   ASliderTrackProc trackProc, SInt32 min, SInt32 max, double inc);
    virtual AWindMill* AddFPAngleGad(SInt32 refCon, const char* label, AGadgetValUpdateProc proc,
                                     ASliderTrackProc trackProc, double min, double max,
                                     double inc);
    // The current gadget, when it is a thin slider: its value text below
    // the track (the row grows or shrinks by a line) or its visible range.
    virtual void SetCurSliderTextBelow(bool below);
    virtual void SetCurSliderIsVariableVisRange(double visMin, double visMax);
    // A text field at a given place; entryProc hears its value changes.
    virtual ATextEntry* AddTextEntryGad(SInt32 refCon, const char* label, AGadgetValUpdateProc proc,
                                        ATextEntryChangedHook entryProc, SInt16 left, SInt16 wid,
                                        SInt16 top, SInt16 hei);
    virtual void OpenAllPanes();
    virtual void CloseAllPanes();
    virtual void SetCurPaneQAPID(const char* id);
    virtual void SetCurGadQAPID(const char* id);
    virtual void SetCurGadHelpText(const char* text);
    virtual void SetCurGadValRefConProc(AGadgetValRefConProc proc);
    virtual bool SetOpenable(SInt32 refCon, SInt32 paneType, bool openable);
    virtual void SetAllNotOpenable();
    virtual bool EnableCurPane(bool redraw);
    virtual bool IsCurPaneEnabled() const;
    virtual bool IsCurPaneOpen() const;
    virtual bool OpenCurPane();
    virtual void AutoOpenPanes();
    virtual bool AutoOpenCurPane();
    virtual bool CloseCurPane();
    virtual void UpdateCurPaneValues_Closed(SInt32 refCon, void* data);
    virtual bool SetCurPane(SInt32 refCon, SInt32 paneType);
    virtual bool SetCurPaneIfOpen(SInt32 refCon, SInt32 paneType);
    virtual bool SetCurPaneEncl(APane* pane);
    virtual bool RefConSetCurPane(SInt32 refCon);
    virtual bool RefConSetCurGadDammit(SInt32 refCon, SInt32 n);
    virtual APane* RefConFindGad(SInt32 refCon, APane* except);
    virtual bool RefConPtInGad(KsPoint pt, SInt32 refCon, SInt32 border);
    virtual AGadget* RefConGetMenuGad(SInt32 refCon);
    virtual bool FindCurPane(KsPoint pt);
    virtual void RedrawCurPane(bool flag);
    virtual bool SetCurGad(const char* name);
    virtual bool RefConSetCurGad(SInt32 refCon);
    virtual void IPaneStack(APane* encl, SInt16 left, SInt16 top, SInt16 width, SInt16 rowHeight,
                            SInt16 visibleRows, SInt16 totalRows, const KsRGBColor& color);

    // --- Not virtual ------------------------------------------------------------
    AStackPane* GetCurStackPane() const { return curStackPane; }
    APane* GetCurTarget() const { return curTarget; }
    SInt16 GetRowHeight() const { return rowHeight; }
    SInt32 GetPaneWidth() const { return paneWidth; }
    SInt32 GetTotalItems() const { return totalItems; }
    SInt32 GetVisibleItems() const { return visibleItems; }
    SInt32 GetNextPaneTop() const { return nextPaneTop; }
    SInt32 GetLastPaneIndex() const { return lastPaneIndex; }
    bool GetAutoScroll() const { return autoScroll; }
    void SetAutoScroll(bool on) { autoScroll = on; }
    // Stack panes in sub-pane order (1-based); null out of range.
    SInt32 CountStackPanes() const;
    AStackPane* GetStackPane(SInt32 index) const;
    // The first visible row (the vertical position in rows).
    SInt32 GetTopRow() const;
    // Sets both transient pointers.
    void SetCurrent(AStackPane* pane, APane* target);
    // Called by a stack pane or page that goes: the pointers into it go too.
    void ForgetPane(APane* pane);
    // Called by a stack pane that goes: the panes after it close the gap.
    void StackPaneGone(AStackPane* pane);

protected:
    void ClosePanes(bool withOpenerOnly);
    // Moves the stack panes after `after` by rows × row height; answers
    // whether any moved.
    bool MoveLaterPanes(AStackPane* after, SInt32 rows);
    // Keeps the position inside the range when the end has risen into view.
    void PullBackPosition();
    void SetRangeFromTotal();
    // Books a change of d rows of stackPane: the total, the range, the
    // position, the panes after it. Answers whether any pane moved.
    bool ApplyRows(AStackPane* stackPane, SInt32 d, bool honourAutoScroll);
    void ScrollToTop();
    void InvalBar();
    AStackPane* FindStackPane(SInt32 refCon, SInt32 paneType, bool openOnly) const;
    APane* FindGadIn(APane* in, const char* name, SInt32 refCon, bool byName) const;
    void AddGadCommon(APane* gad, SInt32 refCon, const char* label, AGadgetValUpdateProc proc,
                      bool textLabel);
    // One slider of the given class in the current row, moving the row on.
    template <class Slider>
    Slider* AddSliderRow(SInt32 refCon, const char* label, AGadgetValUpdateProc proc,
                         ASliderTrackProc trackProc, double min, double max, SInt16 height,
                         SInt16 rowStep, bool spanWidth);
    AGadget* AddLabelThenButton(SInt32 refCon, const char* label, AGadgetValUpdateProc labelProc,
                                AGadgetClickProc downProc, AGadgetUpClickProc upProc, SInt16 left,
                                SInt16 top, bool menu, SInt16 rowStep);
    KsRect StackClip() const;

    // Fields, in their declared order.
    AStackPane* curStackPane = nullptr; // not owned
    APane* curTarget = nullptr;         // not owned
    SInt32 lastPaneIndex = -1;
    SInt32 paneWidth = 0;
    SInt16 rowHeight = 1;
    SInt32 nextPaneTop = 0;
    SInt32 totalItems = 0;
    SInt32 visibleItems = 0;
    bool autoScroll = true;

private:
    friend class StStackCall;
    friend class AStackPane;
    // Calls in progress that may run host procedures, and a disposal that
    // waits for them to return.
    SInt16 iCallDepth = 0;
    bool iDisposePending = false;
    // Bumped whenever the stack panes are removed or reordered, so that a
    // walk over them that called out stops.
    UInt32 iGeneration = 0;
    // Set while RemoveStackPanes disposes of every stack pane at once.
    bool iRemovingAll = false;
};
