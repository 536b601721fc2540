// The window's port, clip and pen for one scope, for panes that draw at once
// outside an update (buttons, fields, media panes); ok() is false (draw
// nothing) when the pane is not shown in a window.
#pragma once

#include "APane.h"
#include "AWindow.h"
#include "KsPortSavers.h"
#include "Windows.h"

class StPaneWindowPort {
public:
    explicit StPaneWindowPort(const APane* pane) : ok_(Enter(pane)) {}
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
