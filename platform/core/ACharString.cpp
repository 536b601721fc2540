#include "ACharString.h"

#include "KsFormat.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

ACharString& ACharString::Set(const char* text) {
    text_.assign(text ? text : "");
    return *this;
}

ACharString& ACharString::Append(const char* text) {
    if (text) text_.append(text);
    return *this;
}

ACharString& ACharString::Append(std::string_view text) {
    text_.append(text);
    return *this;
}

ACharString& ACharString::Append(char c) {
    text_.push_back(c);
    return *this;
}

ACharString& ACharString::AppendFormat(const char* format, ...) {
    if (!format) return *this;
    va_list args;
    va_start(args, format);
    text_ += KsFormatted(format, args).View();
    va_end(args);
    return *this;
}

ACharString& ACharString::Insert(SInt32 pos, const char* text) {
    if (!text) return *this;
    size_t at = pos < 0 ? 0 : (size_t(pos) > text_.size() ? text_.size() : size_t(pos));
    text_.insert(at, text);
    return *this;
}

ACharString& ACharString::Delete(SInt32 pos, SInt32 length) {
    if (pos < 0 || size_t(pos) >= text_.size() || length <= 0) return *this;
    text_.erase(size_t(pos), size_t(length));
    return *this;
}

void ACharString::Truncate(SInt32 length) {
    if (length < 0) length = 0;
    if (size_t(length) < text_.size()) text_.resize(size_t(length));
}

SInt32 ACharString::Find(const char* text, SInt32 from) const {
    if (!text || from < 0) return -1;
    size_t at = text_.find(text, size_t(from));
    return at == std::string::npos ? -1 : SInt32(at);
}

void ACharString::ToPStr(Str255 out) const {
    size_t n = text_.size() > 255 ? 255 : text_.size();
    out[0] = static_cast<unsigned char>(n);
    std::memcpy(out + 1, text_.data(), n);
}

ACharString& ACharString::SetFromPStr(ConstStr255Param p) {
    if (!p)
        text_.clear();
    else
        text_.assign(reinterpret_cast<const char*>(p + 1), p[0]);
    return *this;
}
