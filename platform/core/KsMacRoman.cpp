#include "KsMacRoman.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace {

// Unicode of bytes 0x80-0xFF, in byte order.
constexpr char16_t kHigh[128] = {
    0x00C4, 0x00C5, 0x00C7, 0x00C9, 0x00D1, 0x00D6, 0x00DC, 0x00E1, // 80
    0x00E0, 0x00E2, 0x00E4, 0x00E3, 0x00E5, 0x00E7, 0x00E9, 0x00E8, // 88
    0x00EA, 0x00EB, 0x00ED, 0x00EC, 0x00EE, 0x00EF, 0x00F1, 0x00F3, // 90
    0x00F2, 0x00F4, 0x00F6, 0x00F5, 0x00FA, 0x00F9, 0x00FB, 0x00FC, // 98
    0x2020, 0x00B0, 0x00A2, 0x00A3, 0x00A7, 0x2022, 0x00B6, 0x00DF, // A0
    0x00AE, 0x00A9, 0x2122, 0x00B4, 0x00A8, 0x2260, 0x00C6, 0x00D8, // A8
    0x221E, 0x00B1, 0x2264, 0x2265, 0x00A5, 0x00B5, 0x2202, 0x2211, // B0
    0x220F, 0x03C0, 0x222B, 0x00AA, 0x00BA, 0x03A9, 0x00E6, 0x00F8, // B8
    0x00BF, 0x00A1, 0x00AC, 0x221A, 0x0192, 0x2248, 0x2206, 0x00AB, // C0
    0x00BB, 0x2026, 0x00A0, 0x00C0, 0x00C3, 0x00D5, 0x0152, 0x0153, // C8
    0x2013, 0x2014, 0x201C, 0x201D, 0x2018, 0x2019, 0x00F7, 0x25CA, // D0
    0x00FF, 0x0178, 0x2044, 0x20AC, 0x2039, 0x203A, 0xFB01, 0xFB02, // D8
    0x2021, 0x00B7, 0x201A, 0x201E, 0x2030, 0x00C2, 0x00CA, 0x00C1, // E0
    0x00CB, 0x00C8, 0x00CD, 0x00CE, 0x00CF, 0x00CC, 0x00D3, 0x00D4, // E8
    0xF8FF, 0x00D2, 0x00DA, 0x00DB, 0x00D9, 0x0131, 0x02C6, 0x02DC, // F0
    0x00AF, 0x02D8, 0x02D9, 0x02DA, 0x00B8, 0x02DD, 0x02DB, 0x02C7, // F8
};

struct ReverseEntry {
    char16_t unicode;
    unsigned char byte;
};

// kHigh sorted by character, for the reverse lookup.
constexpr std::array<ReverseEntry, 128> MakeReverse() {
    std::array<ReverseEntry, 128> r{};
    for (int i = 0; i < 128; ++i)
        r[i] = {kHigh[i], static_cast<unsigned char>(0x80 + i)};
    // Insertion sort: constexpr and only 128 entries.
    for (int i = 1; i < 128; ++i)
        for (int j = i; j > 0 && r[j].unicode < r[j - 1].unicode; --j) {
            ReverseEntry t = r[j];
            r[j] = r[j - 1];
            r[j - 1] = t;
        }
    return r;
}
constexpr std::array<ReverseEntry, 128> kReverse = MakeReverse();

} // namespace

char32_t KsMacRomanToUnicode(unsigned char byte) {
    return byte < 0x80 ? char32_t(byte) : char32_t(kHigh[byte - 0x80]);
}

bool KsUnicodeToMacRoman(char32_t ch, unsigned char* byte) {
    if (ch < 0x80) {
        *byte = static_cast<unsigned char>(ch);
        return true;
    }
    if (ch > 0xFFFF) return false;
    auto it = std::lower_bound(kReverse.begin(), kReverse.end(), ch,
                               [](const ReverseEntry& e, char32_t c) { return e.unicode < c; });
    if (it == kReverse.end() || it->unicode != ch) return false;
    *byte = it->byte;
    return true;
}

std::size_t KsDecodeUTF8(const char* text, std::size_t length, char32_t* ch) {
    if (length == 0) {
        *ch = kKsReplacementChar;
        return 0;
    }
    const auto* s = reinterpret_cast<const unsigned char*>(text);
    unsigned char lead = s[0];
    if (lead < 0x80) {
        *ch = lead;
        return 1;
    }
    std::size_t need;
    unsigned char lo = 0x80, hi = 0xBF; // allowed range of the second byte
    char32_t value;
    if (lead >= 0xC2 && lead <= 0xDF) {
        need = 2;
        value = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        need = 3;
        value = lead & 0x0F;
        if (lead == 0xE0)
            lo = 0xA0; // overlong
        else if (lead == 0xED)
            hi = 0x9F; // surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        need = 4;
        value = lead & 0x07;
        if (lead == 0xF0)
            lo = 0x90; // overlong
        else if (lead == 0xF4)
            hi = 0x8F; // above U+10FFFF
    } else {
        *ch = kKsReplacementChar;
        return 1;
    }
    // A sequence cut short, or broken by a byte that cannot continue it, is
    // one replacement covering the bytes that were valid so far.
    std::size_t i = 1;
    for (; i < need; ++i) {
        if (i >= length) break;
        unsigned char c = s[i];
        unsigned char l = i == 1 ? lo : 0x80, h = i == 1 ? hi : 0xBF;
        if (c < l || c > h) break;
        value = (value << 6) | (c & 0x3F);
    }
    if (i < need) {
        *ch = kKsReplacementChar;
        return i;
    }
    *ch = value;
    return need;
}

std::size_t KsEncodeUTF8(char32_t ch, char* out) {
    if ((ch >= 0xD800 && ch <= 0xDFFF) || ch > 0x10FFFF) ch = kKsReplacementChar;
    auto* o = reinterpret_cast<unsigned char*>(out);
    if (ch < 0x80) {
        o[0] = static_cast<unsigned char>(ch);
        return 1;
    }
    if (ch < 0x800) {
        o[0] = static_cast<unsigned char>(0xC0 | (ch >> 6));
        o[1] = static_cast<unsigned char>(0x80 | (ch & 0x3F));
        return 2;
    }
    if (ch < 0x10000) {
        o[0] = static_cast<unsigned char>(0xE0 | (ch >> 12));
        o[1] = static_cast<unsigned char>(0x80 | ((ch >> 6) & 0x3F));
        o[2] = static_cast<unsigned char>(0x80 | (ch & 0x3F));
        return 3;
    }
    o[0] = static_cast<unsigned char>(0xF0 | (ch >> 18));
    o[1] = static_cast<unsigned char>(0x80 | ((ch >> 12) & 0x3F));
    o[2] = static_cast<unsigned char>(0x80 | ((ch >> 6) & 0x3F));
    o[3] = static_cast<unsigned char>(0x80 | (ch & 0x3F));
    return 4;
}

std::size_t KsMacRomanToUTF8(const char* src, std::size_t srcLength, char* dst, std::size_t dstSize,
                             bool* truncated) {
    if (truncated) *truncated = false;
    if (dstSize == 0) {
        if (truncated) *truncated = srcLength > 0;
        return 0;
    }
    std::size_t out = 0;
    for (std::size_t i = 0; i < srcLength; ++i) {
        char buf[4];
        std::size_t n = KsEncodeUTF8(KsMacRomanToUnicode(static_cast<unsigned char>(src[i])), buf);
        if (out + n > dstSize - 1) {
            if (truncated) *truncated = true;
            break;
        }
        for (std::size_t k = 0; k < n; ++k)
            dst[out++] = buf[k];
    }
    dst[out] = '\0';
    return out;
}

std::size_t KsUTF8ToMacRoman(const char* src, std::size_t srcLength, char* dst, std::size_t dstSize,
                             std::size_t* replaced, bool* truncated) {
    if (replaced) *replaced = 0;
    if (truncated) *truncated = false;
    if (dstSize == 0) {
        if (truncated) *truncated = srcLength > 0;
        return 0;
    }
    std::size_t out = 0, i = 0;
    while (i < srcLength) {
        if (out >= dstSize - 1) {
            if (truncated) *truncated = true;
            break;
        }
        char32_t ch;
        i += KsDecodeUTF8(src + i, srcLength - i, &ch);
        unsigned char b;
        if (!KsUnicodeToMacRoman(ch, &b)) {
            b = kKsMacRomanReplacement;
            if (replaced) ++*replaced;
        }
        dst[out++] = static_cast<char>(b);
    }
    dst[out] = '\0';
    return out;
}

std::string KsMacRomanToUTF8(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        char buf[4];
        out.append(buf, KsEncodeUTF8(KsMacRomanToUnicode(static_cast<unsigned char>(c)), buf));
    }
    return out;
}

std::string KsUTF8ToMacRoman(std::string_view text, std::size_t* replaced) {
    std::string out(text.size(), '\0'); // never longer than the input
    std::size_t n =
        KsUTF8ToMacRoman(text.data(), text.size(), out.data(), out.size() + 1, replaced);
    out.resize(n);
    return out;
}
