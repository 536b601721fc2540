// The record: making, disposing, the live set, text in and out, options,
// and the style runs with their character widths.
#include "KsFontEnginePrivate.h"
#include "TEPrivate.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <unordered_set>

namespace {

constexpr std::size_t kMaxCachedStyles = 64;

// A handle's master pointer lives in the same block as the record, so that
// (**te).field reads as the toolbox's callers expect.
struct TEBlock {
    TERec* master = nullptr;
    TERec rec;
    TEPrivate priv;
};

// Handles not yet disposed: every call checks here first, so a disposed
// handle is refused instead of read.
std::unordered_set<TEHandle>& Live() {
    static std::unordered_set<TEHandle> live;
    return live;
}

TEBlock* BlockOf(TEHandle te) {
    return reinterpret_cast<TEBlock*>(reinterpret_cast<char*>(te) - offsetof(TEBlock, master));
}

TETextStyle PortStyle(GrafPtr port) {
    TETextStyle s;
    s.tsFont = port->txFont;
    s.tsFace = port->txFace;
    s.tsSize = port->txSize > 0 ? port->txSize : kKsDefaultTextSize;
    s.tsColor = port->rgbFgColor;
    return s;
}

} // namespace

TERec* TERecOf(TEHandle te) {
    if (!te || !Live().count(te)) return nullptr;
    return *te;
}

Boolean KsTEIsLive(TEHandle te) {
    return TERecOf(te) != nullptr;
}

TEHandle KsTENew(const KsRect& destRect, const KsRect& viewRect, Boolean styled) {
    GrafPtr port = KsGetPort();
    if (!port) return nullptr;
    auto block = std::make_unique<TEBlock>();
    block->master = &block->rec;
    TERec& r = block->rec;
    r.destRect = destRect;
    r.viewRect = viewRect;
    r.inPort = port;
    r.styled = styled;
    r.priv = &block->priv;
    r.priv->runs[0].style = PortStyle(port);
    r.priv->viewClip = NewRgn();
    TEHandle te = &block->master;
    r.priv->self = te;
    Live().insert(te);
    block.release();
    TEUpdateLineMetrics(r);
    TELayoutAll(r);
    return te;
}

TEHandle TENew(const Rect* destRect, const Rect* viewRect) {
    if (!destRect || !viewRect) return nullptr;
    return KsTENew(ToKsRect(*destRect), ToKsRect(*viewRect), false);
}

TEHandle TEStyleNew(const Rect* destRect, const Rect* viewRect) {
    if (!destRect || !viewRect) return nullptr;
    return KsTENew(ToKsRect(*destRect), ToKsRect(*viewRect), true);
}

void TEDispose(TEHandle te) {
    if (!TERecOf(te)) return;
    TEGlueForget(te);
    Live().erase(te);
    DisposeRgn((*te)->priv->viewClip);
    delete BlockOf(te);
}

// ---------------------------------------------------------------------------
// Text

void TESetText(const void* text, SInt32 length, TEHandle te) {
    TERec* r = TERecOf(te);
    if (!r) return;
    if (!text || length < 0) length = 0;
    TEPrivate& p = *r->priv;
    p.text.assign(static_cast<const char*>(text), std::size_t(length));
    r->teLength = length;
    TETextStyle first = p.runs[0].style;
    p.runs.assign(1, TEStyleRun{0, first});
    p.undo.clear();
    p.redo.clear();
    p.lastKind = TEEditKind::kOther;
    p.goalX = -1;
    r->selStart = r->selEnd = p.anchor = length;
    TEUpdateLineMetrics(*r);
    TELayoutAll(*r);
}

SInt32 KsTEGetText(TEHandle te, char* buffer, SInt32 max) {
    TERec* r = TERecOf(te);
    if (!r || !buffer || max <= 0) return 0;
    SInt32 n = std::min(max, r->teLength);
    std::memcpy(buffer, r->priv->text.data(), std::size_t(n));
    return n;
}

const char* KsTETextPtr(TEHandle te) {
    TERec* r = TERecOf(te);
    return r ? r->priv->text.c_str() : "";
}

SInt32 TEGetTextLength(TEHandle te) {
    TERec* r = TERecOf(te);
    return r ? r->teLength : 0;
}

// ---------------------------------------------------------------------------
// Options and rectangles

void TESetAlignment(SInt16 just, TEHandle te) {
    if (TERec* r = TERecOf(te)) r->just = just;
}

void KsTESetBreaks(TEBreaks breaks, TEHandle te) {
    TERec* r = TERecOf(te);
    if (!r || r->breaks == breaks) return;
    r->breaks = breaks;
    TELayoutAll(*r);
}

void KsTESetReadOnly(Boolean readOnly, TEHandle te) {
    if (TERec* r = TERecOf(te)) r->readOnly = readOnly;
}

void TEAutoView(Boolean on, TEHandle te) {
    if (TERec* r = TERecOf(te)) r->autoView = on;
}

void KsTESetRects(const KsRect& destRect, const KsRect& viewRect, TEHandle te) {
    TERec* r = TERecOf(te);
    if (!r) return;
    bool relayout = destRect.Width() != r->destRect.Width();
    r->destRect = destRect;
    r->viewRect = viewRect;
    if (relayout && r->breaks == TEBreaks::kWordWrap) TELayoutAll(*r);
}

void TECalText(TEHandle te) {
    if (TERec* r = TERecOf(te)) {
        TEUpdateLineMetrics(*r);
        TELayoutAll(*r);
    }
}

void KsTESetFocusProc(TEHandle te, KsTEFocusProc proc, void* owner) {
    if (TERec* r = TERecOf(te)) {
        r->priv->focus = proc;
        r->priv->owner = owner;
    }
}

// ---------------------------------------------------------------------------
// Styles

const TEMetrics& TEMetricsOf(TERec& r, const TETextStyle& style) {
    std::deque<TEMetrics>& cache = r.priv->metrics;
    for (const TEMetrics& m : cache)
        if (m.style.tsFont == style.tsFont && m.style.tsSize == style.tsSize &&
            m.style.tsFace == style.tsFace)
            return m;
    TEMetrics m;
    m.style = style;
    KsFontEngine& engine = KsFontEngine::Shared();
    KsTextStyle ks{style.tsFont, style.tsSize, style.tsFace};
    for (int c = 0; c < 256; ++c)
        m.widths[std::size_t(c)] = engine.CharWidth(ks, UInt8(c));
    FontInfo fi = engine.Metrics(ks);
    m.ascent = fi.ascent;
    m.descent = fi.descent;
    m.leading = fi.leading;
    m.tabStop = std::max<SInt32>(1, 8 * m.widths[' ']);
    cache.push_back(m);
    return cache.back();
}

std::size_t TERunAt(const TEPrivate& p, SInt32 offset) {
    auto it = std::upper_bound(p.runs.begin(), p.runs.end(), offset,
                               [](SInt32 o, const TEStyleRun& run) { return o < run.startChar; });
    return it == p.runs.begin() ? 0 : std::size_t(it - p.runs.begin() - 1);
}

void TEUpdateLineMetrics(TERec& r) {
    SInt32 ascent = 0, height = 0;
    // Nothing holds a metrics reference here, so a cache grown large with
    // styles no longer in use may be dropped.
    if (r.priv->metrics.size() > kMaxCachedStyles) r.priv->metrics.clear();
    for (const TEStyleRun& run : r.priv->runs) {
        const TEMetrics& m = TEMetricsOf(r, run.style);
        ascent = std::max<SInt32>(ascent, m.ascent);
        height = std::max<SInt32>(height, SInt32(m.ascent) + m.descent + m.leading);
    }
    r.fontAscent = ascent;
    r.lineHeight = std::max<SInt32>(1, height);
}

void TENormaliseRuns(TEPrivate& p, SInt32 length) {
    std::vector<TEStyleRun>& runs = p.runs;
    if (runs.empty()) runs.push_back(TEStyleRun{});
    runs[0].startChar = 0;
    std::vector<TEStyleRun> out;
    out.reserve(runs.size());
    for (std::size_t i = 0; i < runs.size(); ++i) {
        TEStyleRun run = runs[i];
        run.startChar = std::clamp(run.startChar, 0, length);
        // A run that another starts at the same place (or that lies past the
        // end) holds no characters.
        SInt32 next = i + 1 < runs.size() ? std::min(runs[i + 1].startChar, length) : length;
        if (!out.empty() && (next <= run.startChar || run.startChar >= length)) continue;
        if (!out.empty() && out.back().style == run.style) continue;
        if (!out.empty() && out.back().startChar == run.startChar) {
            out.back().style = run.style;
            continue;
        }
        out.push_back(run);
    }
    runs.swap(out);
}

std::vector<TEStyleRun> KsTEGetStyleRuns(TEHandle te) {
    TERec* r = TERecOf(te);
    return r ? r->priv->runs : std::vector<TEStyleRun>{};
}

TETextStyle KsTEGetStyle(SInt32 offset, TEHandle te) {
    TERec* r = TERecOf(te);
    if (!r) return {};
    offset = std::clamp(offset, 0, r->teLength);
    if (offset == r->teLength && offset > 0) --offset;
    return r->priv->runs[TERunAt(*r->priv, offset)].style;
}

namespace {

TETextStyle Merge(UInt16 mode, const TETextStyle& old, const TETextStyle& s) {
    TETextStyle out = old;
    if (mode & doFont) out.tsFont = s.tsFont;
    if (mode & doFace) out.tsFace = s.tsFace;
    if (mode & doSize) out.tsSize = s.tsSize > 0 ? s.tsSize : kKsDefaultTextSize;
    if (mode & doColor) out.tsColor = s.tsColor;
    return out;
}

} // namespace

void KsTESetStyle(UInt16 mode, const TETextStyle& style, Boolean redraw, TEHandle te) {
    TERec* r = TERecOf(te);
    if (!r) return;
    TEPrivate& p = *r->priv;
    SInt32 a = r->styled ? r->selStart : 0, b = r->styled ? r->selEnd : r->teLength;
    if (a == b) {
        // An empty selection (or text) restyles the run the caret types into.
        if (!r->styled || r->teLength == 0) {
            for (TEStyleRun& run : p.runs)
                run.style = Merge(mode, run.style, style);
        } else {
            return;
        }
    } else {
        std::vector<TEStyleRun> out;
        for (std::size_t i = 0; i < p.runs.size(); ++i) {
            SInt32 s = p.runs[i].startChar;
            SInt32 e = i + 1 < p.runs.size() ? p.runs[i + 1].startChar : r->teLength;
            const TETextStyle& st = p.runs[i].style;
            if (s < a) out.push_back({s, st});
            if (e > a && s < b) out.push_back({std::max(s, a), Merge(mode, st, style)});
            if (e > b) out.push_back({std::max(s, b), st});
        }
        p.runs.swap(out);
    }
    TENormaliseRuns(p, r->teLength);
    TEUpdateLineMetrics(*r);
    TELayoutAll(*r);
    if (redraw) TERedrawLines(*r, 0, SInt32(0x7FFFFFFF));
}

void KsTEApplyStyleRuns(SInt32 start, SInt32 end, const std::vector<TEStyleRun>& runs,
                        TEHandle te) {
    TERec* r = TERecOf(te);
    if (!r || runs.empty()) return;
    TEPrivate& p = *r->priv;
    start = std::clamp(start, 0, r->teLength);
    end = std::clamp(end, start, r->teLength);
    if (start == end) return;
    std::vector<TEStyleRun> out;
    for (std::size_t i = 0; i < p.runs.size(); ++i) {
        if (p.runs[i].startChar < start) out.push_back(p.runs[i]);
    }
    for (const TEStyleRun& run : runs) {
        SInt32 s = start + std::max(0, run.startChar);
        if (s >= end) break;
        TETextStyle st = run.style;
        if (st.tsSize <= 0) st.tsSize = kKsDefaultTextSize;
        out.push_back({s, st});
    }
    // The text after `end` keeps the style it had.
    if (end < r->teLength) out.push_back({end, p.runs[TERunAt(p, end)].style});
    p.runs.swap(out);
    TENormaliseRuns(p, r->teLength);
    TEUpdateLineMetrics(*r);
    TELayoutAll(*r);
}
