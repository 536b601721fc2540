// AWindow: the pane-dump key.
#include "AWindow.h"
#include "KsPaneDump.h"

bool AWindow::DumpPaneID(KsPoint where) {
    return TavikDumpKey(this, where);
}
