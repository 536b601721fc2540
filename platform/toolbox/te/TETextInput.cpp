// The active record and the world outside the process: input-method
// compositions shown in place and commits inserted whole, the candidate
// window kept at the caret, and the styled form of the scrap.
#include "TETextInputPrivate.h"

#include "KsStyleScrap.h"
#include "KsTextInput.h"
#include "Scrap.h"

#include <algorithm>

#include <string_view>

namespace {

// Forwards to the glue's active record; installed only while there is one.
class ActiveRecordInput final : public KsTextInputClient {
public:
    void CompositionChanged(const KsComposition& c) override;
    void InsertText(const char* text, std::size_t length) override;
};

ActiveRecordInput gClient;

// Tells the input method where the caret (or the composition's caret) is.
void FollowCaret(TERec& r) {
    StTEFocus focus(r);
    if (!focus.CanDraw()) return;
    const KsRect local = TECaretRect(r);
    Point topLeft{SInt16(local.top), SInt16(local.left)};
    LocalToGlobal(&topLeft);
    KsSetTextInputRect(
        KsRect{topLeft.h, topLeft.v, topLeft.h + local.Width(), topLeft.v + local.Height()});
}

void ActiveRecordInput::CompositionChanged(const KsComposition& c) {
    TEHandle te = KsTEActiveRecord();
    TERec* r = TERecOf(te);
    if (!r) return;
    KsTESetComposition(c.roman.data(), SInt32(c.roman.size()), c.caret, te);
    FollowCaret(*r);
}

void ActiveRecordInput::InsertText(const char* text, std::size_t length) {
    TERec* r = TERecOf(KsTEActiveRecord());
    if (!r || r->readOnly) return;
    // One edit, one undo step, whatever the length of the commit.
    r->priv->lastKind = TEEditKind::kOther;
    TEReplaceRange(*r, r->selStart, r->selEnd, std::string_view(text, length), TEEditKind::kOther,
                   true);
    if (r->autoView) TEScrollIntoView(*r);
    FollowCaret(*r);
}

} // namespace

void TETextInputAttach(TEHandle te) {
    TERec* r = TERecOf(te);
    if (!r) return;
    KsSetTextInputClient(&gClient);
    // A composition begun elsewhere shows where the typing now goes.
    if (const KsComposition& c = KsGetComposition(); c.IsActive())
        KsTESetComposition(c.roman.data(), SInt32(c.roman.size()), c.caret, te);
    FollowCaret(*r);
}

void TETextInputDetach(TEHandle te) {
    KsReleaseTextInputClient(&gClient);
    if (TERec* r = TERecOf(te)) {
        r->priv->composition.clear();
        r->priv->compositionCaret = 0;
    }
}

void TEPutScrapStyles(TERec& r) {
    if (!r.styled || r.selStart == r.selEnd) return;
    std::vector<KsStyleRun> out;
    for (const TEStyleRun& run : KsTEGetStyleRuns(r.priv->self)) {
        if (run.startChar >= r.selEnd) break;
        KsStyleRun s;
        s.start = std::max(run.startChar, r.selStart) - r.selStart;
        // Runs come in order: one that starts before the selection is
        // replaced by the next one that does too.
        if (!out.empty() && out.back().start == s.start) out.pop_back();
        const TEMetrics& m = TEMetricsOf(r, run.style);
        s.height = SInt16(m.ascent + m.descent + m.leading);
        s.ascent = m.ascent;
        s.font = run.style.tsFont;
        s.face = run.style.tsFace;
        s.size = run.style.tsSize;
        s.color = run.style.tsColor;
        out.push_back(s);
    }
    const std::string styl = KsWriteStyleScrap(out, r.selEnd - r.selStart);
    PutScrap(SInt32(styl.size()), FourCharCode("styl"), styl.data());
}

std::vector<TEStyleRun> TEScrapStyles(const TERec& r, SInt32* textLength) {
    std::vector<TEStyleRun> runs;
    *textLength = 0;
    if (!r.styled) return runs;
    std::string text;
    std::vector<KsStyleRun> read;
    if (!KsGetStyledScrap(&text, &read)) return runs;
    *textLength = SInt32(text.size());
    runs.reserve(read.size());
    for (const KsStyleRun& s : read) {
        TETextStyle style;
        style.tsFont = s.font;
        style.tsFace = s.face;
        style.tsSize = s.size;
        style.tsColor = s.color;
        runs.push_back({s.start, style});
    }
    return runs;
}

void TEApplyPastedStyles(TERec& r, SInt32 start, SInt32 length,
                         const std::vector<TEStyleRun>& runs) {
    if (runs.empty() || length <= 0) return;
    KsTEApplyStyleRuns(start, start + length, runs, r.priv->self);
    // Undo and redo bring the pasted text back with these runs.
    std::vector<TEUndoStep>& undo = r.priv->undo;
    if (!undo.empty() && undo.back().pos == start && SInt32(undo.back().inserted.size()) == length)
        undo.back().insertedRuns = runs;
    // Line heights may have changed with the styles: the whole view again.
    TERedrawLines(r, 0, TELineCount(r) + 1);
}
