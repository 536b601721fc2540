#include "KsFormat.h"

#include <cstdio>

KsFormatted::KsFormatted(const char* format, va_list args) {
    va_list again;
    va_copy(again, args);
    count_ = std::vsnprintf(small_, sizeof small_, format, args);
    if (count_ < 0) {
        small_[0] = '\0';
    } else if (std::size_t(count_) >= sizeof small_) {
        big_.resize(std::size_t(count_) + 1);
        std::vsnprintf(big_.data(), big_.size(), format, again);
    }
    va_end(again);
}

std::string KsVFormat(const char* format, va_list args) {
    return std::string(KsFormatted(format, args).View());
}

std::string KsFormat(const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::string text = KsVFormat(format, args);
    va_end(args);
    return text;
}
