#include "Stx.h"

#include <cstring>
#include <mutex>
#include <set>
#include <string>

const char* stx(const char* text) {
    if (!text) return "";
    const char* note = std::strstr(text, "//");
    if (!note) return text;
    // Interned so the answer outlives the caller's buffer.
    static std::mutex lock;
    static std::set<std::string, std::less<>> interned;
    std::lock_guard<std::mutex> g(lock);
    return interned.emplace(text, size_t(note - text)).first->c_str();
}
