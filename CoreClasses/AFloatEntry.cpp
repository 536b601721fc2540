// AFloatEntry: keys, value setting, commit and limits, then persistence.
#include "AFloatEntry.h"

#include "AStream.h"
#include "ATextEntryPrivate.h"
#include "CoreAttrList.h"
#include "KsFatal.h"
#include "KsNumberText.h"
#include "KsUIHooks.h"
#include "PaneStream.h"
#include "Sound.h"

#include <cmath>
#include <cstdio>
#include <utility>

namespace {
APortable* MakeFloatEntry() {
    return new AFloatEntry;
}
const bool kRegistered = (AFloatEntry::PCRegister(), true);

constexpr SInt16 kBeepTicks = 5;
constexpr SInt16 kUpArrow = 0x7E, kDownArrow = 0x7D;

bool PassesThrough(SInt16 charCode, SInt16 keyCode) {
    if (charCode == 8 || charCode == 9 || charCode == 13) return true;
    return keyCode == 0x7B || keyCode == 0x7C || keyCode == 0x73 || keyCode == 0x77 ||
           keyCode == 0x4C;
}
} // namespace

AFloatEntry* AFloatEntry::New(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top,
                              SInt16 bot, SInt16 hei, double value) {
    auto* p = new AFloatEntry;
    p->IFloatEntry(encl, left, right, wid, top, bot, hei, value);
    return p;
}

void AFloatEntry::IFloatEntry(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top,
                              SInt16 bot, SInt16 hei, double value) {
    ITextEntry(encl, left, right, wid, top, bot, hei, nullptr, false);
    SetTextQuietly("0.0", false);
    SetFontSizeFace(1, 12, 0);
    SetJust(teFlushRight);
    hasVal = true;
    refreshPending = true;
    minVal = kDefaultMin;
    maxVal = kDefaultMax;
    SetFloat(value, true);
}

void AFloatEntry::SetTextQuietly(const char* text, bool update) {
    iQuiet = true;
    if (update)
        UpdateCstr(text, false);
    else
        SetCstr(text);
    iQuiet = false;
}

void AFloatEntry::ValueToText(double value, char* buf, std::size_t size) const {
    FtlAssert(buf != nullptr);
    if (!hasVal) {
        if (size > 0) buf[0] = '\0';
        return;
    }
    KsNumberText::FormatFloat(value, width, precision, buf, size);
}

void AFloatEntry::RebuildText() {
    char text[kTextSize];
    ValueToText(itsVal, text, sizeof text);
    SetTextQuietly(text, false);
}

double AFloatEntry::GetFloat() const {
    return hasVal ? itsVal : 0.0;
}

void AFloatEntry::SetFloat(double value, bool notify) {
    if (!std::isfinite(value)) return;
    if (hasVal && value == itsVal && !refreshPending) return;
    itsVal = KsNumberText::ClampFloat(value, minVal, maxVal);
    hasVal = true;
    RebuildText();
    refreshPending = false;
    ATextEntry::TextToValue(true, notify);
}

void AFloatEntry::UpdateFloat(double value, bool notify) {
    if (!std::isfinite(value) || (hasVal && value == itsVal)) return;
    itsVal = KsNumberText::ClampFloat(value, minVal, maxVal);
    hasVal = true;
    if (IsActive()) DeactivateTE();
    char text[kTextSize];
    ValueToText(itsVal, text, sizeof text);
    SetTextQuietly(text, true);
    if (notify) ATextEntry::TextToValue(false, true);
}

void AFloatEntry::UpdateFloatNoChangedHook(double value) {
    UpdateFloat(value, false);
}

bool AFloatEntry::SetLimits(double min, double max, bool warn) {
    if (!std::isfinite(min) || !std::isfinite(max)) return false;
    if (min > max) std::swap(min, max);
    const bool changed = min != minVal || max != maxVal;
    minVal = min;
    maxVal = max;
    warnOnLimits = warn;
    if (hasVal && (itsVal < minVal || itsVal > maxVal)) {
        itsVal = KsNumberText::ClampFloat(itsVal, minVal, maxVal);
        refreshPending = true;
    }
    return changed;
}

void AFloatEntry::GetLimits(double* min, double* max) const {
    if (min) *min = minVal;
    if (max) *max = maxVal;
}

void AFloatEntry::SetInc(double step) {
    if (std::isfinite(step)) inc = step;
}

void AFloatEntry::SetFormat(SInt16 w, SInt16 p) {
    if (w != width || p != precision) refreshPending = true;
    width = w;
    precision = p;
}

void AFloatEntry::SetWarnLimitsReached(bool on) {
    warnLimitsFlag = on;
}

bool AFloatEntry::DoKeyDown(SInt16 charCode, SInt16 keyCode, EventRecord* event, void* data) {
    if (readOnly || !IsActive()) return false;
    if (PassesThrough(charCode, keyCode))
        return ATextEntry::DoKeyDown(charCode, keyCode, event, data);
    if (keyCode == kUpArrow || keyCode == kDownArrow) {
        const double base = hasVal ? itsVal : 0.0;
        SetFloat(KsNumberText::StepFloat(base, inc, keyCode == kUpArrow ? 1 : -1, minVal, maxVal),
                 false);
        commitPending = true;
        ATextEntry::TextToValue(true, true);
        Activate();
        return true;
    }
    if (KsNumberText::FloatKey(char(charCode)) == KsNumberText::KeyVerdict::pass)
        return ATextEntry::DoKeyDown(charCode, keyCode, event, data);
    if (!changedHook) SysBeep(kBeepTicks);
    return false;
}

std::string AFloatEntry::FilterInsertion(const char* text, SInt32 length) {
    std::string out = ATextEntry::FilterInsertion(text, length);
    const std::size_t was = out.size();
    std::erase_if(
        out, [](char c) { return KsNumberText::FloatKey(c) != KsNumberText::KeyVerdict::pass; });
    if (out.size() != was) SysBeep(kBeepTicks);
    return out;
}

void AFloatEntry::ResetToLimit(double limit, bool toMin, bool final) {
    const bool wasActive = IsActive();
    hasVal = false; // UpdateFloat skips a value it holds already
    UpdateFloat(limit, !final);
    if (!final && wasActive) {
        Activate();
        SetSelect(kTextEnd, kTextEnd);
    }
    if (warnOnLimits) {
        char msg[400];
        std::snprintf(msg, sizeof msg,
                      toMin ? "Warning\nYou can't enter numbers below %f. The number will be "
                              "reset to the minimum allowed.\n"
                            : "Warning\nYou can't enter numbers above %f. The number will be "
                              "reset to the maximum allowed.\n",
                      limit);
        UIdialog(msg, "OK", 1, 0);
    }
}

void AFloatEntry::TextToValue(bool final, bool notify) {
    if (iQuiet) return;
    // A field left unchanged keeps its value, with the precision the text
    // does not show.
    if (final && !dirty && hasVal) {
        ATextEntry::TextToValue(final, notify);
        return;
    }
    char text[KsNumberText::kMaxNumberChars + 1];
    GetCstr(text, sizeof text);
    double v = 0.0;
    if (!KsNumberText::ParseFloat(text, &v)) {
        hasVal = false;
        itsVal = 0.0;
        ATextEntry::TextToValue(final, notify);
        return;
    }
    itsVal = v;
    hasVal = true;
    const KsNumberText::LimitReset reset = KsNumberText::CheckFloatLimits(v, minVal, maxVal, final);
    if (reset != KsNumberText::LimitReset::none) {
        const bool toMin = reset == KsNumberText::LimitReset::toMin;
        ResetToLimit(toMin ? minVal : maxVal, toMin, final);
    }
    ATextEntry::TextToValue(final, notify);
}

void AFloatEntry::Deactivate() {
    const bool wasActive = IsActive();
    ATextEntry::Deactivate();
    if (wasActive && hasVal) RebuildText();
}

// --- Persistence -------------------------------------------------------------

void AFloatEntry::PCRegister() {
    PClassAdd(kClassID, kClassInfo.name, MakeFloatEntry);
    PaneTextRegisterClass(KsValueFieldPaneTextRow<AFloatEntry>("AFloatEntry"));
}

void AFloatEntry::Put(AStream& s) {
    (void)kRegistered;
    ATextEntry::Put(s);
    s.PutClassMark(kClassID, kVersion);
    s.PutBool("hasVal", hasVal);
    s.PutDouble("itsVal", itsVal);
}

void AFloatEntry::Get(AStream& s) {
    // The value is in the record: the text is not read back on the way.
    iQuiet = true;
    ATextEntry::Get(s);
    iQuiet = false;
    s.GetClassMark(kClassID, 1, kVersion);
    hasVal = s.GetBool("hasVal");
    const double v = s.GetDouble("itsVal");
    // A stored value that is not a number is no value.
    if (!std::isfinite(v)) hasVal = false;
    itsVal = hasVal ? v : 0.0;
    RebuildText();
    SetJust(teFlushRight);
}

void AFloatEntry::AddPropsToList(CoreAttrList* l) {
    l->SetBool("feHasVal", hasVal);
    if (!hasVal) return;
    // Written with all the digits a double needs, so the value reads back
    // whole whatever the display format.
    char text[64];
    std::snprintf(text, sizeof text, "%.17g", itsVal);
    l->SetText("feItsVal", text);
}

void AFloatEntry::GetPropsFromList(CoreAttrList* l) {
    hasVal = l->GetBool("feHasVal", true);
    double v = 0.0;
    if (hasVal && !KsNumberText::ParseFloat(l->GetText("feItsVal", ""), &v)) hasVal = false;
    itsVal = v;
    RebuildText();
    SetJust(teFlushRight);
}
