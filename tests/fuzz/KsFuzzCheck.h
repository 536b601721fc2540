// What the fuzz targets share: a broken property ends the run at once, where
// the fuzzer (or the corpus replay) reports it with the input that broke it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

inline void Check(bool ok) {
    if (!ok) std::abort();
}

// Copies an input of at most 80 bytes into `text` as a C string; answers
// false, leaving `text` alone, for a longer one.
inline bool ShortText(const std::uint8_t* data, std::size_t size, char (&text)[81]) {
    if (size > 80) return false;
    std::memcpy(text, data, size);
    text[size] = '\0';
    return true;
}
