// The option pane of the pane and window dumps: four debug panes bound to
// the dump key, its switches and the dump option bits, and a button that
// dumps every window.
#pragma once

class APane;

// Builds the pane ("TavikPane") filling enclosure and answers it.
APane* CreateTavikDebugPane(APane* enclosure);
// Dumps every window, front to back, with the window dump options, after an
// empty line.
void TavikDumpAllWindows();
