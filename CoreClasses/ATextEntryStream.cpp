// ATextEntry persistence: the class registration, the stream record and the
// pane property text keys. Both readers end in FinishGet, which rebuilds the
// text-edit record from what was read.
#include "ATextEntry.h"

#include "AStream.h"
#include "ATextEntryPrivate.h"
#include "CoreAttrList.h"
#include "PaneStream.h"
#include "XError.h"

#include <cstring>
#include <string>
#include <vector>

namespace {
APortable* MakeTextEntry() {
    return new ATextEntry;
}
const bool kRegistered = (ATextEntry::PCRegister(), true);
} // namespace

PaneTextClass KsTextEntryPaneTextRow(const char* name, APane* (*make)()) {
    PaneTextClass row;
    row.name = name;
    row.make = make;
    row.addProps = {
        [](APane* p, CoreAttrList* l) { p->AddPropsToList(l); },
        [](APane* p, CoreAttrList* l) { static_cast<AScrollablePane*>(p)->AddPropsToList(l); },
        [](APane* p, CoreAttrList* l) { static_cast<ATextEntry*>(p)->AddPropsToList(l); }};
    row.getProps = {
        [](APane* p, CoreAttrList* l) { p->GetPropsFromList(l); },
        [](APane* p, CoreAttrList* l) { static_cast<AScrollablePane*>(p)->GetPropsFromList(l); },
        [](APane* p, CoreAttrList* l) { static_cast<ATextEntry*>(p)->GetPropsFromList(l); }};
    row.subs = PaneTextSubs::subs;
    return row;
}

void ATextEntry::PCRegister() {
    PClassAdd(kClassID, kClassInfo.name, MakeTextEntry);
    PaneTextRegisterClass(KsTextEntryPaneTextRow(
        kClassInfo.name, [] { return static_cast<APane*>(new ATextEntry); }));
}

void ATextEntry::Put(AStream& s) {
    (void)kRegistered;
    AScrollablePane::Put(s);
    s.PutClassMark(kClassID, kVersion);
    s.PutBool("clickSelects", clickSelects);
    s.PutBool("readOnly", readOnly);
    s.PutBool("crCloses", crCloses);
    s.PutBool("fitTextInX", fitTextInX);
    s.PutShort("minDestWid", minDestWid);
    const std::string text = GetString();
    s.PutLong("textlen", SInt32(text.size()));
    // The text and its terminator.
    s.PutBytes("text", text.c_str(), long(text.size()) + 1);
}

void ATextEntry::Get(AStream& s) {
    AScrollablePane::Get(s);
    s.GetClassMark(kClassID, 1, kVersion);
    clickSelects = s.GetBool("clickSelects");
    readOnly = s.GetBool("readOnly");
    crCloses = s.GetBool("crCloses");
    fitTextInX = s.GetBool("fitTextInX");
    minDestWid = s.GetShort("minDestWid");
    const SInt32 len = s.GetLong("textlen");
    // The stored length sizes the buffer: it must be one the stream can hold.
    const long left = s.GetLength() - s.GetPosition();
    if (len < 0 || long(len) >= left)
        xraisexerror(kStrmCorrupt, "str label", "textlen", "long length", long(len), "long left",
                     left);
    std::vector<char> buf(size_t(len) + 1);
    const long got = s.GetBytes("text", buf.data(), long(buf.size()));
    if (got != long(len) + 1)
        xraisexerror(kStrmCorrupt, "str label", "text", "long length", got, "long textlen",
                     long(len));
    // The text ends at its terminator or at the block's end.
    const size_t n = strnlen(buf.data(), size_t(len));
    FinishGet(std::string(buf.data(), n).c_str());
}

void ATextEntry::AddPropsToList(CoreAttrList* l) {
    // The pane's body text holds the field's font and justification but no
    // text, and the pane writes no empty body text: write its keys here so
    // that the pane's reader brings the font back.
    if (!l->Has("bt.ver")) {
        SInt16 font = 0, size = 12, face = 0;
        APane::GetFontSizeFace(&font, &size, &face);
        l->SetSInt32("bt.ver", 1);
        l->SetText("bt.fnt", ("#" + std::to_string(font)).c_str());
        l->SetSInt32("bt.sze", size);
        l->SetSInt32("bt.fce", face);
        l->SetSInt32("bt.jst", GetJust(nullptr));
        l->SetText("bt.str", "");
    }
    l->SetBool("clikSels", clickSelects);
    l->SetBool("readOnly", readOnly);
    l->SetBool("crCloses", crCloses);
    l->SetBool("fitTextX", fitTextInX);
    l->SetSInt16("minDWid", minDestWid);
    const std::string text = GetString();
    if (!text.empty()) {
        l->SetSInt32("textlen", SInt32(text.size()));
        l->SetText("text", text.c_str());
    }
}

void ATextEntry::GetPropsFromList(CoreAttrList* l) {
    clickSelects = l->GetBool("clikSels", true);
    readOnly = l->GetBool("readOnly", false);
    crCloses = l->GetBool("crCloses", true);
    fitTextInX = l->GetBool("fitTextX", false);
    minDestWid = l->GetSInt16("minDWid", 0);
    const char* text = l->GetText("text", "");
    FinishGet(text);
}

void ATextEntry::FinishGet(const char* text) {
    autoLimitPane = GetEnclPane();
    const KsRect in = GetInterior();
    CreateMacTE(in, in);
    SetReadOnly(readOnly);
    SetFitTextInX(fitTextInX);
    SetCrCloses(crCloses);
    SetHandlesMenus(true);
    SetJust(GetJust(nullptr));
    if (text && *text) SetCstr(text);
    InteriorChanged(GetInterior());
}
