#include "KsNumberText.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace KsNumberText {
namespace {

constexpr std::int64_t kMin32 = INT32_MIN;
constexpr std::int64_t kMax32 = INT32_MAX;

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

int DigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'Z') return c - 'A' + 10;
    if (c >= 'a' && c <= 'z') return c - 'a' + 10;
    return 99;
}

// Sign and digits of a radix from text (at most `limit` characters); the
// magnitude saturates one past the 32-bit range so the sign can still pick
// the right limit. `grouping` skips ',' once a digit has been read.
bool ReadInteger(const char* text, int radix, int limit, bool grouping, SInt32* value) {
    if (!text) return false;
    int i = 0;
    while (i < limit && IsBlank(text[i]))
        ++i;
    bool negative = false;
    if (i < limit && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    std::int64_t magnitude = 0;
    bool any = false;
    for (; i < limit && text[i]; ++i) {
        if (grouping && any && text[i] == ',') continue;
        const int d = DigitValue(text[i]);
        if (d >= radix) break;
        any = true;
        magnitude = magnitude * radix + d;
        if (magnitude > kMax32 + 1) magnitude = kMax32 + 1;
    }
    if (!any) return false;
    const std::int64_t v = negative ? -magnitude : magnitude;
    *value = SInt32(v < kMin32 ? kMin32 : v > kMax32 ? kMax32 : v);
    return true;
}

// Magnitude digits of |value| in a radix, most significant first.
int MagnitudeDigits(std::int64_t magnitude, int radix, char* out) {
    static const char kDigits[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    char rev[40];
    int n = 0;
    do {
        rev[n++] = kDigits[magnitude % radix];
        magnitude /= radix;
    } while (magnitude > 0);
    for (int i = 0; i < n; ++i)
        out[i] = rev[n - 1 - i];
    return n;
}

void CopyOut(const char* text, char* buf, std::size_t size) {
    if (!buf || size == 0) return;
    std::snprintf(buf, size, "%s", text);
}

} // namespace

bool ParseInt(const char* text, SInt32* value) {
    return ReadInteger(text, 10, kMaxNumberChars, true, value);
}

bool ParseRadix(const char* text, int radix, SInt32* value) {
    if (radix < 2 || radix > 36) return false;
    return ReadInteger(text, radix, kMaxRadixChars, false, value);
}

bool ParseFloat(const char* text, double* value) {
    if (!text) return false;
    char copy[kMaxNumberChars + 1];
    std::strncpy(copy, text, kMaxNumberChars);
    copy[kMaxNumberChars] = '\0';
    char* end = nullptr;
    const double v = std::strtod(copy, &end);
    if (end == copy || !std::isfinite(v)) return false;
    *value = v;
    return true;
}

void FormatInt(SInt32 value, bool grouped, char* buf, std::size_t size) {
    char text[kIntTextSize];
    int at = 0;
    // Widened first: the smallest 32-bit value has no 32-bit magnitude.
    std::int64_t magnitude = value;
    if (magnitude < 0) {
        text[at++] = '-';
        magnitude = -magnitude;
    }
    char digits[16];
    const int n = MagnitudeDigits(magnitude, 10, digits);
    for (int i = 0; i < n; ++i) {
        if (grouped && i > 0 && (n - i) % 3 == 0) text[at++] = ',';
        text[at++] = digits[i];
    }
    text[at] = '\0';
    CopyOut(text, buf, size);
}

void FormatRadix(SInt32 value, int radix, char* buf, std::size_t size) {
    if (radix < 2 || radix > 36) radix = 10;
    char text[kIntTextSize];
    int at = 0;
    std::int64_t magnitude = value;
    if (magnitude < 0) {
        text[at++] = '-';
        magnitude = -magnitude;
    }
    at += MagnitudeDigits(magnitude, radix, text + at);
    text[at] = '\0';
    CopyOut(text, buf, size);
}

void FormatFloat(double value, int width, int precision, char* buf, std::size_t size) {
    if (!buf || size == 0) return;
    width = width < 0 ? 0 : width > 64 ? 64 : width;
    precision = precision < 0 ? 0 : precision > 40 ? 40 : precision;
    if (width == 0) {
        std::snprintf(buf, size, "%g", value);
    } else if (precision == 0) {
        // Printed from the double itself: a value beyond the 32-bit range
        // has no integer form to convert to.
        double whole = std::trunc(value);
        if (whole == 0.0) whole = 0.0; // no "-0"
        std::snprintf(buf, size, "%.0f", whole);
    } else {
        std::snprintf(buf, size, "%*.*f", width, precision, value);
    }
}

SInt32 StepInt(SInt32 value, SInt32 inc, int steps, SInt32 lo, SInt32 hi) {
    const std::int64_t v = std::int64_t(value) + std::int64_t(inc) * steps;
    return SInt32(v < lo ? lo : v > hi ? hi : v);
}

double StepFloat(double value, double inc, int steps, double lo, double hi) {
    const double v = value + inc * steps;
    if (std::isnan(v)) return ClampFloat(value, lo, hi);
    return ClampFloat(v, lo, hi);
}

LimitReset CheckIntLimits(SInt32 value, SInt32 lo, SInt32 hi, bool final) {
    if (value < lo && (lo <= 1 || final)) return LimitReset::toMin;
    if (value > hi && (hi >= 0 || final)) return LimitReset::toMax;
    return LimitReset::none;
}

LimitReset CheckFloatLimits(double value, double lo, double hi, bool final) {
    if (value < lo && (lo <= 0.0 || final)) return LimitReset::toMin;
    if (value > hi && (hi >= 0.0 || final)) return LimitReset::toMax;
    return LimitReset::none;
}

KeyVerdict IntKey(char ch, const char* text, SInt32 selStart, SInt32 selEnd, SInt32 minVal) {
    const bool hasSign = text && (text[0] == '-' || text[0] == '+');
    const bool emptySel = selStart == selEnd;
    if (ch >= '0' && ch <= '9')
        return emptySel && selStart == 0 && hasSign ? KeyVerdict::refuse : KeyVerdict::pass;
    if (ch != '-' && ch != '+') return KeyVerdict::refuse;
    if (ch == '-' && minVal >= 0) return KeyVerdict::refuse;
    if (!emptySel) return KeyVerdict::pass;
    return selStart == 0 && !hasSign ? KeyVerdict::pass : KeyVerdict::refuse;
}

KeyVerdict FloatKey(char ch) {
    const bool ok = (ch >= '0' && ch <= '9') || (ch != '\0' && std::strchr("+-.eE", ch));
    return ok ? KeyVerdict::pass : KeyVerdict::refuse;
}

KeyVerdict RadixKey(char ch, int radix, char* typed) {
    const char up = ch >= 'a' && ch <= 'z' ? char(ch - 'a' + 'A') : ch;
    if (typed) *typed = up;
    if (up == '+' || up == '-') return KeyVerdict::pass;
    return DigitValue(up) < radix && up != '\0' ? KeyVerdict::pass : KeyVerdict::refuse;
}

} // namespace KsNumberText
