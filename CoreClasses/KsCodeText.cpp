#include "KsCodeText.h"

#include <cstdint>
#include <cstring>
#include <utility>

namespace KsCodeText {
namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
bool IsSignPosition(char c) {
    return c == '-' || c == '+' || c == ' ';
}

int BoundedLen(const char* text) {
    if (!text) return 0;
    int n = 0;
    while (n < kMaxCodeChars && text[n])
        ++n;
    return n;
}

// The raw edit, before tidying: writes the edited text into out->text and
// answers the caret's distance from its end.
int RawEdit(const char* text, int len, SInt32 selStart, SInt32 selEnd, char key, TypedCode* out) {
    int a = selStart < 0 ? 0 : selStart > len ? len : int(selStart);
    int b = selEnd < 0 ? 0 : selEnd > len ? len : int(selEnd);
    if (a > b) std::swap(a, b);
    const int origLen = len;
    char* t = out->text;
    std::memcpy(t, text, std::size_t(len));
    t[len] = '\0';
    auto cut = [&](int from, int to) {
        std::memmove(t + from, t + to, std::size_t(len - to + 1));
        len -= to - from;
    };
    if (IsDigit(key)) {
        cut(a, b);
        std::memmove(t + a + 1, t + a, std::size_t(len - a + 1));
        t[a] = key;
        ++len;
        b = a + 1;
    } else if (key == kBackspace || key == kDelete) {
        if (a == b && key == kBackspace && a > 0) --a;
        if (a == b && key == kDelete && b < len) ++b;
        cut(a, b);
        b = a;
    } else if (IsSignPosition(key)) {
        // The sign position is the first character when it holds a sign;
        // otherwise the sign goes in front, so no digit is lost.
        if (len > 0 && IsSignPosition(t[0])) {
            t[0] = key;
        } else {
            std::memmove(t + 1, t, std::size_t(len + 1));
            t[0] = key;
            ++len;
        }
        return origLen - b;
    }
    return len - b;
}

void Finish(int newLen, int fromEnd, TypedCode* out) {
    out->length = newLen;
    const int caret = newLen - fromEnd;
    out->caret = caret < 0 ? 0 : caret;
}

} // namespace

int TCCapacity(const char* text) {
    return text && IsSignPosition(text[0]) ? kTCTypedChars + 1 : kTCTypedChars;
}

bool IsTCEditKey(char key) {
    return IsDigit(key) || std::strchr("=+-:; ", key) != nullptr || key == kBackspace ||
           key == kDelete;
}

bool IsECEditKey(char key) {
    return IsDigit(key) || key == '+' || key == '-' || key == kBackspace;
}

bool TCEditKey(const char* text, SInt32 selStart, SInt32 selEnd, char key, char separator,
               UInt16 flags, TypedCode* out) {
    if (key == '\0') return false;
    const int len = BoundedLen(text);
    const SInt32 selected = selEnd > selStart ? selEnd - selStart : selStart - selEnd;
    if (IsDigit(key) && len - selected >= TCCapacity(text)) return false;
    TypedCode work;
    const int fromEnd = RawEdit(text ? text : "", len, selStart, selEnd, key, &work);
    const int newLen = TCAdjustStr(work.text, separator, kReadBufSize, flags);
    std::memcpy(out->text, work.text, sizeof work.text);
    Finish(newLen, fromEnd, out);
    return true;
}

bool ECEditKey(const char* text, SInt32 selStart, SInt32 selEnd, char key, TypedCode* out) {
    if (key == '\0') return false;
    const int len = BoundedLen(text);
    TypedCode work;
    const int fromEnd = RawEdit(text ? text : "", len, selStart, selEnd, key, &work);
    const int newLen = ECAdjustStr(work.text, kReadBufSize);
    std::memcpy(out->text, work.text, sizeof work.text);
    Finish(newLen, fromEnd, out);
    return true;
}

bool ReadTypedTC(const char* text, UInt16 flags, const timecode_t& current, timecode_t* out) {
    char buf[kReadBufSize];
    const int len = BoundedLen(text);
    if (len > 0) std::memcpy(buf, text, std::size_t(len));
    int n = len;
    buf[n] = '\0';
    if (n >= 2 && IsDigit(buf[n - 1]) && (buf[n - 2] == ':' || buf[n - 2] == ';')) {
        buf[n++] = '0';
        buf[n] = '\0';
    }
    timecode_t tc = current;
    if (n > 0 && TCStrToTC(&tc, buf, flags, &current)) {
        *out = tc;
        return true;
    }
    *out = current;
    out->frames = kTCNoValue;
    return false;
}

bool ReadFrameCount(const char* text, SInt32* frames) {
    const int len = BoundedLen(text);
    if (len == 0) {
        *frames = 0;
        return true;
    }
    bool negative = false;
    bool signSeen = false;
    bool any = false;
    std::int64_t magnitude = 0;
    for (int i = 0; i < len; ++i) {
        const char c = text[i];
        if (c == '-' || c == '+') {
            // Only a sign before the digits counts; the next one ends the number.
            if (any || signSeen) break;
            signSeen = true;
            negative = c == '-';
        } else if (IsDigit(c)) {
            any = true;
            magnitude = magnitude * 10 + (c - '0');
            if (magnitude > INT32_MAX) magnitude = INT32_MAX;
        }
    }
    if (!any) return false;
    *frames = SInt32(negative ? -magnitude : magnitude);
    return true;
}

bool ReadTypedEC(const char* text, bool footage, const edgecode_t& current, edgecode_t* out) {
    char buf[kReadBufSize];
    const int len = BoundedLen(text);
    if (len > 0) std::memcpy(buf, text, std::size_t(len));
    buf[len] = '\0';
    edgecode_t ec = current;
    const bool byFootage = footage || buf[0] == '+' || buf[0] == '-';
    const bool ok = len > 0 && (byFootage ? ECFootageStrToEC(&ec, buf) : ECStrToEC(&ec, buf));
    *out = ok ? ec : ECSetFrames(current, 0);
    return ok;
}

} // namespace KsCodeText
