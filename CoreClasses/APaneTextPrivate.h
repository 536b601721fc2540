// Access to pane fields for the property text, the registry and the dumps;
// not installed. APane names APaneReader its friend for this.
#pragma once

#include "APane.h"

struct APaneReader {
    // The stored pane ID, or null: unlike GetPaneID, never generates one.
    static const char* StoredID(const APane* pane) {
        return pane->iPaneID ? *pane->iPaneID : nullptr;
    }
    // The window of a pane read from text, set without invalidating.
    static void SetWindow(APane* pane, AWindow* window) { pane->itsEnclWindow = window; }
    static bool CanBeTabbedToField(const APane* pane) { return pane->canBeTabbedTo; }
};
