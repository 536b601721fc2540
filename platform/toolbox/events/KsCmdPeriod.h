// The command-period check that long operations and the console share, and
// the input locale, which says what the user types for it.
//
// Command-period is the command key (Ctrl) with the period key. On a French
// (AZERTY) layout that key types ';', so the user is told "Ctrl+;"; either
// way it is the same physical key, and both characters are taken for it
// there.
#pragma once

#include "Events.h"

// Language identifiers of keyboard layouts: the primary language in the low
// ten bits, the sublanguage above.
enum : UInt16 {
    kKsLocaleUSEnglish = 0x0409,
    kKsLocaleGerman = 0x0407,
    kKsLocaleFrench = 0x040C,
};
// The locale of the keyboard layout the back end reports now.
UInt16 KsGetInputLocale();

// A key-down (or auto-key) of Command-period.
Boolean KsIsCmdPeriod(UInt32 message, EventModifiers modifiers);
Boolean TestCmdPeriod(const EventRecord* event);

// Answers whether an event that `test` accepts waits in the queue. Native
// input is pumped into the queue first. The first such event, oldest first,
// is taken off the queue unless leaveInQueue is set, so that one key press
// is answered once.
using KsEventTestProc = Boolean (*)(const EventRecord* event);
Boolean CheckForEvent(KsEventTestProc test, Boolean leaveInQueue);
// The same on the queue as it is, without pumping.
Boolean KsFindQueuedEvent(KsEventTestProc test, Boolean leaveInQueue);
