// The inside of a text-edit record (not installed): text, line starts, style
// runs, character widths, undo history, click and composition state, and the
// helpers the record's files share.
//
// Line starts: starts[k] is where line k begins, for k in 0..n-1, and
// starts[n] == teLength closes the last line. When the text is empty or ends
// with a Return the last line is empty (starts[n-1] == teLength); it holds
// the caret but is not counted in nLines.
#pragma once

#include "KsPortSavers.h"
#include "TextEdit.h"

#include <array>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Character widths of one style: integer pixels per byte, as the font engine
// measures them, so a text's width is the sum of its bytes' widths.
struct TEMetrics {
    TETextStyle style;
    std::array<SInt16, 256> widths{};
    SInt16 ascent = 0, descent = 0, leading = 0;
    SInt32 tabStop = 1; // tabs advance to the next multiple of this, from the line's left
};

enum class TEEditKind : UInt8 { kOther, kTyping, kBackspace, kForwardDelete };

// One undoable edit: at pos, `removed` was replaced by `inserted`.
struct TEUndoStep {
    SInt32 pos = 0;
    std::string removed, inserted;
    std::vector<TEStyleRun> removedRuns, insertedRuns; // relative to pos
    SInt32 selStartBefore = 0, selEndBefore = 0;
    TEEditKind kind = TEEditKind::kOther;
};

struct TEPrivate {
    TEHandle self = nullptr;
    std::string text;
    std::vector<SInt32> starts{0, 0};
    std::vector<TEStyleRun> runs{TEStyleRun{}};
    std::deque<TEMetrics> metrics; // one per (font, size, face) met; references stay valid

    std::vector<TEUndoStep> undo, redo;
    TEEditKind lastKind = TEEditKind::kOther; // an edit of this kind may join the last step

    SInt32 anchor = 0; // the end of the selection that Shift-moves keep
    SInt32 goalX = -1; // Up and Down keep this column (dest-relative); -1: none
    UInt32 clickTick = 0;
    KsPoint clickPoint;
    int clickCount = 0;

    std::string composition;
    SInt32 compositionCaret = 0;

    KsTEFocusProc focus = nullptr;
    void* owner = nullptr;
    RgnHandle viewClip = nullptr; // made once: drawing (the blink too) allocates nothing
};

// ---------------------------------------------------------------------------
// TERecord.cpp

// The record behind a live handle, or null.
TERec* TERecOf(TEHandle te);
const TEMetrics& TEMetricsOf(TERec& r, const TETextStyle& style);
// The index of the run that holds offset (the last run at the end).
std::size_t TERunAt(const TEPrivate& p, SInt32 offset);
// Sets lineHeight and fontAscent from the styles in use.
void TEUpdateLineMetrics(TERec& r);
// Merges equal neighbours, drops empty runs, keeps the first run at 0.
void TENormaliseRuns(TEPrivate& p, SInt32 length);

// ---------------------------------------------------------------------------
// TELayout.cpp

// Which lines an edit laid out again: [first, end) in the new numbering, and
// how many lines were added (negative: removed) after them.
struct TELayoutChange {
    SInt32 first = 0;
    SInt32 end = 0;
    SInt32 shift = 0;
};
// The whole text from scratch.
void TELayoutAll(TERec& r);
// After [pos, pos + removed) became `inserted` bytes (text and runs already changed).
TELayoutChange TELayoutEdit(TERec& r, SInt32 pos, SInt32 removed, SInt32 inserted);
// The end of the line that starts at `start` (< teLength): the next line's start.
SInt32 TENextLineStart(TERec& r, SInt32 start);
SInt32 TELineCount(const TERec& r); // lines including a final empty one
SInt32 TELineOf(const TERec& r, SInt32 offset);
// Pixels from the line's left to offset within line.
SInt32 TEWidthTo(TERec& r, SInt32 line, SInt32 offset);
// The line's width without its Return and hanging spaces.
SInt32 TELineWidth(TERec& r, SInt32 line);
// Where the line's text starts, from justification (local h).
SInt32 TELineLeft(TERec& r, SInt32 line);
SInt32 TELineTop(const TERec& r, SInt32 line);
// The offset in `line` nearest to local h.
SInt32 TEOffsetInLine(TERec& r, SInt32 line, SInt32 h);
// Width of byte c drawn at x pixels from the line's left.
inline SInt32 TEAdvance(const TEMetrics& m, UInt8 c, SInt32 x) {
    if (c == '\t') return m.tabStop - (x % m.tabStop);
    return m.widths[c];
}

// ---------------------------------------------------------------------------
// TEDraw.cpp

// Sets up inPort for drawing the record by itself (owner's focus, clip to
// viewRect) and puts everything back when it goes.
class StTEFocus {
public:
    explicit StTEFocus(TERec& r);
    ~StTEFocus();
    StTEFocus(const StTEFocus&) = delete;
    StTEFocus& operator=(const StTEFocus&) = delete;
    bool CanDraw() const { return canDraw_; }

private:
    TERec& rec_;
    GrafPtr savedPort_ = nullptr;
    std::optional<StClipSaver> clip_;
    bool canDraw_ = false;
};
// Clips the current port (inPort) to viewRect within `clip`.
void TEClipToView(TERec& r, RgnHandle clip);
// Draws what r covers (local coordinates), clipped to the view; the focus is set.
void TEDrawRect(TERec& r, const KsRect& area);
// Draws lines [first, end) (end past the text: to the view's bottom), focusing itself.
void TERedrawLines(TERec& r, SInt32 first, SInt32 end);
// Inverts the caret where it is (the focus is set).
void TEInvertCaret(TERec& r);
KsRect TECaretRect(TERec& r);
// Hides the caret when shown (focusing itself).
void TEHideCaret(TERec& r);

// ---------------------------------------------------------------------------
// TEEdit.cpp

// The one edit under all others. Draws the changed lines when `draw`.
void TEReplaceRange(TERec& r, SInt32 start, SInt32 end, std::string_view text, TEEditKind kind,
                    bool draw);
// A new selection: redraws what changed (caret, highlight) when draw.
void TESetSelection(TERec& r, SInt32 anchor, SInt32 active, bool draw);
// The offset that moves with the keyboard: the end away from the anchor.
inline SInt32 TEActiveEnd(const TERec& r) {
    return r.priv->anchor == r.selStart ? r.selEnd : r.selStart;
}
void TEScrollIntoView(TERec& r);
// Word boundaries around offset (Option-arrows, double-click).
bool TEIsWordChar(UInt8 c);
SInt32 TEWordLeft(const TERec& r, SInt32 offset);
SInt32 TEWordRight(const TERec& r, SInt32 offset);

// ---------------------------------------------------------------------------
// TEGlue.cpp

// The glue forgets a record that goes.
void TEGlueForget(TEHandle te);
