// AECEntry: a text field that holds a film edgecode.
//
// Digits typed are arranged as feet and frames as they arrive (the core's
// ECAdjustStr); '.' types "00"; a sign takes the sign position. The film type
// set with SetDescFilmType is kept whatever is typed. When editing ends a
// valid value is shown in canonical form, quietly.
//
// Frame count 0 is a value like any other: whether the field holds one is
// kept apart (HasValue), false after empty or unreadable text.
#pragma once

#include "ATextEntry.h"
#include "Edgecode.h"

class AECEntry : public ATextEntry {
    KS_DECLARE_CLASS(AECEntry, ATextEntry)
    KS_PANE_WALK_TRAITS(AECEntry, kWalkIdleKeepsTree | kWalkStandardInterior)

    static constexpr OSType kClassID = FourCharCode("ECEn");
    static constexpr SInt16 kVersion = 1;
    // Room for every text the edgecode writers produce, with the terminator.
    static constexpr int kTextSize = 32;

    static AECEntry* New(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top, SInt16 bot,
                         SInt16 hei, const edgecode_t* value);
    static void PCRegister();

    AECEntry() = default;

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

    // --- Slots AECEntry introduces, in slot order ----------------------------
    virtual void UpdateEC(const edgecode_t& ec, bool notify);
    virtual void UpdateECFrames(SInt32 frames, bool notify);
    virtual void UpdateECFramesNoChangedHook(SInt32 frames);
    virtual void SetEC(const edgecode_t& ec);
    virtual edgecode_t GetEC() const;
    virtual void SetECFrames(SInt32 frames);
    virtual SInt32 GetECFrames() const;
    // Shows and reads the code as feet and frames only (no header).
    virtual void SetFootage(bool on);
    virtual void SetDescFilmType(SInt32 filmType);
    virtual void UpdateDefaults(bool flag);
    virtual void IECEntry(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top,
                          SInt16 bot, SInt16 hei, const edgecode_t* value);

    // --- Not virtual ---------------------------------------------------------
    bool HasValue() const { return hasVal; }
    bool GetFootage() const { return footage; }

    void AddPropsToList(CoreAttrList* list);
    void GetPropsFromList(CoreAttrList* list);

protected:
    void ValueText(char* buf) const;
    void SetTextQuietly(const char* text, bool update);
    void ShowValue();

    // Fields in their declared order.
    edgecode_t itsEC = ECGetDefault();
    bool footage = false;
    bool ecFrameMode = false;

    bool hasVal = true;
    // Set while the field sets its own text: the value is not read back.
    bool iQuiet = false;
};
