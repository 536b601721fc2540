// TCStrToTC on arbitrary bytes at every rate and flag combination: it either
// refuses or gives a frame count in range whose canonical text reads back to
// the same count.
#include "KsFuzzCheck.h"
#include "Timecode.h"

namespace {
const SInt32 kRates[] = {kTCRate23_976,  kTCRate24,    kTCRate25,      kTCRate29_97,
                         kTCRate29_97DF, kTCRate30,    kTCRate47_952,  kTCRate48,
                         kTCRate50,      kTCRate59_94, kTCRate59_94DF, kTCRate60};
const UInt16 kFlags[] = {0, kTCFormatDuration, kTCFormatFrames,
                         kTCFormatFrames | kTCFormatDuration};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    char text[81];
    if (!ShortText(data, size, text)) return 0;
    for (SInt32 rate : kRates) {
        const timecode_t desc = TCMake(rate, 0);
        const SInt32 day = TCFramesPerDay(rate);
        for (UInt16 flags : kFlags) {
            timecode_t tc = TCMake(rate, 77);
            if (!TCStrToTC(&tc, text, flags, &desc)) {
                Check(tc.frames == 77);
                continue;
            }
            Check(tc.rate == rate && tc.frames != kTCNoValue);
            if (!(flags & kTCFormatDuration)) Check(tc.frames >= 0 && tc.frames < day);
            char out[16];
            Check(TCToStr(tc, out, sizeof out, UInt16(flags | kTCFormatValid)));
            timecode_t back = TCMake(rate, 0);
            Check(TCStrToTC(&back, out, flags, &desc) && TCEqual(back, tc));
        }
    }
    return 0;
}
