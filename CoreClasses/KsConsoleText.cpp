#include "KsConsoleText.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

void KsConsoleAppendExpanded(std::string& out, std::string_view text, int* column) {
    int col = column ? *column : 0;
    out.reserve(out.size() + text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            // CR LF is one line end, not two.
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            out.push_back('\r');
            col = 0;
        } else if (c == '\t') {
            const int spaces = kConsoleTabWidth - col % kConsoleTabWidth;
            out.append(std::size_t(spaces), ' ');
            col += spaces;
        } else {
            out.push_back(c);
            ++col;
        }
    }
    if (column) *column = col;
}

int KsConsoleFormat(std::string& out, std::string& scratch, const char* fmt, va_list args,
                    int* column) {
    if (scratch.size() < 256) scratch.resize(256);
    va_list copy;
    va_copy(copy, args);
    int n = std::vsnprintf(scratch.data(), scratch.size(), fmt, copy);
    va_end(copy);
    if (n < 0) return n;
    if (std::size_t(n) >= scratch.size()) {
        scratch.resize(std::size_t(n) + 1);
        va_copy(copy, args);
        n = std::vsnprintf(scratch.data(), scratch.size(), fmt, copy);
        va_end(copy);
        if (n < 0) return n;
    }
    KsConsoleAppendExpanded(out, std::string_view(scratch.data(), std::size_t(n)), column);
    return n;
}

std::string KsConsoleToCRLF(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c != '\r' && c != '\n') {
            out.push_back(c);
            continue;
        }
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        out += "\r\n";
    }
    return out;
}

std::size_t KsConsoleTrimPoint(std::string_view text, std::size_t adding, std::size_t cap) {
    if (text.size() + adding <= cap) return 0;
    const std::size_t need = text.size() + adding - cap;
    std::size_t cut = std::min(text.size(), std::max(need, cap / 4));
    // Cut after a line end within the next few lines, so the first line kept
    // is whole.
    const std::size_t look = std::min(text.size(), cut + 1024);
    for (std::size_t i = cut; i < look; ++i)
        if (text[i] == '\r') return i + 1;
    return cut;
}
