// The edit hooks of the toolbox's text-edit glue: with them the application's
// Edit menu (Undo, Redo, Cut, Copy, Paste, Clear, Select All) and the caret
// blink act on whichever text record is active. The application starts with
// them installed; KsSetAppEditHooks replaces them.
#pragma once

#include "AApplication.h"

KsAppEditHooks KsTextEditHooks();
