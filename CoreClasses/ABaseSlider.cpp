// ABaseSlider: the answers of a slider that forgot to give its own.
#include "ABaseSlider.h"

#include "KsFatal.h"

namespace {
constexpr const char* kSource = "CoreClasses\\ABaseSlider";

void Report(const char* what, int line) {
    if (__FtlAssertFailed(what, kSource, line)) __builtin_trap();
}
} // namespace

double ABaseSlider::GetValue() const {
    Report("ABaseSlider::GetValue() This method is a pure virtual and must be implemented by a "
           "subclass.",
           __LINE__);
    return 0;
}

void ABaseSlider::GetMinMax(SInt32* min, SInt32* max) const {
    Report("ABaseSlider::GetMinMax() This method is a pure virtual and must be implemented by a "
           "subclass.",
           __LINE__);
    if (min) *min = 0;
    if (max) *max = 0;
}

void ABaseSlider::ValueToPt(double, KsPoint* pt, bool) const {
    Report("ABaseSlider::ValueToPt() This method is a pure virtual and must be implemented by a "
           "subclass.",
           __LINE__);
    if (pt) *pt = {};
}
