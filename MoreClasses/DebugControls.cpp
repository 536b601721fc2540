#include "DebugControls.h"

#include "KsFatal.h"

#include <algorithm>
#include <climits>

namespace {
constexpr SInt16 S = kPaneDontCare;
}

// ---------------------------------------------------------------------------
// DebugBitCheckBox

DebugBitCheckBox* DebugBitCheckBox::New(APane* encl, SInt16 left, SInt16 right, SInt16 wid,
                                        SInt16 top, SInt16 bot, const char* label, void* flags,
                                        int size, unsigned long mask) {
    FtlAssert((flags) != 0);
    FtlAssert(size == 1 || size == 2 || size == 4);
    auto* b = new DebugBitCheckBox;
    b->ICustomCheckBox(encl, left, right, wid, top, bot, bot == S ? kHeight : S, label);
    b->SetFontSizeFace(1, 9, 0);
    b->iFlags = KsBoundVar(flags, short(size), KsBoundSign::kUnsigned);
    b->iMask = UInt32(mask);
    b->SetState(b->GetMyFlag(), false);
    return b;
}

bool DebugBitCheckBox::GetMyFlag() const {
    return (iFlags.Bits() & iMask) == iMask;
}

void DebugBitCheckBox::SetMyFlag() {
    iFlags.SetBits(iMask, true);
}

void DebugBitCheckBox::ClearMyFlag() {
    iFlags.SetBits(iMask, false);
}

void DebugBitCheckBox::StateClicked(bool on) {
    if (on)
        SetMyFlag();
    else
        ClearMyFlag();
}

void DebugBitCheckBox::DrawInterior(const KsRect* clip, void* data) {
    ShowState(GetMyFlag(), false);
    ACustomCheckBox::DrawInterior(clip, data);
}

void DebugBitCheckBox::Dawdle(KsPoint pt, SInt16 modifiers, SInt32* sleep, SInt16* cursorID,
                              void* data) {
    ShowState(GetMyFlag(), true);
    ACustomCheckBox::Dawdle(pt, modifiers, sleep, cursorID, data);
}

// ---------------------------------------------------------------------------
// DebugIntEntry

DebugIntEntry* DebugIntEntry::New(APane* encl, SInt16 left, SInt16 right, SInt16 top, SInt16 bot,
                                  const char* label, short size, void* var, short radix,
                                  KsBoundSign sign) {
    FtlAssert((var) != 0);
    FtlAssert(size == 1 || size == 2 || size == 4);
    auto* e = new DebugIntEntry;
    e->iVar = KsBoundVar(var, size, sign);
    // A 4-byte unsigned variable shows its bits as the field's 32-bit value.
    const SInt32 min = SInt32(std::max<SInt64>(e->iVar.Min(), INT32_MIN));
    const SInt32 max = SInt32(std::min<SInt64>(e->iVar.Max(), INT32_MAX));
    const SInt32 value = SInt32(UInt32(e->iVar.Read()));
    const UInt16 r = UInt16(radix >= 2 && radix <= 36 ? radix : 10);
    e->IRadixIntEntry(encl, left, right, right == S ? kWidth : S, top, bot, bot == S ? kHeight : S,
                      value, r);
    e->SetFontSizeFace(1, 9, 0);
    if (size == 4 && sign == KsBoundSign::kUnsigned)
        e->SetLimits(INT32_MIN, INT32_MAX, false);
    else
        e->SetLimits(min, max, false);
    if (label) e->AddLabel(label, kLabelLeft);
    return e;
}

void DebugIntEntry::TextToValue(bool final, bool notify) {
    ARadixIntEntry::TextToValue(final, notify);
    if (hasVal) iVar.Write(GetInt());
}

void DebugIntEntry::Dawdle(KsPoint pt, SInt16 modifiers, SInt32* sleep, SInt16* cursorID,
                           void* data) {
    // A field being typed into keeps what the user typed until it is entered.
    if (!active && !iVar.Holds(GetInt())) UpdateInt(SInt32(UInt32(iVar.Read())), false);
    ARadixIntEntry::Dawdle(pt, modifiers, sleep, cursorID, data);
}

// ---------------------------------------------------------------------------
// DebugPushButton

DebugPushButton* DebugPushButton::New(APane* encl, SInt16 left, SInt16 right, SInt16 wid,
                                      SInt16 top, SInt16 bot, const char* label,
                                      void (*proc)(unsigned long), unsigned long refCon) {
    auto* b = new DebugPushButton;
    b->IPushButton(encl, left, right, wid, top, bot, bot == S ? kHeight : S, Clicked, 0, 0);
    if (label) b->SetText(label);
    b->iProc = proc;
    b->iRefCon = refCon;
    return b;
}

void DebugPushButton::Clicked(AGadget* gad, void*, SInt16, SInt32) {
    auto* b = static_cast<DebugPushButton*>(gad);
    if (b->iProc) b->iProc(b->iRefCon);
}
