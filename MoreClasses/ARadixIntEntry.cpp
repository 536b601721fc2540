#include "ARadixIntEntry.h"

#include "AStream.h"
#include "CoreAttrList.h"
#include "KsFatal.h"
#include "KsNumberText.h"
#include "PaneStream.h"

namespace {
APortable* MakeRadixIntEntry() {
    return new ARadixIntEntry;
}
const bool kRegistered = (ARadixIntEntry::PCRegister(), true);
} // namespace

ARadixIntEntry* ARadixIntEntry::New(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top,
                                    SInt16 bot, SInt16 hei, SInt32 value, UInt16 radix) {
    auto* p = new ARadixIntEntry;
    p->IRadixIntEntry(encl, left, right, wid, top, bot, hei, value, radix);
    return p;
}

void ARadixIntEntry::IRadixIntEntry(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top,
                                    SInt16 bot, SInt16 hei, SInt32 value, UInt16 newRadix) {
    IIntEntry(encl, left, right, wid, top, bot, hei, value);
    SetRadix(newRadix);
}

void ARadixIntEntry::SetRadix(UInt16 newRadix) {
    FtlAssert(newRadix >= 2 && newRadix <= 36);
    if (newRadix == radix) return;
    radix = newRadix;
    if (hasVal) RebuildText();
}

void ARadixIntEntry::ValueToText(SInt32 value, char* buf, std::size_t size) const {
    FtlAssert((buf) != 0);
    KsNumberText::FormatRadix(value, radix, buf, size);
}

bool ARadixIntEntry::ParseText(const char* text, SInt32* value) const {
    return KsNumberText::ParseRadix(text, radix, value);
}

bool ARadixIntEntry::KeyAllowed(char* ch) const {
    return KsNumberText::RadixKey(*ch, radix, ch) == KsNumberText::KeyVerdict::pass;
}

// --- Persistence -------------------------------------------------------------

void ARadixIntEntry::PCRegister() {
    PClassAdd(kClassID, kClassInfo.name, MakeRadixIntEntry);
    // The property text has no keys of its own for the radix field: it is
    // written and read as the integer field it is built on.
    const PaneTextClass* base = PaneTextFindClass("AIntEntry");
    if (!base) {
        AIntEntry::PCRegister();
        base = PaneTextFindClass("AIntEntry");
    }
    PaneTextClass row = *base;
    row.name = "ARadixIntEntry";
    row.make = [] { return static_cast<APane*>(new ARadixIntEntry); };
    row.addProps.push_back([](APane* p, CoreAttrList* l) {
        l->SetSInt32("radix", static_cast<ARadixIntEntry*>(p)->GetRadix());
    });
    row.getProps.insert(row.getProps.end() - 1, [](APane* p, CoreAttrList* l) {
        const SInt32 r = l->GetSInt32("radix", 10);
        static_cast<ARadixIntEntry*>(p)->radix = UInt16(r >= 2 && r <= 36 ? r : 10);
    });
    PaneTextRegisterClass(row);
}

void ARadixIntEntry::Put(AStream& s) {
    (void)kRegistered;
    AIntEntry::Put(s);
    s.PutShort("version", kVersion);
    s.PutChar("radix", char(radix));
}

void ARadixIntEntry::Get(AStream& s) {
    AIntEntry::Get(s);
    s.GetShort("version");
    const int r = UInt8(s.GetChar("radix"));
    // Bad data, not a programming error: a stored radix out of range reads as 10.
    radix = UInt16(r >= 2 && r <= 36 ? r : 10);
    if (hasVal) RebuildText();
    SetFontSizeFace(1, 12, 0);
    SetJust(teFlushRight);
}
