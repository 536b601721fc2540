// The demo's inspector window: a pane stack of sections with the gadgets of
// a clip's settings, following the window's height in whole rows.
#pragma once

class ATableScape;
class AWindow;

// Opens an inspector with its content's top-left at (left, top).
AWindow* OpenInspectorWindow(short left, short top);
// Shows the clip selected in a bin's table in every open inspector.
void InspectBinClip(ATableScape* table);
