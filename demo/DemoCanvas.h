// The demo's scrolling canvas: a large drawing in a scroll pane with both
// bars, zoomed by the bars' scale handles, scrolled by the wheel and keys.
#pragma once

class AWindow;

// Opens a new canvas window and answers it.
AWindow* OpenCanvasWindow(const char* title);
