// AECEntry: typing, value setting, commit, then persistence.
#include "AECEntry.h"

#include "AStream.h"
#include "ATextEntryPrivate.h"
#include "CoreAttrList.h"
#include "KsCodeText.h"
#include "PaneStream.h"
#include "Sound.h"

#include <cstring>

namespace {
APortable* MakeECEntry() {
    return new AECEntry;
}
const bool kRegistered = (AECEntry::PCRegister(), true);

constexpr SInt16 kBeepTicks = 5;

bool IsNavigation(SInt16 charCode, SInt16 keyCode) {
    return charCode == 13 || charCode == 9 || keyCode == 0x7B || keyCode == 0x7C ||
           keyCode == 0x73 || keyCode == 0x77 || keyCode == 0x4C;
}
} // namespace

AECEntry* AECEntry::New(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top, SInt16 bot,
                        SInt16 hei, const edgecode_t* value) {
    auto* p = new AECEntry;
    p->IECEntry(encl, left, right, wid, top, bot, hei, value);
    return p;
}

void AECEntry::IECEntry(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top, SInt16 bot,
                        SInt16 hei, const edgecode_t* value) {
    ITextEntry(encl, left, right, wid, top, bot, hei, nullptr, false);
    ecFrameMode = false;
    AdjustDestRect();
    SetJust(teFlushRight);
    // The first SetEC must show the value even when it equals the initial one.
    hasVal = false;
    SetEC(value ? *value : ECGetDefault());
}

void AECEntry::ValueText(char* buf) const {
    const UInt16 flags = hasVal ? kECFormatValid : 0;
    const bool ok = footage ? ECToFootageStr(itsEC, buf, kTextSize, flags)
                            : ECToStrSansHeader(itsEC, buf, kTextSize, flags);
    if (!ok) buf[0] = '\0';
}

void AECEntry::SetTextQuietly(const char* text, bool update) {
    iQuiet = true;
    if (update)
        UpdateCstr(text, false);
    else
        SetCstr(text);
    iQuiet = false;
}

void AECEntry::ShowValue() {
    char text[kTextSize];
    ValueText(text);
    SetTextQuietly(text, false);
}

edgecode_t AECEntry::GetEC() const {
    return itsEC;
}
SInt32 AECEntry::GetECFrames() const {
    return itsEC.frames;
}

void AECEntry::SetEC(const edgecode_t& ec) {
    if (hasVal && ECEqual(ec, itsEC)) return;
    itsEC = ec;
    hasVal = true;
    ShowValue();
    ATextEntry::TextToValue(false, true);
}

void AECEntry::SetECFrames(SInt32 frames) {
    SetEC(ECSetFrames(itsEC, frames));
}

void AECEntry::UpdateEC(const edgecode_t& ec, bool notify) {
    if (hasVal && ECEqual(ec, itsEC)) return;
    itsEC = ec;
    hasVal = true;
    char text[kTextSize];
    ValueText(text);
    if (IsActive()) DeactivateTE();
    SetTextQuietly(text, true);
    if (notify) ATextEntry::TextToValue(false, true);
}

void AECEntry::UpdateECFrames(SInt32 frames, bool notify) {
    UpdateEC(ECSetFrames(itsEC, frames), notify);
}

void AECEntry::UpdateECFramesNoChangedHook(SInt32 frames) {
    UpdateECFrames(frames, false);
}

void AECEntry::SetFootage(bool on) {
    if (on == footage) return;
    footage = on;
    ShowValue();
}

void AECEntry::SetDescFilmType(SInt32 filmType) {
    if (!ECIsValidFilmType(filmType) || filmType == itsEC.filmType) return;
    itsEC.filmType = filmType;
    ShowValue();
}

void AECEntry::UpdateDefaults(bool) {
    SetEC(ECGetDefault());
}

bool AECEntry::DoKeyDown(SInt16 charCode, SInt16 keyCode, EventRecord* event, void* data) {
    const char ch = char(charCode);
    if (readOnly || !IsActive()) return false;
    if (ch == '.') {
        DoKeyDown('0', 0, nullptr, data);
        DoKeyDown('0', 0, nullptr, data);
        return true;
    }
    if (KsCodeText::IsECEditKey(ch)) {
        char text[KsCodeText::kMaxCodeChars + 1];
        GetCstr(text, sizeof text);
        SInt32 s = 0, e = 0;
        GetSelect(&s, &e);
        KsCodeText::TypedCode typed;
        if (KsCodeText::ECEditKey(text, s, e, ch, &typed) && te) {
            KsTEReplace(0, kTextEnd, typed.text, typed.length, te);
            TESetSelect(typed.caret, typed.caret, te);
            dirty = true;
            ContentChanged();
            TextToValue(false, true);
        }
        return true;
    }
    if (IsNavigation(charCode, keyCode))
        return ATextEntry::DoKeyDown(charCode, keyCode, event, data);
    if (!changedHook) SysBeep(kBeepTicks);
    return false;
}

void AECEntry::TextToValue(bool final, bool notify) {
    if (iQuiet) return;
    // A field left unchanged keeps its value.
    if (!(final && !dirty)) {
        char text[KsCodeText::kMaxCodeChars + 1];
        GetCstr(text, sizeof text);
        hasVal = KsCodeText::ReadTypedEC(text, footage, itsEC, &itsEC);
    }
    ATextEntry::TextToValue(final, notify);
}

void AECEntry::Deactivate() {
    const bool wasActive = IsActive();
    ATextEntry::Deactivate();
    ecFrameMode = false;
    if (wasActive && hasVal) ShowValue();
}

// --- Persistence -------------------------------------------------------------

void AECEntry::PCRegister() {
    PClassAdd(kClassID, kClassInfo.name, MakeECEntry);
    PaneTextRegisterClass(KsValueFieldPaneTextRow<AECEntry>("AECEntry"));
}

void AECEntry::Put(AStream& s) {
    (void)kRegistered;
    ATextEntry::Put(s);
    s.PutClassMark(kClassID, kVersion);
    s.PutBool("hasVal", hasVal);
    s.PutBool("footage", footage);
    s.PutLong("filmType", itsEC.filmType);
    s.PutLong("frames", itsEC.frames);
    char header[9] = {};
    std::memcpy(header, itsEC.header, 8);
    s.PutCString("header", header);
}

void AECEntry::Get(AStream& s) {
    ATextEntry::Get(s);
    s.GetClassMark(kClassID, 1, kVersion);
    hasVal = s.GetBool("hasVal");
    footage = s.GetBool("footage");
    const SInt32 film = s.GetLong("filmType");
    const SInt32 frames = s.GetLong("frames");
    char header[9] = {};
    s.GetCString("header", header, sizeof header);
    itsEC = ECMake(ECIsValidFilmType(film) ? film : ECGetDefault().filmType, header, frames);
    ShowValue();
    AdjustDestRect();
    SetJust(teFlushRight);
}

void AECEntry::AddPropsToList(CoreAttrList* l) {
    l->SetBool("ecHasVal", hasVal);
    l->SetBool("ecFootag", footage);
    l->SetSInt32("ecFilm", itsEC.filmType);
    l->SetSInt32("ecFrames", itsEC.frames);
    char header[9] = {};
    std::memcpy(header, itsEC.header, 8);
    if (header[0]) l->SetText("ecHeader", header);
}

void AECEntry::GetPropsFromList(CoreAttrList* l) {
    hasVal = l->GetBool("ecHasVal", true);
    footage = l->GetBool("ecFootag", false);
    const SInt32 film = l->GetSInt32("ecFilm", ECGetDefault().filmType);
    itsEC = ECMake(ECIsValidFilmType(film) ? film : ECGetDefault().filmType,
                   l->GetText("ecHeader", ""), l->GetSInt32("ecFrames", 0));
    ShowValue();
    AdjustDestRect();
    SetJust(teFlushRight);
}
