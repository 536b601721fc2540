// ADialogButtonGad: a dialog's push button that can hold the keyboard focus,
// which it shows as a lighter face, like a spotlight.
#pragma once

#include "APushButton.h"

class ADialogButtonGad : public APushButton {
    KS_DECLARE_CLASS(ADialogButtonGad, APushButton)
    KS_PANE_WALK_TRAITS(ADialogButtonGad, GadgetWalkTraits())

    static constexpr OSType kClassID = FourCharCode("DBgd");
    static constexpr SInt16 kVersion = 1;
    // How much lighter each channel of a focused button is (held at white).
    static constexpr UInt16 kFocusLift = 0x2000;

    static ADialogButtonGad* New(APane* encl, const char* text, SInt16 left, SInt16 right,
                                 SInt16 wid, SInt16 top, SInt16 bot, SInt16 hei);
    static void PCRegister();

    ADialogButtonGad();

    OSType GetClassID() const override { return kClassID; }
    SInt16 GetVersionWritten() const override { return kVersion; }
    SInt16 GetMinVersionRead() const override { return 1; }
    SInt16 GetMaxVersionRead() const override { return kVersion; }
    void Activate() override;
    void Deactivate() override;
    KsRGBColor GetBkndColor() const override;
    void UpdateColorScheme() override;
    // The inlaid text, which neither format carries, comes back with it.
    void Get(AStream& stream) override;

    virtual void IDialogButtonGad(APane* encl, const char* text, SInt16 left, SInt16 right,
                                  SInt16 wid, SInt16 top, SInt16 bot, SInt16 hei);
};
