// The keyboard as the event manager reads it (not installed): the back ends'
// key table and the modifier bits of its modifier keys.
#pragma once

#include "KsNativeKeysPrivate.h"

// The modifier bit a modifier key sets (0 for other keys).
UInt16 KsModifierOfKey(UInt8 keyCode);
