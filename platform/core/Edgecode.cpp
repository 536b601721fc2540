// Edgecode feet and frames, and its text forms (see Edgecode.h).
//
// Every gauge is described by perforations: a foot of film has P perforations
// and a frame takes p of them. Frame k starts at perforation k*p, so it lies
// in foot floor(k*p / P), and foot F starts with frame ceil(F*P / p). This one
// rule gives 16, 32 and 40 frames a foot and the 22/21/21 cycle of 3-perf.
#include "Edgecode.h"

#include "CodeTextPrivate.h"

#include <atomic>
#include <cstring>
#include <limits>
#include <string>

namespace {

struct Gauge {
    SInt32 type;
    int perfsPerFrame;
    int perfsPerFoot;
};

constexpr Gauge kGauges[] = {
    {kECFilm35mm4Perf, 4, 64},
    {kECFilm16mm, 1, 40},
    {kECFilm35mm3Perf, 3, 64},
    {kECFilm35mm2Perf, 2, 64},
};

const Gauge* FindGauge(SInt32 type) {
    for (const Gauge& g : kGauges)
        if (g.type == type) return &g;
    return nullptr;
}

std::atomic<SInt32> gDefaultFilmType{kECFilm35mm4Perf};

SInt64 FirstFrameOfFoot(const Gauge& g, SInt64 foot) {
    SInt64 perfs = foot * g.perfsPerFoot;
    return (perfs + g.perfsPerFrame - 1) / g.perfsPerFrame;
}

bool IsAlnum(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
char Upper(char c) {
    return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c;
}

// "[-]feet+FF" with feet at least `feetWidth` digits. Answers the length.
int PutCount(const Gauge& g, SInt32 frames, int feetWidth, char* out) {
    SInt64 n = frames;
    int at = 0;
    if (n < 0) {
        out[at++] = '-';
        n = -n;
    }
    SInt64 foot = n * g.perfsPerFrame / g.perfsPerFoot;
    SInt64 inFoot = n - FirstFrameOfFoot(g, foot);
    at += kscode::PutDigits(out + at, UInt64(foot), feetWidth);
    out[at++] = '+';
    at += kscode::PutDigits(out + at, UInt64(inFoot), 2);
    return at;
}

bool WriteCount(const edgecode_t& ec, char* buffer, int length, UInt16 flags, int feetWidth,
                bool withHeader) {
    const Gauge* g = FindGauge(ec.filmType);
    if (!g) {
        kscode::CopyOut("", 0, buffer, length);
        return false;
    }
    if (!(flags & kECFormatValid)) return kscode::CopyOut("", 0, buffer, length);
    char text[48];
    int at = 0;
    if (withHeader) {
        for (int i = 0; i < 8 && ec.header[i]; ++i)
            if (IsAlnum(ec.header[i])) text[at++] = ec.header[i];
        if (at > 0) text[at++] = ' ';
    }
    at += PutCount(*g, ec.frames, feetWidth, text + at);
    return kscode::CopyOut(text, at, buffer, length);
}

// Reads the count part [begin, end) for the film in `gauge`.
bool ReadCount(const Gauge& g, const char* begin, const char* end, SInt32& frames) {
    kscode::CodeFields fields;
    if (!kscode::ScanCodeText(begin, end, "+:;.,", 2, fields)) return false;
    SInt64 foot = fields.count == 2 ? fields.value[0] : 0;
    SInt64 inFoot = fields.value[fields.count - 1];
    SInt64 first = FirstFrameOfFoot(g, foot);
    if (inFoot >= FirstFrameOfFoot(g, foot + 1) - first) return false;
    SInt64 n = first + inFoot;
    if (n > std::numeric_limits<SInt32>::max()) return false;
    frames = SInt32(fields.negative ? -n : n);
    return true;
}

} // namespace

bool ECIsValidFilmType(SInt32 filmType) {
    return FindGauge(filmType) != nullptr;
}

bool ECSetDefaultFilmType(SInt32 filmType) {
    if (!FindGauge(filmType)) return false;
    gDefaultFilmType.store(filmType, std::memory_order_relaxed);
    return true;
}

edgecode_t ECGetDefault() {
    return ECMake(gDefaultFilmType.load(std::memory_order_relaxed), nullptr, 0);
}

edgecode_t ECMake(SInt32 filmType, const char* header, SInt32 frames) {
    edgecode_t ec{};
    ec.filmType = filmType;
    ec.frames = frames;
    int at = 0;
    for (const char* p = header; p && *p && at < 8; ++p)
        if (IsAlnum(*p)) ec.header[at++] = Upper(*p);
    return ec;
}

bool ECEqual(const edgecode_t& a, const edgecode_t& b) {
    return a.filmType == b.filmType && a.frames == b.frames &&
           std::memcmp(a.header, b.header, sizeof a.header) == 0;
}

edgecode_t ECSetFrames(const edgecode_t& ec, SInt32 frames) {
    edgecode_t copy = ec;
    copy.frames = frames;
    return copy;
}

bool ECToStr(const edgecode_t& ec, char* buffer, int length, UInt16 flags) {
    return WriteCount(ec, buffer, length, flags, 4, true);
}

bool ECToFootageStr(const edgecode_t& ec, char* buffer, int length, UInt16 flags) {
    return WriteCount(ec, buffer, length, flags, 1, false);
}

bool ECToStrSansHeader(const edgecode_t& ec, char* buffer, int length, UInt16 flags) {
    return WriteCount(ec, buffer, length, flags, 4, false);
}

bool ECFootageStrToEC(edgecode_t* ec, const char* text) {
    if (!ec || !text || !*text) return false;
    const Gauge* g = FindGauge(ec->filmType);
    if (!g) return false;
    SInt32 frames;
    if (!ReadCount(*g, text, text + std::char_traits<char>::length(text), frames)) return false;
    ec->frames = frames;
    return true;
}

bool ECStrToEC(edgecode_t* ec, const char* text) {
    if (!ec || !text || !*text) return false;
    const Gauge* g = FindGauge(ec->filmType);
    if (!g) return false;
    const char* end = text + std::char_traits<char>::length(text);
    while (end > text && (end[-1] == ' ' || end[-1] == '\t'))
        --end;
    // The count is the last blank-separated group; what comes before is the header.
    const char* countStart = end;
    while (countStart > text && countStart[-1] != ' ' && countStart[-1] != '\t')
        --countStart;

    char header[8] = {};
    int headerSize = 0;
    for (const char* p = text; p < countStart; ++p) {
        if (*p == ' ' || *p == '\t') continue;
        if (!IsAlnum(*p) || headerSize == 8) return false;
        header[headerSize++] = Upper(*p);
    }
    SInt32 frames;
    if (!ReadCount(*g, countStart, end, frames)) return false;
    if (headerSize > 0) std::memcpy(ec->header, header, sizeof header);
    ec->frames = frames;
    return true;
}

int ECAdjustStr(char* text, int length) {
    return kscode::AdjustCodeText(text, length, '+', 2);
}
