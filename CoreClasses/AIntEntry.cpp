// AIntEntry: keys, value setting, commit and limits, then persistence.
#include "AIntEntry.h"

#include "AStream.h"
#include "ATextEntryPrivate.h"
#include "CoreAttrList.h"
#include "KsFatal.h"
#include "KsNumberText.h"
#include "KsUIHooks.h"
#include "PaneStream.h"
#include "Sound.h"

#include <cstdio>

namespace {
APortable* MakeIntEntry() {
    return new AIntEntry;
}
const bool kRegistered = (AIntEntry::PCRegister(), true);

constexpr SInt16 kBeepTicks = 5;
constexpr SInt16 kUpArrow = 0x7E, kDownArrow = 0x7D;

// The keys every numeric field hands to the text field unchecked.
bool PassesThrough(SInt16 charCode, SInt16 keyCode) {
    switch (charCode) {
    case 8:
    case 9:
    case 13:
        return true;
    default:
        break;
    }
    return keyCode == 0x7B || keyCode == 0x7C || keyCode == 0x73 || keyCode == 0x77 ||
           keyCode == 0x4C;
}
} // namespace

AIntEntry* AIntEntry::New(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top,
                          SInt16 bot, SInt16 hei, SInt32 value) {
    auto* p = new AIntEntry;
    p->IIntEntry(encl, left, right, wid, top, bot, hei, value);
    return p;
}

void AIntEntry::IIntEntry(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top,
                          SInt16 bot, SInt16 hei, SInt32 value) {
    ITextEntry(encl, left, right, wid, top, bot, hei, nullptr, false);
    SetTextQuietly("0", false, false);
    SetFontSizeFace(1, 12, 0);
    SetJust(teFlushRight);
    hasVal = true;
    refreshPending = true;
    minVal = kDefaultMin;
    maxVal = kDefaultMax;
    SetInt(value, true);
}

void AIntEntry::SetTextQuietly(const char* text, bool update, bool notify) {
    iQuiet = true;
    if (update)
        UpdateCstr(text, notify);
    else
        SetCstr(text);
    iQuiet = false;
}

void AIntEntry::ValueToText(SInt32 value, char* buf, std::size_t size) const {
    FtlAssert(buf != nullptr);
    KsNumberText::FormatInt(value, commas, buf, size);
}

void AIntEntry::RebuildText() {
    char text[KsNumberText::kIntTextSize];
    ValueToText(itsVal, text, sizeof text);
    SetTextQuietly(text, false, false);
}

SInt32 AIntEntry::GetInt() const {
    return hasVal ? itsVal : 0;
}

void AIntEntry::SetInt(SInt32 value, bool notify) {
    // "Holds that value already" needs a value to hold.
    if (hasVal && value == itsVal && !refreshPending) return;
    itsVal = KsNumberText::ClampInt(value, minVal, maxVal);
    hasVal = true;
    RebuildText();
    refreshPending = false;
    ATextEntry::TextToValue(true, notify);
}

void AIntEntry::UpdateInt(SInt32 value, bool notify) {
    if (hasVal && value == itsVal) return;
    itsVal = KsNumberText::ClampInt(value, minVal, maxVal);
    hasVal = true;
    if (IsActive()) DeactivateTE();
    char text[KsNumberText::kIntTextSize];
    ValueToText(itsVal, text, sizeof text);
    SetTextQuietly(text, true, false);
    if (notify) ATextEntry::TextToValue(false, true);
}

void AIntEntry::UpdateIntNoChangedHook(SInt32 value) {
    UpdateInt(value, false);
}

bool AIntEntry::SetLimits(SInt32 min, SInt32 max, bool warn) {
    if (min > max) std::swap(min, max);
    const bool changed = min != minVal || max != maxVal;
    minVal = min;
    maxVal = max;
    warnOnLimits = warn;
    if (hasVal && (itsVal < minVal || itsVal > maxVal)) {
        itsVal = KsNumberText::ClampInt(itsVal, minVal, maxVal);
        refreshPending = true;
    }
    return changed;
}

void AIntEntry::GetLimits(SInt32* min, SInt32* max) const {
    if (min) *min = minVal;
    if (max) *max = maxVal;
}

void AIntEntry::SetInc(SInt32 step) {
    inc = step;
}
void AIntEntry::SetCommas(bool on) {
    commas = on;
}
void AIntEntry::SetWarnLimitsReached(bool on) {
    warnLimitsFlag = on;
}
void AIntEntry::SetBeepLimitsReached(bool on) {
    beepOnLimits = on;
}

bool AIntEntry::KeyAllowed(char* ch) const {
    SInt32 s = 0, e = 0;
    GetSelect(&s, &e);
    char text[4] = {};
    GetCstr(text, sizeof text);
    return KsNumberText::IntKey(*ch, text, s, e, minVal) == KsNumberText::KeyVerdict::pass;
}

std::string AIntEntry::FilterInsertion(const char* text, SInt32 length) {
    const std::string in = ATextEntry::FilterInsertion(text, length);
    std::string out;
    bool dropped = false;
    for (char c : in) {
        if (c == ',' && TextRadix() == 10) continue;
        char typed = c;
        const bool ok =
            KsNumberText::RadixKey(c, TextRadix(), &typed) == KsNumberText::KeyVerdict::pass &&
            !(typed == '-' && minVal >= 0);
        if (ok)
            out.push_back(typed);
        else
            dropped = true;
    }
    if (dropped) SysBeep(kBeepTicks);
    return out;
}

bool AIntEntry::ParseText(const char* text, SInt32* value) const {
    return KsNumberText::ParseInt(text, value);
}

bool AIntEntry::DoKeyDown(SInt16 charCode, SInt16 keyCode, EventRecord* event, void* data) {
    if (readOnly || !IsActive()) return false;
    if (PassesThrough(charCode, keyCode))
        return ATextEntry::DoKeyDown(charCode, keyCode, event, data);
    if (keyCode == kUpArrow || keyCode == kDownArrow) {
        const SInt32 base = hasVal ? itsVal : 0;
        SetInt(KsNumberText::StepInt(base, inc, keyCode == kUpArrow ? 1 : -1, minVal, maxVal),
               false);
        commitPending = true;
        ATextEntry::TextToValue(true, true);
        Activate();
        return true;
    }
    char ch = char(charCode);
    if (KeyAllowed(&ch)) return ATextEntry::DoKeyDown(UInt8(ch), keyCode, event, data);
    if (!changedHook) SysBeep(kBeepTicks);
    return false;
}

void AIntEntry::ResetToLimit(SInt32 limit, bool toMin, bool final) {
    // Typing goes on in a field being typed in; text set by program does not
    // make a field active.
    const bool wasActive = IsActive();
    // At the commit the final notification follows; no "changed" before it.
    UpdateInt(limit, !final);
    if (!final && wasActive) {
        Activate();
        SetSelect(kTextEnd, kTextEnd);
    }
    if (warnOnLimits) {
        char msg[200];
        std::snprintf(msg, sizeof msg,
                      toMin ? "Warning\nYou can't enter numbers below %d. The number will be "
                              "reset to the minimum allowed.\n"
                            : "Warning\nYou can't enter numbers above %d. The number will be "
                              "reset to the maximum allowed.\n",
                      int(limit));
        UIdialog(msg, "OK", 1, 0);
    } else if (beepOnLimits) {
        SysBeep(kBeepTicks);
    }
}

void AIntEntry::TextToValue(bool final, bool notify) {
    if (iQuiet) return;
    // A field left unchanged keeps its value: its text is the value's.
    if (final && !dirty && hasVal) {
        ATextEntry::TextToValue(final, notify);
        return;
    }
    char text[KsNumberText::kMaxNumberChars + 1];
    GetCstr(text, sizeof text);
    SInt32 v = 0;
    if (!ParseText(text, &v)) {
        hasVal = false;
        itsVal = 0;
        ATextEntry::TextToValue(final, notify);
        return;
    }
    itsVal = v;
    hasVal = true;
    using KsNumberText::LimitReset;
    const LimitReset reset = ToleratesWhileTyping()
                                 ? KsNumberText::CheckIntLimits(v, minVal, maxVal, final)
                             : final ? KsNumberText::CheckIntLimits(v, minVal, maxVal, true)
                                     : LimitReset::none;
    if (reset != LimitReset::none) {
        // UpdateInt skips a value it holds already: the typed one is not it.
        hasVal = false;
        const bool toMin = reset == LimitReset::toMin;
        ResetToLimit(toMin ? minVal : maxVal, toMin, final);
    }
    ATextEntry::TextToValue(final, notify);
}

void AIntEntry::Deactivate() {
    const bool wasActive = IsActive();
    ATextEntry::Deactivate();
    if (wasActive && hasVal) RebuildText();
}

// --- Persistence -------------------------------------------------------------

void AIntEntry::PCRegister() {
    PClassAdd(kClassID, kClassInfo.name, MakeIntEntry);
    PaneTextRegisterClass(KsValueFieldPaneTextRow<AIntEntry>("AIntEntry"));
}

void AIntEntry::Put(AStream& s) {
    (void)kRegistered;
    ATextEntry::Put(s);
    s.PutClassMark(kClassID, kVersion);
    s.PutBool("hasVal", hasVal);
    s.PutLong("itsVal", itsVal);
    s.PutLong("minVal", minVal);
    s.PutLong("maxVal", maxVal);
}

void AIntEntry::Get(AStream& s) {
    // The value is in the record: the text is not read back on the way.
    iQuiet = true;
    ATextEntry::Get(s);
    iQuiet = false;
    s.GetClassMark(kClassID, 1, kVersion);
    hasVal = s.GetBool("hasVal");
    itsVal = s.GetLong("itsVal");
    minVal = s.GetLong("minVal");
    maxVal = s.GetLong("maxVal");
    if (minVal > maxVal) std::swap(minVal, maxVal);
    itsVal = KsNumberText::ClampInt(itsVal, minVal, maxVal);
    if (hasVal) RebuildText();
    SetJust(teFlushRight);
}

void AIntEntry::AddPropsToList(CoreAttrList* l) {
    l->SetBool("ieHasVal", hasVal);
    l->SetSInt32("ieItsVal", itsVal);
    l->SetSInt32("ieMinVal", minVal);
    l->SetSInt32("ieMaxVal", maxVal);
    l->SetBool("ieCommas", commas);
}

void AIntEntry::GetPropsFromList(CoreAttrList* l) {
    hasVal = l->GetBool("ieHasVal", true);
    itsVal = l->GetSInt32("ieItsVal", 0);
    minVal = l->GetSInt32("ieMinVal", kDefaultMin);
    maxVal = l->GetSInt32("ieMaxVal", kDefaultMax);
    commas = l->GetBool("ieCommas", false);
    if (minVal > maxVal) std::swap(minVal, maxVal);
    itsVal = KsNumberText::ClampInt(itsVal, minVal, maxVal);
    if (hasVal) RebuildText();
    SetJust(teFlushRight);
}
