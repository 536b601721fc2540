// APushButton: the framework's ordinary button, and the base of its radio
// buttons, check boxes, pop-up menu buttons, dialog buttons and command
// buttons.
//
// It adds to AGadget a pressed look while the mouse or a key equivalent
// holds it (HiliteGad / DeliteGad, drawn by LiteGad or by redrawing with the
// pressed partner of a convex border style), the default button's ring (the
// pane flag kPaneOKGadget), and a group number: push buttons of one
// enclosure with a group number other than -1 form one group, whatever the
// number (SetStateAsRadio).
#pragma once

#include "AGadget.h"
#include "KsButtonDraw.h"
#include "KsRgn.h"

class APushButton : public AGadget {
    KS_DECLARE_CLASS(APushButton, AGadget)
    KS_PANE_WALK_TRAITS(APushButton, GadgetWalkTraits())

    static constexpr OSType kClassID = FourCharCode("Push");
    static constexpr SInt16 kVersion = 1;
    // The group number of a button in no group.
    static constexpr SInt32 kNoGroup = -1;

    // The up-click procedure and a resource face (none when id is 0).
    static APushButton* New(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top,
                            SInt16 bot, SInt16 hei, AGadgetUpClickProc proc, OSType rsrcType,
                            SInt16 rsrcID);
    static void PCRegister();

    APushButton() = default;

    // --- Overrides ----------------------------------------------------------
    OSType GetClassID() const override { return kClassID; }
    SInt16 GetVersionWritten() const override { return kVersion; }
    SInt16 GetMinVersionRead() const override { return 1; }
    SInt16 GetMaxVersionRead() const override { return kVersion; }
    void Draw(const KsRect* clip, void* data) override;
    void DrawBorder() override;
    void HiliteGad() override;
    void DeliteGad() override;
    // Drawn pressed, the face is a little darker.
    KsRGBColor GetBkndColor() const override;

    // --- Slots APushButton introduces ---------------------------------------
    // direction 1 presses, -1 releases: the face moves by one pixel and the
    // frame is redrawn for `style`.
    virtual void LiteGad(SInt16 direction, SInt32 style);
    // The group number (APane's reference number of the same name belongs
    // to the test-automation registry and is a different value).
    virtual void SetRefNum(SInt32 group);
    virtual SInt32 GetRefNum() const;
    // Turns this button on and every other grouped push button of the
    // enclosure off; false when it was already on.
    virtual bool SetStateAsRadio();
    virtual void IPushButton(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top,
                             SInt16 bot, SInt16 hei, AGadgetUpClickProc proc, OSType rsrcType,
                             SInt16 rsrcID);

    // --- Not virtual --------------------------------------------------------
    bool GetLit() const { return lit; }
    // Whether the button is being drawn in its pressed look right now (for
    // background and border procedures, which are called without it).
    bool IsDrawingPressed() const { return iLook == KsPushLook::kPressed; }
    bool IsDefaultButton() const { return GetFlag(kPaneOKGadget); }

protected:
    // Border style 0..61 with a look that does not change when pressed.
    static bool KeepsLookWhenPressed(SInt32 style);
    // Border and interior drawn at once in the window, in `look`.
    void RedrawNow(KsPushLook look);
    // The interior drawn at once with the background procedure, which is
    // handed `data`.
    void RedrawInteriorNow(KsPushLook look, void* data);

    bool lit = false;
    SInt32 refNum = kNoGroup;

private:
    KsPushLook iLook = KsPushLook::kUp;
    // The strip a press or release uncovers, kept so that pressing builds no
    // new region each time.
    KsRgn iUncovered;
};
