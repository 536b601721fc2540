// AScrollPane: one scrollable main pane with a horizontal and a vertical
// scroll bar, a grow box in the corner and optional mini panes beside the
// bars, kept in step with each other.
//
// The bars scroll the main pane through their scroll procedure; the main
// pane's position and limit setters call back AdjustScrollBars, and its
// content changes mark the bars dirty for one coalesced adjustment at the end
// of the event. Keys page, and go Home and End; the mouse wheel scrolls.
//
// Ownership: the bars, the grow box, the mini panes and the main pane are
// sub-panes and owned as such; the fields only point at them and forget them
// when they leave.
#pragma once

#include "APane.h"

#include <vector>

class AGrowBoxPane;
class AScrollablePane;
class AScrollBar;

class AScrollPane : public APane {
    KS_DECLARE_CLASS(AScrollPane, APane)
    KS_PANE_WALK_TRAITS(AScrollPane, kWalkIdleKeepsTree | kWalkStandardInterior)

    static constexpr OSType kClassID = FourCharCode("SPan");
    // Extension of the stream record: the mini panes beside each bar.
    static constexpr SInt16 kExtMiniPanes = 1;
    static constexpr SInt16 kVersion = 1;
    static constexpr SInt16 kBarWidth = 16;
    // The corner the grow box takes from the bars.
    static constexpr SInt16 kCornerInset = -14;
    // Virtual key codes of the keys the pane takes.
    static constexpr SInt16 kKeyPageUp = 0x74;
    static constexpr SInt16 kKeyPageDown = 0x79;
    static constexpr SInt16 kKeyHome = 0x73;
    static constexpr SInt16 kKeyEnd = 0x77;

    static AScrollPane* New(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top,
                            SInt16 bot, SInt16 hei, const KsRGBColor& color, SInt32 border,
                            bool hBar, bool vBar, bool grow, const KsRGBColor& partColor);
    static void PCRegister();

    AScrollPane() = default;

    // --- APane overrides --------------------------------------------------------
    void Dispose() override;
    OSType GetClassID() const override { return kClassID; }
    SInt16 GetVersionWritten() const override { return kVersion; }
    SInt16 GetMinVersionRead() const override { return 1; }
    SInt16 GetMaxVersionRead() const override { return kVersion; }
    void Put(AStream& stream) override;
    void Get(AStream& stream) override;
    bool DoKeyDown(SInt16 charCode, SInt16 keyCode, EventRecord* event, void* data) override;
    void DoClick(KsPoint pt, SInt16 modifiers, SInt32 when, void* data) override;
    void InteriorChanged(const KsRect& newInterior) override;
    void RemoveSubPane(APane* pane) override;

    // --- Slots AScrollPane introduces, in slot order ----------------------------
    virtual void ScrollMainPane(SInt32 dx, SInt32 dy);
    virtual void AdjustScrollBars();
    // Disposes the previous main pane; the new one is owned.
    virtual void InstallPane(AScrollablePane* main);
    // Disposes previous bars that are replaced; either may be null.
    virtual void InstallScrollBars(AScrollBar* h, AScrollBar* v);
    // The pane must not have an enclosure yet.
    virtual void AddMiniPane(APane* pane, bool horizontal);
    // Asks for one adjustment at the end of the event.
    virtual void DirtyScrollBars();
    virtual void HSBarAlwaysVisible(bool on);
    virtual void VSBarAlwaysVisible(bool on);
    virtual void HSBarAlwaysInvisible(bool on);
    virtual void VSBarAlwaysInvisible(bool on);
    virtual void AdjustSBarVisibility();
    virtual void PlaceMainPane();
    // Outputs may be null.
    virtual void GetIncrs(bool horizontal, SInt32* page, SInt32* step);
    virtual void IScrollPane(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top,
                             SInt16 bot, SInt16 hei, const KsRGBColor& color, SInt32 border,
                             bool hBar, bool vBar, bool grow, const KsRGBColor& partColor);

protected:
    virtual void HookupScrollBar(AScrollBar* bar);
    virtual void SetScrollBarMinMaxVal(AScrollBar* bar, SInt32 min, SInt32 max, SInt32 val);
    virtual void AddScrollPaneParts(bool hBar, bool vBar, bool grow, const KsRGBColor& color);

public:
    // --- Not virtual -------------------------------------------------------------
    void SetScrollPanePartColor(const KsRGBColor& color);
    void AddPropsToList(CoreAttrList* list);
    void GetPropsFromList(CoreAttrList* list);

    // The mouse wheel: deltas in sixteenths of a notch, positive to the right
    // and away from the user. Shift turns a vertical wheel horizontal.
    // Answers whether the main pane moved.
    bool DoWheel(SInt32 dx16, SInt32 dy16, SInt16 modifiers);
    // What one notch of the wheel scrolls on an axis with step `step`.
    static SInt32 WheelNotch(SInt32 step);

    AScrollablePane* GetMainPane() const { return itsMainPane; }
    AScrollBar* GetHScroll() const { return hScroll; }
    AScrollBar* GetVScroll() const { return vScroll; }
    AGrowBoxPane* GetGrowBox() const { return growBox; }
    bool GetHasGrow() const { return hasGrow; }
    bool GetScrollBarsDirty() const { return scrollBarsDirty; }
    SInt16 GetHMiniCount() const { return hMiniCount; }
    SInt16 GetVMiniCount() const { return vMiniCount; }
    // The mini panes beside the horizontal (or vertical) bar, in their order.
    const std::vector<APane*>& GetMiniPanes(bool horizontal) const {
        return horizontal ? iHMinis : iVMinis;
    }
    bool IsMiniPane(const APane* p) const;

protected:
    // The bars and mini panes along them, with the corner left for the grow
    // box when `corner` is set.
    void PlaceBars(bool corner);
    static void ScrollProc(SInt32 delta, AScrollBar* bar, void* data);
    static void LimitsChanged(AScrollablePane* pane);
    static void ContentChanged(AScrollablePane* pane);
    static void EndOfEventAdjust(void* data);
    void CancelDeferredAdjust();

    // Fields, in their declared order.
    bool hBarAlwaysInvisible = false;
    bool vBarAlwaysInvisible = false;
    bool hBarAlwaysVisible = false;
    bool vBarAlwaysVisible = false;
    AScrollBar* hScroll = nullptr;
    AScrollBar* vScroll = nullptr;
    bool hasGrow = false;
    AScrollablePane* itsMainPane = nullptr;
    AGrowBoxPane* growBox = nullptr;
    bool scrollBarsDirty = false;
    SInt16 hMiniCount = 0;
    SInt16 vMiniCount = 0;
    bool hBarEmpty = true;
    bool vBarEmpty = true;

private:
    // Mini panes in the order they were added, beside each bar.
    std::vector<APane*> iHMinis, iVMinis;
    // Wheel motion not yet worth a whole unit, in sixteenths of a unit.
    SInt32 iWheelRestX = 0, iWheelRestY = 0;
    // Set while adjusting: a nested request runs as another pass.
    bool iAdjusting = false;
    bool iAdjustAgain = false;
    void AdjustOnce();
};
