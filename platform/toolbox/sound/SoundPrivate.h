// What the back ends read while SysBeep asks them to beep.
#pragma once

// The length in ticks of the beep being sounded, already kept in range; the
// back end's Beep() plays a tone this long.
int KsBeepTicks();
