// The demo's gadget window: every kind of button, a radio group, a bank of
// LEDs and a pop-up menu button, read from panes/gadgets.ksp3, and a clip
// name and notes to edit (with the Edit menu), from panes/entries.ksp3.
#pragma once

class AWindow;

// Checks that the window's pane file can be found and read; prints why not.
bool LoadGadgetLayout();
// Opens a gadget window with its content's top-left at (left, top), moved in
// to stay whole on a small screen. Answers it, or null when the layout is
// missing.
AWindow* OpenGadgetWindow(short left, short top);
