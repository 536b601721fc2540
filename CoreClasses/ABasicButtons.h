// The plainest members of the button family: AVButton (a borderless
// gadget), ASquareButton (framed, inverted while pressed), AStateButton (a
// square button that lights light blue when its state is on) and ALED (a
// lamp that is lit or not, apart from the gadget's state).
#pragma once

#include "AGadget.h"

class AVButton : public AGadget {
    KS_DECLARE_CLASS(AVButton, AGadget)
    KS_PANE_WALK_TRAITS(AVButton, GadgetWalkTraits())

    static constexpr OSType kClassID = FourCharCode("VBut");
    static constexpr SInt16 kVersion = 1;

    static AVButton* New(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top, SInt16 bot,
                         SInt16 hei);
    static void PCRegister();

    AVButton() = default;

    OSType GetClassID() const override { return kClassID; }
    SInt16 GetVersionWritten() const override { return kVersion; }
    SInt16 GetMinVersionRead() const override { return 1; }
    SInt16 GetMaxVersionRead() const override { return kVersion; }

    virtual void IVButton(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top,
                          SInt16 bot, SInt16 hei);
};

class ASquareButton : public AGadget {
    KS_DECLARE_CLASS(ASquareButton, AGadget)
    KS_PANE_WALK_TRAITS(ASquareButton, GadgetWalkTraits())

    static constexpr OSType kClassID = FourCharCode("Squa");
    static constexpr SInt16 kVersion = 1;

    static ASquareButton* New(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top,
                              SInt16 bot, SInt16 hei, AGadgetUpClickProc proc, const char* text);
    static void PCRegister();

    ASquareButton() = default;

    OSType GetClassID() const override { return kClassID; }
    SInt16 GetVersionWritten() const override { return kVersion; }
    SInt16 GetMinVersionRead() const override { return 1; }
    SInt16 GetMaxVersionRead() const override { return kVersion; }
    // Pressed, the visible interior is inverted; released, the pane is
    // drawn again.
    void HiliteGad() override;
    void DeliteGad() override;

    virtual void ISquareButton(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top,
                               SInt16 bot, SInt16 hei, AGadgetUpClickProc proc, const char* text);
};

class AStateButton : public ASquareButton {
    KS_DECLARE_CLASS(AStateButton, ASquareButton)
    KS_PANE_WALK_TRAITS(AStateButton, GadgetWalkTraits())

    static constexpr OSType kClassID = FourCharCode("Stat");
    static constexpr SInt16 kVersion = 1;

    static AStateButton* New(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top,
                             SInt16 bot, SInt16 hei, AGadgetUpClickProc proc, const char* text);
    static void PCRegister();

    AStateButton() = default;

    OSType GetClassID() const override { return kClassID; }
    SInt16 GetVersionWritten() const override { return kVersion; }
    SInt16 GetMinVersionRead() const override { return 1; }
    SInt16 GetMaxVersionRead() const override { return kVersion; }

    // A null text leaves the button without one.
    virtual void IStateButton(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top,
                              SInt16 bot, SInt16 hei, AGadgetUpClickProc proc, const char* text);
};

class ALED : public AGadget {
    KS_DECLARE_CLASS(ALED, AGadget)
    KS_PANE_WALK_TRAITS(ALED, GadgetWalkTraits())

    static constexpr OSType kClassID = FourCharCode("LED ");
    static constexpr SInt16 kVersion = 1;

    // color is the unlit lamp; lit, it shines at 150 % (or in the colour
    // SetForeColor gave it).
    static ALED* New(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top, SInt16 bot,
                     SInt16 hei, const KsRGBColor& color);
    static void PCRegister();

    ALED() = default;

    OSType GetClassID() const override { return kClassID; }
    SInt16 GetVersionWritten() const override { return kVersion; }
    SInt16 GetMinVersionRead() const override { return 1; }
    SInt16 GetMaxVersionRead() const override { return kVersion; }
    void DrawInterior(const KsRect* clip, void* data) override;

    // Independent of the gadget state.
    virtual void SetLight(bool on);
    virtual void ILED(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top, SInt16 bot,
                      SInt16 hei, const KsRGBColor& color);

    bool GetLight() const { return lit; }

protected:
    bool lit = false;
};
