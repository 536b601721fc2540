// Timecode arithmetic and text forms (see Timecode.h).
//
// Sections: rate table; labels <-> frame counts; public value operations;
// writing; reading; tidying typed text.
#include "Timecode.h"

#include "CodeTextPrivate.h"

#include <atomic>
#include <cstdint>
#include <limits>

namespace {

// ---- Rate table --------------------------------------------------------

struct RateInfo {
    SInt32 code;
    int nominal; // frames per labelled second
    int num;     // real rate = num / den frames a second
    int den;
    int drop; // labels skipped per minute (0 for non-drop)
};

constexpr RateInfo kRates[] = {
    {kTCRate23_976, 24, 24000, 1001, 0},
    {kTCRate24, 24, 24, 1, 0},
    {kTCRate25, 25, 25, 1, 0},
    {kTCRate29_97, 30, 30000, 1001, 0},
    {kTCRate29_97DF, 30, 30000, 1001, 2},
    {kTCRate30, 30, 30, 1, 0},
    {kTCRate47_952, 48, 48000, 1001, 0},
    {kTCRate48, 48, 48, 1, 0},
    {kTCRate50, 50, 50, 1, 0},
    {kTCRate59_94, 60, 60000, 1001, 0},
    {kTCRate59_94DF, 60, 60000, 1001, 4},
    {kTCRate60, 60, 60, 1, 0},
};

const RateInfo* FindRate(SInt32 code) {
    for (const RateInfo& r : kRates)
        if (r.code == code) return &r;
    return nullptr;
}

std::atomic<SInt32> gDefaultRate{kTCRate29_97DF};

// ---- Labels <-> frame counts ---------------------------------------------

SInt64 FramesPerTenMinutes(const RateInfo& r) {
    return SInt64(r.nominal) * 600 - 9 * r.drop;
}
SInt64 FramesPerDay(const RateInfo& r) {
    return FramesPerTenMinutes(r) * 6 * 24;
}

struct Label {
    SInt64 hours;
    int minutes, seconds, frames;
};

// 0 <= n <= INT32_MAX. Drop-frame: every ten minutes hold 9 short minutes
// after a full one; add back the labels skipped so far and split the result
// as non-drop. 32-bit unsigned arithmetic suffices (the labels skipped add
// less than 2^31) and keeps this cheap: displays rewrite it every frame.
Label LabelOf(const RateInfo& r, SInt64 frames) {
    UInt32 n = UInt32(frames);
    const UInt32 nominal = UInt32(r.nominal);
    if (r.drop) {
        const UInt32 drop = UInt32(r.drop);
        const UInt32 perTen = nominal * 600 - 9 * drop;
        const UInt32 perMinute = nominal * 60 - drop;
        UInt32 blocks = n / perTen;
        UInt32 rest = n % perTen;
        n += 9 * drop * blocks;
        if (rest >= drop) n += drop * ((rest - drop) / perMinute);
    }
    Label l;
    l.frames = int(n % nominal);
    n /= nominal;
    l.seconds = int(n % 60);
    n /= 60;
    l.minutes = int(n % 60);
    l.hours = n / 60;
    return l;
}

// Fields already range-checked; hours at most kFieldCap.
SInt64 FramesOf(const RateInfo& r, SInt64 h, int m, int s, int f) {
    SInt64 totalMinutes = h * 60 + m;
    if (r.drop && m % 10 != 0 && s == 0 && f < r.drop) f = r.drop; // a skipped label
    SInt64 n = (totalMinutes * 60 + s) * r.nominal + f;
    if (r.drop) n -= r.drop * (totalMinutes - totalMinutes / 10);
    return n;
}

SInt64 WrapToDay(const RateInfo& r, SInt64 n) {
    SInt64 day = FramesPerDay(r);
    n %= day;
    return n < 0 ? n + day : n;
}

} // namespace

// ---- Public value operations ---------------------------------------------

bool TCIsValidRate(SInt32 rate) {
    return FindRate(rate) != nullptr;
}

SInt32 TCFramesPerDay(SInt32 rate) {
    const RateInfo* r = FindRate(rate);
    return r ? SInt32(FramesPerDay(*r)) : 0;
}

bool TCSetDefaultRate(SInt32 rate) {
    if (!FindRate(rate)) return false;
    gDefaultRate.store(rate, std::memory_order_relaxed);
    return true;
}

SInt32 TCGetDefaultRate() {
    return gDefaultRate.load(std::memory_order_relaxed);
}

timecode_t TCGetDefault(SInt32 frames) {
    return TCMake(TCGetDefaultRate(), frames);
}

timecode_t TCMake(SInt32 rate, SInt32 frames) {
    timecode_t tc{};
    tc.rate = rate;
    tc.frames = frames;
    return tc;
}

bool TCEqual(const timecode_t& a, const timecode_t& b) {
    return a.rate == b.rate && a.frames == b.frames;
}

bool TCIsDrop(const timecode_t& tc) {
    const RateInfo* r = FindRate(tc.rate);
    return r && r->drop != 0;
}

bool TCChangeDrop(timecode_t& tc, bool drop) {
    SInt32 base = tc.rate >= 100 ? tc.rate - 100 : tc.rate;
    if (base != kTCRate29_97 && base != kTCRate59_94) return false;
    tc.rate = drop ? base + 100 : base;
    return true;
}

bool TCConvertFPS(timecode_t& tc, SInt32 rate) {
    const RateInfo* from = FindRate(tc.rate);
    const RateInfo* to = FindRate(rate);
    if (!from || !to) return false;
    if (tc.frames == kTCNoValue) {
        tc.rate = rate;
        return true;
    }
    // frames * (to.num / to.den) / (from.num / from.den), rounded half away
    // from zero so that positive and negative durations convert alike. All
    // factors are below 2^17 and the count below 2^31: no overflow in 64 bits.
    SInt64 magnitude = tc.frames < 0 ? -SInt64(tc.frames) : SInt64(tc.frames);
    SInt64 numer = magnitude * to->num * from->den;
    SInt64 denom = SInt64(to->den) * from->num;
    SInt64 result = (2 * numer + denom) / (2 * denom);
    if (result > std::numeric_limits<SInt32>::max()) return false;
    tc.rate = rate;
    tc.frames = SInt32(tc.frames < 0 ? -result : result);
    return true;
}

// ---- Writing -------------------------------------------------------------

namespace {
char* PutTwo(char* out, int v) {
    out[0] = char('0' + v / 10);
    out[1] = char('0' + v % 10);
    return out + 2;
}
} // namespace

bool TCToStr(const timecode_t& tc, char* buffer, int length, UInt16 flags) {
    const RateInfo* r = FindRate(tc.rate);
    if (!r) {
        kscode::CopyOut("", 0, buffer, length);
        return false;
    }
    if (!(flags & kTCFormatValid) || tc.frames == kTCNoValue)
        return kscode::CopyOut("", 0, buffer, length);

    SInt64 n = tc.frames;
    bool negative = false;
    if (flags & kTCFormatDuration) {
        negative = n < 0;
        if (negative) n = -n;
    } else {
        n = WrapToDay(*r, n);
    }

    char text[32];
    int at = 0;
    if (negative) text[at++] = '-';
    if (flags & kTCFormatFrames) {
        at += kscode::PutDigits(text + at, UInt64(n), 1);
    } else {
        Label l = LabelOf(*r, n);
        at += kscode::PutDigits(text + at, UInt64(l.hours), 2);
        char* p = text + at;
        *p++ = ':';
        p = PutTwo(p, l.minutes);
        *p++ = ':';
        p = PutTwo(p, l.seconds);
        *p++ = r->drop ? ';' : ':';
        p = PutTwo(p, l.frames);
        at = int(p - text);
    }
    return kscode::CopyOut(text, at, buffer, length);
}

// ---- Reading -------------------------------------------------------------

bool TCStrToTC(timecode_t* tc, const char* text, UInt16 flags, const timecode_t* descriptor) {
    if (!tc || !text || !*text) return false;
    timecode_t result = descriptor ? *descriptor : TCGetDefault(0);
    const RateInfo* r = FindRate(result.rate);
    if (!r) return false;

    const char* end = text + std::char_traits<char>::length(text);
    kscode::CodeFields fields;
    bool asFrames = (flags & kTCFormatFrames) != 0;
    if (!kscode::ScanCodeText(text, end, ":;.,", asFrames ? 1 : 4, fields)) return false;

    SInt64 n;
    bool duration = (flags & kTCFormatDuration) != 0;
    if (asFrames) {
        n = fields.value[0];
        if (!duration && n >= FramesPerDay(*r)) return false;
    } else {
        // Right-align the fields: frames, seconds, minutes, hours.
        SInt64 v[4] = {};
        for (int i = 0; i < fields.count; ++i)
            v[4 - fields.count + i] = fields.value[i];
        if (v[3] >= r->nominal || v[2] >= 60 || v[1] >= 60) return false;
        if (!duration && v[0] >= 24) return false;
        n = FramesOf(*r, v[0], int(v[1]), int(v[2]), int(v[3]));
    }
    if (n > std::numeric_limits<SInt32>::max()) return false;
    if (fields.negative) n = -n;
    if (!duration) n = WrapToDay(*r, n);

    result.frames = SInt32(n);
    *tc = result;
    return true;
}

// ---- Tidying typed text --------------------------------------------------

int TCAdjustStr(char* text, char separator, int length, UInt16 flags) {
    if (separator >= '0' && separator <= '9') separator = ':';
    if (flags & kTCFormatFrames) separator = '\0';
    return kscode::AdjustCodeText(text, length, separator, 4);
}
