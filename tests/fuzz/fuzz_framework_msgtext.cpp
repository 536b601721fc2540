// The message-box text and button-list parsers on arbitrary bytes: they stay
// inside their input and their limits.
#include "KsARText.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    const KsARText text = KsARParseText(input.c_str());
    if (text.Joined().size() > kKsARTextMax) std::abort();
    for (const KsARLine& line : text.lines)
        if (line.text.size() > kKsARLineMax || line.faces.size() != line.text.size()) std::abort();
    const auto buttons = KsARParseButtons(input.c_str());
    if (int(buttons.size()) > kKsARMaxButtons) std::abort();
    for (const KsARButton& b : buttons)
        if (b.label.size() > kKsARLabelMax) std::abort();
    return 0;
}
