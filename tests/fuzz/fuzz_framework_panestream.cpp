// Reads arbitrary bytes as pane-text lines, and through the typed reads.
#include "PaneStream.h"
#include "XError.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const char* text = reinterpret_cast<const char*>(data);
    try {
        PaneStream s(text, long(size));
        PaneStream::Line line;
        while (s.ReadLine(&line)) {
        }
    } catch (const XError&) {
    }
    try {
        PaneStream s(text, long(size));
        char buf[32];
        s.GetLong("version");
        s.GetCString("Class", buf, sizeof buf);
        s.GetCString("EndProps", nullptr, 0);
    } catch (const XError&) {
    }
    return 0;
}
