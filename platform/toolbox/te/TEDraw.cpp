// Drawing: lines with their styles and justification, the selection, the
// caret and an input-method composition; update, scrolling, the caret blink,
// activation, and text drawn in a box.
//
// A redraw erases what it covers and paints everything in it again, the
// caret included when its state says it is shown, so the screen never keeps
// a caret the record no longer has.
#include "KsEventWake.h"
#include "KsPortSavers.h"
#include "TEPrivate.h"

#include <algorithm>

namespace {

constexpr SInt32 kMaxDrawBytes = 4096; // per DrawText call (its counts are 16-bit)

// A segment ends at a style change, a tab, the caret (for a composition) or
// after kMaxDrawBytes.
void DrawSegment(TERec& r, const TEStyleRun& run, SInt32 from, SInt32 to, SInt32 h, SInt32 v) {
    const TETextStyle& st = run.style;
    TextFont(st.tsFont);
    TextSize(st.tsSize);
    TextFace(st.tsFace);
    RGBForeColor(&st.tsColor);
    MoveTo(ClampToSInt16(h), ClampToSInt16(v));
    DrawText(r.priv->text.data() + from, 0, SInt16(to - from));
}

void DrawComposition(TERec& r, const TETextStyle& st, SInt32 h, SInt32 v) {
    const std::string& c = r.priv->composition;
    TextFont(st.tsFont);
    TextSize(st.tsSize);
    TextFace(Style(st.tsFace | underline));
    RGBForeColor(&st.tsColor);
    MoveTo(ClampToSInt16(h), ClampToSInt16(v));
    DrawText(c.data(), 0, SInt16(std::min<std::size_t>(c.size(), kMaxDrawBytes)));
}

SInt32 CompositionWidth(TERec& r, const TETextStyle& st) {
    const TEMetrics& m = TEMetricsOf(r, st);
    SInt32 w = 0;
    for (char c : r.priv->composition)
        w += TEAdvance(m, UInt8(c), w);
    return w;
}

void DrawSelection(TERec& r, SInt32 line, const KsRect& box, SInt32 left, SInt32 top) {
    const std::vector<SInt32>& s = r.priv->starts;
    const SInt32 start = s[std::size_t(line)], end = s[std::size_t(line) + 1];
    if (r.selEnd <= start || r.selStart > end || r.selStart == r.selEnd) return;
    if (r.selStart == end && line + 1 < TELineCount(r)) return; // begins on the next line
    SInt32 xa =
        r.selStart <= start ? std::min(left, box.left) : left + TEWidthTo(r, line, r.selStart);
    // A selection that goes on past the line's end fills to the view's right.
    const bool onward = r.selEnd >= end && line + 1 < TELineCount(r);
    SInt32 xb = onward ? box.right : left + TEWidthTo(r, line, r.selEnd);
    if (r.selStart <= start && line > 0) xa = box.left;
    KsRect hl = KsRect{xa, top, xb, top + r.lineHeight}.Intersect(box);
    if (hl.IsEmpty()) return;
    RGBColor hilite;
    GetHiliteColor(&hilite);
    Rect q = ToRect(hl);
    RGBForeColor(&hilite);
    PaintRect(&q);
}

void DrawLine(TERec& r, SInt32 line, const KsRect& box) {
    TEPrivate& p = *r.priv;
    const SInt32 top = TELineTop(r, line);
    const SInt32 left = TELineLeft(r, line);
    const SInt32 baseline = top + r.fontAscent;
    if (r.active) DrawSelection(r, line, box, left, top);

    const SInt32 start = p.starts[std::size_t(line)];
    SInt32 end = p.starts[std::size_t(line) + 1];
    const bool composing =
        !p.composition.empty() && r.selStart >= start &&
        (r.selStart < end || (r.selStart == end && line + 1 == TELineCount(r)) ||
         (r.selStart == end && end > start && p.text[std::size_t(end) - 1] == '\r'));
    const SInt32 caretAt = composing ? r.selStart : -1;
    if (end > start && p.text[std::size_t(end) - 1] == '\r') --end;

    std::size_t run = TERunAt(p, start);
    SInt32 x = 0, shift = 0, i = start;
    bool composed = false;
    TextMode(srcOr);
    while (i <= end) {
        if (i == caretAt && !composed) {
            composed = true;
            const TETextStyle& st = p.runs[TERunAt(p, i > start ? i - 1 : i)].style;
            DrawComposition(r, st, left + x, baseline);
            shift = CompositionWidth(r, st);
        }
        if (i == end) break;
        while (run + 1 < p.runs.size() && p.runs[run + 1].startChar <= i)
            ++run;
        const TEMetrics& m = TEMetricsOf(r, p.runs[run].style);
        if (p.text[std::size_t(i)] == '\t') {
            x += TEAdvance(m, '\t', x);
            ++i;
            continue;
        }
        SInt32 j = i, w = 0;
        const SInt32 runEnd = run + 1 < p.runs.size() ? p.runs[run + 1].startChar : end;
        const SInt32 stop = std::min({end, runEnd, i + kMaxDrawBytes});
        while (j < stop && p.text[std::size_t(j)] != '\t' && !(j == caretAt && j > i)) {
            w += m.widths[UInt8(p.text[std::size_t(j)])];
            ++j;
        }
        const SInt32 h = left + x + shift;
        if (h > box.right) break;
        if (h + w >= box.left) DrawSegment(r, p.runs[run], i, j, h, baseline);
        x += w;
        i = j;
    }
}

} // namespace

// ---------------------------------------------------------------------------
// Focus

StTEFocus::StTEFocus(TERec& r) : rec_(r) {
    if (!r.inPort) return;
    savedPort_ = KsGetPort();
    KsSetPort(r.inPort);
    if (r.priv->focus) r.priv->focus(r.priv->self, r.priv->owner, true);
    if (KsGetPort() != r.inPort) KsSetPort(r.inPort);
    clip_.emplace();
    TEClipToView(r, clip_->Saved());
    canDraw_ = true;
}

StTEFocus::~StTEFocus() {
    if (!canDraw_) return;
    clip_.reset();
    if (rec_.priv->focus) rec_.priv->focus(rec_.priv->self, rec_.priv->owner, false);
    KsSetPort(savedPort_);
}

void TEClipToView(TERec& r, RgnHandle clip) {
    RgnHandle view = r.priv->viewClip;
    const Rect v = ToRect(r.viewRect);
    RectRgn(view, &v);
    SectRgn(view, clip, view);
    SetClip(view);
}

// ---------------------------------------------------------------------------
// Drawing

void TEDrawRect(TERec& r, const KsRect& area) {
    const KsRect box = area.Intersect(r.viewRect);
    if (box.IsEmpty()) return;
    StColorPenSaver pen;
    StTextStateSaver textState;
    Rect q = ToRect(box);
    EraseRect(&q);
    const SInt64 first64 = (SInt64(box.top) - r.destRect.top) / r.lineHeight;
    const SInt64 last64 = (SInt64(box.bottom) - 1 - r.destRect.top) / r.lineHeight;
    const SInt32 count = TELineCount(r);
    const SInt32 first = SInt32(std::clamp<SInt64>(first64, 0, count));
    const SInt32 last = SInt32(std::clamp<SInt64>(last64, -1, count - 1));
    for (SInt32 line = first; line <= last; ++line)
        DrawLine(r, line, box);
    if (r.active && r.caretState && r.selStart == r.selEnd) {
        const KsRect caret = TECaretRect(r).Intersect(box);
        Rect c = ToRect(caret);
        if (!caret.IsEmpty()) InvertRect(&c);
    }
}

void TERedrawLines(TERec& r, SInt32 first, SInt32 end) {
    StTEFocus focus(r);
    if (!focus.CanDraw()) return;
    const SInt32 top = std::max(r.viewRect.top, TELineTop(r, first));
    const SInt32 bottom = end >= TELineCount(r) ? r.viewRect.bottom : TELineTop(r, end);
    TEDrawRect(r, KsRect{r.viewRect.left, top, r.viewRect.right, bottom});
}

KsRect TECaretRect(TERec& r) {
    const SInt32 line = TELineOf(r, r.selStart);
    SInt32 x = TELineLeft(r, line) + TEWidthTo(r, line, r.selStart);
    TEPrivate& p = *r.priv;
    if (!p.composition.empty()) {
        const TEMetrics& m = TEMetricsOf(r, KsTEGetStyle(r.selStart, p.self));
        SInt32 w = 0;
        const SInt32 n = std::clamp<SInt32>(p.compositionCaret, 0, SInt32(p.composition.size()));
        for (SInt32 i = 0; i < n; ++i)
            w += TEAdvance(m, UInt8(p.composition[std::size_t(i)]), w);
        x += w;
    }
    x = std::clamp(x, r.viewRect.left, std::max(r.viewRect.left, r.viewRect.right - 1));
    const SInt32 top = TELineTop(r, line);
    return {x, top, x + 1, top + r.lineHeight};
}

void TEInvertCaret(TERec& r) {
    Rect c = ToRect(TECaretRect(r));
    InvertRect(&c);
}

void TEHideCaret(TERec& r) {
    if (!r.caretState) return;
    r.caretState = false;
    StTEFocus focus(r);
    if (focus.CanDraw() && r.active && r.selStart == r.selEnd) TEInvertCaret(r);
}

void TEUpdate(const Rect* rect, TEHandle te) {
    TERec* r = TERecOf(te);
    if (!r || !rect || !r->inPort) return;
    // The owner has set the port up for its own drawing; only the view is added.
    StPortSaver port(r->inPort);
    StClipSaver clip;
    TEClipToView(*r, clip.Saved());
    TEDrawRect(*r, ToKsRect(*rect));
}

void TEIdle(TEHandle te) {
    TERec* r = TERecOf(te);
    if (!r || !r->active || r->selStart != r->selEnd) return;
    const UInt32 now = TickCount();
    if (now - r->caretTime >= GetCaretTime()) {
        r->caretTime = now;
        r->caretState = !r->caretState;
        StTEFocus focus(*r);
        if (focus.CanDraw()) TEInvertCaret(*r);
    }
    // The event loop sleeps until the next blink.
    KsWakeNoLaterThan(long(r->caretTime) + long(GetCaretTime()));
}

void TEActivate(TEHandle te) {
    TERec* r = TERecOf(te);
    if (!r || r->active) return;
    r->active = true;
    r->caretState = true;
    r->caretTime = TickCount();
    TERedrawLines(*r, TELineOf(*r, r->selStart), TELineOf(*r, r->selEnd) + 1);
}

void TEDeactivate(TEHandle te) {
    TERec* r = TERecOf(te);
    if (!r || !r->active) return;
    r->active = false;
    r->caretState = false;
    TERedrawLines(*r, TELineOf(*r, r->selStart), TELineOf(*r, r->selEnd) + 1);
}

// ---------------------------------------------------------------------------
// Scrolling

void KsTEScroll(SInt32 dh, SInt32 dv, TEHandle te) {
    TERec* r = TERecOf(te);
    if (!r || (dh == 0 && dv == 0)) return;
    r->destRect.Offset(dh, dv);
    StTEFocus focus(*r);
    if (focus.CanDraw()) TEDrawRect(*r, r->viewRect);
}

void TEScroll(SInt16 dh, SInt16 dv, TEHandle te) {
    KsTEScroll(dh, dv, te);
}

void TESelView(TEHandle te) {
    TERec* r = TERecOf(te);
    if (r && r->autoView) TEScrollIntoView(*r);
}

void TEScrollIntoView(TERec& r) {
    const SInt32 at = TEActiveEnd(r);
    const SInt32 line = TELineOf(r, at);
    const SInt32 top = TELineTop(r, line), bottom = top + r.lineHeight;
    const SInt32 x = TELineLeft(r, line) + TEWidthTo(r, line, at);
    const KsRect& v = r.viewRect;
    SInt32 dv = 0, dh = 0;
    if (top < v.top)
        dv = v.top - top;
    else if (bottom > v.bottom)
        dv = std::max(v.bottom - bottom, v.top - top);
    if (x < v.left)
        dh = v.left - x;
    else if (x >= v.right)
        dh = v.right - 1 - x;
    KsTEScroll(dh, dv, r.priv->self);
}

// ---------------------------------------------------------------------------
// Composition

void KsTESetComposition(const void* text, SInt32 length, SInt32 caretOffset, TEHandle te) {
    TERec* r = TERecOf(te);
    if (!r) return;
    TEPrivate& p = *r->priv;
    if (!text || length < 0) length = 0;
    std::string next(static_cast<const char*>(text ? text : ""), std::size_t(length));
    if (next == p.composition && caretOffset == p.compositionCaret) return;
    p.composition.swap(next);
    p.compositionCaret = std::clamp<SInt32>(caretOffset, 0, length);
    const SInt32 line = TELineOf(*r, r->selStart);
    TERedrawLines(*r, line, line + 1);
}

KsRect KsTEGetCaretRect(TEHandle te) {
    TERec* r = TERecOf(te);
    return r ? TECaretRect(*r) : KsRect{};
}

// ---------------------------------------------------------------------------
// Text in a box

void DrawTextInABox(const void* text, SInt32 length, const Rect* box, SInt16 just,
                    const RGBColor* background) {
    if (!box || !KsGetPort()) return;
    TEHandle te = KsTENew(ToKsRect(*box), ToKsRect(*box), false);
    if (!te) return;
    TESetText(text, length, te);
    KsTESetBreaks(TEBreaks::kWordWrap, te);
    TESetAlignment(just, te);
    StColorPenSaver colors;
    if (background) RGBBackColor(background);
    TEUpdate(box, te);
    TEDispose(te);
}

void TETextBox(const void* text, SInt32 length, const Rect* box, SInt16 just) {
    DrawTextInABox(text, length, box, just, nullptr);
}
