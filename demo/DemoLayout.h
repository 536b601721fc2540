// The demo's layout window: divided panes between a bin area, an inspector
// column and a viewer area, all following the window's size. The inspector
// holds a twist-open clip section and a pane book of settings pages.
#pragma once

class AWindow;

// Opens a layout window and answers it.
AWindow* OpenLayoutWindow();
