// APopupMenuGad: a push button that shows its attached menu on mouse-down
// and takes the chosen item as its value and text; with the keyboard focus,
// the arrow keys step through the enabled items.
#pragma once

#include "APushButton.h"

class APopupMenuGad : public APushButton {
    KS_DECLARE_CLASS(APopupMenuGad, APushButton)
    KS_PANE_WALK_TRAITS(APopupMenuGad, GadgetWalkTraits())

    static constexpr OSType kClassID = FourCharCode("PMgd");
    static constexpr SInt16 kVersion = 1;

    // A label text (may be null) placed at labelPos (kLabelLeft, ...); the
    // menu is attached afterwards (SetMenuID or MakePopupMenu).
    static APopupMenuGad* New(APane* encl, const char* labelText, SInt16 left, SInt16 right,
                              SInt16 wid, SInt16 top, SInt16 bot, SInt16 hei, SInt16 labelPos,
                              SInt16 just);
    static void PCRegister();

    APopupMenuGad();

    OSType GetClassID() const override { return kClassID; }
    SInt16 GetVersionWritten() const override { return kVersion; }
    SInt16 GetMinVersionRead() const override { return 1; }
    SInt16 GetMaxVersionRead() const override { return kVersion; }
    bool DoKeyDown(SInt16 charCode, SInt16 keyCode, EventRecord* event, void* data) override;
    void DoClick(KsPoint pt, SInt16 modifiers, SInt32 when, void* data) override;
    void DrawLabel() override;
    void Activate() override;
    void Deactivate() override;
    void UpdateColorScheme() override;
    void SetFontSizeFace(SInt16 font, SInt16 size, SInt16 face) override;

    virtual void IPopupMenuGad(APane* encl, const char* labelText, SInt16 left, SInt16 right,
                               SInt16 wid, SInt16 top, SInt16 bot, SInt16 hei, SInt16 labelPos,
                               SInt16 just);

private:
    // One arrow key: the menu prepared as for a click, then the next
    // enabled item that way (direction 1 or -1) becomes the value.
    void StepMenu(SInt16 direction, void* refCon);
    void FocusChanged();
};

// The number of the first enabled item after `item` (direction 1) or before
// it (-1), not wrapping round; 0 when there is none. Item 0 starts before
// the first item going forwards and after the last going backwards.
SInt16 GetNextEnabledItemNumber(MenuHandle menu, SInt16 item, SInt16 direction);
