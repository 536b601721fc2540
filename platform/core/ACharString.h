// ACharString: a growable, always-terminated byte string (Mac OS Roman text,
// like every framework string). It may hold any bytes except that C-string
// views (CStr) end at the first NUL.
#pragma once

#include "KsMacTypes.h"

#include <string>
#include <string_view>

class ACharString {
public:
    ACharString() = default;
    ACharString(const char* text) : text_(text ? text : "") {} // null is empty
    ACharString(std::string_view text) : text_(text) {}

    const char* CStr() const { return text_.c_str(); }
    operator const char*() const { return text_.c_str(); }
    std::string_view View() const { return text_; }
    SInt32 Length() const { return SInt32(text_.size()); }
    bool IsEmpty() const { return text_.empty(); }

    ACharString& Set(const char* text);
    ACharString& Append(const char* text);
    ACharString& Append(std::string_view text);
    ACharString& Append(char c);
    ACharString& AppendFormat(const char* format, ...) __attribute__((format(printf, 2, 3)));
    ACharString& operator+=(const char* text) { return Append(text); }
    ACharString& operator+=(char c) { return Append(c); }

    // Positions are 0-based byte offsets; out-of-range positions and lengths
    // are clipped to the string.
    ACharString& Insert(SInt32 pos, const char* text);
    ACharString& Delete(SInt32 pos, SInt32 length);
    void Truncate(SInt32 length); // keeps at most length bytes
    void Clear() { text_.clear(); }
    // Offset of the first occurrence of text at or after `from`; -1 when none.
    SInt32 Find(const char* text, SInt32 from = 0) const;

    // Pascal strings: the text cut to 255 bytes / set from a length-prefixed string.
    void ToPStr(Str255 out) const;
    ACharString& SetFromPStr(ConstStr255Param p);

    friend bool operator==(const ACharString& a, const ACharString& b) {
        return a.text_ == b.text_;
    }
    friend bool operator==(const ACharString& a, const char* b) { return a.text_ == (b ? b : ""); }
    friend bool operator<(const ACharString& a, const ACharString& b) { return a.text_ < b.text_; }

private:
    std::string text_;
};
