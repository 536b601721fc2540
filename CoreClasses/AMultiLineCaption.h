// AMultiLineCaption: a display-only text field that captions a gadget.
// Clicking the caption clicks the gadget; the caption shows the gadget's
// focus and enabled state (captionDrawState).
//
// The caption and its gadget only point at each other; whichever goes first
// tells the other (the caption calls the gadget's SetCaption(nullptr)).
#pragma once

#include "ATextEntry.h"

using captionDrawState = SInt16;
enum : captionDrawState { kCaptionFocused = 0, kCaptionNormal = 1, kCaptionDisabled = 2 };

class AMultiLineCaption : public ATextEntry {
    KS_DECLARE_CLASS(AMultiLineCaption, ATextEntry)
    KS_PANE_WALK_TRAITS(AMultiLineCaption, kWalkIdleKeepsTree | kWalkStandardInterior)

    static constexpr OSType kClassID = FourCharCode("MLCp");
    static constexpr SInt16 kVersion = 1;

    static void PCRegister();

    AMultiLineCaption() = default;
    // Places the caption in `encl`; with a gadget, becomes its caption,
    // without one, shows `labelText` as its label at `labelPos`.
    AMultiLineCaption(const char* paneID, const char* text, SInt16 left, SInt16 right, SInt16 wid,
                      SInt16 top, SInt16 bot, SInt16 hei, SInt16 labelPos, const char* labelText,
                      APane* encl, AGadget* gadget);

    // --- Pane and text entry slots ------------------------------------------
    void Dispose() override;
    OSType GetClassID() const override { return kClassID; }
    SInt16 GetVersionWritten() const override { return kVersion; }
    SInt16 GetMinVersionRead() const override { return 1; }
    SInt16 GetMaxVersionRead() const override { return kVersion; }
    void Put(AStream& stream) override;
    void Get(AStream& stream) override;
    void DoClick(KsPoint pt, SInt16 modifiers, SInt32 when, void* data) override;
    void PrepareFBColors() override;

    // --- Slots AMultiLineCaption introduces ---------------------------------
    virtual void SetAssociatedGad(AGadget* gadget);
    virtual AGadget* GetAssociatedGad() const;
    virtual void SetCaptionDrawState(captionDrawState state);

    captionDrawState GetCaptionDrawState() const { return drawState; }

protected:
    AGadget* associatedGad = nullptr; // not owned
    captionDrawState drawState = kCaptionNormal;
};
