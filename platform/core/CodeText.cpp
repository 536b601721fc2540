// Scanning and re-grouping of timecode and edgecode text (see CodeTextPrivate.h).
#include "CodeTextPrivate.h"

#include <cstring>

namespace kscode {
namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}
bool IsSignPosition(char c) {
    return c == '-' || c == '+' || c == ' ';
}

bool IsSeparator(char c, const char* separators) {
    return c != '\0' && std::strchr(separators, c) != nullptr;
}

} // namespace

bool ScanCodeText(const char* begin, const char* end, const char* separators, int maxFields,
                  CodeFields& out) {
    out = CodeFields();
    if (!begin || begin >= end || maxFields < 1 || maxFields > 4) return false;
    const char* p = begin;
    while (p < end && IsBlank(*p))
        ++p;
    while (end > p && IsBlank(end[-1]))
        --end;
    if (p < end && (*p == '+' || *p == '-')) {
        out.negative = *p == '-';
        ++p;
    }
    if (p >= end || !IsDigit(*p)) return false;

    // Groups as typed: values and digit counts.
    SInt64 groups[4] = {};
    int digitsIn[4] = {};
    int count = 1;
    const char* runStart = p;
    for (; p < end; ++p) {
        char c = *p;
        if (IsDigit(c)) {
            int g = count - 1;
            if (groups[g] <= kFieldCap) groups[g] = groups[g] * 10 + (c - '0');
            ++digitsIn[g];
        } else if (IsSeparator(c, separators)) {
            if (digitsIn[count - 1] == 0 || count == maxFields) return false;
            ++count;
        } else {
            return false;
        }
    }
    if (digitsIn[count - 1] == 0) return false;

    if (count == 1 && maxFields > 1) {
        // A run of digits: pairs from the right, the first field takes the rest.
        int n = digitsIn[0];
        int pairs = (n - 1) / 2;
        if (pairs > maxFields - 1) pairs = maxFields - 1;
        int lead = n - 2 * pairs;
        SInt64 v = 0;
        const char* d = runStart;
        for (int i = 0; i < lead; ++i, ++d)
            if (v <= kFieldCap) v = v * 10 + (*d - '0');
        out.value[0] = v;
        for (int k = 1; k <= pairs; ++k, d += 2)
            out.value[k] = (d[0] - '0') * 10 + (d[1] - '0');
        out.count = pairs + 1;
    } else {
        for (int g = 0; g < count; ++g) {
            if (g > 0 && digitsIn[g] > 2) return false;
            out.value[g] = groups[g];
        }
        out.count = count;
    }
    for (int g = 0; g < out.count; ++g)
        if (out.value[g] > kFieldCap) return false;
    return true;
}

int BoundedLength(const char* text, int length) {
    if (!text || length <= 0) return 0;
    const void* nul = std::memchr(text, '\0', std::size_t(length));
    return nul ? int(static_cast<const char*>(nul) - text) : length;
}

int AdjustCodeText(char* text, int length, char separator, int maxFields) {
    if (!text || length <= 0) return 0;
    int size = BoundedLength(text, length);
    if (size == length) size = length - 1; // an unterminated buffer: the last byte is ours
    if (size <= 0) {
        text[0] = '\0';
        return 0;
    }

    char sign = IsSignPosition(text[0]) ? text[0] : '\0';
    char digits[8];
    int nDigits = 0;
    for (int i = 0; i < size; ++i) {
        if (!IsDigit(text[i])) continue;
        if (nDigits == 8) { // keep the last 8: slide left
            std::memmove(digits, digits + 1, 7);
            nDigits = 7;
        }
        digits[nDigits++] = text[i];
    }

    // Sign + 8 digits + 3 separators at most. When the buffer is smaller, the
    // leading digits give way first so that what is typed last stays visible.
    char out[16];
    int room = length - 1;
    int first = 0;
    int n = 0;
    for (;; ++first) {
        int keep = nDigits - first;
        int seps = 0;
        if (separator && keep > 2) {
            seps = (keep - 1) / 2;
            if (seps > maxFields - 1) seps = maxFields - 1;
        }
        n = (sign ? 1 : 0) + keep + seps;
        if (n <= room || keep == 0) {
            int at = 0;
            if (sign) out[at++] = sign;
            int pairedDigits = 2 * seps;
            int leadDigits = keep - pairedDigits;
            for (int i = 0; i < keep; ++i) {
                int fromLead = i - leadDigits;
                if (fromLead >= 0 && fromLead % 2 == 0 && seps > 0) out[at++] = separator;
                out[at++] = digits[first + i];
            }
            n = at;
            break;
        }
    }
    if (n > room) n = room; // only a lone sign in a 1-byte buffer
    std::memcpy(text, out, std::size_t(n));
    text[n] = '\0';
    return n;
}

int PutDigits(char* out, UInt64 value, int width) {
    char tmp[20];
    int n = 0;
    do {
        tmp[n++] = char('0' + value % 10);
        value /= 10;
    } while (value != 0);
    while (n < width && n < 20)
        tmp[n++] = '0';
    for (int i = 0; i < n; ++i)
        out[i] = tmp[n - 1 - i];
    return n;
}

bool CopyOut(const char* text, int size, char* buffer, int length) {
    if (!buffer || length <= 0) return false;
    if (size >= length) {
        buffer[0] = '\0';
        return false;
    }
    std::memcpy(buffer, text, std::size_t(size));
    buffer[size] = '\0';
    return true;
}

} // namespace kscode
