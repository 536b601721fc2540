// AThinSlider: a slider with a label before the track, its value as text
// after it (or both below it), keyboard entry and the keyboard focus.
//
// Layout along the track's axis: the label takes leftMargin pixels, the track
// what is left, the value text rightMargin pixels (for a vertical slider the
// label is above and the value below). With drawTextBelow both texts share a
// row under the track.
//
// Typing: arrows step by inc (ten times with Shift); digits collect in a
// small buffer that is committed by Return, Enter, a full buffer, a leading
// '0' or losing the focus.
//
// Bodies by concern: AThinSlider.cpp (set-up, texts, geometry, focus),
// AThinSliderKeys.cpp (typing), AThinSliderDraw.cpp (drawing),
// AThinSliderStream.cpp (registration, stream record, property text).
//
// Ownership: the slider owns valueText and its label; it only points at its
// procedures.
#pragma once

#include "ASlider.h"

class AGadget;
class MacText;

// Told when the slider gains (active true) or loses the keyboard focus.
using AThinSliderActivateProc = void (*)(AGadget* gad, bool active);
// How many increments a key moves the value.
using AThinSliderDeltaProc = SInt16 (*)(SInt16 keyCode);

class AThinSlider : public ASlider {
    KS_DECLARE_CLASS(AThinSlider, ASlider)
    KS_PANE_WALK_TRAITS(AThinSlider, GadgetWalkTraits())

    static constexpr OSType kClassID = FourCharCode("THIN");
    static constexpr SInt16 kVersion = 1;
    // Room for the typed digits and their terminating NUL.
    static constexpr SInt16 kKeyBufferSize = 16;
    static constexpr SInt16 kDefaultMargin = 33;
    // The thumb's side at most: the track stays a thin line.
    static constexpr SInt16 kMaxThumb = 11;

    static AThinSlider* New(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top,
                            SInt16 bot, SInt16 hei, double value, double min, double max,
                            const char* label, SInt16 fontSize);
    static void PCRegister();
    // -1 for the left arrow, 1 for the right arrow, 0 for any other key.
    static SInt16 StandardDelta(SInt16 keyCode);

    AThinSlider();

    // --- Overrides ----------------------------------------------------------
    void Dispose() override;
    AObject* Copy() override;
    OSType GetClassID() const override { return kClassID; }
    SInt16 GetVersionWritten() const override { return kVersion; }
    SInt16 GetMinVersionRead() const override { return 1; }
    SInt16 GetMaxVersionRead() const override { return kVersion; }
    void Put(AStream& stream) override;
    void Get(AStream& stream) override;
    void DoClick(KsPoint pt, SInt16 modifiers, SInt32 when, void* data) override;
    bool DoKeyDown(SInt16 charCode, SInt16 keyCode, EventRecord* event, void* data) override;
    void Activate() override;
    void Deactivate() override;
    void InteriorChanged(const KsRect& newInterior) override;
    void SetBkndColor(const KsRGBColor& color) override;
    void SetEnabled(bool on) override;
    void SetEnabled2(bool on, bool redrawNow) override;
    void SetValueInternal(double v) override;
    void SetFloatingPoint(bool on) override;
    void DrawBody() override;
    void MakeThumbPMDetail(const KsRect& r) override;
    void SetThumbRect() override;

    // --- Slots AThinSlider introduces, in slot order -------------------------
    virtual void SetActivateProc(AThinSliderActivateProc proc);
    virtual void SetDeltaProc(AThinSliderDeltaProc proc);
    virtual bool DrawMinus() const;
    virtual void SetDrawMinus(bool on);
    virtual void SetMargins(SInt16 left, SInt16 right);
    // The value follows the partial number typed so far.
    virtual void BufferToValueText();
    // Commits the typed number and empties the buffer.
    virtual void BufferToFinalValueText();
    // Rewrites the value text from the value.
    virtual void SetValueText();
    // Rewrites the value text and draws it at once.
    virtual void UpdateValueText();
    virtual void UpdateLabelText();
    virtual void SetDrawTextBelow(bool on);
    virtual void SetThumbDisabled(bool on);
    virtual void SetNoText(bool on);
    virtual void SetDoesActivate(bool on);
    virtual void IThinSlider(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top,
                             SInt16 bot, SInt16 hei, double value, double min, double max,
                             const char* label, SInt16 fontSize);

    // --- Not virtual ---------------------------------------------------------
    MacText* GetValueText() const { return valueText; }
    const char* GetKeyBuffer() const { return keyDownBuffer; }
    SInt16 GetKeyDownBufferMax() const { return keyDownBufferMax; }
    SInt16 GetKeySign() const { return keySign; }
    SInt16 GetLeftMargin() const { return leftMargin; }
    SInt16 GetRightMargin() const { return rightMargin; }
    bool GetDrawTextBelow() const { return drawTextBelow; }
    bool GetDoesActivate() const { return doesActivate; }
    // The label's and the value text's areas.
    KsRect LabelArea() const;
    KsRect ValueArea() const;
    void AddThinPropsToList(CoreAttrList* list);
    void GetThinPropsFromList(CoreAttrList* list);

protected:
    KsRect TrackArea() const override;
    void RedrawValue() override;
    // The height of a row of text in the value text's size.
    SInt16 TextRowHeight() const;
    // A buffer bound that the buffer can hold.
    static SInt16 SaneBufferMax(SInt32 max);
    // The label and the value text over the ground.
    void DrawTexts();
    // The thumb redrawn at once, for a change of focus or enabling.
    void RedrawThumbNow();
    // Brings the texts in line with a label just read.
    void TextsRead();
    // The typed number, signed.
    double TypedNumber() const;

    // Fields, in their declared order.
    bool drawTextBelow = false;
    bool drawMinus = true;
    SInt16 keyDownBufferMax = 1;
    SInt16 keyDownCount = -1;
    char keyDownBuffer[kKeyBufferSize] = {};
    MacText* valueText = nullptr; // owned
    SInt16 keySign = 1;
    SInt16 leftMargin = kDefaultMargin;
    SInt16 rightMargin = kDefaultMargin;
    SInt16 textSize = 9;
    bool thumbDisabled = false;
    bool doesActivate = true;
    AThinSliderActivateProc activateProc = nullptr;
    AThinSliderDeltaProc deltaProc = StandardDelta;
};
