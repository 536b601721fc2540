// Shared by the text entry's source files; not installed.
#pragma once

#include "ATextEntry.h"
#include "AWindow.h"
#include "KsPortSavers.h"
#include "PaneStream.h"
#include "Windows.h"

// The property text's row of a text entry class (the field's keys after
// the pane's and the scrollable pane's).
PaneTextClass KsTextEntryPaneTextRow(const char* name, APane* (*make)());

// Records the most recently clicked field.
void KsTextEntryNoteClicked(ATextEntry* field);

// The window's port clipped to the field's visible interior, with the
// field's colours, for drawing the field at once outside an update; ok() is
// false (nothing is to be drawn) when the field is not shown in a window.
class StTextEntryFocus {
public:
    explicit StTextEntryFocus(ATextEntry* field) : ok_(Enter(field)) {
        if (!ok_) return;
        const Rect r = ToRect(field->GetVisInterior());
        ClipRect(&r);
        field->PrepareFBColors();
    }
    bool ok() const { return ok_; }

private:
    // Runs before the clip and pen savers are made, so that they save and
    // restore the window's port.
    static bool Enter(const ATextEntry* field) {
        AWindow* w = field->GetEnclWindow();
        if (!w || !w->GetWindowPtr() || !field->IsVisible()) return false;
        SetPortWindowPort(w->GetWindowPtr());
        return true;
    }
    StPortSaver port_;
    const bool ok_;
    StClipSaver clip_;
    StColorPenSaver pen_;
};
