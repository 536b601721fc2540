// The system beep: counted here, sounded by the back end.
#include "Sound.h"
#include "SoundPrivate.h"

#include "KsBackend.h"

#include <algorithm>

namespace {

int gBeeps = 0;
// A classic beep of this length is what callers without a preference get.
constexpr int kDefaultTicks = 8;
int gTicks = kDefaultTicks;

} // namespace

void SysBeep(SInt16 duration) {
    ++gBeeps;
    gTicks = std::clamp<int>(duration, 1, kKsMaxBeepTicks);
    if (KsBackend* backend = KsGetBackend()) backend->Beep();
    gTicks = kDefaultTicks;
}

int KsGetBeepCount() {
    return gBeeps;
}

int KsBeepTicks() {
    return gTicks;
}
