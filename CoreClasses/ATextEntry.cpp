// ATextEntry: set-up, the text, options and hooks. Focus, keys and menus are
// in ATextEntryFocus.cpp, layout and drawing in ATextEntryLayout.cpp,
// persistence in ATextEntryStream.cpp.
#include "ATextEntry.h"

#include "ATextEntryPrivate.h"
#include "AWindow.h"
#include "Cursors.h"
#include "KsPortSavers.h"
#include "QuickDraw.h"
#include "Sound.h"
#include "Windows.h"

#include <algorithm>
#include <cstring>

bool ATextEntry::limitReached = false;

namespace {
// The most recently clicked field; forgotten when it goes.
ATextEntry* gLastClicked = nullptr;
} // namespace

void KsTextEntryNoteClicked(ATextEntry* field) {
    gLastClicked = field;
}

ATextEntry* ATextEntry::LastClicked() {
    return gLastClicked;
}

ATextEntry* ATextEntry::New(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top,
                            SInt16 bot, SInt16 hei, const char* text, bool styled) {
    auto* p = new ATextEntry;
    try {
        p->ITextEntry(encl, left, right, wid, top, bot, hei, text, styled);
    } catch (...) {
        p->Dispose();
        throw;
    }
    return p;
}

ATextEntry::ATextEntry() : iFocusClip(NewRgn()) {}

ATextEntry::~ATextEntry() {
    KsReleaseTextInputClient(this);
    if (gLastClicked == this) gLastClicked = nullptr;
    if (te) TEDispose(te);
    if (iFocusClip) DisposeRgn(iFocusClip);
}

void ATextEntry::ITextEntry(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top,
                            SInt16 bot, SInt16 hei, const char* text, bool isStyled) {
    autoLimitPane = encl;
    IScrollablePane(encl, left, right, wid, top, bot, hei, RGBwhite, 2);
    APane::SetFontSizeFace(1, 12, normal);
    foreColor = RGBblack;
    styled = isStyled;
    SetHandlesMenus(true);
    SetCanBeTabbedTo(true);
    const KsRect in = GetInterior();
    CreateMacTE(in, in);
    SetClickSelects(true);
    SetReadOnly(false);
    SetDisplayOnly(false);
    SetFitTextInX(false);
    SetCrCloses(true);
    SetCrReactivates(false);
    active = false;
    if (text) SetCstr(text);
}

void ATextEntry::Dispose() {
    if (active) DeactivateTE();
    KsReleaseTextInputClient(this);
    if (gLastClicked == this) gLastClicked = nullptr;
    if (te) {
        TEDispose(te);
        te = nullptr;
    }
    AScrollablePane::Dispose();
}

AObject* ATextEntry::Copy() {
    auto* c = static_cast<ATextEntry*>(AScrollablePane::Copy());
    // What the stream does not carry.
    c->noScroll = noScroll;
    c->crReactivates = crReactivates;
    c->changedHook = changedHook;
    c->changedHookData = changedHookData;
    c->filterHook = filterHook;
    c->filterHookData = filterHookData;
    c->valUpdateProc = valUpdateProc;
    c->valueRefCon = valueRefCon;
    c->valRefConProc = valRefConProc;
    c->foreColor = foreColor;
    c->autoSizesH = autoSizesH;
    c->autoSizesV = autoSizesV;
    c->autoMinLines = autoMinLines;
    c->autoMaxLines = autoMaxLines;
    c->autoMinWid = autoMinWid;
    c->autoMaxWid = autoMaxWid;
    c->textLimit = textLimit;
    c->useExplicitColors = useExplicitColors;
    return c;
}

// ---------------------------------------------------------------------------
// The record

void ATextEntry::FontOf(SInt16* font, SInt16* size, SInt16* face) const {
    APane::GetFontSizeFace(font, size, face);
}

void ATextEntry::CreateMacTE(const KsRect& dest, const KsRect& view) {
    std::string text;
    SInt32 selStart = 0, selEnd = 0;
    if (te) {
        if (active) DeactivateTE();
        text = GetString();
        KsTEGetSelect(te, &selStart, &selEnd);
        TEDispose(te);
        te = nullptr;
    }
    AWindow* w = GetEnclWindow();
    StPortSaver port;
    if (w && w->GetWindowPtr())
        SetPortWindowPort(w->GetWindowPtr());
    else if (!KsGetPort())
        KsSetPort(KsMeasuringPort());
    SInt16 font = 0, size = 12, face = 0;
    FontOf(&font, &size, &face);
    StTextStateSaver textState;
    StColorPenSaver pen;
    TextFont(font);
    TextSize(size);
    TextFace(Style(face));
    const RGBColor fg = ToRGBColor(foreColor);
    RGBForeColor(&fg);
    iDest = dest;
    te = KsTENew(dest, view, styled);
    if (!te) return;
    KsTESetBreaks(fitTextInX ? TEBreaks::kWordWrap : TEBreaks::kReturnOnly, te);
    TESetAlignment(GetJust(nullptr), te);
    KsTESetReadOnly(readOnly, te);
    KsTESetFocusProc(te, FocusProc, this);
    if (!text.empty()) {
        TESetText(text.data(), SInt32(text.size()), te);
        TESetSelect(selStart, selEnd, te);
    }
}

std::string ATextEntry::GetString() const {
    const char* p = te ? KsTETextPtr(te) : nullptr;
    return p ? std::string(p, size_t(TEGetTextLength(te))) : std::string();
}

// ---------------------------------------------------------------------------
// Text

void ATextEntry::SetCstr(const char* text) {
    SetTextBuf(text ? text : "", text ? SInt32(std::strlen(text)) : 0);
}

void ATextEntry::SetText(const char* text) {
    SetCstr(text);
}

SInt32 ATextEntry::GetCstr(char* buf, SInt32 max) const {
    if (!buf || max <= 0) return 0;
    const SInt32 n = te ? KsTEGetText(te, buf, max - 1) : 0;
    buf[n] = 0;
    return n;
}

SInt32 ATextEntry::GetText(char* buf, SInt32 len) const {
    return GetCstr(buf, len);
}

SInt32 ATextEntry::GetTextLen() const {
    return te ? TEGetTextLength(te) : 0;
}

void ATextEntry::SetTextBuf(const char* buf, SInt32 length) {
    refreshPending = false;
    if (!te) return;
    if (!buf || length < 0) length = 0;
    const SInt32 cur = TEGetTextLength(te);
    if (cur == length && (length == 0 || std::memcmp(KsTETextPtr(te), buf, size_t(length)) == 0))
        return;
    if (active) DeactivateTE();
    TESetText(buf, length, te);
    if (IsVisible()) InvalInterior();
    AdjustBounds();
    AdjustDestRect();
    // Inside the final commit the text is being put into canonical form:
    // the host heard the final value already.
    TextToValue(false, !iFinalCommit);
    ContentChanged();
}

void ATextEntry::SetSelect(SInt32 start, SInt32 end) {
    if (!te) return;
    const SInt32 len = TEGetTextLength(te);
    TESetSelect(start >= kTextEnd ? len : start, end >= kTextEnd ? len : end, te);
}

void ATextEntry::GetSelect(SInt32* start, SInt32* end) const {
    SInt32 s = 0, e = 0;
    if (te) KsTEGetSelect(te, &s, &e);
    if (start) *start = s;
    if (end) *end = e;
}

SInt32 ATextEntry::GetNumLines() const {
    return te ? TEGetLineCount(te) : 0;
}

// ---------------------------------------------------------------------------
// Options

void ATextEntry::SetClickSelects(bool on) {
    clickSelects = on;
}
void ATextEntry::SetNoScroll(bool on) {
    noScroll = on;
}
void ATextEntry::SetCrReactivates(bool on) {
    crReactivates = on;
}
// Return handling lives in DoKeyDown: with crCloses it ends editing there,
// without it the record takes it as a line break.
void ATextEntry::SetCrCloses(bool on) {
    crCloses = on;
}

void ATextEntry::SetReadOnly(bool on) {
    readOnly = on;
    if (te) KsTESetReadOnly(on, te);
    if (on) clickSelects = true;
}

void ATextEntry::SetCrOnly(bool on) {
    if (te) KsTESetBreaks(on ? TEBreaks::kReturnOnly : TEBreaks::kWordWrap, te);
    InvalInterior();
}

void ATextEntry::SetFitTextInX(bool on) {
    fitTextInX = on;
    SetCrOnly(!on);
    AdjustDestRect();
    InvalInterior();
}

void ATextEntry::SetMinDestWid(SInt16 width) {
    if (width == minDestWid) return;
    minDestWid = width;
    InvalInterior();
    InteriorChanged(GetInterior());
}

void ATextEntry::SetTextLimit(SInt16 n) {
    textLimit = n;
}

bool ATextEntry::LimitText() {
    if (textLimit < 0 || !te) return false;
    SInt32 s = 0, e = 0;
    KsTEGetSelect(te, &s, &e);
    if (s != e || TEGetTextLength(te) < textLimit) return false;
    SysBeep(5);
    limitReached = true;
    return true;
}

// ---------------------------------------------------------------------------
// Hooks and values

void ATextEntry::TextToValue(bool final, bool notify) {
    if (changedHook && notify) changedHook(this, changedHookData, final);
    commitPending = false;
}

void ATextEntry::SetValChangedHookRtn(ATextEntryChangedHook hook, void* data) {
    changedHook = hook;
    changedHookData = data;
}
void ATextEntry::SetValFilterHookRtn(ATextEntryFilterHook hook, void* data) {
    filterHook = hook;
    filterHookData = data;
}
void ATextEntry::SetValUpdateProc(AGadgetValUpdateProc proc) {
    valUpdateProc = proc;
}
void ATextEntry::UpdateValues(SInt32 value, void* data) {
    if (valUpdateProc) valUpdateProc(value, this, data);
}
void ATextEntry::SetValueRefCon(SInt32 refCon) {
    valueRefCon = refCon;
}
SInt32 ATextEntry::GetValueRefCon() const {
    return valueRefCon;
}
bool ATextEntry::HasValueRefCon(SInt32 value) {
    return valRefConProc ? valRefConProc(this, value) : valueRefCon == value;
}
void ATextEntry::SetValRefConProc(AGadgetValRefConProc proc) {
    valRefConProc = proc;
}

// ---------------------------------------------------------------------------
// Colours and growth settings

void ATextEntry::SetForeColor(const KsRGBColor& color) {
    SetDisplayOnly(true);
    foreColor = color;
    if (te) {
        TETextStyle st;
        st.tsColor = ToRGBColor(color);
        KsTESetStyle(doColor, st, false, te);
    }
    InvalInterior();
}

void ATextEntry::SetUseExplicitColors(bool on) {
    useExplicitColors = on;
}

void ATextEntry::SetAutoSizesH(autosizeTE_t mode) {
    autoSizesH = mode;
    AdjustBounds();
    AdjustDestRect();
}
void ATextEntry::SetAutoSizesV(autosizeTE_t mode) {
    autoSizesV = mode;
    if (mode != kTEAutoNone) SetFitTextInX(true);
    AdjustBounds();
    AdjustDestRect();
}
void ATextEntry::SetAutoMinLines(SInt16 n) {
    autoMinLines = n;
    AdjustBounds();
    AdjustDestRect();
}
void ATextEntry::SetAutoMaxLines(SInt16 n) {
    autoMaxLines = n;
    AdjustBounds();
    AdjustDestRect();
}
void ATextEntry::SetAutoMinWid(SInt16 w) {
    autoMinWid = w;
    AdjustBounds();
    AdjustDestRect();
}
void ATextEntry::SetAutoMaxWid(SInt16 w) {
    autoMaxWid = w;
    AdjustBounds();
    AdjustDestRect();
}
void ATextEntry::SetAutoLimitPane(APane* pane) {
    autoLimitPane = pane;
    AdjustBounds();
    AdjustDestRect();
}

// ---------------------------------------------------------------------------
// Pane settings the record follows

void ATextEntry::SetFontSizeFace(SInt16 font, SInt16 size, SInt16 face) {
    APane::SetFontSizeFace(font, size, face);
    if (!te) return;
    TETextStyle st;
    st.tsFont = font;
    st.tsSize = size;
    st.tsFace = Style(face);
    SInt32 s = 0, e = 0;
    KsTEGetSelect(te, &s, &e);
    // A styled record styles its selection: the whole text takes the font.
    if (styled) TESetSelect(0, TEGetTextLength(te), te);
    KsTESetStyle(doFont | doFace | doSize, st, false, te);
    if (styled) TESetSelect(s, e, te);
    AdjustBounds();
    AdjustDestRect();
    InvalInterior();
}

void ATextEntry::GetFontSizeFace(SInt16* font, SInt16* size, SInt16* face) const {
    APane::GetFontSizeFace(font, size, face);
}

void ATextEntry::SetJust(SInt16 just) {
    APane::SetJust(just);
    if (!te) return;
    TESetAlignment(just, te);
    AdjustDestRect();
}

void ATextEntry::SetVisible(bool on) {
    // A hidden field cannot be edited: editing ends, with its commit.
    if (!on && active) Deactivate();
    AScrollablePane::SetVisible(on);
}

void ATextEntry::SetEnclWindow(AWindow* window) {
    AScrollablePane::SetEnclWindow(window);
    // A field read from a stream meets its enclosure here.
    if (!autoLimitPane) autoLimitPane = GetEnclPane();
    // The record draws into the port it was made in: follow the window.
    if (te && window && window->GetWindowPtr()) {
        StPortSaver port;
        SetPortWindowPort(window->GetWindowPtr());
        if ((*te)->inPort != KsGetPort()) CreateMacTE(iDest, GetInterior());
    }
}

void ATextEntry::Dawdle(KsPoint pt, SInt16 modifiers, SInt32* sleep, SInt16* cursorID, void* data) {
    if (!displayOnly && cursorID && GetInterior().Contains(pt)) {
        *cursorID = iBeamCursor;
        return;
    }
    AScrollablePane::Dawdle(pt, modifiers, sleep, cursorID, data);
}
