// Reads arbitrary bytes as a whole 'KsP3' document; what reads must write and
// read back to the same text, and a failed read must leave no pane alive.
#include "APane.h"
#include "PaneStream.h"
#include "XError.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const long live = APane::GetLivePaneCount();
    APane* root = nullptr;
    try {
        root = ReadPaneText(reinterpret_cast<const char*>(data), long(size), nullptr, nullptr);
    } catch (const XError&) {
        if (APane::GetLivePaneCount() != live) std::abort();
        return 0;
    }
    std::string first = WritePaneText(root);
    root->Dispose();
    APane* again = ReadPaneText(first.data(), long(first.size()), nullptr, nullptr);
    if (WritePaneText(again) != first) std::abort();
    again->Dispose();
    if (APane::GetLivePaneCount() != live) std::abort();
    return 0;
}
