// The key table the back ends and the event manager share (not installed).
#pragma once

#include "KsMacTypes.h"

#include <cstddef>

// One physical key. `native` is the key's USB HID usage code, which is also
// its SDL scancode; `keyCode` the toolbox's virtual key code; `plain` and
// `shifted` its Mac OS Roman characters on the US layout (0 for none).
struct KsKeyEntry {
    UInt16 native;
    UInt8 keyCode;
    UInt8 plain;
    UInt8 shifted;
};

// The whole table, for tests and for building reverse lookups.
const KsKeyEntry* KsKeyTable(std::size_t* count);
// The entry of a native key, or null for a key the toolbox does not know.
const KsKeyEntry* KsKeyFromNative(UInt16 native);
// The entry of a virtual key code, or null.
const KsKeyEntry* KsKeyFromCode(UInt8 keyCode);
// The key that types `ch` on the US layout, and whether it needs Shift.
// False when no key types it (the character still arrives, with key code 0).
bool KsKeyForChar(UInt8 ch, UInt8* keyCode, bool* needsShift);

// Modifier keys change the modifier bits and the key map but send no events.
enum : UInt8 {
    kKsKeyCommand = 0x37,      // left Ctrl
    kKsKeyRightCommand = 0x36, // right Ctrl
    kKsKeyShift = 0x38,
    kKsKeyCapsLock = 0x39,
    kKsKeyOption = 0x3A, // Alt
    kKsKeyRightShift = 0x3C,
    kKsKeyRightOption = 0x3D,
};
bool KsIsModifierKey(UInt8 keyCode);
