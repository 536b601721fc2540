// A text-edit record on a small white port for one test, and readers of its
// text and line starts.
#pragma once

#include "KsPixels.h"
#include "TextEdit.h"

#include <string>
#include <vector>

// The port is current while the record lives; both go with it.
class ScopedTE {
public:
    ScopedTE(const KsRect& dest, const KsRect& view, TEBreaks breaks = TEBreaks::kReturnOnly,
             Boolean styled = false, int portWidth = 200, int portHeight = 120)
        : port_(portWidth, portHeight), te(KsTENew(dest, view, styled)) {
        KsTESetBreaks(breaks, te);
    }
    explicit ScopedTE(TEBreaks breaks = TEBreaks::kReturnOnly)
        : ScopedTE({4, 4, 120, 10000}, {4, 4, 196, 116}, breaks) {}
    ~ScopedTE() { TEDispose(te); }
    ScopedTE(const ScopedTE&) = delete;
    ScopedTE& operator=(const ScopedTE&) = delete;

    GrafPtr Port() const { return port_.port; }
    std::string Text() const {
        return std::string(KsTETextPtr(te), std::size_t(TEGetTextLength(te)));
    }
    void Set(const std::string& s) { TESetText(s.data(), SInt32(s.size()), te); }
    TERec& Rec() const { return **te; }

private:
    TinyPort port_;

public:
    TEHandle const te;
};

// Every line start of a record, the closing one included.
inline std::vector<SInt32> LineStarts(TEHandle te) {
    std::vector<SInt32> starts;
    const SInt32 last = KsTELineOfOffset(te, TEGetTextLength(te)) + 1;
    for (SInt32 line = 0; line <= last; ++line)
        starts.push_back(KsTELineStart(te, line));
    return starts;
}
