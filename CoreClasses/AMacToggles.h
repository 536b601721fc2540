// ACheckBox and ARadioBut: the two-state standard controls, a box or a disc
// beside the title. The value is 0 (off) or 1 (on); a click or Space on the
// focused control toggles a check box and turns a radio button on.
//
// The radio buttons of one enclosure form one group: turning one on turns
// the others off. A radio button is known in its group by its value
// reference constant.
#pragma once

#include "AMacControl.h"

class ACheckBox : public AMacControl {
    KS_DECLARE_CLASS(ACheckBox, AMacControl)

    static constexpr OSType kClassID = FourCharCode("MCbx");
    // The side of the box.
    static constexpr SInt16 kBoxSize = 12;

    static ACheckBox* New(APane* encl, const char* title, SInt16 left, SInt16 right, SInt16 wid,
                          SInt16 top, SInt16 bot, SInt16 hei, bool on = false);
    static void PCRegister();

    ACheckBox();

    OSType GetClassID() const override { return kClassID; }
    SInt32 ClickChangesValue(SInt32 value) const override;
    void DrawControl(const KsRect& bounds, const KsRGBColor& bkgd) override;

    void Set() { SetVal(1); }
    void Clear() { SetVal(0); }
    bool IsOn() const { return GetVal() != 0; }
};

class ARadioBut : public AMacControl {
    KS_DECLARE_CLASS(ARadioBut, AMacControl)

    static constexpr OSType kClassID = FourCharCode("MRad");
    static constexpr SInt16 kDiscSize = 14;

    // refCon: the button's number in its group (its value reference constant).
    static ARadioBut* New(APane* encl, const char* title, SInt32 refCon, SInt16 left, SInt16 right,
                          SInt16 wid, SInt16 top, SInt16 bot, SInt16 hei, bool on = false);
    static void PCRegister();

    ARadioBut();

    OSType GetClassID() const override { return kClassID; }
    // Turning a button on turns the others of its enclosure off.
    void SetVal(SInt32 value) override;
    SInt32 ClickChangesValue(SInt32 value) const override;
    void DrawControl(const KsRect& bounds, const KsRGBColor& bkgd) override;

    void Set() { SetVal(1); }
    void Clear() { SetVal(0); }
    bool IsOn() const { return GetVal() != 0; }
};
