// Drag and drop in the demo: two bins of clips and a viewer. Drag a clip
// from one bin to the other, or onto the viewer to show it; drop files from
// a file manager into a bin to add them as clips.
#pragma once

class AWindow;

AWindow* OpenClipBinsWindow();
