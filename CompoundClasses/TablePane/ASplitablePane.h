// ASplitablePane: a scrollable pane whose landscape can be split at Xsplit
// (landscape units from the left) and Ysplit (from the top) into up to four
// quadrants: the top-left one never scrolls, the top strip scrolls only
// horizontally, the left strip only vertically, the rest both ways. A split
// of 0 leaves the axis whole. Frozen heading rows and key columns come from
// this. Where the user may split, a split is dragged by its bar (the split
// line, or the interior's left or top edge while the axis is whole);
// dragging it back to the edge removes it.
#pragma once

#include "AScrollablePane.h"

class ASplitablePane : public AScrollablePane {
    KS_DECLARE_CLASS(ASplitablePane, AScrollablePane)
    KS_PANE_WALK_TRAITS(ASplitablePane, kWalkIdleKeepsTree | kWalkStandardInterior)

    static constexpr OSType kClassID = FourCharCode("Splt");
    static constexpr SInt16 kVersion = 1;

    // One quadrant of a drawing area: its window rectangle and the offset
    // that maps it, landscape = window - interior top-left + (dx, dy).
    struct Quadrant {
        KsRect rect;
        SInt32 dx, dy;
    };

    static void PCRegister();
    void ISplitablePane(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top, SInt16 bot,
                        SInt16 hei, const KsRGBColor& bkgdColor, SInt32 border);

    OSType GetClassID() const override { return kClassID; }
    SInt16 GetVersionWritten() const override { return kVersion; }
    SInt16 GetMinVersionRead() const override { return 1; }
    SInt16 GetMaxVersionRead() const override { return kVersion; }
    void Put(AStream& stream) override;
    void Get(AStream& stream) override;

    void GetXScrollInfo(SInt32* min, SInt32* max, SInt32* pos) const override;
    void GetYScrollInfo(SInt32* min, SInt32* max, SInt32* pos) const override;
    void WindowToLandscapePt(const KsPoint& in, LongPoint* out) const override;
    bool LandscapePtToWindowPt(const LongPoint& in, KsPoint* out) const override;
    KsRect GetScrollableRect() const override;

    // Splits are clamped to the interior; the pane is redrawn.
    void SetXsplit(SInt32 x);
    void SetYsplit(SInt32 y);
    SInt32 GetXsplit() const { return iXsplit; }
    SInt32 GetYsplit() const { return iYsplit; }
    // The parts of area (window coordinates) in each quadrant, top-left
    // first; answers how many are not empty.
    int GetQuadrants(const KsRect& area, Quadrant out[4]) const;

    // Which axes the user may split by dragging (none by default).
    void SetUserSplits(bool x, bool y);
    // Pixels either side of a split line that grab it.
    static constexpr SInt16 kSplitGrab = 3;
    enum : int { kGrabX = 1, kGrabY = 2 };
    // The splits a window point grabs (kGrabX | kGrabY), 0 for none.
    int SplitsAt(KsPoint pt) const;
    // When pt grabs a split, follows the pointer until the button comes up,
    // moving the split with it, and answers true.
    bool TrackSplit(KsPoint pt);

    void DoClick(KsPoint pt, SInt16 modifiers, SInt32 when, void* data) override;
    void Dawdle(KsPoint pt, SInt16 modifiers, SInt32* sleep, SInt16* cursorID, void* data) override;
    // Draws the split bars over the quadrants.
    void DrawDetail(const KsRect& rect, const KsRGBColor& bkgd, void* data) override;

    void AddPropsToList(CoreAttrList* list);
    void GetPropsFromList(CoreAttrList* list);

private:
    SInt32 iXsplit = 0;
    SInt32 iYsplit = 0;
    bool iUserXsplit = false;
    bool iUserYsplit = false;
};
