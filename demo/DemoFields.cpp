#include "DemoFields.h"

#include "AECEntry.h"
#include "AFloatEntry.h"
#include "AIntEntry.h"
#include "ATCEntry.h"

namespace {
constexpr SInt16 S = kPaneDontCare;
constexpr SInt16 kLeft = 96, kWidth = 124, kHeight = 19, kFirst = 32, kStep = 20;

SInt16 Row(int n) {
    return SInt16(kFirst + kStep * n);
}
} // namespace

void AddValueFields(APane* art) {
    const struct {
        SInt32 rate;
        const char* name;
    } rates[] = {{kTCRate23_976, "23.976"},
                 {kTCRate25, "25"},
                 {kTCRate29_97DF, "29.97 DF"},
                 {kTCRate59_94DF, "59.94 DF"}};
    int n = 0;
    for (const auto& r : rates) {
        const timecode_t tc = TCMake(r.rate, 107892);
        ATCEntry* f = ATCEntry::New(art, kLeft, S, kWidth, Row(n++), S, kHeight, 0, &tc);
        f->AddLabel(r.name, kLabelLeft);
    }
    const edgecode_t ec = ECMake(kECFilm35mm4Perf, nullptr, 107892);
    AECEntry::New(art, kLeft, S, kWidth, Row(n++), S, kHeight, &ec)
        ->AddLabel("feet+fr", kLabelLeft);
    AIntEntry* i = AIntEntry::New(art, kLeft, S, kWidth, Row(n++), S, kHeight, 1200);
    i->SetLimits(-5000, 5000, true);
    i->SetCommas(true);
    i->AddLabel("-5000..5000", kLabelLeft);
    AFloatEntry* f = AFloatEntry::New(art, kLeft, S, kWidth, Row(n++), S, kHeight, 0.5);
    f->SetLimits(0.0, 1.0, true);
    f->SetFormat(8, 3);
    f->SetInc(0.05);
    f->AddLabel("0..1", kLabelLeft);
}
