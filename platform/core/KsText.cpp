#include "KsText.h"

#include <array>
#include <cstring>

namespace {

constexpr std::array<unsigned char, 256> MakeLower() {
    std::array<unsigned char, 256> t{};
    for (int i = 0; i < 256; ++i)
        t[i] = static_cast<unsigned char>(i);
    for (int c = 'A'; c <= 'Z'; ++c)
        t[c] = static_cast<unsigned char>(c + 32);
    // Upper-case letter and its lower-case partner in Mac OS Roman.
    constexpr unsigned char pairs[][2] = {
        {0x80, 0x8A}, {0x81, 0x8C}, {0x82, 0x8D}, {0x83, 0x8E}, {0x84, 0x96}, {0x85, 0x9A},
        {0x86, 0x9F}, {0xAE, 0xBE}, {0xAF, 0xBF}, {0xCB, 0x88}, {0xCC, 0x8B}, {0xCD, 0x9B},
        {0xCE, 0xCF}, {0xD9, 0xD8}, {0xE5, 0x89}, {0xE6, 0x90}, {0xE7, 0x87}, {0xE8, 0x91},
        {0xE9, 0x8F}, {0xEA, 0x92}, {0xEB, 0x94}, {0xEC, 0x95}, {0xED, 0x93}, {0xEE, 0x97},
        {0xEF, 0x99}, {0xF1, 0x98}, {0xF2, 0x9C}, {0xF3, 0x9E}, {0xF4, 0x9D}};
    for (const auto& p : pairs)
        t[p[0]] = p[1];
    return t;
}
constexpr std::array<unsigned char, 256> kLower = MakeLower();

inline const unsigned char* U(const char* s) {
    return reinterpret_cast<const unsigned char*>(s ? s : "");
}
inline bool IsDigit(unsigned char c) {
    return c >= '0' && c <= '9';
}
inline bool IsBlank(unsigned char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v' || c == 0xCA;
}

} // namespace

unsigned char* CtoPstr(char* s) {
    if (!s) return nullptr;
    auto* p = reinterpret_cast<unsigned char*>(s);
    std::size_t n = std::strlen(s);
    if (n > 255) n = 255;
    std::memmove(p + 1, p, n);
    p[0] = static_cast<unsigned char>(n);
    return p;
}

char* PtoCstr(unsigned char* s) {
    if (!s) return nullptr;
    std::size_t n = s[0];
    std::memmove(s, s + 1, n);
    s[n] = 0;
    return reinterpret_cast<char*>(s);
}

std::size_t KsCopyCToPstr(const char* src, unsigned char* dst, std::size_t dstSize) {
    if (dstSize == 0) return 0;
    std::size_t limit = dstSize - 1 < 255 ? dstSize - 1 : 255;
    const unsigned char* s = U(src);
    std::size_t n = 0;
    while (n < limit && s[n])
        ++n;
    std::memmove(dst + 1, s, n);
    dst[0] = static_cast<unsigned char>(n);
    return n;
}

std::size_t KsCopyPToCstr(const unsigned char* src, char* dst, std::size_t dstSize) {
    if (dstSize == 0) return 0;
    std::size_t n = src ? src[0] : 0;
    if (n > dstSize - 1) n = dstSize - 1;
    if (n) std::memmove(dst, src + 1, n);
    dst[n] = 0;
    return n;
}

unsigned char KsToLowerMacRoman(unsigned char c) {
    return kLower[c];
}

int CIstrcmp(const char* a, const char* b) {
    const unsigned char* p = U(a);
    const unsigned char* q = U(b);
    for (;; ++p, ++q) {
        int d = int(kLower[*p]) - int(kLower[*q]);
        if (d != 0 || *p == 0) return d;
    }
}

int CIntstrcmp(const char* a, const char* b) {
    const unsigned char* p = U(a);
    const unsigned char* q = U(b);
    int zeroBias = 0; // decides only when the texts are otherwise equal
    for (;;) {
        if (IsDigit(*p) && IsDigit(*q)) {
            const unsigned char* p0 = p;
            const unsigned char* q0 = q;
            while (*p == '0')
                ++p;
            while (*q == '0')
                ++q;
            long pz = p - p0, qz = q - q0;
            const unsigned char* ps = p;
            const unsigned char* qs = q;
            while (IsDigit(*p))
                ++p;
            while (IsDigit(*q))
                ++q;
            // Without leading zeros, a longer run is a larger number; equal
            // lengths compare digit by digit. No conversion, so no overflow.
            long pl = p - ps, ql = q - qs;
            if (pl != ql) return pl < ql ? -1 : 1;
            int d = std::memcmp(ps, qs, static_cast<std::size_t>(pl));
            if (d != 0) return d < 0 ? -1 : 1;
            if (zeroBias == 0 && pz != qz) zeroBias = pz < qz ? -1 : 1;
            continue;
        }
        int d = int(kLower[*p]) - int(kLower[*q]);
        if (d != 0) return d;
        if (*p == 0) return zeroBias;
        ++p;
        ++q;
    }
}

char* DeSpace(char* s) {
    if (!s) return s;
    char* out = s;
    for (char* in = s; *in; ++in)
        if (!IsBlank(static_cast<unsigned char>(*in))) *out++ = *in;
    *out = 0;
    return s;
}

std::string DeSpace(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    for (char c : s)
        if (!IsBlank(static_cast<unsigned char>(c))) out += c;
    return out;
}

int strSameUpto(const char* a, const char* b, int maxLength) {
    const unsigned char* p = U(a);
    const unsigned char* q = U(b);
    int n = 0;
    while (n < maxLength && p[n] && p[n] == q[n])
        ++n;
    return n;
}
