// ADividerPane: the 5-pixel bar between two divisions of a divided pane.
// Dragging it moves space from one neighbour to the other; neither goes
// below its minimum size. ADividerPaneH lies between divisions of a column
// and moves vertically; ADividerPaneV between divisions of a row.
#pragma once

#include "APane.h"

class ADividedPane;

class ADividerPane : public APane {
    KS_DECLARE_CLASS(ADividerPane, APane)
    KS_PANE_WALK_TRAITS(ADividerPane, kWalkIdleKeepsTree | kWalkStandardInterior)

    static constexpr OSType kClassID = FourCharCode("DvrP");
    static constexpr SInt16 kVersion = 1;
    static constexpr SInt16 kCursorH = 2001; // over a divider that moves up and down
    static constexpr SInt16 kCursorV = 2000; // over a divider that moves left and right

    ADividerPane() = default;

    // --- APane slots ---------------------------------------------------------
    OSType GetClassID() const override { return kClassID; }
    SInt16 GetVersionWritten() const override { return kVersion; }
    SInt16 GetMinVersionRead() const override { return 1; }
    SInt16 GetMaxVersionRead() const override { return kVersion; }
    void Put(AStream& stream) override;
    void Get(AStream& stream) override;
    void Dawdle(KsPoint pt, SInt16 modifiers, SInt32* sleep, SInt16* cursorID, void* data) override;
    void DoClick(KsPoint pt, SInt16 modifiers, SInt32 when, void* data) override;

    // --- Slots ADividerPane introduces, in slot order --------------------------
    // The divider's offset from the divided pane's start along the axis.
    virtual SInt32 GetPos() const;
    // Moves the divider to pos, limited by both neighbours' minimum sizes.
    virtual void SetPos(SInt32 pos);
    // Moves the divider by delta as it is: the division before it grows by
    // delta, the one after it shrinks by delta. Callers keep the minimums.
    virtual void MoveDivider(SInt32 delta);

    // --- Not virtual -------------------------------------------------------------
    ADividedPane* GetDividedPane() const { return itsDividedPane; }
    UInt16 GetIndex() const { return index; }
    bool IsHorizontal() const;

protected:
    friend class ADividedPane;
    void IDividerPane(ADividedPane* parent, UInt16 which);

    ADividedPane* itsDividedPane = nullptr; // not owned: its enclosure
    UInt16 index = 0;
};

class ADividerPaneH : public ADividerPane {
    KS_DECLARE_CLASS(ADividerPaneH, ADividerPane)
    KS_PANE_WALK_TRAITS(ADividerPaneH, kWalkIdleKeepsTree | kWalkStandardInterior)

    static constexpr OSType kClassID = FourCharCode("DvrH");
    static ADividerPaneH* New(ADividedPane* parent, UInt16 which);
    static void PCRegister();
    OSType GetClassID() const override { return kClassID; }
};

class ADividerPaneV : public ADividerPane {
    KS_DECLARE_CLASS(ADividerPaneV, ADividerPane)
    KS_PANE_WALK_TRAITS(ADividerPaneV, kWalkIdleKeepsTree | kWalkStandardInterior)

    static constexpr OSType kClassID = FourCharCode("DvrV");
    static ADividerPaneV* New(ADividedPane* parent, UInt16 which);
    static void PCRegister();
    OSType GetClassID() const override { return kClassID; }
};
