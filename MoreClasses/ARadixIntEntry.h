// ARadixIntEntry: an integer field that shows and reads its value in a radix
// from 2 to 36 (letters typed in either case show upper-case).
//
// Limits are checked when the value is committed, not on every key: a user
// may type through a prefix that is out of range on the way to one that is
// in range. At the commit a value outside the limits takes the nearer limit,
// with a beep.
#pragma once

#include "AIntEntry.h"

class ARadixIntEntry : public AIntEntry {
    KS_DECLARE_CLASS(ARadixIntEntry, AIntEntry)
    KS_PANE_WALK_TRAITS(ARadixIntEntry, kWalkIdleKeepsTree | kWalkStandardInterior)

    static constexpr OSType kClassID = FourCharCode("RdxE");
    static constexpr SInt16 kVersion = 1;

    static ARadixIntEntry* New(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top,
                               SInt16 bot, SInt16 hei, SInt32 value, UInt16 radix);
    static void PCRegister();

    ARadixIntEntry() = default;

    OSType GetClassID() const override { return kClassID; }
    SInt16 GetVersionWritten() const override { return kVersion; }
    SInt16 GetMinVersionRead() const override { return 1; }
    SInt16 GetMaxVersionRead() const override { return kVersion; }
    void Put(AStream& stream) override;
    void Get(AStream& stream) override;
    void ValueToText(SInt32 value, char* buf, std::size_t size) const override;

    // --- Slots ARadixIntEntry introduces, in slot order ----------------------
    // A radix outside 2 to 36 is a programming error.
    virtual void SetRadix(UInt16 radix);
    virtual void IRadixIntEntry(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top,
                                SInt16 bot, SInt16 hei, SInt32 value, UInt16 radix);

    UInt16 GetRadix() const { return radix; }

protected:
    bool ParseText(const char* text, SInt32* value) const override;
    bool KeyAllowed(char* ch) const override;
    bool ToleratesWhileTyping() const override { return false; }
    int TextRadix() const override { return radix; }

    UInt16 radix = 10;
};
