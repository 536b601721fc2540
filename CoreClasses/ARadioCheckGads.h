// ARadioButtonGad and ACheckBoxGad: two-state push buttons drawn as a small
// box beside a label, that take the keyboard focus (Tab or a click) and then
// answer Space and the arrow keys.
//
// A radio button with a group number other than -1 belongs to the group of
// every such radio button in its enclosure: the number itself is not
// compared. A radio button read from a stream or a pane description has no
// group number of its own there and joins its enclosure's group.
#pragma once

#include "APushButton.h"

class ARadioButtonGad : public APushButton {
    KS_DECLARE_CLASS(ARadioButtonGad, APushButton)
    KS_PANE_WALK_TRAITS(ARadioButtonGad, GadgetWalkTraits())

    static constexpr OSType kClassID = FourCharCode("RBgd");
    static constexpr SInt16 kVersion = 1;
    static constexpr SInt16 kDefaultBoxWidth = 17;
    static constexpr SInt16 kDefaultBoxHeight = 15;
    // The face of a selected radio button.
    static constexpr SInt16 kSelectedIconID = 9016;

    // group -1 makes a button that toggles on its own; kPaneDontCare for a
    // box size takes the default.
    static ARadioButtonGad* New(APane* encl, SInt32 group, const char* text, SInt16 left,
                                SInt16 right, SInt16 wid, SInt16 top, SInt16 bot, SInt16 hei,
                                SInt16 boxWidth = kDefaultBoxWidth,
                                SInt16 boxHeight = kDefaultBoxHeight);
    static void PCRegister();

    ARadioButtonGad();

    OSType GetClassID() const override { return kClassID; }
    SInt16 GetVersionWritten() const override { return kVersion; }
    SInt16 GetMinVersionRead() const override { return 1; }
    SInt16 GetMaxVersionRead() const override { return kVersion; }
    bool DoKeyDown(SInt16 charCode, SInt16 keyCode, EventRecord* event, void* data) override;
    void DoClick(KsPoint pt, SInt16 modifiers, SInt32 when, void* data) override;
    KsRect GetFrame() const override;
    void SetFrame(const KsRect& r) override;
    void DrawLabel() override;
    void DrawDetail(const KsRect& rect, const KsRGBColor& bkgd, void* data) override;
    void Activate() override;
    void Deactivate() override;
    void UpdateColorScheme() override;
    void SetFontSizeFace(SInt16 font, SInt16 size, SInt16 face) override;
    KsRect GetActiveRect() const override;
    bool SetState(bool on, bool setFace) override;
    void SetEnabled(bool on) override;

    virtual void IRadioButtonGad(APane* encl, SInt32 group, const char* text, SInt16 left,
                                 SInt16 right, SInt16 wid, SInt16 top, SInt16 bot, SInt16 hei,
                                 SInt16 boxWidth, SInt16 boxHeight);

    SInt16 GetBoxWidth() const { return boxWidth; }
    SInt16 GetBoxHeight() const { return boxHeight; }

protected:
    SInt16 boxWidth = kDefaultBoxWidth;
    SInt16 boxHeight = kDefaultBoxHeight;
};

class ACheckBoxGad : public APushButton {
    KS_DECLARE_CLASS(ACheckBoxGad, APushButton)
    KS_PANE_WALK_TRAITS(ACheckBoxGad, GadgetWalkTraits())

    static constexpr OSType kClassID = FourCharCode("CBgd");
    static constexpr SInt16 kVersion = 1;
    static constexpr SInt16 kDefaultBoxWidth = 20;
    static constexpr SInt16 kDefaultBoxHeight = 15;
    // A disabled box is drawn smaller.
    static constexpr SInt16 kDisabledBoxHeight = 10;
    // The check mark.
    static constexpr SInt16 kCheckIconID = 9015;

    static ACheckBoxGad* New(APane* encl, const char* text, SInt16 left, SInt16 right, SInt16 wid,
                             SInt16 top, SInt16 bot, SInt16 hei, SInt16 boxWidth = kDefaultBoxWidth,
                             SInt16 boxHeight = kDefaultBoxHeight);
    static void PCRegister();

    ACheckBoxGad();

    OSType GetClassID() const override { return kClassID; }
    SInt16 GetVersionWritten() const override { return kVersion; }
    SInt16 GetMinVersionRead() const override { return 1; }
    SInt16 GetMaxVersionRead() const override { return kVersion; }
    bool DoKeyDown(SInt16 charCode, SInt16 keyCode, EventRecord* event, void* data) override;
    void DoClick(KsPoint pt, SInt16 modifiers, SInt32 when, void* data) override;
    KsRect GetFrame() const override;
    void SetFrame(const KsRect& r) override;
    void DrawLabel() override;
    void Activate() override;
    void Deactivate() override;
    void UpdateColorScheme() override;
    void SetFontSizeFace(SInt16 font, SInt16 size, SInt16 face) override;
    KsRect GetActiveRect() const override;
    bool SetState(bool on, bool setFace) override;
    void SetEnabled(bool on) override;

    // The box's size and style follow the enabling read back with it.
    void Get(AStream& stream) override;

    virtual void ICheckBoxGad(APane* encl, const char* text, SInt16 left, SInt16 right, SInt16 wid,
                              SInt16 top, SInt16 bot, SInt16 hei, SInt16 boxWidth,
                              SInt16 boxHeight);
    // The box at the right and the label right-justified beside it.
    virtual void SetReversed(bool on);

    SInt16 GetBoxWidth() const { return boxWidth; }
    SInt16 GetBoxHeight() const { return boxHeight; }
    bool GetReversed() const { return reversed; }
    // A disabled box is smaller and sunken; for boxes read back disabled.
    void MatchBoxToEnabling();

protected:
    SInt16 boxWidth = kDefaultBoxWidth;
    SInt16 boxHeight = kDefaultBoxHeight;
    bool reversed = false;

private:
    void SetBoxHeight(SInt16 h);
};
