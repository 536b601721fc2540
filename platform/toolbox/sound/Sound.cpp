// The system beep: counted here, sounded by the back end.
#include "Sound.h"

#include "KsBackend.h"

#include <algorithm>

namespace {

int gBeeps = 0;

} // namespace

void SysBeep(SInt16 duration) {
    ++gBeeps;
    if (KsBackend* backend = KsGetBackend())
        backend->Beep(std::clamp<int>(duration, 1, kKsMaxBeepTicks));
}

int KsGetBeepCount() {
    return gBeeps;
}
