// ADividedPane: up to eight panes (divisions) in one column (ADividedPaneH,
// horizontal divider bars between them) or one row (ADividedPaneV, vertical
// bars), separated by 5-pixel dividers the user drags to move space from one
// neighbour to the other.
//
// Layout invariant, whenever the pane is large enough for every division's
// minimum: the divisions and dividers tile the interior along the layout
// axis with no gap and no overlap, every division at least its minimum.
// When the pane shrinks below the sum of the minimums, every division keeps
// its minimum and the last ones reach past the far edge (clipped there);
// sizes never go negative.
//
// On resize, proportional divisions grow and shrink in proportion and the
// others keep their size; the last division takes what is left.
//
// Ownership: the divided pane owns its dividers. The division panes are its
// sub-panes (disposed with it as every sub-pane is) but deinstalling one
// leaves it in place.
#pragma once

#include "APane.h"

class ADividerPane;

constexpr SInt32 ADP_MAX_DIVISIONS = 8;

struct ADPdivision_t {
    APane* pane = nullptr; // not owned by the record
    SInt32 maxSize = 0;    // stored, not used by the layout
    SInt32 minSize = 0;    // greater than 5
    bool proportional = false;
};

class ADividedPane : public APane {
    KS_DECLARE_CLASS(ADividedPane, APane)
    KS_PANE_WALK_TRAITS(ADividedPane, kWalkIdleKeepsTree | kWalkStandardInterior)

    static constexpr OSType kClassID = FourCharCode("DivP");
    static constexpr SInt16 kVersion = 1;
    static constexpr SInt32 kDividerSize = 5;

    ADividedPane() = default;

    virtual void IDividedPane(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top,
                              SInt16 bot, SInt16 hei, const KsRGBColor& bkgdColor, SInt32 border);

    // --- APane slots ---------------------------------------------------------
    void Dispose() override;
    OSType GetClassID() const override { return kClassID; }
    SInt16 GetVersionWritten() const override { return kVersion; }
    SInt16 GetMinVersionRead() const override { return 1; }
    SInt16 GetMaxVersionRead() const override { return kVersion; }
    void Put(AStream& stream) override;
    void Get(AStream& stream) override;
    bool Resize(SInt16 width, SInt16 height) override;
    void RemoveSubPane(APane* pane) override;

    // --- Slots ADividedPane introduces, in slot order --------------------------
    virtual void InstallPane(APane* pane, SInt32 minSize, SInt32 maxSize, bool proportional);
    virtual void DeinstallPane(APane* pane);
    virtual void DeinstallAllPanes();
    virtual bool IsHorizontal() const = 0;
    virtual ADividerPane* GetDivider(UInt16 whichOne) const;

    // --- Not virtual -------------------------------------------------------------
    UInt16 GetDivisionCount() const { return divisionCount; }
    const ADPdivision_t& GetDivision(UInt16 index) const;
    void SetDivisionParams(UInt16 index, SInt32 minSize, SInt32 maxSize, bool proportional);
    SInt32 GetDividerPos(UInt16 index) const;
    // Moves the divider, keeping both neighbours at their minimum sizes.
    void SetDividerPos(UInt16 index, SInt32 pos);
    // The size of a division along the layout axis.
    SInt32 GetDivisionSize(UInt16 index) const;
    // How far divider `index` may move (negative: up or left) with both of
    // its neighbours keeping their minimum sizes.
    void GetDividerLimits(UInt16 index, SInt32* minDelta, SInt32* maxDelta) const;

    void AddPropsToList(CoreAttrList* list);
    void GetPropsFromList(CoreAttrList* list);

protected:
    // Places every division and divider from sizes (one per division).
    void LayOut(const SInt32* sizes);
    // Even sizes for all divisions, as installing gives them.
    void LayOutEvenly();
    // The extent of the interior along the layout axis, and its start.
    SInt32 AxisExtent(const KsRect& r) const { return IsHorizontal() ? r.Height() : r.Width(); }
    SInt32 AxisStart(const KsRect& r) const { return IsHorizontal() ? r.top : r.left; }
    SInt32 PaneSize(const APane* p) const { return AxisExtent(p->GetBounds()); }
    // Sizes that fill `available` with proportional divisions scaled and the
    // minimums held (see the layout invariant above).
    void FitSizes(SInt32 available, SInt32* sizes) const;
    ADividerPane* NewDivider(UInt16 index);

    UInt16 divisionCount = 0;
    ADPdivision_t divisions[ADP_MAX_DIVISIONS];
    ADividerPane* dividers[ADP_MAX_DIVISIONS - 1] = {}; // owned (sub-panes)

    // Links the divisions and dividers named by the property text once the
    // sub-panes are read.
    static void AfterRead(APane* pane);

private:
    // Records the text read: sub-pane numbers (1-based) of the divisions.
    SInt32 iPendingSubs[ADP_MAX_DIVISIONS] = {};
    bool iTearingDown = false;
};

class ADividedPaneH : public ADividedPane {
    KS_DECLARE_CLASS(ADividedPaneH, ADividedPane)
    KS_PANE_WALK_TRAITS(ADividedPaneH, kWalkIdleKeepsTree | kWalkStandardInterior)

    static constexpr OSType kClassID = FourCharCode("DivH");

    static ADividedPaneH* New(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top,
                              SInt16 bot, SInt16 hei, const KsRGBColor& bkgdColor, SInt32 border);
    static void PCRegister();

    ADividedPaneH() = default;
    virtual void IDividedPaneH(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top,
                               SInt16 bot, SInt16 hei, const KsRGBColor& bkgdColor, SInt32 border);
    OSType GetClassID() const override { return kClassID; }
    bool IsHorizontal() const override { return true; }
};

class ADividedPaneV : public ADividedPane {
    KS_DECLARE_CLASS(ADividedPaneV, ADividedPane)
    KS_PANE_WALK_TRAITS(ADividedPaneV, kWalkIdleKeepsTree | kWalkStandardInterior)

    static constexpr OSType kClassID = FourCharCode("DivV");

    static ADividedPaneV* New(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top,
                              SInt16 bot, SInt16 hei, const KsRGBColor& bkgdColor, SInt32 border);
    static void PCRegister();

    ADividedPaneV() = default;
    virtual void IDividedPaneV(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top,
                               SInt16 bot, SInt16 hei, const KsRGBColor& bkgdColor, SInt32 border);
    OSType GetClassID() const override { return kClassID; }
    bool IsHorizontal() const override { return false; }
};
