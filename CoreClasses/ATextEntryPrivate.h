// Shared by the text entry's source files; not installed.
#pragma once

#include "ATextEntry.h"
#include "AWindow.h"
#include "KsPortSavers.h"
#include "PaneStream.h"
#include "StPaneWindowPort.h"
#include "Windows.h"

// The property text's row of a text entry class (the field's keys after
// the pane's and the scrollable pane's).
PaneTextClass KsTextEntryPaneTextRow(const char* name, APane* (*make)());

// The row of a value field class: the text entry's keys, then the class's
// own; a value field has no sub-panes.
template <class Field> PaneTextClass KsValueFieldPaneTextRow(const char* name) {
    PaneTextClass row = KsTextEntryPaneTextRow(name, [] { return static_cast<APane*>(new Field); });
    row.addProps.push_back(
        [](APane* p, CoreAttrList* l) { static_cast<Field*>(p)->AddPropsToList(l); });
    row.getProps.push_back(
        [](APane* p, CoreAttrList* l) { static_cast<Field*>(p)->GetPropsFromList(l); });
    row.subs = PaneTextSubs::none;
    return row;
}

// Records the most recently clicked field.
void KsTextEntryNoteClicked(ATextEntry* field);

// The window's port clipped to the field's visible interior, with the
// field's colours, for drawing the field at once outside an update; ok() is
// false (nothing is to be drawn) when the field is not shown in a window.
class StTextEntryFocus : public StPaneWindowPort {
public:
    explicit StTextEntryFocus(ATextEntry* field) : StPaneWindowPort(field) {
        if (!ok()) return;
        const Rect r = ToRect(field->GetVisInterior());
        ClipRect(&r);
        field->PrepareFBColors();
    }
};
