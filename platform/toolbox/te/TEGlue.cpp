// The glue: the application's one active record, which the Edit menu and the
// caret blink act on, and the calls the framework's text fields make.
#include "TEPrivate.h"
#include "TETextInputPrivate.h"

#include "Scrap.h"

namespace {

// Only the active record is kept; it is forgotten when deactivated or disposed.
struct ActiveRecord {
    TEHandle te = nullptr;
    void* owner = nullptr;
};

ActiveRecord& Active() {
    static ActiveRecord active;
    return active;
}

TEHandle Current() {
    TEHandle te = Active().te;
    return KsTEIsLive(te) ? te : nullptr;
}

// Old callers pass 32767 for "the end".
SInt32 OldEnd(SInt32 offset, SInt32 length) {
    return offset >= 32767 ? length : offset;
}

} // namespace

void TEGlueForget(TEHandle te) {
    if (Active().te != te) return;
    Active() = {};
    TETextInputDetach(te);
}

void KsTEActivate(TEHandle te, void* owner) {
    if (!KsTEIsLive(te)) return;
    Active() = {te, owner};
    TEActivate(te);
    TETextInputAttach(te);
}

void KsTEDeactivate(TEHandle te) {
    if (!KsTEIsLive(te)) return;
    TEDeactivate(te);
    TEGlueForget(te);
}

Boolean KsTEIsActive() {
    return Current() != nullptr;
}

TEHandle KsTEActiveRecord() {
    return Current();
}

void KsTEClick(Point where, Boolean extend, TEHandle te, Boolean autoScroll, void*) {
    TERec* r = TERecOf(te);
    if (!r || !r->active) return; // an inactive record is activated by its owner first
    TEClick(where, extend, te);
    if (autoScroll) TEScrollIntoView(*r);
}

void KsTEKey(SInt16 charCode, TEHandle te, Boolean autoScroll, void*) {
    TERec* r = TERecOf(te);
    if (!r || !r->active) return;
    TEKey(charCode, te);
    if (autoScroll) TEScrollIntoView(*r);
}

void KsTEUpdate(const Rect* r, TEHandle te) {
    TEUpdate(r, te);
}

void KsTEIdle() {
    // Asked on every event; mostly no record is active and nothing blinks.
    if (!Active().te) return;
    TEIdle(Current());
}

void KsTECut() {
    TECut(Current());
}

void KsTECopy() {
    TECopy(Current());
}

void KsTEPaste() {
    TEPaste(Current());
}

void KsTEDelete() {
    TEClear(Current());
}

void KsTEUndo() {
    KsTEUndo(Current());
}

void KsTERedo() {
    KsTERedo(Current());
}

void KsTESetSelect(SInt32 selStart, SInt32 selEnd) {
    TEHandle te = Current();
    if (!te) return;
    const SInt32 length = TEGetTextLength(te);
    TESetSelect(OldEnd(selStart, length), OldEnd(selEnd, length), te);
}

KsTEEditState KsTEGetEditState() {
    KsTEEditState s;
    TEHandle te = Current();
    TERec* r = TERecOf(te);
    if (!r) return s;
    const bool selection = r->selStart != r->selEnd;
    s.undo = KsTECanUndo(te);
    s.redo = KsTECanRedo(te);
    s.copy = selection;
    s.cut = s.clear = selection && !r->readOnly;
    s.paste = !r->readOnly && GetScrap(nullptr, FourCharCode("TEXT"), nullptr) > 0;
    s.selectAll = r->teLength > 0;
    return s;
}
