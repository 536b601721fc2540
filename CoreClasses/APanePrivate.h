// Helpers shared by the APane sources; not installed.
#pragma once

#include "APane.h"
#include "CKsList.h"

class AWindow;

// The framework window of the current port, or null.
AWindow* KsCurrentWindowObj();

// Registers the pane error texts once.
void KsRegisterPaneMessages();

// The pane under construction of a disposal-safe walk: while held, a pane
// that is disposed is taken out of its tree at once, but its storage goes
// only when the last hold ends. Handlers called from a walk may therefore
// dispose of any pane, the walking one included.
class StPaneHold {
public:
    explicit StPaneHold(APane* pane);
    ~StPaneHold();
    StPaneHold(const StPaneHold&) = delete;
    StPaneHold& operator=(const StPaneHold&) = delete;
    // False once the held pane has been disposed of.
    bool Alive() const;

private:
    APane* pane_;
};

// Disposes an item of a sub-pane list.
void KsDisposePaneItem(void* item);
