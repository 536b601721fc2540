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
// Inline: the walks hold and release a pane per call.
class StPaneHold {
public:
    explicit StPaneHold(APane* pane) : pane_(pane) {
        if (pane_) ++pane_->holdCount;
    }
    ~StPaneHold() {
        if (pane_ && --pane_->holdCount == 0 && pane_->disposed) Release(pane_);
    }
    StPaneHold(const StPaneHold&) = delete;
    StPaneHold& operator=(const StPaneHold&) = delete;
    // False once the held pane has been disposed of.
    bool Alive() const { return pane_ && !pane_->disposed; }

private:
    // The storage of a pane disposed while held goes with the last hold.
    static void Release(APane* pane);
    APane* pane_;
};

// Disposes an item of a sub-pane list.
void KsDisposePaneItem(void* item);
