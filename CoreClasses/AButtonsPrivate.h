// Helpers shared by the button family's source files; not installed.
#pragma once

#include "APane.h"
#include "APortable.h"
#include "AWindow.h"
#include "KsMacTypes.h"
#include "KsPortSavers.h"
#include "StPaneWindowPort.h"
#include "Windows.h"

// Registers a button class with the class registry (streams, Copy) and the
// pane property text, where it reads and writes APane's and AGadget's keys
// and has no sub-panes. makePane answers a new, empty object of the class;
// afterRead, when given, runs once a pane of the class has been read.
void KsRegisterButtonClass(OSType classID, const char* name, APane* (*makePane)(),
                           PClassFactory factory, void (*afterRead)(APane*) = nullptr);

// The scheme's button colour: with "CS_BUT_COLOR" on, the gadget stops
// inheriting and takes that colour; otherwise it inherits its enclosure's.
void KsApplySchemeButtonColor(APane* pane);

// The key codes the buttons answer while they hold the keyboard focus.
enum : SInt16 {
    kButtonKeySpace = 0x31,
    kButtonKeyLeft = 0x7B,
    kButtonKeyRight = 0x7C,
    kButtonKeyDown = 0x7D,
    kButtonKeyUp = 0x7E,
};
