// Translation table files are outside data: parsing any bytes either builds a
// table or raises XError, and lookups in a built table stay inside it.
#include "KsFuzzCheck.h"
#include "Stx.h"
#include "StxPrivate.h"
#include "XError.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    try {
        auto table = StxTable::Parse(text, "fuzz.stx");
        // Look up each quoted run of the input, raw: hits and misses alike.
        for (std::size_t pos = text.find('"'); pos != std::string_view::npos;) {
            std::size_t end = text.find('"', pos + 1);
            if (end == std::string_view::npos) break;
            std::string_view key = text.substr(pos + 1, end - pos - 1);
            if (const char* v = table->Find(key)) Check(*v != '\0'); // empty ones are never stored
            pos = text.find('"', end + 1);
        }
        // stx over the installed table, with and without a note.
        StxInstallTable(std::move(table));
        std::string probe(text.substr(0, 64));
        probe.erase(std::remove(probe.begin(), probe.end(), '\0'), probe.end());
        stx(probe.c_str());
        StxInstallTable(nullptr);
    } catch (const XError&) {
    }
    return 0;
}
