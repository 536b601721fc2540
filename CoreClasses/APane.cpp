// APane: construction, the tree, identity, texts and flags.
//
// Sections: class data and helpers; creation and disposal; tree operations;
// hierarchy values; copy and incorporate; identity; texts; flags.
#include "APane.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "APanePrivate.h"
#include "AWindow.h"
#include "KsDrawUtils.h"
#include "KsFatal.h"
#include "KsHandle.h"
#include "KsOutput.h"
#include "MacText.h"
#include "QuickDraw.h"
#include "Windows.h"
#include "XError.h"

APaneDisposeProc APane::iQAPdisposeCallback = nullptr;
long APane::liveCount = 0;
long APane::nextPaneNumber = 0;

// ---------------------------------------------------------------------------
// Helpers

AWindow* KsCurrentWindowObj() {
    GrafPtr port = KsGetPort();
    if (!port) return nullptr;
    WindowPtr w = KsWindowOfPort(port);
    return w ? GetWindowObj(w) : nullptr;
}

void KsRegisterPaneMessages() {
    static bool done = false;
    if (done) return;
    done = true;
    static const EMMessage kMessages[] = {
        {"UIS_PANE_RSRC_NOT_FOUND", "The pane resource \"{name}\" ({id}) was not found.", nullptr},
        {"UIS_PANE_BAD_COORDS", "Invalid pane placement: {which} ({a}, {b}, {c}).", nullptr},
        {"UIS_PANE_NO_PLACE", "A pane without an enclosure or a window cannot be placed.", nullptr},
        {"UIS_PANE_BAD_ENCLOSURE", "A pane cannot be moved into itself or one of its sub-panes.",
         nullptr},
        {"UIS_PANE_BAD_DATA", "The pane data is damaged: {what}.", nullptr},
    };
    EMRegisterMessages(kMessages, int(sizeof kMessages / sizeof kMessages[0]));
}

void KsDisposePaneItem(void* item) {
    if (item) static_cast<APane*>(item)->Dispose();
}

void StPaneHold::Release(APane* pane) {
    pane->AObject::Dispose();
}

namespace {
// True when p is pane or lies below it.
bool IsInSubtree(const APane* pane, const APane* p) {
    for (; p; p = p->GetEnclPane())
        if (p == pane) return true;
    return false;
}

// Stores the window in the pane and its whole subtree, without drawing.
// Panes leaving a window are forgotten by it.
void SetWindowOfSubtree(APane* pane, AWindow* w, AWindow* (*get)(APane*),
                        void (*set)(APane*, AWindow*)) {
    AWindow* old = get(pane);
    if (old && old != w && KsIsLiveWindow(old)) old->ForgetPane(pane);
    set(pane, w);
    const SInt32 n = pane->GetNumSubPanes();
    for (SInt32 i = 1; i <= n; ++i)
        SetWindowOfSubtree(pane->GetSubPane(i), w, get, set);
}
} // namespace

// ---------------------------------------------------------------------------
// Creation and disposal

APane::APane() : APane(HitTest::kStandard) {}

APane::APane(HitTest kind) : iOwnHitTest(kind == HitTest::kOwn) {
    ++liveCount;
    bkgdColor = RGBgray8;
    itsEnclWindow = KsCurrentWindowObj();
}

APane::~APane() {
    FreeSubTable(iSubTable);
}

long APane::GetLivePaneCount() {
    return liveCount;
}

APane* APane::New(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top, SInt16 bot,
                  SInt16 hei, const KsRGBColor& color, SInt32 borderStyle) {
    auto* p = new APane;
    try {
        p->IPane(encl, left, right, wid, top, bot, hei, color, borderStyle);
    } catch (...) {
        p->Dispose();
        throw;
    }
    return p;
}

void APane::IPane(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top, SInt16 bot,
                  SInt16 hei, const KsRGBColor& color, SInt32 borderStyle) {
    bkgdColor = color;
    border = RestrictBorderStyle(borderStyle);
    itsEnclWindow = KsCurrentWindowObj();
    if (encl) {
        encl->AddSubPane(this);
        encl->ResetHierValues(true);
    }
    Place(left, right, wid, top, bot, hei);
    IObject();
}

void APane::Dispose() {
    if (disposed) return;
    disposed = true;
    if (iQAPdisposeCallback) iQAPdisposeCallback(this);
    delete helpText;
    helpText = nullptr;
    delete label;
    label = nullptr;
    if (APane* encl = itsEnclPane) {
        encl->RemoveSubPane(this);
        encl->ResetHierValues(true);
    }
    if (CKsList* list = subPanes) {
        subPanes = nullptr;
        NoteSubPanesChanged();
        list->DisposeAll(KsDisposePaneItem);
    }
    if (itsEnclWindow && KsIsLiveWindow(itsEnclWindow)) itsEnclWindow->ForgetPane(this);
    itsEnclWindow = nullptr;
    delete bodyText;
    bodyText = nullptr;
    KsDisposeHandle(iPaneID);
    iPaneID = nullptr;
    ReleaseBkgdHandle();
    --liveCount;
    if (holdCount == 0) AObject::Dispose();
}

// ---------------------------------------------------------------------------
// Tree operations

SInt32 APane::GetNumSubPanes() const {
    return subPanes ? subPanes->GetCount() : 0;
}

APane* APane::GetSubPane(SInt32 index) const {
    return subPanes ? static_cast<APane*>(subPanes->At(index)) : nullptr;
}

void APane::AddSubPane(APane* pane) {
    if (!pane) return;
    KsRegisterPaneMessages();
    // A pane inside its own subtree would own itself.
    if (IsInSubtree(pane, this)) xraisexerror("UIS_PANE_BAD_ENCLOSURE");
    if (APane* old = pane->itsEnclPane) {
        old->RemoveSubPane(pane);
        if (old != this) old->ResetHierValues(true);
    }
    if (!subPanes) subPanes = new CKsList;
    subPanes->Append(pane);
    ReserveSubTable();
    NoteSubPanesChanged();
    pane->itsEnclPane = this;
    SetWindowOfSubtree(
        pane, itsEnclWindow, [](APane* p) { return p->itsEnclWindow; },
        [](APane* p, AWindow* w) { p->itsEnclWindow = w; });
}

void APane::RemoveSubPane(APane* pane) {
    if (!pane) return;
    if (subPanes) subPanes->Remove(pane);
    NoteSubPanesChanged();
    pane->itsEnclPane = nullptr;
}

void APane::SetEnclosure(APane* newEncl) {
    if (newEncl == this) return;
    KsRegisterPaneMessages();
    if (newEncl && IsInSubtree(this, newEncl)) xraisexerror("UIS_PANE_BAD_ENCLOSURE");
    KsPoint pos = GetLogicalTopLeft();
    if (APane* old = itsEnclPane) {
        Inval();
        const KsRect oldInterior = old->GetInterior();
        MovePaneTo(pos.h - oldInterior.left, pos.v - oldInterior.top);
        old->RemoveSubPane(this);
        old->ResetHierValues(true);
        pos = GetLogicalTopLeft();
    }
    if (newEncl) {
        newEncl->AddSubPane(this);
        const KsRect in = newEncl->GetInterior();
        MovePaneTo(in.left + pos.h, in.top + pos.v);
        newEncl->ResetHierValues(true);
    }
}

void APane::SetEnclWindow(AWindow* window) {
    if (window == itsEnclWindow) return;
    Inval();
    if (itsEnclWindow && KsIsLiveWindow(itsEnclWindow)) itsEnclWindow->ForgetPane(this);
    itsEnclWindow = window;
    InteriorChanged(GetInterior());
    const SInt32 n = GetNumSubPanes();
    for (SInt32 i = 1; i <= n; ++i)
        GetSubPane(i)->SetEnclWindow(window);
    Inval();
}

void APane::ForEachSubPane(APaneForEachProc fn, void* a, void* b) {
    if (!fn) return;
    StPaneHold hold(this);
    if (!fn(this, a, b) || !hold.Alive() || !subPanes) return;
    AListIterator it(*subPanes);
    APane* sub = nullptr;
    while (it.Next(&sub))
        sub->ForEachSubPane(fn, a, b);
}

void APane::DeleteSubPanes() {
    if (CKsList* list = subPanes) {
        subPanes = nullptr;
        NoteSubPanesChanged();
        list->DisposeAll(KsDisposePaneItem);
        RecomputeHierValues();
    }
}

bool APane::AnalyzeSubPanes(SInt32* count, APane** lastSelected, void*) {
    struct Tally {
        SInt32 n = 0;
        APane* last = nullptr;
    } tally;
    ForEachSubPane(
        [](APane* p, void* t, void*) {
            if (p->GetSelected()) {
                ++static_cast<Tally*>(t)->n;
                static_cast<Tally*>(t)->last = p;
            }
            return true;
        },
        &tally, nullptr);
    if (count) *count = tally.n;
    if (lastSelected) *lastSelected = tally.last;
    return false;
}

void APane::BringToFront() {
    if (itsEnclPane && itsEnclPane->subPanes) {
        itsEnclPane->subPanes->SendBack(this);
        itsEnclPane->NoteSubPanesChanged();
        itsEnclPane->subPanes->Renumber();
    }
}

void APane::SendToBack() {
    if (itsEnclPane && itsEnclPane->subPanes) {
        itsEnclPane->subPanes->BringFront(this);
        itsEnclPane->NoteSubPanesChanged();
        itsEnclPane->subPanes->Renumber();
    }
}

// ---------------------------------------------------------------------------
// Hierarchy values: each pane's own setting, OR'ed with its sub-panes'.

void APane::RecomputeHierValues() {
    bool dawdle = ownAlwaysDawdle, menus = ownHandlesMenus, update = ownUpdatesMenus;
    const SInt32 n = GetNumSubPanes();
    for (SInt32 i = 1; i <= n; ++i) {
        const APane* p = GetSubPane(i);
        dawdle = dawdle || p->alwaysDawdle;
        menus = menus || p->handlesMenus;
        update = update || p->updatesMenus;
    }
    if (alwaysDawdle != dawdle) {
        alwaysDawdle = dawdle;
        NoteScanFieldsChanged();
    }
    handlesMenus = menus;
    updatesMenus = update;
}

void APane::ResetHierValues(bool propagate) {
    for (APane* p = this; p; p = propagate ? p->itsEnclPane : nullptr) {
        const bool d = p->alwaysDawdle, h = p->handlesMenus, u = p->updatesMenus;
        p->RecomputeHierValues();
        // Nothing changed here, so nothing can change further out.
        if (p != this && d == p->alwaysDawdle && h == p->handlesMenus && u == p->updatesMenus)
            break;
    }
}

void APane::SetAlwaysDawdle(bool on) {
    if (ownAlwaysDawdle == on) return;
    ownAlwaysDawdle = on;
    ResetHierValues(true);
}

void APane::SetHandlesMenus(bool on) {
    if (ownHandlesMenus == on) return;
    ownHandlesMenus = on;
    ResetHierValues(true);
}

void APane::SetUpdatesMenus(bool on) {
    if (ownUpdatesMenus == on) return;
    ownUpdatesMenus = on;
    ResetHierValues(true);
}

// ---------------------------------------------------------------------------
// Copy and incorporate

AObject* APane::Copy() {
    auto* copy = static_cast<APane*>(APortable::Copy());
    // The settings a stream does not carry, copied pane by pane over the two
    // trees, which have the same shape.
    struct Walk {
        static void Run(APane* from, APane* to) {
            to->drawProc = from->drawProc;
            to->bkgdProc = from->bkgdProc;
            to->borderProc = from->borderProc;
            to->dragMsgProc = from->dragMsgProc;
            to->dataHandle = from->dataHandle;
            to->clickInLabel = from->clickInLabel;
            to->inheritIntensity = from->inheritIntensity;
            to->ownAlwaysDawdle = from->ownAlwaysDawdle;
            to->ownHandlesMenus = from->ownHandlesMenus;
            to->ownUpdatesMenus = from->ownUpdatesMenus;
            to->refNum = 0;
            to->iFlags &= ~UInt32(kPaneSelected);
            to->drawRgn.SetEmpty();
            const SInt32 n = from->GetNumSubPanes();
            if (n != to->GetNumSubPanes()) return;
            for (SInt32 i = 1; i <= n; ++i)
                Run(from->GetSubPane(i), to->GetSubPane(i));
            to->RecomputeHierValues();
        }
    };
    Walk::Run(this, copy);
    copy->itsEnclPane = nullptr;
    copy->itsEnclWindow = itsEnclWindow;
    copy->active = false;
    return copy;
}

void APane::Incorporate(APane* other) {
    if (!other) return;
    KsRegisterPaneMessages();
    // Taking over a pane of one's own subtree, or an enclosure, would dispose
    // of what is being built.
    if (other == this || IsInSubtree(this, other) || IsInSubtree(other, this))
        xraisexerror("UIS_PANE_BAD_ENCLOSURE");
    SetBorderStyle(other->border);
    SetVisible(other->visible);
    SetDrawsBackground(other->drawsBackground);
    SetInheritsBkgd(other->GetFlag(kPaneInheritsBkgd), 0);
    SetSizingAttrs(other->GetSizingAttrs());
    SetDefaultsCursor(other->defaultsCursor);
    SetDisplayOnly(other->displayOnly);
    if (other->updatesMenus) SetUpdatesMenus(true);
    if (other->handlesMenus) SetHandlesMenus(true);
    if (other->alwaysDawdle) SetAlwaysDawdle(true);
    SInt16 font = 0, size = 0, face = 0;
    other->GetFontSizeFace(&font, &size, &face);
    SetFontSizeFace(font, size, face);
    delete helpText;
    helpText = other->helpText ? other->helpText->CopyText() : nullptr;
    delete bodyText;
    bodyText = other->bodyText ? other->bodyText->CopyText() : nullptr;
    SetJust(other->GetJust(nullptr));
    SInt16 id = 0;
    OSType type = 0;
    KsRGBColor color{};
    other->GetBkgdInfo(&id, &type, nullptr, &color);
    SetBkgdRsrc(id, type);
    SetBkndColor(color);
    if (other->label) AddLabel(other->label->GetText(), other->labeldy ? kLabelAbove : kLabelLeft);
    if (other->iPaneID && **other->iPaneID) SetPaneID(*other->iPaneID);
    const KsPoint at = other->GetLogicalTopLeft();
    MovePaneTo(at.h, at.v);
    Resize(other->GetWidth(), other->GetHeight());
    while (other->GetNumSubPanes() > 0)
        other->GetSubPane(1)->SetEnclosure(this);
    other->Dispose();
}

// ---------------------------------------------------------------------------
// Identity

void APane::SetPaneID(const char* id) {
    if (!id) return;
    if (!*id && !(iFlags & kPaneRealID)) return;
    _SetPaneID(id);
    iFlags |= kPaneRealID;
}

namespace {
// The characters a pane ID cannot hold: ':' joins compound IDs, the others
// are kept out of file names and scripts.
char IDChar(char c) {
    return std::strchr("/:;*?\\'\"()", c) ? '_' : c;
}

// The ID made from the first non-empty of the texts, at most 31 characters,
// control characters made visible; "" without one.
void IDFromTexts(const MacText* const (&texts)[3], char (&buf)[40]) {
    buf[0] = 0;
    for (const MacText* t : texts) {
        if (t && !t->IsEmpty()) {
            t->GetText(buf, 32);
            break;
        }
    }
    for (char* c = buf; *c; ++c)
        if (UInt8(*c) < 0x20) *c = '_';
}

// The numbered form of a generated ID; number null for the preview, which
// takes none.
void NumberedID(const long* number, char (&buf)[40]) {
    if (number)
        std::snprintf(buf, sizeof buf, "\xC7Pane #%ld\xC8", *number);
    else
        std::snprintf(buf, sizeof buf, "\xC7Pane #?\xC8");
}
} // namespace

void APane::_SetPaneID(const char* id) {
    FtlAssert(id != NULL);
    KsDisposeHandle(iPaneID);
    iPaneID = nullptr;
    if (!id || !*id) return;
    const size_t n = std::strlen(id);
    iPaneID = KsNewHandle(Size(n + 1));
    if (!iPaneID) xraisexerror("MEM_LOW");
    char* s = *iPaneID;
    for (size_t i = 0; i < n; ++i)
        s[i] = IDChar(id[i]);
    s[n] = 0;
}

const char* APane::PeekPaneID() {
    if (!iPaneID) {
        ConstructPaneID();
        iFlags &= ~UInt32(kPaneRealID);
    }
    FtlAssert(iPaneID != NULL);
    return iPaneID ? *iPaneID : "";
}

void APane::ConstructPaneID() {
    FtlAssert(iPaneID == NULL);
    char buf[40];
    IDFromTexts({label, bodyText, helpText}, buf);
    if (!buf[0]) {
        NumberedID(&nextPaneNumber, buf);
        ++nextPaneNumber;
    }
    _SetPaneID(buf);
}

void APane::PreviewPaneID(char* buf, SInt32 len) const {
    if (!buf || len < 1) return;
    char made[40];
    if (!iPaneID) {
        // As ConstructPaneID and _SetPaneID would store it.
        IDFromTexts({label, bodyText, helpText}, made);
        for (char* c = made; *c; ++c)
            *c = IDChar(*c);
        if (!made[0]) NumberedID(nullptr, made);
    }
    const char* id = iPaneID ? *iPaneID : made;
    const size_t n = std::min(std::strlen(id), size_t(len - 1));
    std::memcpy(buf, id, n);
    buf[n] = 0;
}

bool APane::GetPaneID(char* buf, SInt32 len) {
    FtlAssert(buf != NULL);
    const char* id = PeekPaneID();
    if (buf && len > 0) {
        const size_t n = std::min(std::strlen(id), size_t(len - 1));
        std::memcpy(buf, id, n);
        buf[n] = 0;
    }
    return (iFlags & kPaneRealID) != 0;
}

APane* APane::FindPaneByID(const char* id) {
    FtlAssert(id != NULL);
    if (!id) return nullptr;
    if (std::strcmp(PeekPaneID(), id) == 0) return this;
    const SInt32 n = GetNumSubPanes();
    for (SInt32 i = 1; i <= n; ++i)
        if (APane* p = GetSubPane(i)->FindPaneByID(id)) return p;
    return nullptr;
}

namespace {
// Matches id against the front of cid up to the next ':'. Answers the
// position after the component (past the ':'), or null when id is not the
// whole component.
const char* MatchComponent(const char* id, const char* cid, bool* complete) {
    size_t i = 0;
    while (cid[i] && cid[i] != ':' && cid[i] == id[i])
        ++i;
    *complete = false;
    if (id[i] != 0 || (cid[i] != 0 && cid[i] != ':')) return nullptr;
    if (cid[i] == 0) {
        *complete = true;
        return cid + i;
    }
    return cid + i + 1;
}
} // namespace

APane* APane::FindByCompoundID(const char* cid) {
    if (!cid) return nullptr;
    bool complete = false;
    const char* rest = MatchComponent(PeekPaneID(), cid, &complete);
    if (complete) return this;
    if (!rest) rest = cid;
    const SInt32 n = GetNumSubPanes();
    for (SInt32 i = 1; i <= n; ++i) {
        APane* sub = GetSubPane(i);
        if (MatchComponent(sub->PeekPaneID(), rest, &complete) && complete) return sub;
    }
    for (SInt32 i = 1; i <= n; ++i)
        if (APane* p = GetSubPane(i)->FindByCompoundID(rest)) return p;
    return nullptr;
}

void APane::DumpPaneID(bool outward) {
    int indent = 0;
    for (APane* p = this; p; p = outward ? p->itsEnclPane : nullptr) {
        dprintf("%*s%s%s \"%s\"\r", indent, "", indent ? "inside " : "", p->ClassName(),
                p->PeekPaneID());
        indent += 4;
    }
}

bool APane::GetDesignMode() const {
    return itsEnclWindow && itsEnclWindow->GetDesignMode();
}

void APane::SetDesignMode(bool on) {
    if (itsEnclWindow) itsEnclWindow->SetDesignMode(on);
}

PaneDow* APane::GetEnclosure() const {
    if (itsEnclPane) return itsEnclPane;
    return itsEnclWindow;
}

bool APane::HandleContextPopup(MenuInfo**, EventRecord, long nick, short menuID) {
    return DoMenuSelect(SInt32(menuID), SInt32(nick), nullptr);
}

// ---------------------------------------------------------------------------
// Texts

void APane::AddLabel(const char* text, SInt16 position) {
    if (!label) label = MacText::New(nullptr, 1, 11, 0);
    if (!text || !*text) {
        SetLabelPosition(kLabelNone);
        delete label;
        label = nullptr;
        return;
    }
    label->SetText(text);
    if (position != kLabelNone) SetLabelPosition(position);
}

bool APane::SetLabelText(const char* text) {
    if (!label || label->Equals(text)) return false;
    label->SetText(text);
    return true;
}

MacText* APane::GetLabel() const {
    return label;
}

void APane::SetHelpRsrc(SInt16 rsrcID, OSType rsrcType) {
    delete helpText;
    helpText = rsrcID ? MacText::NewFromRsrc(rsrcType, rsrcID) : nullptr;
}

void APane::SetHelpText(const char* text) {
    delete helpText;
    helpText = text ? MacText::New(text) : nullptr;
}

// ---------------------------------------------------------------------------
// Flags

bool APane::SetFlag(UInt32 mask, bool on) {
    const bool was = (iFlags & mask) != 0;
    iFlags = on ? (iFlags | mask) : (iFlags & ~mask);
    return was;
}

bool APane::GetFlag(UInt32 mask) const {
    return (iFlags & mask) != 0;
}

void APane::SetStdHandleOver(bool on) {
    SetFlag(kPaneStdHandleOver, on);
}

bool APane::SetTracksInsideOnly(bool on) {
    return SetFlag(kPaneTracksInsideOnly, on);
}

bool APane::GetTracksInsideOnly() const {
    return GetFlag(kPaneTracksInsideOnly);
}

void APane::SetDisplayOnly(bool on) {
    displayOnly = on;
}

void APane::SetDefaultsCursor(bool on) {
    defaultsCursor = on;
}

void APane::SetDrawsBackground(bool on) {
    drawsBackground = on;
}

void APane::SetDrawProc(APaneDrawProc proc) {
    drawProc = proc;
}

void APane::SetBkgdProc(APaneDrawProc proc) {
    bkgdProc = proc;
}

void APane::SetBorderProc(APaneBorderProc proc) {
    borderProc = proc;
}

void APane::SetDragMsgProc(APaneDragMsgProc proc) {
    dragMsgProc = proc;
}

void* APane::GetDataHandle() const {
    for (const APane* p = this; p; p = p->itsEnclPane)
        if (p->dataHandle) return p->dataHandle;
    return nullptr;
}
