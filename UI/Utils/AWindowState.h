// AWindowState and the modal stack: one record per modal window that has
// disabled the rest of the application, in the order they did so.
//
// Showing a modal window calls KsTBX_EnableWindow(window, false, ...), which
// pushes a record and disables the application for it; hiding it calls
// KsTBX_EnableWindow(window, true, ...), which pops the record, re-applies
// the record below (the outer modal window) or enables everything, and
// selects the window that should now be active.
//
// The stack points at windows and never owns them. A window leaves it when it
// is disposed of (KsForgetWindow in KsWindowShell.h calls KsModalStackForget),
// so the stack never selects a window that is gone. Main thread only.
#pragma once

#include "AObject.h"
#include "Windows.h"

class AWindowState : public AObject {
    KS_DECLARE_CLASS(AWindowState, AObject)

    static AWindowState* New(WindowPtr window, bool f2, bool f3, WindowPtr previous);
    void IWindowState(WindowPtr window, bool f2, bool f3, WindowPtr previous);

    // Fields in this order: the modal window, a flag false when pushed, the
    // two flags handed back to the toolbox's enable operation, and the window
    // that was active before the modal one took over (null when none).
    WindowPtr itsWindow = nullptr;
    bool itsFlag = false;
    bool itsF2 = false;
    bool itsF3 = false;
    WindowPtr itsPrevious = nullptr;
};

// enable false: the modal window's record is pushed (once), the application
// is disabled for it, and it is selected. enable true: the application is
// enabled, the window's record is popped; when records remain the last one is
// re-applied and its window selected, otherwise the window that was active
// before (when it is still visible; else the top activatable window).
void KsTBX_EnableWindow(WindowPtr window, bool enable, bool f2, bool f3);
// Records on the stack; 0 before the first.
long NumModalWindows();
// The window of the last record (the innermost modal window); null when none.
WindowPtr KsTopModalWindow();
// The window is going away: its record leaves the stack (the application is
// enabled again for it, without selecting it), and records that would
// reselect it forget it.
void KsModalStackForget(WindowPtr window);
