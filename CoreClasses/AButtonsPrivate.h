// Helpers shared by the button family's source files; not installed.
#pragma once

#include "APortable.h"
#include "KsMacTypes.h"

class APane;

// Registers a button class with the class registry (streams, Copy) and the
// pane property text, where it reads and writes APane's and AGadget's keys
// and has no sub-panes. makePane answers a new, empty object of the class.
void KsRegisterButtonClass(OSType classID, const char* name, APane* (*makePane)(),
                           PClassFactory factory);

// The key codes the buttons answer while they hold the keyboard focus.
enum : SInt16 {
    kButtonKeySpace = 0x31,
    kButtonKeyLeft = 0x7B,
    kButtonKeyRight = 0x7C,
    kButtonKeyDown = 0x7D,
    kButtonKeyUp = 0x7E,
};
