// The demo's pane files: found beside the program (the build tree copies them
// there), else where the sources keep them.
#pragma once

#include <string>

// Reads `file` into `text` and parses it once, so that a broken file stops
// the demo before any window opens, with its line number. On failure `text`
// is left empty and the cause is printed.
bool LoadPaneFile(const char* file, std::string& text);
