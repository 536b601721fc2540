#include <cstdarg>
#include <cstring>

#include "KsFormat.h"
#include "KsOutput.h"
#include "Stx.h"

namespace {

// The conversions of a printf format, in order ("%s%d" -> "sd"); "%%" skipped.
std::string Conversions(const char* format) {
    std::string out;
    for (const char* p = format; *p; ++p) {
        if (*p != '%') continue;
        ++p;
        if (*p == '%') continue;
        while (*p && std::strchr("-+ #0123456789.", *p))
            ++p;
        // '*' takes an argument and length modifiers change the type: both count.
        while (*p && std::strchr("*lhzjtLq", *p))
            out += *p++;
        if (!*p) {
            out += '?'; // a dangling '%' never matches a sound format
            break;
        }
        out += *p;
    }
    return out;
}

} // namespace

const char* stxChecked(const char* source) {
    const char* translated = stx(source);
    if (Conversions(translated) == Conversions(source)) return translated;
    dprintf("Translation of \"%s\" ignored: its conversions do not match\n", source);
    thread_local std::string stripped; // the source without its translator's note
    stripped = source;
    const std::size_t note = stripped.find("//");
    if (note != std::string::npos) stripped.resize(note);
    return stripped.c_str();
}

std::string stxFormat(const char* format, ...) {
    va_list args;
    va_start(args, format);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
    std::string text = KsVFormat(stxChecked(format), args);
#pragma GCC diagnostic pop
    va_end(args);
    return text;
}
