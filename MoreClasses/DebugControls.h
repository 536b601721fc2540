// The controls of a debug pane, each bound to a program variable: a check
// box for some bits of a flag word, a numeric field for an integer, and a
// push button that calls a procedure.
//
// The controls write the variable when the user changes them and follow it
// when the program changes it, by polling at idle time; a poll that finds
// nothing changed neither allocates nor draws.
#pragma once

#include "ACustomCheckBox.h"
#include "APushButton.h"
#include "ARadixIntEntry.h"
#include "KsBoundVar.h"

class DebugBitCheckBox : public ACustomCheckBox {
    KS_DECLARE_CLASS(DebugBitCheckBox, ACustomCheckBox)

    static constexpr SInt16 kHeight = 16;

    // flags must not be null and size must be 1, 2 or 4.
    static DebugBitCheckBox* New(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top,
                                 SInt16 bot, const char* label, void* flags, int size,
                                 unsigned long mask);

    void DrawInterior(const KsRect* clip, void* data) override;
    void Dawdle(KsPoint pt, SInt16 modifiers, SInt32* sleep, SInt16* cursorID, void* data) override;
    void StateClicked(bool on) override;

    // True when every bit of the mask is set in the variable.
    bool GetMyFlag() const;
    void SetMyFlag();
    void ClearMyFlag();

private:
    KsBoundVar iFlags;
    UInt32 iMask = 0;
};

class DebugIntEntry : public ARadixIntEntry {
    KS_DECLARE_CLASS(DebugIntEntry, ARadixIntEntry)

    static constexpr SInt16 kWidth = 70;
    static constexpr SInt16 kHeight = 18;

    // var must not be null and size must be 1, 2 or 4. The field shows and
    // takes the values the variable can hold, in `radix`.
    static DebugIntEntry* New(APane* encl, SInt16 left, SInt16 right, SInt16 top, SInt16 bot,
                              const char* label, short size, void* var, short radix,
                              KsBoundSign sign = KsBoundSign::kSigned);

    void TextToValue(bool final, bool notify) override;
    void Dawdle(KsPoint pt, SInt16 modifiers, SInt32* sleep, SInt16* cursorID, void* data) override;

private:
    KsBoundVar iVar;
};

class DebugPushButton : public APushButton {
    KS_DECLARE_CLASS(DebugPushButton, APushButton)

    static constexpr SInt16 kHeight = 18;

    // A null procedure makes a button that does nothing.
    static DebugPushButton* New(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top,
                                SInt16 bot, const char* label, void (*proc)(unsigned long),
                                unsigned long refCon);

private:
    static void Clicked(AGadget* gad, void* refCon, SInt16 menuID, SInt32 value);

    void (*iProc)(unsigned long) = nullptr;
    unsigned long iRefCon = 0;
};
