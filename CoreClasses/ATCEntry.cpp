// ATCEntry: typing, value setting, commit, then persistence.
#include "ATCEntry.h"

#include "AStream.h"
#include "ATextEntryPrivate.h"
#include "CoreAttrList.h"
#include "KsCodeText.h"
#include "PaneStream.h"
#include "Sound.h"

#include <cstring>

namespace {
APortable* MakeTCEntry() {
    return new ATCEntry;
}
const bool kRegistered = (ATCEntry::PCRegister(), true);

constexpr SInt16 kBeepTicks = 5;

bool IsKeypad(SInt16 keyCode) {
    return keyCode == 0x45 || keyCode == 0x4E || (keyCode >= 0x52 && keyCode <= 0x59) ||
           keyCode == 0x5B || keyCode == 0x5C;
}

// Keys a code field hands to the text field: arrows, Home, End, Enter,
// Return and Tab.
bool IsNavigation(SInt16 charCode, SInt16 keyCode) {
    return charCode == 13 || charCode == 9 || keyCode == 0x7B || keyCode == 0x7C ||
           keyCode == 0x73 || keyCode == 0x77 || keyCode == 0x4C;
}
} // namespace

ATCEntry* ATCEntry::New(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top, SInt16 bot,
                        SInt16 hei, UInt16 flags, const timecode_t* value) {
    auto* p = new ATCEntry;
    p->ITCEntry(encl, left, right, wid, top, bot, hei, flags, value);
    return p;
}

void ATCEntry::ITCEntry(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top, SInt16 bot,
                        SInt16 hei, UInt16 flags, const timecode_t* value) {
    ITextEntry(encl, left, right, wid, top, bot, hei, nullptr, false);
    AdjustDestRect();
    positiveOnly = activateOnKeypad = frameMode = false;
    separator = ':';
    SetJust(teFlushRight);
    tcForeColor = RGBblack;
    formatFlags = flags;
    itsTC = TCGetDefault(kTCNoValue);
    if (value) SetTC(*value);
}

bool ATCEntry::TC2Str(const timecode_t& tc, char* buffer, int length, UInt16 flags) const {
    return TCToStr(tc, buffer, length, flags);
}

bool ATCEntry::Str2TC(timecode_t* tc, const char* text, UInt16 flags,
                      const timecode_t* descriptor) const {
    return TCStrToTC(tc, text, flags, descriptor);
}

void ATCEntry::ValueText(UInt16 extraFlags, char* buf) const {
    const UInt16 valid = HasValue() ? kTCFormatValid : 0;
    if (!TC2Str(itsTC, buf, kTextSize, UInt16(formatFlags | valid | extraFlags))) buf[0] = '\0';
}

void ATCEntry::SetTextQuietly(const char* text, bool update) {
    iQuiet = true;
    if (update)
        UpdateCstr(text, false);
    else
        SetCstr(text);
    iQuiet = false;
}

timecode_t ATCEntry::GetTC() const {
    return itsTC;
}
SInt32 ATCEntry::GetTCFrames() const {
    return itsTC.frames;
}

void ATCEntry::SetTC(const timecode_t& tc) {
    if (TCEqual(tc, itsTC)) return;
    itsTC = tc;
    char text[kTextSize];
    ValueText(0, text);
    SetTextQuietly(text, false);
    // The text is the value's: heard as a change, not read back.
    ATextEntry::TextToValue(false, true);
}

void ATCEntry::SetTCFrames(SInt32 frames) {
    timecode_t tc = itsTC;
    tc.frames = frames;
    SetTC(tc);
}

void ATCEntry::UpdateTC(const timecode_t& tc, bool notify) {
    if (TCEqual(tc, itsTC)) return;
    itsTC = tc;
    char text[kTextSize];
    ValueText(0, text);
    if (IsActive()) DeactivateTE();
    frameMode = false;
    SetTextQuietly(text, true);
    if (notify) ATextEntry::TextToValue(false, true);
}

void ATCEntry::UpdateTCFrames(SInt32 frames, bool notify) {
    timecode_t tc = itsTC;
    tc.frames = frames;
    UpdateTC(tc, notify);
}

void ATCEntry::UpdateTCFramesNoChangedHook(SInt32 frames) {
    UpdateTCFrames(frames, false);
}

void ATCEntry::SetIsDrop(bool on) {
    TCChangeDrop(itsTC, on);
}

void ATCEntry::UpdateDefaults(bool keepFrames, bool convert) {
    timecode_t tc = TCGetDefault(keepFrames ? GetTCFrames() : 0);
    if (convert) TCConvertFPS(tc, kTCRate24);
    SetTC(tc);
}

void ATCEntry::SetTreatAsDur(bool on) {
    formatFlags =
        on ? UInt16(formatFlags | kTCFormatDuration) : UInt16(formatFlags & ~kTCFormatDuration);
}

void ATCEntry::SetPositiveOnly(bool on) {
    positiveOnly = on;
}

void ATCEntry::SetForeColor(const KsRGBColor& color) {
    tcForeColor = color;
    ATextEntry::SetForeColor(color);
}

void ATCEntry::UpdateTEString(const char* text, SInt32 length, SInt32 caret) {
    if (!te) return;
    KsTEReplace(0, kTextEnd, text, length, te);
    TESetSelect(caret, caret, te);
}

std::string ATCEntry::FilterInsertion(const char* text, SInt32 length) {
    std::string out = ATextEntry::FilterInsertion(text, length);
    const std::size_t was = out.size();
    std::erase_if(out, [](char c) {
        return !((c >= '0' && c <= '9') || (c != '\0' && std::strchr(":;.,+- ", c) != nullptr));
    });
    if (out.size() != was) SysBeep(kBeepTicks);
    return out;
}

bool ATCEntry::TypeEditKey(char key) {
    if (key == ':' || key == ';') {
        separator = key;
        iSeparatorTyped = true;
    } else if (!iSeparatorTyped) {
        separator = TCIsDrop(itsTC) ? ';' : ':';
    }
    char text[KsCodeText::kMaxCodeChars + 1];
    GetCstr(text, sizeof text);
    SInt32 s = 0, e = 0;
    GetSelect(&s, &e);
    KsCodeText::TypedCode typed;
    const UInt16 flags = frameMode ? kTCFormatFrames : 0;
    if (!KsCodeText::TCEditKey(text, s, e, key, separator, flags, &typed)) return true;
    UpdateTEString(typed.text, typed.length, typed.caret);
    dirty = true;
    ContentChanged();
    TextToValue(false, true);
    return true;
}

bool ATCEntry::DoKeyDown(SInt16 charCode, SInt16 keyCode, EventRecord* event, void* data) {
    const char ch = char(charCode);
    if (readOnly) return false;
    if (ch == '-' && positiveOnly) return false;
    if (!IsActive() && activateOnKeypad && IsKeypad(keyCode)) Activate();
    if (!IsActive()) return false;
    if (ch == 'f') {
        // What was typed is read first: the frame count shown is its value.
        TextToValue(false, true);
        frameMode = true;
        DeactivateTE();
        char text[kTextSize];
        ValueText(kTCFormatFrames, text);
        SetTextQuietly(text, true);
        Activate();
        SetSelect(kTextEnd, kTextEnd);
        return true;
    }
    if (ch == '.') {
        DoKeyDown('0', 0, nullptr, data);
        DoKeyDown('0', 0, nullptr, data);
        return true;
    }
    if (KsCodeText::IsTCEditKey(ch)) return TypeEditKey(ch);
    if (IsNavigation(charCode, keyCode))
        return ATextEntry::DoKeyDown(charCode, keyCode, event, data);
    if (!changedHook) SysBeep(kBeepTicks);
    return false;
}

void ATCEntry::TextToValue(bool final, bool notify) {
    if (iQuiet) return;
    // A field left unchanged keeps its value.
    if (!(final && !dirty && !frameMode)) {
        char text[KsCodeText::kMaxCodeChars + 1];
        GetCstr(text, sizeof text);
        if (frameMode) {
            SInt32 frames = 0;
            itsTC.frames = KsCodeText::ReadFrameCount(text, &frames) ? frames : kTCNoValue;
            if (final) frameMode = false;
        } else {
            timecode_t tc{};
            KsCodeText::ReadTypedTC(text, formatFlags, itsTC, &tc);
            itsTC = tc;
        }
    }
    ATextEntry::TextToValue(final, notify);
}

void ATCEntry::Deactivate() {
    const bool wasActive = IsActive();
    ATextEntry::Deactivate();
    frameMode = false;
    iSeparatorTyped = false;
    if (!wasActive || !HasValue()) return;
    char text[kTextSize];
    ValueText(0, text);
    SetTextQuietly(text, false);
}

// --- Persistence -------------------------------------------------------------

void ATCEntry::PCRegister() {
    PClassAdd(kClassID, kClassInfo.name, MakeTCEntry);
    PaneTextRegisterClass(KsValueFieldPaneTextRow<ATCEntry>("ATCEntry"));
}

void ATCEntry::Put(AStream& s) {
    (void)kRegistered;
    ATextEntry::Put(s);
    s.PutClassMark(kClassID, kVersion);
    s.PutLong("tcRate", itsTC.rate);
    s.PutLong("tcFrames", itsTC.frames);
    s.PutShort("formatFlags", SInt16(formatFlags));
    s.PutBool("positiveOnly", positiveOnly);
}

void ATCEntry::Get(AStream& s) {
    ATextEntry::Get(s);
    s.GetClassMark(kClassID, 1, kVersion);
    const SInt32 rate = s.GetLong("tcRate");
    const SInt32 frames = s.GetLong("tcFrames");
    formatFlags = UInt16(s.GetShort("formatFlags"));
    positiveOnly = s.GetBool("positiveOnly");
    itsTC = TCMake(TCIsValidRate(rate) ? rate : TCGetDefaultRate(), frames);
    char text[kTextSize];
    ValueText(0, text);
    SetTextQuietly(text, false);
    AdjustDestRect();
    SetJust(teFlushRight);
}

void ATCEntry::AddPropsToList(CoreAttrList* l) {
    l->SetSInt32("tcRate", itsTC.rate);
    l->SetSInt32("tcFrames", itsTC.frames);
    l->SetSInt32("tcFlags", formatFlags);
}

// A text without the value's keys is read at the default rate from the text.
void ATCEntry::GetPropsFromList(CoreAttrList* l) {
    formatFlags = UInt16(l->GetSInt32("tcFlags", formatFlags));
    if (l->Has("tcFrames")) {
        const SInt32 rate = l->GetSInt32("tcRate", TCGetDefaultRate());
        itsTC = TCMake(TCIsValidRate(rate) ? rate : TCGetDefaultRate(),
                       l->GetSInt32("tcFrames", kTCNoValue));
    } else {
        char text[KsCodeText::kMaxCodeChars + 1];
        GetCstr(text, sizeof text);
        KsCodeText::ReadTypedTC(text, formatFlags, TCGetDefault(kTCNoValue), &itsTC);
    }
    char text[kTextSize];
    ValueText(0, text);
    SetTextQuietly(text, false);
    AdjustDestRect();
    SetJust(teFlushRight);
}
