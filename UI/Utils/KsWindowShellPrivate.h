// Window-manager shell internals shared by its files and tests (not installed).
#pragma once

#include "Windows.h"

// The window KsSelectWindow deactivated last, while it is live; null when none.
WindowPtr KsLastDeactivatedWindow();
// Forgets all shell state: the modal stack, remembered layers and windows,
// hooks, the native tables (tests, shutdown).
void KsWindowShellReset();
void KsModalStackReset();
void KsNativeWindowReset();
void KsModalAppStateReset(); // the menu-state and undo/redo stacks, hooks included
// Forgets the window in the native tables (floating, styles, iconic).
void KsNativeForgetWindow(WindowPtr window);
