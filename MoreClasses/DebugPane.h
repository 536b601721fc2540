// DebugPane: exposes program variables in a window, one line of code per
// variable: check boxes for booleans and bits of flag words, numeric fields
// for integers, and push buttons that call procedures. The controls are
// stacked downward from (3, 3) with a spacing of 1; the pane dawdles always,
// so its controls follow their variables.
#pragma once

#include "APane.h"
#include "KsBoundVar.h"

// One row of a bit table; a table ends with a row whose label is null.
struct DebugBitSpec_t {
    const char* label;
    unsigned long mask;
};

class DebugPane : public APane {
    KS_DECLARE_CLASS(DebugPane, APane)

    static constexpr OSType kClassID = FourCharCode("DbgP");
    static constexpr SInt16 kVersion = 1;

    static DebugPane* New(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top,
                          SInt16 bot, SInt16 hei, const KsRGBColor& color, SInt32 border,
                          const char* label);

    static void PCRegister();

    DebugPane() = default;

    OSType GetClassID() const override { return kClassID; }
    SInt16 GetVersionWritten() const override { return kVersion; }
    SInt16 GetMinVersionRead() const override { return 1; }
    SInt16 GetMaxVersionRead() const override { return kVersion; }

    virtual void IDebugPane(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top,
                            SInt16 bot, SInt16 hei, const KsRGBColor& color, SInt32 border,
                            const char* label);

    // A check box for bit 0x1 of a 1-byte flag.
    void AddBoolean(const char* label, unsigned char* flag);
    // A check box for the bits of mask in a flag word of size bytes.
    void AddOneBit(const char* label, void* flags, short size, unsigned long mask);
    void AddBits(const DebugBitSpec_t* table, void* flags, short size);
    void AddPushButton(const char* label, void (*proc)(unsigned long), unsigned long refCon);
    // A field for an integer of size bytes, shown in radix.
    void AddInteger(const char* label, short size, void* var, short radix,
                    KsBoundSign sign = KsBoundSign::kSigned);

    void SetNextXpos(int x) { iNextX = x; }
    void SetNextYpos(int y) { iNextY = y; }
    void SetYspacing(int dy) { iYSpacing = dy; }
    void SetAutoResize(bool on) { iAutoResize = on; }
    int GetNextYpos() const { return iNextY; }

private:
    void AddedSomething(APane* control);

    int iNextX = 3;
    int iNextY = 3;
    int iYSpacing = 1;
    bool iAutoResize = false;
};
