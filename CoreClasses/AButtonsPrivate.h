// Helpers shared by the button family's source files; not installed.
#pragma once

#include "APane.h"
#include "APortable.h"
#include "AWindow.h"
#include "KsMacTypes.h"
#include "KsPortSavers.h"
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

// The window's port, its clip and pen for one scope, for drawing a button at
// once outside an update; ok() is false (and nothing is to be drawn) when
// the pane is not shown in a window.
class StButtonPort {
public:
    explicit StButtonPort(const APane* pane) : ok_(Enter(pane)) {}
    bool ok() const { return ok_; }

private:
    // Runs before the clip and pen savers are made, so that they save and
    // restore the window's port.
    static bool Enter(const APane* pane) {
        AWindow* w = pane->GetEnclWindow();
        if (!w || !w->GetWindowPtr() || !pane->IsVisible()) return false;
        SetPortWindowPort(w->GetWindowPtr());
        return true;
    }
    StPortSaver port_;
    const bool ok_;
    StClipSaver clip_;
    StColorPenSaver pen_;
};
