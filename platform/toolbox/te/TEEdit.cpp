// Editing: the one replace under every edit, the selection, undo and redo,
// and cut, copy, paste and clear through the scrap.
//
// Undo steps: an edit records what it removed and inserted (with their style
// runs) and the selection before it. A typed character joins the step of the
// characters typed just before it, a Backspace or forward delete the step of
// the same key pressed just before; anything else in between (a click, a
// selection, another kind of edit, undo) ends the step.
#include "Scrap.h"
#include "TEPrivate.h"
#include "TETextInputPrivate.h"

#include "KsHandle.h"

#include <algorithm>
#include <cctype>

namespace {

constexpr ResType kTextType = FourCharCode("TEXT");

// The runs of [start, end) relative to start.
std::vector<TEStyleRun> RunsOf(const TEPrivate& p, SInt32 start, SInt32 end) {
    std::vector<TEStyleRun> out;
    if (start >= end) return out;
    for (std::size_t i = TERunAt(p, start); i < p.runs.size() && p.runs[i].startChar < end; ++i)
        out.push_back({std::max(p.runs[i].startChar, start) - start, p.runs[i].style});
    return out;
}

// The runs after [pos, pos + removed) became `inserted` bytes: the inserted
// text takes the style of the character before it (or after it, at the start).
void ShiftRuns(TEPrivate& p, SInt32 pos, SInt32 removed, SInt32 inserted, SInt32 newLength) {
    for (TEStyleRun& run : p.runs) {
        if (run.startChar > pos + removed)
            run.startChar += inserted - removed;
        else if (run.startChar > pos)
            run.startChar = pos + inserted; // its first characters went
        else if (run.startChar == pos && pos > 0)
            run.startChar = pos + inserted;
    }
    // A run pushed to pos + inserted by the removal and the run that
    // followed it meet at the same place; the later one holds the text.
    TENormaliseRuns(p, newLength);
}

bool Joins(const TEPrivate& p, const TEUndoStep& step, TEEditKind kind) {
    if (kind == TEEditKind::kOther || p.lastKind != kind || p.undo.empty()) return false;
    const TEUndoStep& top = p.undo.back();
    if (top.kind != kind) return false;
    switch (kind) {
    case TEEditKind::kTyping:
        return step.removed.empty() && step.pos == top.pos + SInt32(top.inserted.size());
    case TEEditKind::kBackspace:
        return step.pos + SInt32(step.removed.size()) == top.pos;
    case TEEditKind::kForwardDelete:
        return step.pos == top.pos;
    default:
        return false;
    }
}

void Record(TEPrivate& p, TEUndoStep step) {
    p.redo.clear();
    if (Joins(p, step, step.kind)) {
        TEUndoStep& top = p.undo.back();
        if (step.kind == TEEditKind::kTyping) {
            top.inserted += step.inserted;
        } else if (step.kind == TEEditKind::kBackspace) {
            for (TEStyleRun& run : top.removedRuns)
                run.startChar += SInt32(step.removed.size());
            step.removedRuns.insert(step.removedRuns.end(), top.removedRuns.begin(),
                                    top.removedRuns.end());
            top.removedRuns.swap(step.removedRuns);
            top.removed = step.removed + top.removed;
            top.pos = step.pos;
        } else {
            for (TEStyleRun& run : step.removedRuns)
                run.startChar += SInt32(top.removed.size());
            top.removedRuns.insert(top.removedRuns.end(), step.removedRuns.begin(),
                                   step.removedRuns.end());
            top.removed += step.removed;
        }
        return;
    }
    p.undo.push_back(std::move(step));
    if (p.undo.size() > std::size_t(kTEUndoDepth)) p.undo.erase(p.undo.begin());
}

// The replace itself, without history: text, runs, layout, selection, screen.
void Apply(TERec& r, SInt32 start, SInt32 end, std::string_view text, bool draw) {
    TEPrivate& p = *r.priv;
    const bool hadCaret = r.active && r.caretState && r.selStart == r.selEnd;
    const SInt32 oldCaretLine = hadCaret ? TELineOf(r, r.selStart) : -1;
    const SInt32 removed = end - start, inserted = SInt32(text.size());
    p.text.replace(std::size_t(start), std::size_t(removed), text);
    r.teLength = SInt32(p.text.size());
    ShiftRuns(p, start, removed, inserted, r.teLength);
    // Text of the tallest style may have gone (or come): every line moves then.
    const SInt32 lineHeight = r.lineHeight;
    if (r.styled) TEUpdateLineMetrics(r);
    TELayoutChange change = TELayoutEdit(r, start, removed, inserted);
    if (r.lineHeight != lineHeight) change = {0, TELineCount(r), 1};
    r.selStart = r.selEnd = p.anchor = start + inserted;
    p.goalX = -1;
    if (r.active) {
        r.caretState = true;
        r.caretTime = TickCount();
    }
    if (!draw) return;
    SInt32 first = change.first, last = change.shift != 0 ? TELineCount(r) : change.end;
    if (oldCaretLine >= 0) {
        first = std::min(first, oldCaretLine);
        last = std::max(last, oldCaretLine + 1);
    }
    TERedrawLines(r, first, std::max(last, first + 1));
}

} // namespace

void TEReplaceRange(TERec& r, SInt32 start, SInt32 end, std::string_view text, TEEditKind kind,
                    bool draw) {
    TEPrivate& p = *r.priv;
    start = std::clamp(start, 0, r.teLength);
    end = std::clamp(end, start, r.teLength);
    if (start == end && text.empty()) return;
    TEUndoStep step;
    step.pos = start;
    step.removed.assign(p.text, std::size_t(start), std::size_t(end - start));
    step.removedRuns = RunsOf(p, start, end);
    step.inserted.assign(text);
    step.selStartBefore = r.selStart;
    step.selEndBefore = r.selEnd;
    step.kind = kind;
    Apply(r, start, end, text, draw);
    step.insertedRuns = RunsOf(p, start, start + SInt32(text.size()));
    Record(p, std::move(step));
    p.lastKind = kind;
}

void TESetSelection(TERec& r, SInt32 anchor, SInt32 active, bool draw) {
    TEPrivate& p = *r.priv;
    anchor = std::clamp(anchor, 0, r.teLength);
    active = std::clamp(active, 0, r.teLength);
    const SInt32 a = std::min(anchor, active), b = std::max(anchor, active);
    p.lastKind = TEEditKind::kOther;
    p.anchor = anchor;
    if (a == r.selStart && b == r.selEnd) return;
    const SInt32 oldFirst = TELineOf(r, r.selStart), oldLast = TELineOf(r, r.selEnd);
    r.selStart = a;
    r.selEnd = b;
    if (!r.active) return;
    r.caretState = true;
    r.caretTime = TickCount();
    if (!draw) return;
    const SInt32 first = std::min(oldFirst, TELineOf(r, a));
    const SInt32 last = std::max(oldLast, TELineOf(r, b));
    TERedrawLines(r, first, last + 1);
}

// ---------------------------------------------------------------------------
// Calls

void KsTEReplace(SInt32 start, SInt32 end, const void* text, SInt32 length, TEHandle te) {
    TERec* r = TERecOf(te);
    if (!r) return;
    if (!text || length < 0) length = 0;
    if (end < start) std::swap(start, end);
    TEReplaceRange(
        *r, start, end,
        std::string_view(static_cast<const char*>(text ? text : ""), std::size_t(length)),
        TEEditKind::kOther, true);
}

void KsTEReplaceQuietly(SInt32 start, SInt32 end, const void* text, SInt32 length, TEHandle te) {
    TERec* r = TERecOf(te);
    if (!r) return;
    if (!text || length < 0) length = 0;
    if (end < start) std::swap(start, end);
    start = std::clamp(start, 0, r->teLength);
    end = std::clamp(end, start, r->teLength);
    if (start == end && length == 0) return;
    r->priv->undo.clear();
    r->priv->redo.clear();
    Apply(*r, start, end,
          std::string_view(static_cast<const char*>(text ? text : ""), std::size_t(length)), false);
    r->priv->lastKind = TEEditKind::kOther;
}

void TEInsert(const void* text, SInt32 length, TEHandle te) {
    TERec* r = TERecOf(te);
    if (!r || !text || length <= 0) return;
    const SInt32 selStart = r->selStart, selEnd = r->selEnd;
    TEReplaceRange(*r, selStart, selStart,
                   std::string_view(static_cast<const char*>(text), std::size_t(length)),
                   TEEditKind::kOther, true);
    // The selection moves with the text after the insertion.
    TESetSelection(*r, selStart + length, selEnd + length, true);
}

void TEDelete(TEHandle te) {
    TERec* r = TERecOf(te);
    if (r && r->selStart < r->selEnd)
        TEReplaceRange(*r, r->selStart, r->selEnd, {}, TEEditKind::kOther, true);
}

void TEClear(TEHandle te) {
    TERec* r = TERecOf(te);
    if (r && !r->readOnly) TEDelete(te);
}

void TESetSelect(SInt32 selStart, SInt32 selEnd, TEHandle te) {
    TERec* r = TERecOf(te);
    if (!r) return;
    if (selEnd < selStart) std::swap(selStart, selEnd);
    TESetSelection(*r, selStart, selEnd, true);
}

void KsTEGetSelect(TEHandle te, SInt32* selStart, SInt32* selEnd) {
    TERec* r = TERecOf(te);
    if (selStart) *selStart = r ? r->selStart : 0;
    if (selEnd) *selEnd = r ? r->selEnd : 0;
}

void TECopy(TEHandle te) {
    TERec* r = TERecOf(te);
    if (!r || r->selStart == r->selEnd) return;
    ZeroScrap();
    PutScrap(r->selEnd - r->selStart, kTextType, r->priv->text.data() + r->selStart);
    TEPutScrapStyles(*r);
    r->priv->lastKind = TEEditKind::kOther;
}

void TECut(TEHandle te) {
    TERec* r = TERecOf(te);
    if (!r || r->readOnly || r->selStart == r->selEnd) return;
    TECopy(te);
    TEDelete(te);
}

void TEPaste(TEHandle te) {
    TERec* r = TERecOf(te);
    if (!r || r->readOnly) return;
    // Styles first: damaged ones stop the paste before anything changes.
    SInt32 styledLength = 0;
    const std::vector<TEStyleRun> runs = TEScrapStyles(*r, &styledLength);
    Handle h = KsNewHandle(0);
    if (!h) return;
    const SInt32 length = GetScrap(h, kTextType, nullptr);
    const SInt32 start = r->selStart;
    if (length > 0)
        TEReplaceRange(*r, r->selStart, r->selEnd, std::string_view(*h, std::size_t(length)),
                       TEEditKind::kOther, true);
    if (length == styledLength) TEApplyPastedStyles(*r, start, length, runs);
    KsDisposeHandle(h);
}

// ---------------------------------------------------------------------------
// Undo

Boolean KsTECanUndo(TEHandle te) {
    TERec* r = TERecOf(te);
    return r && !r->readOnly && !r->priv->undo.empty();
}

Boolean KsTECanRedo(TEHandle te) {
    TERec* r = TERecOf(te);
    return r && !r->readOnly && !r->priv->redo.empty();
}

void KsTEUndo(TEHandle te) {
    TERec* r = TERecOf(te);
    if (!KsTECanUndo(te)) return;
    TEPrivate& p = *r->priv;
    TEUndoStep step = std::move(p.undo.back());
    p.undo.pop_back();
    const SInt32 end = step.pos + SInt32(step.inserted.size());
    Apply(*r, step.pos, end, step.removed, true);
    if (r->styled && !step.removedRuns.empty())
        KsTEApplyStyleRuns(step.pos, step.pos + SInt32(step.removed.size()), step.removedRuns, te);
    p.lastKind = TEEditKind::kOther;
    TESetSelection(*r, step.selStartBefore, step.selEndBefore, true);
    p.redo.push_back(std::move(step));
}

void KsTERedo(TEHandle te) {
    TERec* r = TERecOf(te);
    if (!KsTECanRedo(te)) return;
    TEPrivate& p = *r->priv;
    TEUndoStep step = std::move(p.redo.back());
    p.redo.pop_back();
    const SInt32 end = step.pos + SInt32(step.removed.size());
    Apply(*r, step.pos, end, step.inserted, true);
    if (r->styled && !step.insertedRuns.empty())
        KsTEApplyStyleRuns(step.pos, step.pos + SInt32(step.inserted.size()), step.insertedRuns,
                           te);
    p.lastKind = TEEditKind::kOther;
    TESetSelection(*r, r->selStart, r->selStart, true);
    p.undo.push_back(std::move(step));
}

// ---------------------------------------------------------------------------
// Words

bool TEIsWordChar(UInt8 c) {
    return std::isalnum(c) || c == '_' || c >= 0x80;
}

SInt32 TEWordLeft(const TERec& r, SInt32 offset) {
    const std::string& t = r.priv->text;
    while (offset > 0 && !TEIsWordChar(UInt8(t[std::size_t(offset) - 1])))
        --offset;
    while (offset > 0 && TEIsWordChar(UInt8(t[std::size_t(offset) - 1])))
        --offset;
    return offset;
}

SInt32 TEWordRight(const TERec& r, SInt32 offset) {
    const std::string& t = r.priv->text;
    while (offset < r.teLength && !TEIsWordChar(UInt8(t[std::size_t(offset)])))
        ++offset;
    while (offset < r.teLength && TEIsWordChar(UInt8(t[std::size_t(offset)])))
        ++offset;
    return offset;
}
