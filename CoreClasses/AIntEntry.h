// AIntEntry: a text field that holds a 32-bit integer.
//
// Keys are filtered to the characters of a number; the up and down arrows
// step the value by `inc`; the text is read at every edit (final false, with
// the tolerant limit rule: a prefix that could still grow into range is left
// alone) and at the commit (final true, strict). When editing ends the text
// is rewritten in canonical form, grouped by threes with `commas`; that
// rewrite is quiet (the final notification is the last one).
//
// Values stay 32-bit: reading saturates at the 32-bit limits and then at the
// field's limits; stepping never overflows.
#pragma once

#include "ATextEntry.h"

class AIntEntry : public ATextEntry {
    KS_DECLARE_CLASS(AIntEntry, ATextEntry)
    KS_PANE_WALK_TRAITS(AIntEntry, kWalkIdleKeepsTree | kWalkStandardInterior)

    static constexpr OSType kClassID = FourCharCode("IntE");
    static constexpr SInt16 kVersion = 1;
    static constexpr SInt32 kDefaultMin = -9999999;
    static constexpr SInt32 kDefaultMax = 9999999;

    static AIntEntry* New(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top,
                          SInt16 bot, SInt16 hei, SInt32 value);
    static void PCRegister();

    AIntEntry() = default;

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

    // --- Slots AIntEntry introduces, in slot order ----------------------------
    virtual void UpdateInt(SInt32 value, bool notify);
    virtual void UpdateIntNoChangedHook(SInt32 value);
    virtual void SetInt(SInt32 value, bool notify);
    // The value, or 0 without one.
    virtual SInt32 GetInt() const;
    // Answers whether the limits changed. A value outside the new limits is
    // clamped; its text follows at the next SetInt.
    virtual bool SetLimits(SInt32 min, SInt32 max, bool warn);
    virtual void GetLimits(SInt32* min, SInt32* max) const;
    virtual void SetInc(SInt32 step);
    virtual void SetCommas(bool on);
    virtual void SetWarnLimitsReached(bool on);
    virtual void SetBeepLimitsReached(bool on);
    virtual void IIntEntry(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top,
                           SInt16 bot, SInt16 hei, SInt32 value);
    // The canonical text of a value, at most size bytes with the terminator.
    virtual void ValueToText(SInt32 value, char* buf, std::size_t size) const;

    // --- Not virtual ---------------------------------------------------------
    bool HasValue() const { return hasVal; }
    SInt32 GetInc() const { return inc; }
    bool GetCommas() const { return commas; }
    bool GetWarnOnLimits() const { return warnOnLimits; }

    void AddPropsToList(CoreAttrList* list);
    void GetPropsFromList(CoreAttrList* list);

protected:
    // Reads the text into a value; false when it holds none. The radix field
    // reads its own radix, and applies the limits only at the commit.
    virtual bool ParseText(const char* text, SInt32* value) const;
    virtual bool KeyAllowed(char* ch) const;
    virtual bool ToleratesWhileTyping() const { return true; }
    // The radix the text is written in (10 here).
    virtual int TextRadix() const { return 10; }
    // Pasted text keeps the characters of a number (grouping separators go
    // quietly); anything else is dropped with a beep.
    std::string FilterInsertion(const char* text, SInt32 length) override;
    // Sets the text without reading it back and without notifying: the value
    // is already known.
    void SetTextQuietly(const char* text, bool update, bool notify);
    // The value-to-limit reset of a typed value, with its warning.
    void ResetToLimit(SInt32 limit, bool toMin, bool final);
    void RebuildText();

    // Fields in their declared order.
    SInt32 itsVal = 0;
    SInt32 maxVal = kDefaultMax;
    SInt32 minVal = kDefaultMin;
    SInt32 inc = 1;
    bool hasVal = true;
    bool commas = false;
    bool warnLimitsFlag = true;
    bool warnOnLimits = false;
    bool beepOnLimits = false;

    // Set while the field sets its own text: the value is not read back.
    bool iQuiet = false;
};
