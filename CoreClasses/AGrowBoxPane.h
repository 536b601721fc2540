// AGrowBoxPane: the grow box a window draws inside its own pane tree. Clicks
// in a live one grow the window exactly as the platform's grow box does.
#pragma once

#include "APane.h"

class AGrowBoxPane : public APane {
    KS_DECLARE_CLASS(AGrowBoxPane, APane)
    KS_PANE_WALK_TRAITS(AGrowBoxPane, kWalkIdleKeepsTree | kWalkStandardInterior)

    static constexpr OSType kClassID = FourCharCode("Grow");
    static constexpr SInt16 kVersion = 1;
    // The cursor asked for over a live grow box.
    static constexpr SInt16 kGrowCursorID = 2010;

    static void PCRegister();

    AGrowBoxPane() = default;

    // A size x size square 1 pixel in from the bottom-right corner of encl's
    // interior. growsWindow starts false.
    virtual void IGrowBoxPane(APane* encl, bool hasGrow, short size);
    // Takes effect only on a live grow box (hasGrow).
    virtual void SetGrowsWindow(bool on);

    bool GetHasGrow() const { return hasGrow; }
    bool GetGrowsWindow() const { return growsWindow; }

    void DrawDetail(const KsRect& rect, const KsRGBColor& bkgd, void* data) override;
    void Dawdle(KsPoint pt, SInt16 modifiers, SInt32* sleep, SInt16* cursorID, void* data) override;
    void DoClick(KsPoint pt, SInt16 modifiers, SInt32 when, void* data) override;
    void Put(AStream& stream) override;
    void Get(AStream& stream) override;
    OSType GetClassID() const override { return kClassID; }
    SInt16 GetVersionWritten() const override { return kVersion; }
    SInt16 GetMinVersionRead() const override { return 1; }
    SInt16 GetMaxVersionRead() const override { return kVersion; }

protected:
    bool hasGrow = false;
    bool growsWindow = false;
};
