// ATextEntry: focus and the commit, keys, clicks, Edit menu commands, and
// text that arrives whole (paste, input-method commits).
#include "ATextEntry.h"

#include "AApplication.h"
#include "APanePrivate.h"
#include "ATextEntryPrivate.h"
#include "Events.h"
#include "KsHandle.h"
#include "KsTime.h"
#include "Scrap.h"
#include "Sound.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr SInt16 kReturnChar = 0x0D;
constexpr SInt16 kTabChar = 0x09;
constexpr SInt16 kEnterKey = 0x4C;
constexpr SInt16 kHomeKey = 0x73;
constexpr SInt16 kEndKey = 0x77;
constexpr SInt16 kPageUpKey = 0x74;
constexpr SInt16 kPageDownKey = 0x79;

// Escape and the function keys: they belong to the window and the menus.
bool IsFunctionKey(SInt16 keyCode) {
    switch (keyCode) {
    case 0x35:
    case 0x60:
    case 0x61:
    case 0x62:
    case 0x63:
    case 0x64:
    case 0x65:
    case 0x67:
    case 0x69:
    case 0x6B:
    case 0x6D:
    case 0x6F:
    case 0x71:
    case 0x76:
    case 0x78:
    case 0x7A:
        return true;
    default:
        return false;
    }
}

// Printable in the framework's character set (Mac OS Roman): every byte from
// the space up, but DEL. Bytes from 0x80 are letters and signs, not controls.
bool IsPrintable(UInt8 c) {
    return c >= 0x20 && c != 0x7F;
}

// The final commit runs once: text set inside it is set quietly.
class StFinalCommit {
public:
    explicit StFinalCommit(bool& flag) : flag_(flag), saved_(flag) { flag_ = true; }
    ~StFinalCommit() { flag_ = saved_; }
    StFinalCommit(const StFinalCommit&) = delete;
    StFinalCommit& operator=(const StFinalCommit&) = delete;

private:
    bool& flag_;
    bool saved_;
};

} // namespace

// ---------------------------------------------------------------------------
// Focus and the commit

void ATextEntry::Activate() {
    if (active || displayOnly || !te) {
        selectAllOnActivate = false;
        return;
    }
    AWindow* w = GetEnclWindow();
    // One field per window edits at a time.
    if (w && w->GetActivePane() && w->GetActivePane() != this && w->GetActivePane()->IsActive())
        w->GetActivePane()->Deactivate();
    {
        StTextEntryFocus focus(this);
        KsTEActivate(te, this);
    }
    KsSetTextInputClient(this);
    tsmDocument = this;
    dirty = false;
    active = true;
    if (selectAllOnActivate) SetSelect(0, kTextEnd);
    if (w) {
        w->SetActivePane(this);
        w->SetTargetPane(this);
    }
    selectAllOnActivate = false;
}

void ATextEntry::DeactivateTE() {
    if (!active) return;
    active = false;
    KsReleaseTextInputClient(this);
    tsmDocument = nullptr;
    if (te) {
        StTextEntryFocus focus(this);
        KsTESetComposition(nullptr, 0, 0, te);
        KsTEDeactivate(te);
    }
}

void ATextEntry::Deactivate() {
    if (!active) return;
    DeactivateTE();
    StFinalCommit final(iFinalCommit);
    TextToValue(true, true);
}

void ATextEntry::TabTo() {
    if (clickSelects) selectAllOnActivate = true;
    AScrollablePane::TabTo();
}

void ATextEntry::TabFrom() {
    if (dirty) commitPending = true;
    AScrollablePane::TabFrom();
}

// ---------------------------------------------------------------------------
// Keys

bool ATextEntry::RunFilterHook(SInt16 charCode, SInt16 keyCode, EventRecord* event) {
    if (!filterHook) return false;
    if (event) return filterHook(this, event, filterHookData);
    // A key without an event (typed by program): the hook still gets a
    // whole record, made for this key now.
    EventRecord made{};
    made.what = keyDown;
    made.message = (UInt32(UInt8(keyCode)) << 8) | UInt8(charCode);
    made.when = UInt32(KsGetTicks());
    GetMouse(&made.where);
    made.modifiers = KsGetModifiers();
    return filterHook(this, &made, filterHookData);
}

bool ATextEntry::DoKeyDown(SInt16 charCode, SInt16 keyCode, EventRecord* event, void*) {
    commitPending = false;
    if (!active || !te) return false;
    if (IsFunctionKey(keyCode)) return false;
    if ((charCode == kReturnChar && crCloses) || keyCode == kEnterKey) {
        commitPending = true;
        Deactivate();
        if (crReactivates) Activate();
        return true;
    }
    if (readOnly || charCode == kTabChar) return false;

    StPaneHold hold(this);
    {
        StTextEntryFocus focus(this);
        const bool consumed = RunFilterHook(charCode, keyCode, event);
        if (!consumed && hold.Alive() && te) {
            const UInt8 c = UInt8(charCode);
            if (IsPrintable(c)) {
                if (!LimitText()) {
                    KsTEKey(c, te, !noScroll, this);
                    dirty = true;
                }
            } else if (keyCode == kHomeKey) {
                SetSelect(0, 0);
                dirty = true;
            } else if (keyCode == kEndKey) {
                SetSelect(kTextEnd, kTextEnd);
                dirty = true;
            } else if (keyCode != kPageUpKey && keyCode != kPageDownKey) {
                KsTEKey(c, te, !noScroll, this);
                dirty = true;
            }
        }
    }
    if (hold.Alive() && te) AfterEdit(true);
    return true;
}

void ATextEntry::AfterEdit(bool scroll) {
    AdjustBounds();
    AdjustDestRect();
    if (scroll && !noScroll) ScrollToSelection(true);
    TextToValue(false, true);
    ContentChanged();
}

// ---------------------------------------------------------------------------
// Clicks

void ATextEntry::DoClick(KsPoint pt, SInt16 modifiers, SInt32, void*) {
    if (displayOnly || !te) return;
    KsTextEntryNoteClicked(this);
    const bool extend = (modifiers & shiftKey) != 0;
    if (!active) {
        if (clickSelects) {
            selectAllOnActivate = true;
            Activate();
            return;
        }
        Activate();
    }
    if (!active) return;
    {
        StTextEntryFocus focus(this);
        KsTEClick(ToPoint(pt), extend, te, true, this);
    }
    SyncScrollFromRecord();
}

// ---------------------------------------------------------------------------
// Edit menu commands: performed on this field's record, then laid out and
// notified once, so that the changed hook sees the text after the command.

bool ATextEntry::DoMenuSelect(SInt32, SInt32 item, void*) {
    if (!active || !te || item < kNickUndo || item > kNickClear) return false;
    StPaneHold hold(this);
    bool changed = true;
    {
        StTextEntryFocus focus(this);
        switch (item) {
        case kNickUndo:
            KsTEUndo(te);
            break;
        case kNickRedo:
            KsTERedo(te);
            break;
        case kNickCut:
            changed = !readOnly;
            TECut(te);
            break;
        case kNickCopy:
            changed = false;
            TECopy(te);
            break;
        case kNickPaste:
            changed = false;
            if (GetScrap(nullptr, FourCharCode("TEXT"), nullptr) <= 0) return false;
            PasteFromScrap();
            break;
        case kNickClear:
            changed = !readOnly;
            TEClear(te);
            break;
        default:
            break;
        }
    }
    if (changed && hold.Alive() && te) {
        dirty = true;
        AfterEdit(true);
    }
    return true;
}

void ATextEntry::PasteFromScrap() {
    if (readOnly) return;
    Handle h = KsNewHandle(0);
    if (!h) return;
    SInt32 offset = 0;
    const SInt32 n = GetScrap(h, FourCharCode("TEXT"), &offset);
    std::string text;
    if (n > 0 && *h) text = FilterInsertion(*h, std::min<SInt32>(n, SInt32(KsGetHandleSize(h))));
    KsDisposeHandle(h);
    if (!text.empty()) InsertFiltered(text);
}

// ---------------------------------------------------------------------------
// Text arriving whole

std::string ATextEntry::FilterInsertion(const char* text, SInt32 length) {
    std::string out;
    if (!text || length <= 0) return out;
    out.reserve(size_t(length));
    bool dropped = false;
    for (SInt32 i = 0; i < length; ++i) {
        UInt8 c = UInt8(text[i]);
        // Line ends from elsewhere: CR LF and LF are one Return here.
        if (c == '\n') {
            if (i > 0 && text[i - 1] == '\r') continue;
            c = kReturnChar;
        }
        if (c == kReturnChar && crCloses) {
            // A one-line field keeps the first line.
            dropped = dropped || i + 1 < length;
            break;
        }
        if (!IsPrintable(c) && c != kReturnChar && c != kTabChar) {
            dropped = true;
            continue;
        }
        if (filterHook && RunFilterHook(SInt16(c), 0, nullptr)) continue;
        out.push_back(char(c));
    }
    if (textLimit >= 0) {
        SInt32 s = 0, e = 0;
        KsTEGetSelect(te, &s, &e);
        const SInt32 room = std::max<SInt32>(0, textLimit - (TEGetTextLength(te) - (e - s)));
        if (SInt32(out.size()) > room) {
            out.resize(size_t(room));
            limitReached = true;
            dropped = true;
        }
    }
    if (dropped) SysBeep(5);
    return out;
}

void ATextEntry::InsertFiltered(const std::string& text) {
    if (!te || text.empty()) return;
    {
        StTextEntryFocus focus(this);
        SInt32 s = 0, e = 0;
        KsTEGetSelect(te, &s, &e);
        KsTEReplace(s, e, text.data(), SInt32(text.size()), te);
    }
    dirty = true;
    AfterEdit(true);
}

void ATextEntry::CompositionChanged(const KsComposition& c) {
    if (!active || !te || readOnly) return;
    StTextEntryFocus focus(this);
    KsTESetComposition(c.roman.data(), SInt32(c.roman.size()), c.caret, te);
    if (!focus.ok()) return;
    // The input method's candidates open beside the composition.
    const KsRect caret = KsTEGetCaretRect(te);
    Point topLeft{SInt16(caret.top), SInt16(caret.left)};
    LocalToGlobal(&topLeft);
    KsSetTextInputRect(
        KsRect{topLeft.h, topLeft.v, topLeft.h + caret.Width(), topLeft.v + caret.Height()});
}

void ATextEntry::InsertText(const char* text, std::size_t length) {
    if (!active || !te || readOnly) return;
    {
        StTextEntryFocus focus(this);
        KsTESetComposition(nullptr, 0, 0, te);
    }
    InsertFiltered(FilterInsertion(text, SInt32(std::min<std::size_t>(length, 0x7FFFFFFF))));
}
