// The console's output rules on arbitrary text: no tab or LF survives, every
// column lands where the tab stops say, the file form has only CR LF line
// ends, and a trim point never passes the text.
#include "KsConsoleText.h"
#include "KsFuzzCheck.h"

#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    // The first byte picks the column the text starts at.
    const int start = size > 0 ? data[0] % 8 : 0;
    int column = start;
    std::string out;
    KsConsoleAppendExpanded(out, input, &column);
    int col = start;
    for (char c : out) {
        Check(c != '\t' && c != '\n');
        col = c == '\r' ? 0 : col + 1;
    }
    Check(col == column);
    Check(out.size() <= input.size() * kConsoleTabWidth);
    const std::string file = KsConsoleToCRLF(out);
    for (std::size_t i = 0; i < file.size(); ++i) {
        if (file[i] == '\r') Check(i + 1 < file.size() && file[i + 1] == '\n');
        if (file[i] == '\n') Check(i > 0 && file[i - 1] == '\r');
    }
    const std::size_t cap = 64 + size % 512;
    const std::size_t cut = KsConsoleTrimPoint(out, size % 97, cap);
    Check(cut <= out.size());
    if (out.size() + size % 97 > cap)
        Check(out.size() - cut + size % 97 <= cap || cut == out.size());
    return 0;
}
