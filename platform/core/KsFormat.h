// printf formatting of any length, in one place.
//
// Text that fits a small buffer of the object's own is formatted in one pass
// and never touches the heap (diagnostics on hot paths rely on that); longer
// text is measured by that pass and formatted again at its full length.
#pragma once

#include <cstdarg>
#include <cstddef>
#include <string>
#include <string_view>

class KsFormatted {
public:
    KsFormatted(const char* format, va_list args) __attribute__((format(printf, 2, 0)));
    KsFormatted(const KsFormatted&) = delete;
    KsFormatted& operator=(const KsFormatted&) = delete;

    // vsnprintf's answer: the length, or negative when the format was refused
    // (the text is then empty).
    int Count() const { return count_; }
    std::string_view View() const {
        return {big_.empty() ? small_ : big_.data(), count_ > 0 ? std::size_t(count_) : 0};
    }

private:
    char small_[512];
    std::string big_;
    int count_;
};

std::string KsFormat(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string KsVFormat(const char* format, va_list args) __attribute__((format(printf, 1, 0)));
