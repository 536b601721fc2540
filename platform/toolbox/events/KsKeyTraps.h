// Key traps: while a long operation runs, the keys the user types are caught
// as they arrive, so that they are not served to whatever has the focus once
// the operation ends. Command-period is never trapped: it is how the user
// cancels the operation (KsCmdPeriod.h).
//
// Main thread only, like the rest of the event manager.
#pragma once

#include "Events.h"

// A filter sees every key-down before it is queued (message and modifiers as
// the event would carry them); answering true drops the key and its auto-key
// repeats. The key map still records the key as down.
struct KsKeyFilterHook {
    Boolean (*traps)(UInt32 message, EventModifiers modifiers, void* data) = nullptr;
    void* data = nullptr;
};
// Installs the filter (an empty hook removes it) and answers the previous one.
KsKeyFilterHook KsSetKeyFilterHook(KsKeyFilterHook hook);

// The stock traps. Each is switched on and off by itself; they add up, and
// they come on top of the hook. Keys pressed with the command key are
// shortcuts, not typing: only KsTrapAllKeys catches them.
// Timecode typing: the digits (main keyboard and keypad), the separators
// ':' ';' '.' ',', the signs '+' '-', Backspace, Return and Enter.
void KsTrapTimecodeKeys(Boolean on);
// The digits 0 to 9 of the main keyboard and the keypad.
void KsTrapValidDigitKeys(Boolean on);
// Every key-down except Command-period.
void KsTrapAllKeys(Boolean on);

// Whether the event manager drops this key-down now.
Boolean KsIsKeyTrapped(UInt32 message, EventModifiers modifiers);
