// ECFootageStrToEC on arbitrary bytes for every film: it either refuses,
// leaving the value alone, or gives a frame count whose footage text (and
// its tidied typing form) reads back to the same count.
#include "Edgecode.h"
#include "KsFuzzCheck.h"

#include <cstring>
#include <initializer_list>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    char text[81];
    if (!ShortText(data, size, text)) return 0;
    for (SInt32 film : {kECFilm35mm4Perf, kECFilm16mm, kECFilm35mm3Perf, kECFilm35mm2Perf}) {
        const edgecode_t start = ECMake(film, "KEEP", 5);
        edgecode_t ec = start;
        if (!ECFootageStrToEC(&ec, text)) {
            Check(ECEqual(ec, start));
            continue;
        }
        Check(ec.filmType == film && ec.frames != SInt32(0x80000000u));
        Check(std::memcmp(ec.header, start.header, sizeof ec.header) == 0);
        char out[32];
        Check(ECToFootageStr(ec, out, sizeof out, kECFormatValid));
        edgecode_t back = start;
        Check(ECFootageStrToEC(&back, out) && back.frames == ec.frames);
        // Footage of at most 8 digits survives the typing tidy-up unchanged in value.
        int digits = 0;
        for (const char* c = out; *c; ++c)
            digits += *c >= '0' && *c <= '9';
        if (digits <= 8) {
            char typed[32];
            std::memcpy(typed, out, sizeof out);
            ECAdjustStr(typed, sizeof typed);
            back = start;
            Check(ECFootageStrToEC(&back, typed) && back.frames == ec.frames);
        }
    }
    return 0;
}
