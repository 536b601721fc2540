// ECStrToEC on arbitrary bytes for every film: it either refuses, leaving the
// value alone, or gives a header of letters and digits and a frame count whose
// canonical text reads back to the same edgecode.
#include "Edgecode.h"
#include "KsFuzzCheck.h"

#include <initializer_list>

namespace {
bool HeaderIsClean(const edgecode_t& ec) {
    int i = 0;
    for (; i < 8 && ec.header[i]; ++i) {
        char c = ec.header[i];
        if (!((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z'))) return false;
    }
    for (; i < 8; ++i)
        if (ec.header[i]) return false;
    return true;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    char text[81];
    if (!ShortText(data, size, text)) return 0;
    for (SInt32 film : {kECFilm35mm4Perf, kECFilm16mm, kECFilm35mm3Perf, kECFilm35mm2Perf}) {
        const edgecode_t start = ECMake(film, "KEEP", 5);
        edgecode_t ec = start;
        if (!ECStrToEC(&ec, text)) {
            Check(ECEqual(ec, start));
            continue;
        }
        Check(ec.filmType == film && HeaderIsClean(ec) && ec.frames != SInt32(0x80000000u));
        char out[32];
        Check(ECToStr(ec, out, sizeof out, kECFormatValid));
        edgecode_t back = ECMake(film, nullptr, 0);
        Check(ECStrToEC(&back, out) && ECEqual(back, ec));
    }
    return 0;
}
