// ATCEntry: a text field that holds a video timecode.
//
// Digits are arranged into the code's layout as they are typed (the core's
// TCAdjustStr); ':' or ';' picks the separator for the rest of the edit
// (drop-frame values start with ';'); '.' types "00"; a sign takes the sign
// position; 'f' reads what was typed and then shows the value as a frame
// count to be typed over. When editing ends a valid value is shown in
// canonical form, quietly: the final notification is the last one.
//
// The value is the core's timecode_t; frame count kTCNoValue marks "no
// value" (empty or unreadable text). The value is also stored in both
// persistence formats, so a field reads back at its own rate.
#pragma once

#include "ATextEntry.h"
#include "Timecode.h"

class ATCEntry : public ATextEntry {
    KS_DECLARE_CLASS(ATCEntry, ATextEntry)
    KS_PANE_WALK_TRAITS(ATCEntry, kWalkIdleKeepsTree | kWalkStandardInterior)

    static constexpr OSType kClassID = FourCharCode("TCEn");
    static constexpr SInt16 kVersion = 1;
    // Room for every text TCToStr writes (hours of a long duration, or a
    // frame count), with the terminator.
    static constexpr int kTextSize = 32;

    static ATCEntry* New(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top, SInt16 bot,
                         SInt16 hei, UInt16 formatFlags, const timecode_t* value);
    static void PCRegister();

    ATCEntry() = default;

    // --- Pane and field slots ----------------------------------------------
    OSType GetClassID() const override { return kClassID; }
    SInt16 GetVersionWritten() const override { return kVersion; }
    SInt16 GetMinVersionRead() const override { return 1; }
    SInt16 GetMaxVersionRead() const override { return kVersion; }
    void Put(AStream& stream) override;
    void Get(AStream& stream) override;
    bool DoKeyDown(SInt16 charCode, SInt16 keyCode, EventRecord* event, void* data) override;
    void Deactivate() override;
    void TextToValue(bool final, bool notify) override;
    void SetForeColor(const KsRGBColor& color) override;

    // --- Slots ATCEntry introduces, in slot order ----------------------------
    // Puts typed text into the record, caret at `caret`, and redraws it.
    virtual void UpdateTEString(const char* text, SInt32 length, SInt32 caret);
    virtual void UpdateTC(const timecode_t& tc, bool notify);
    virtual void UpdateTCFrames(SInt32 frames, bool notify);
    virtual void UpdateTCFramesNoChangedHook(SInt32 frames);
    virtual void SetTC(const timecode_t& tc);
    virtual timecode_t GetTC() const;
    virtual SInt32 GetTCFrames() const;
    virtual void SetTCFrames(SInt32 frames);
    // Relabels the value between drop-frame and non-drop counting; the text
    // follows at the next set.
    virtual void SetIsDrop(bool on);
    // The default timecode at the current frame count (keepFrames) or 0,
    // converted to true 24 frames a second when convert.
    virtual void UpdateDefaults(bool keepFrames, bool convert);
    virtual void GetPropsFromList(CoreAttrList* list);
    virtual void SetTreatAsDur(bool on);
    virtual void SetPositiveOnly(bool on);
    virtual bool TC2Str(const timecode_t& tc, char* buffer, int length, UInt16 flags) const;
    virtual bool Str2TC(timecode_t* tc, const char* text, UInt16 flags,
                        const timecode_t* descriptor) const;
    virtual void ITCEntry(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top,
                          SInt16 bot, SInt16 hei, UInt16 formatFlags, const timecode_t* value);

    // --- Not virtual ---------------------------------------------------------
    bool HasValue() const { return itsTC.frames != kTCNoValue; }
    UInt16 GetFormatFlags() const { return formatFlags; }
    bool GetFrameMode() const { return frameMode; }
    char GetSeparator() const { return separator; }
    void SetActivateOnKeypad(bool on) { activateOnKeypad = on; }

    void AddPropsToList(CoreAttrList* list);

protected:
    // Pasted text keeps digits, signs, blanks and the separators the reader
    // takes; the rest is dropped with a beep.
    std::string FilterInsertion(const char* text, SInt32 length) override;
    // The value's text with the valid flag when it holds one.
    void ValueText(UInt16 extraFlags, char* buf) const;
    void SetTextQuietly(const char* text, bool update);
    bool TypeEditKey(char key);

    // Fields in their declared order.
    bool positiveOnly = false;
    timecode_t itsTC = TCGetDefault(kTCNoValue);
    char separator = ':';
    UInt16 formatFlags = 0;
    KsRGBColor tcForeColor = RGBblack;
    bool activateOnKeypad = false;
    bool frameMode = false;

    // The separator was typed during this edit and holds until it ends.
    bool iSeparatorTyped = false;
    // Set while the field sets its own text: the value is not read back.
    bool iQuiet = false;
};
