// The event loop's wait: it sleeps in the back end until input comes or
// something that must run asks to be woken, instead of turning every tick.
#pragma once

#include "Events.h"

// As WaitNextEvent without a mouse region, but it also ends with a null event
// as soon as any input arrives (a pointer move included) or the wake time
// asked for below comes, and it watches the descriptor set with KsSetWakeFd.
// Between those it sleeps in the back end.
Boolean KsWaitForEventOrWake(EventMask mask, EventRecord* event, UInt32 sleep);

// Something that must run again by `tick` (a caret's next blink, a tip's
// delay) asks the event loop's wait to end then. The earliest request stands
// until that tick has come; a component asks again each time it runs.
void KsWakeNoLaterThan(long tick);
// The earliest wake time asked for, or LONG_MAX.
long KsWakeTime();

// A descriptor whose readability ends the event loop's wait (the request
// socket); -1 for none.
void KsSetWakeFd(int fd);
