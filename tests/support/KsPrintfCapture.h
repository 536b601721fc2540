// What a printf-style output procedure (the dumps take one) wrote, gathered
// in one string for the test to read; clear it before each dump.
#pragma once

#include "KsFormat.h"

#include <cstdarg>
#include <string>

inline std::string gPrinted;

__attribute__((format(printf, 1, 2))) inline void KsCapturePrintf(const char* format, ...) {
    va_list ap;
    va_start(ap, format);
    KsFormatted text(format, ap);
    va_end(ap);
    gPrinted.append(text.View());
}
