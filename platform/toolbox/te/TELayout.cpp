// Line layout: where lines break, incremental re-layout after an edit, and
// the geometry of lines (width, justification, offsets and points).
//
// A line's break depends only on the text and styles from its start to at
// most the first word of the next line, so after an edit the layout starts
// again one line before the change (the line whose break can move) and stops
// at the first new break, at or after the edit's end, that an old break
// (shifted by the edit's size) already had: from there on nothing can differ.
#include "TEPrivate.h"

#include <algorithm>
#include <cstring>

namespace {

// Walks the characters of a line with the style (and widths) of each.
class StyleCursor {
public:
    StyleCursor(TERec& r, SInt32 offset) : rec_(r), run_(TERunAt(*r.priv, offset)) { Load(); }
    const TEMetrics& At(SInt32 offset) {
        while (offset >= runEnd_) {
            ++run_;
            Load();
        }
        return *metrics_;
    }

private:
    void Load() {
        const std::vector<TEStyleRun>& runs = rec_.priv->runs;
        metrics_ = &TEMetricsOf(rec_, runs[run_].style);
        runEnd_ = run_ + 1 < runs.size() ? runs[run_ + 1].startChar : SInt32(0x7FFFFFFF);
    }
    TERec& rec_;
    std::size_t run_;
    SInt32 runEnd_ = 0;
    const TEMetrics* metrics_ = nullptr;
};

bool Hangs(UInt8 c) {
    return c == ' ' || c == '\t' || c == '\r';
}

SInt32 LineEnd(const TERec& r, SInt32 line) {
    return r.priv->starts[std::size_t(line) + 1];
}

void SetLineCount(TERec& r) {
    const std::vector<SInt32>& s = r.priv->starts;
    SInt32 count = SInt32(s.size()) - 1;
    r.nLines = s[std::size_t(count) - 1] == r.teLength ? count - 1 : count;
}

// Closes the list after the last break: an empty final line after a final
// Return (or in an empty text) holds the caret.
void CloseStarts(TERec& r) {
    std::vector<SInt32>& s = r.priv->starts;
    const std::string& t = r.priv->text;
    if (s.back() != r.teLength || t.empty() || t.back() == '\r') s.push_back(r.teLength);
    SetLineCount(r);
}

} // namespace

SInt32 TENextLineStart(TERec& r, SInt32 start) {
    const std::string& t = r.priv->text;
    const SInt32 len = r.teLength;
    if (r.breaks == TEBreaks::kReturnOnly) {
        const void* cr = std::memchr(t.data() + start, '\r', std::size_t(len - start));
        return cr ? SInt32(static_cast<const char*>(cr) - t.data()) + 1 : len;
    }
    const SInt32 width = std::max<SInt32>(1, r.destRect.Width());
    StyleCursor cursor(r, start);
    SInt32 x = 0, lastBreak = -1;
    for (SInt32 i = start; i < len; ++i) {
        const UInt8 c = UInt8(t[std::size_t(i)]);
        if (c == '\r') return i + 1;
        const SInt32 a = TEAdvance(cursor.At(i), c, x);
        if (Hangs(c)) {
            // Spaces hang past the width; a break may follow them.
            x += a;
            lastBreak = i + 1;
            continue;
        }
        if (x + a > width && i > start) return lastBreak > start ? lastBreak : i;
        x += a;
    }
    return len;
}

void TELayoutAll(TERec& r) {
    std::vector<SInt32>& s = r.priv->starts;
    s.assign(1, 0);
    for (SInt32 at = 0; at < r.teLength;) {
        at = TENextLineStart(r, at);
        s.push_back(at);
    }
    CloseStarts(r);
}

TELayoutChange TELayoutEdit(TERec& r, SInt32 pos, SInt32 removed, SInt32 inserted) {
    std::vector<SInt32>& s = r.priv->starts;
    const SInt32 len = r.teLength;
    const SInt32 delta = inserted - removed;
    const SInt32 oldCount = SInt32(s.size()) - 1;
    // The old line that holds pos (the final empty line counts).
    SInt32 line = SInt32(std::upper_bound(s.begin(), s.begin() + oldCount, pos) - s.begin()) - 1;
    line = std::max<SInt32>(0, line);
    if (r.breaks == TEBreaks::kWordWrap && line > 0) --line;

    const SInt32 editEnd = pos + inserted; // new coordinates
    std::vector<SInt32> fresh;
    SInt32 k = line + 1; // the first old start not yet passed
    for (SInt32 at = s[std::size_t(line)]; at < len;) {
        const SInt32 next = TENextLineStart(r, at);
        if (next >= editEnd && next < len) {
            const SInt32 old = next - delta;
            while (k < oldCount && s[std::size_t(k)] < old)
                ++k;
            if (k < oldCount && s[std::size_t(k)] == old) {
                // In step again: the old breaks from k on hold, moved by delta.
                s.erase(s.begin() + line + 1, s.begin() + k);
                s.insert(s.begin() + line + 1, fresh.begin(), fresh.end());
                for (std::size_t i = std::size_t(line) + 1 + fresh.size(); i < s.size(); ++i)
                    s[i] += delta;
                SetLineCount(r);
                const SInt32 newCount = SInt32(s.size()) - 1;
                return {line, line + 1 + SInt32(fresh.size()), newCount - oldCount};
            }
        }
        fresh.push_back(next);
        at = next;
    }
    s.resize(std::size_t(line) + 1);
    s.insert(s.end(), fresh.begin(), fresh.end());
    CloseStarts(r);
    const SInt32 newCount = SInt32(s.size()) - 1;
    return {line, newCount, newCount - oldCount};
}

SInt32 TELineCount(const TERec& r) {
    return SInt32(r.priv->starts.size()) - 1;
}

SInt32 TELineOf(const TERec& r, SInt32 offset) {
    const std::vector<SInt32>& s = r.priv->starts;
    auto end = s.end() - 1;
    SInt32 line = SInt32(std::upper_bound(s.begin(), end, offset) - s.begin()) - 1;
    return std::clamp<SInt32>(line, 0, TELineCount(r) - 1);
}

SInt32 TEWidthTo(TERec& r, SInt32 line, SInt32 offset) {
    const std::string& t = r.priv->text;
    const SInt32 start = r.priv->starts[std::size_t(line)];
    offset = std::min(offset, LineEnd(r, line));
    StyleCursor cursor(r, start);
    SInt32 x = 0;
    for (SInt32 i = start; i < offset; ++i)
        x += TEAdvance(cursor.At(i), UInt8(t[std::size_t(i)]), x);
    return x;
}

SInt32 TELineWidth(TERec& r, SInt32 line) {
    const std::string& t = r.priv->text;
    const SInt32 start = r.priv->starts[std::size_t(line)];
    const SInt32 end = LineEnd(r, line);
    StyleCursor cursor(r, start);
    SInt32 x = 0, width = 0;
    for (SInt32 i = start; i < end; ++i) {
        const UInt8 c = UInt8(t[std::size_t(i)]);
        x += TEAdvance(cursor.At(i), c, x);
        if (!Hangs(c)) width = x;
    }
    return width;
}

SInt32 TELineLeft(TERec& r, SInt32 line) {
    const SInt32 left = r.destRect.left;
    if (r.just != teCenter && r.just != teFlushRight) return left;
    const SInt32 room = r.destRect.Width() - TELineWidth(r, line);
    return left + (r.just == teFlushRight ? room : room / 2);
}

SInt32 TELineTop(const TERec& r, SInt32 line) {
    const SInt64 top = SInt64(r.destRect.top) + SInt64(line) * r.lineHeight;
    return SInt32(std::clamp<SInt64>(top, INT32_MIN, INT32_MAX));
}

SInt32 TEOffsetInLine(TERec& r, SInt32 line, SInt32 h) {
    const std::string& t = r.priv->text;
    const SInt32 start = r.priv->starts[std::size_t(line)];
    SInt32 end = LineEnd(r, line);
    if (end > start && t[std::size_t(end) - 1] == '\r') --end; // the caret stays before a Return
    const SInt32 target = h - TELineLeft(r, line);
    StyleCursor cursor(r, start);
    SInt32 x = 0;
    for (SInt32 i = start; i < end; ++i) {
        const SInt32 a = TEAdvance(cursor.At(i), UInt8(t[std::size_t(i)]), x);
        if (target < x + (a + 1) / 2) return i;
        x += a;
    }
    return end;
}

// ---------------------------------------------------------------------------
// Public queries

SInt32 TEGetLineCount(TEHandle te) {
    TERec* r = TERecOf(te);
    return r ? r->nLines : 0;
}

SInt32 KsTELineStart(TEHandle te, SInt32 line) {
    TERec* r = TERecOf(te);
    if (!r) return 0;
    line = std::clamp<SInt32>(line, 0, TELineCount(*r));
    return r->priv->starts[std::size_t(line)];
}

SInt32 KsTELineOfOffset(TEHandle te, SInt32 offset) {
    TERec* r = TERecOf(te);
    return r ? TELineOf(*r, std::clamp(offset, 0, r->teLength)) : 0;
}

SInt32 KsTEMaxLineWidth(TEHandle te) {
    TERec* r = TERecOf(te);
    if (!r) return 0;
    SInt32 widest = 0;
    for (SInt32 line = 0; line < TELineCount(*r); ++line)
        widest = std::max(widest, TELineWidth(*r, line));
    return widest;
}

SInt32 TEGetHeight(SInt32 endLine, SInt32 startLine, TEHandle te) {
    TERec* r = TERecOf(te);
    if (!r) return 0;
    const SInt32 last = TELineCount(*r) - 1;
    startLine = std::clamp(startLine, 0, last);
    endLine = std::clamp(endLine, 0, last);
    if (endLine < startLine) std::swap(endLine, startLine);
    const SInt64 h = SInt64(endLine - startLine + 1) * r->lineHeight;
    return SInt32(std::min<SInt64>(h, INT32_MAX));
}

KsPoint KsTEGetPoint(SInt32 offset, TEHandle te) {
    TERec* r = TERecOf(te);
    if (!r) return {};
    offset = std::clamp(offset, 0, r->teLength);
    const SInt32 line = TELineOf(*r, offset);
    return {TELineLeft(*r, line) + TEWidthTo(*r, line, offset),
            TELineTop(*r, line) + r->fontAscent};
}

Point TEGetPoint(SInt16 offset, TEHandle te) {
    return ToPoint(KsTEGetPoint(offset, te));
}

SInt32 KsTEGetOffset(KsPoint pt, TEHandle te) {
    TERec* r = TERecOf(te);
    if (!r) return 0;
    const SInt64 dv = SInt64(pt.v) - r->destRect.top;
    SInt64 line = dv < 0 ? 0 : dv / r->lineHeight;
    line = std::min<SInt64>(line, TELineCount(*r) - 1);
    return TEOffsetInLine(*r, SInt32(line), pt.h);
}

SInt16 TEGetOffset(Point pt, TEHandle te) {
    return SInt16(std::min<SInt32>(KsTEGetOffset(ToKsPoint(pt), te), 32767));
}
