// ACustomCheckBox: a check box the framework draws itself (a small framed
// box, crossed when checked, and its label beside it), for controls whose
// checked state stands for something held elsewhere.
//
// A click toggles the box and calls StateClicked with the new state before
// the up-click procedure; subclasses bound to a variable write it there and
// bring the box back in line with the variable when it changes.
#pragma once

#include "AGadget.h"

class ACustomCheckBox : public AGadget {
    KS_DECLARE_CLASS(ACustomCheckBox, AGadget)

    static constexpr OSType kClassID = FourCharCode("CCBx");
    static constexpr SInt16 kVersion = 1;
    static constexpr SInt16 kBoxSize = 11;

    static ACustomCheckBox* New(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top,
                                SInt16 bot, SInt16 hei, const char* label);

    static void PCRegister();

    ACustomCheckBox() = default;

    OSType GetClassID() const override { return kClassID; }
    SInt16 GetVersionWritten() const override { return kVersion; }
    SInt16 GetMinVersionRead() const override { return 1; }
    SInt16 GetMaxVersionRead() const override { return kVersion; }

    void DrawDetail(const KsRect& rect, const KsRGBColor& bkgd, void* data) override;
    void DoGoodClick(KsPoint pt, SInt16 modifiers, SInt32 when, void* refCon) override;
    void HiliteGad() override {}
    void DeliteGad() override {}

    virtual void ICustomCheckBox(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top,
                                 SInt16 bot, SInt16 hei, const char* label);
    // The user changed the box to `on`.
    virtual void StateClicked(bool on);
    // Sets the box without a click; redraws when it changed and `redraw`.
    void ShowState(bool on, bool redraw);
};
