// AWindow pop-ups (the pane tree shown while the button is held, and torn
// off), the drag cache used while a drag passes over the window, and the
// frame panes.
#include "AWindow.h"
#include "AWindowPrivate.h"
#include "Events.h"
#include "KsFatal.h"
#include "QDOffscreen.h"

APane* AWindow::Popup(KsPoint, bool, bool, short, bool) {
    return nullptr;
}

bool AWindow::TrackPopup(bool, KsRect*, KsRect*, bool*) {
    return false;
}

void AWindow::DoingPopup(KsPoint, bool, bool, bool) {}

// ---------------------------------------------------------------------------
// Drag cache

void AWindow::DisposeDragCache() {
    if (dragCache.world) DisposeGWorld(dragCache.world);
    dragCache.world = nullptr;
    dragCache.filledThisPass = false;
}

void AWindow::InitializeDragEvent(KsRect) {}
void AWindow::StartDragUpdate() {}
void AWindow::FinishDragUpdate() {}
bool AWindow::UseDragCache() {
    return false;
}
void AWindow::TerminateDragEvent() {}
void AWindow::DoDragTrack(KsPoint, short, short) {}

// ---------------------------------------------------------------------------
// Checking for a click while busy

namespace {
struct ClickSearch {
    KsRect r;
    bool found = false;
};
} // namespace

bool AWindow::CheckForUserClick(KsRect r) {
    KsPumpEvents();
    ClickSearch search{r};
    KsScanEvents(
        [](EventRecord* e, void* data) {
            auto* s = static_cast<ClickSearch*>(data);
            if (e->what != mouseDown) return KsScanAction::keep;
            const KsRect& b = s->r;
            // All four bounds count as inside.
            if (e->where.h < b.left || e->where.h > b.right || e->where.v < b.top ||
                e->where.v > b.bottom)
                return KsScanAction::keep;
            s->found = true;
            return KsScanAction::dropAndStop;
        },
        &search);
    return search.found;
}
