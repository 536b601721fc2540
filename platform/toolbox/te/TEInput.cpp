// Clicks and keys: caret placement, drag selection with auto-scroll, word and
// line selection by double and triple click, and the editing and moving keys.
#include "TEPrivate.h"

#include <algorithm>
#include <cstdlib>

namespace {

constexpr UInt8 kHome = 0x01, kEnd = 0x04, kBackspace = 0x08, kTab = 0x09, kReturn = 0x0D,
                kLeft = 0x1C, kRight = 0x1D, kUp = 0x1E, kDown = 0x1F, kForwardDelete = 0x7F;
constexpr SInt32 kHorizontalScrollStep = 16;

struct Range {
    SInt32 a = 0, b = 0;
};

// What one, two or three clicks at offset select.
Range UnitAt(const TERec& r, SInt32 offset, int clicks) {
    const std::string& t = r.priv->text;
    if (clicks >= 3) {
        const SInt32 line = TELineOf(r, offset);
        return {r.priv->starts[std::size_t(line)], r.priv->starts[std::size_t(line) + 1]};
    }
    if (clicks == 2) {
        auto word = [&](SInt32 i) {
            return i >= 0 && i < r.teLength && TEIsWordChar(UInt8(t[std::size_t(i)]));
        };
        if (word(offset) || word(offset - 1)) {
            Range w{offset, offset};
            while (word(w.a - 1))
                --w.a;
            while (word(w.b))
                ++w.b;
            return w;
        }
        if (offset < r.teLength) return {offset, offset + 1};
    }
    return {offset, offset};
}

// The selection from the range the click began with to the unit under the
// pointer, anchored at the end away from the pointer.
void SelectSpan(TERec& r, const Range& anchor, const Range& unit) {
    const SInt32 lo = std::min(anchor.a, unit.a), hi = std::max(anchor.b, unit.b);
    if (unit.a < anchor.a)
        TESetSelection(r, hi, lo, true);
    else
        TESetSelection(r, lo, hi, true);
}

// Scrolls one step towards a pointer outside the view, as far as the text goes.
void AutoScroll(TERec& r, KsPoint m) {
    const KsRect& v = r.viewRect;
    const SInt64 textBottom = SInt64(r.destRect.top) + SInt64(TELineCount(r)) * r.lineHeight;
    SInt32 dv = 0, dh = 0;
    if (m.v < v.top && r.destRect.top < v.top)
        dv = std::min(r.lineHeight, v.top - r.destRect.top);
    else if (m.v >= v.bottom && textBottom > v.bottom)
        dv = -SInt32(std::min<SInt64>(r.lineHeight, textBottom - v.bottom));
    if (r.breaks == TEBreaks::kReturnOnly) {
        if (m.h < v.left && r.destRect.left < v.left)
            dh = std::min(kHorizontalScrollStep, v.left - r.destRect.left);
        else if (m.h >= v.right)
            dh = -kHorizontalScrollStep;
    }
    if (dh || dv) KsTEScroll(dh, dv, r.priv->self);
}

SInt32 LineEndForCaret(const TERec& r, SInt32 line) {
    const SInt32 start = r.priv->starts[std::size_t(line)];
    SInt32 end = r.priv->starts[std::size_t(line) + 1];
    if (end > start && line + 1 < TELineCount(r)) {
        const char last = r.priv->text[std::size_t(end) - 1];
        if (last == '\r' || last == ' ') --end;
    }
    return end;
}

void MoveCaret(TERec& r, SInt32 target, bool extend) {
    TESetSelection(r, extend ? r.priv->anchor : target, target, true);
}

void MoveVertically(TERec& r, int direction, bool extend) {
    TEPrivate& p = *r.priv;
    const SInt32 at = TEActiveEnd(r);
    const SInt32 line = TELineOf(r, at);
    const SInt32 goal =
        p.goalX >= 0 ? p.goalX : TELineLeft(r, line) - r.destRect.left + TEWidthTo(r, line, at);
    const SInt32 to = line + direction;
    SInt32 target;
    if (to < 0)
        target = 0;
    else if (to >= TELineCount(r))
        target = r.teLength;
    else
        target = TEOffsetInLine(r, to, r.destRect.left + goal);
    MoveCaret(r, target, extend);
    p.goalX = goal;
}

void Edit(TERec& r, SInt32 start, SInt32 end, std::string_view text, TEEditKind kind) {
    TEReplaceRange(r, start, end, text, kind, true);
    if (r.autoView) TEScrollIntoView(r);
}

} // namespace

void KsTEKeyWith(UInt8 ch, EventModifiers modifiers, TEHandle te) {
    TERec* rp = TERecOf(te);
    if (!rp) return;
    TERec& r = *rp;
    TEPrivate& p = *r.priv;
    const bool shift = modifiers & shiftKey, option = modifiers & optionKey,
               command = modifiers & cmdKey;
    const SInt32 at = TEActiveEnd(r);
    const bool collapse = !shift && r.selStart != r.selEnd;
    switch (ch) {
    case kLeft: {
        const SInt32 line = TELineOf(r, at);
        SInt32 to = command    ? p.starts[std::size_t(line)]
                    : option   ? TEWordLeft(r, at)
                    : collapse ? r.selStart
                               : std::max(0, at - 1);
        MoveCaret(r, to, shift);
        p.goalX = -1;
        break;
    }
    case kRight: {
        SInt32 to = command    ? LineEndForCaret(r, TELineOf(r, at))
                    : option   ? TEWordRight(r, at)
                    : collapse ? r.selEnd
                               : std::min(r.teLength, at + 1);
        MoveCaret(r, to, shift);
        p.goalX = -1;
        break;
    }
    case kUp:
    case kDown:
        if (command) {
            MoveCaret(r, ch == kUp ? 0 : r.teLength, shift);
            p.goalX = -1;
        } else {
            MoveVertically(r, ch == kUp ? -1 : 1, shift);
        }
        break;
    case kHome:
    case kEnd:
        MoveCaret(r, ch == kHome ? 0 : r.teLength, shift);
        p.goalX = -1;
        break;
    case kBackspace:
        if (r.readOnly) return;
        if (r.selStart != r.selEnd)
            Edit(r, r.selStart, r.selEnd, {}, TEEditKind::kBackspace);
        else if (r.selStart > 0)
            Edit(r, option ? TEWordLeft(r, r.selStart) : r.selStart - 1, r.selStart, {},
                 TEEditKind::kBackspace);
        return;
    case kForwardDelete:
        if (r.readOnly) return;
        if (r.selStart != r.selEnd)
            Edit(r, r.selStart, r.selEnd, {}, TEEditKind::kForwardDelete);
        else if (r.selEnd < r.teLength)
            Edit(r, r.selStart, option ? TEWordRight(r, r.selEnd) : r.selEnd + 1, {},
                 TEEditKind::kForwardDelete);
        return;
    default:
        if (ch < 0x20 && ch != kReturn && ch != kTab) return; // page keys, Escape, Enter...
        if (r.readOnly) return;
        {
            const char c = char(ch);
            Edit(r, r.selStart, r.selEnd, std::string_view(&c, 1), TEEditKind::kTyping);
        }
        return;
    }
    if (r.autoView) TEScrollIntoView(r);
}

void TEKey(SInt16 key, TEHandle te) {
    KsTEKeyWith(UInt8(key & 0xFF), KsGetModifiers(), te);
}

void TEClick(Point where, Boolean extend, TEHandle te) {
    TERec* rp = TERecOf(te);
    if (!rp) return;
    TERec& r = *rp;
    TEPrivate& p = *r.priv;
    const KsPoint pt = ToKsPoint(where);
    const UInt32 now = TickCount();
    const bool again = p.clickCount > 0 && now - p.clickTick < GetDblTime() &&
                       std::abs(pt.h - p.clickPoint.h) <= 1 && std::abs(pt.v - p.clickPoint.v) <= 1;
    p.clickCount = again ? std::min(p.clickCount + 1, 3) : 1;
    p.clickTick = now;
    p.clickPoint = pt;
    p.goalX = -1;

    const SInt32 offset = KsTEGetOffset(pt, te);
    Range anchor = UnitAt(r, offset, p.clickCount);
    if (extend) {
        // Shift keeps the end farther from the click.
        const SInt32 keep =
            std::abs(offset - r.selStart) > std::abs(offset - r.selEnd) ? r.selStart : r.selEnd;
        anchor = {keep, keep};
    }
    SelectSpan(r, anchor, UnitAt(r, offset, p.clickCount));

    Point mouse = where;
    while (StillDown()) {
        Point now16;
        GetMouse(&now16);
        if (now16.h == mouse.h && now16.v == mouse.v && r.viewRect.Contains(ToKsPoint(now16)))
            continue;
        mouse = now16;
        KsPoint m = ToKsPoint(now16);
        if (!r.viewRect.Contains(m)) AutoScroll(r, m);
        m.v = std::clamp(m.v, r.viewRect.top, std::max(r.viewRect.top, r.viewRect.bottom - 1));
        SelectSpan(r, anchor, UnitAt(r, KsTEGetOffset(m, te), p.clickCount));
    }
}
