#include "KsExpandBox.h"

#include "KsDesktop.h"
#include "KsPortSavers.h"
#include "KsTime.h"
#include "QuickDraw.h"

namespace {

SInt32 Between(SInt32 a, SInt32 b, int step) {
    return SInt32(a + (SInt64(b) - a) * step / kExpandBoxSteps);
}

KsRect StepRect(const KsRect& from, const KsRect& to, int step) {
    return {Between(from.left, to.left, step), Between(from.top, to.top, step),
            Between(from.right, to.right, step), Between(from.bottom, to.bottom, step)};
}

} // namespace

void ExpandBoxOnDesktop(const KsRect& from, const KsRect& to) {
    GrafPtr desktop = KsGetDesktopPort();
    if (!desktop || (from.IsEmpty() && to.IsEmpty())) return;
    StPortSaver port(desktop);
    StClipSaver clip;
    StColorPenSaver pen;
    const Rect all = KsDesktopBounds();
    ClipRect(&all);
    PenNormal();
    PenMode(patXor);
    PenPat(&kQDGray);
    for (int step = 1; step <= kExpandBoxSteps; ++step) {
        const KsRect k = StepRect(from, to, step);
        if (k.IsEmpty()) continue;
        const Rect r = ToRect(k);
        FrameRect(&r);
        KsDoNothing(kExpandBoxStepMilliseconds);
        // The port may have been made current elsewhere while pumping.
        SetPort(desktop);
        FrameRect(&r);
    }
    KsDoNothing(0);
}
