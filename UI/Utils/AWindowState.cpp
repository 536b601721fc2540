// The modal stack.
#include "AWindowState.h"

#include "CKsList.h"
#include "KsFatal.h"
#include "KsWindowShell.h"
#include "KsWindowShellPrivate.h"

namespace {

// Made on the first disable; lives as long as the library.
CKsList* gModalStack = nullptr;

AWindowState* RecordAt(SInt32 index) {
    return gModalStack ? gModalStack->AtAs<AWindowState>(index) : nullptr;
}

SInt32 IndexOfWindow(WindowPtr window) {
    for (SInt32 i = 1; gModalStack && i <= gModalStack->GetCount(); ++i)
        if (RecordAt(i)->itsWindow == window) return i;
    return 0;
}

// The window to make active after `gone` leaves: the remembered one when it
// is still shown, else the top activatable window other than `gone`.
WindowPtr Successor(WindowPtr remembered, WindowPtr gone) {
    if (remembered && remembered != gone && remembered->visible) return remembered;
    for (WindowPtr x = KsGetAnyTopActivatableWindow(-1); x; x = KsGetNextWindow(x))
        if (x != gone) return x;
    return nullptr;
}

// Takes the window's record off the stack, enables the application, hands
// the disabled state back to the record below and selects the window that
// should be active now (never `window` itself).
void Pop(WindowPtr window, bool f2, bool f3) {
    TBX_EnableWindow(window, true, f2, f3);
    WindowPtr remembered = nullptr;
    bool had = false;
    if (SInt32 i = IndexOfWindow(window)) {
        auto* rec = static_cast<AWindowState*>(gModalStack->RemoveAt(i));
        remembered = rec->itsPrevious;
        rec->Dispose();
        had = true;
    }
    if (AWindowState* last = RecordAt(gModalStack ? gModalStack->GetCount() : 0)) {
        TBX_EnableWindow(last->itsWindow, false, last->itsF2, last->itsF3);
        KsSelectWindow(last->itsWindow);
        return;
    }
    if (had) {
        if (WindowPtr next = Successor(remembered, window)) KsSelectWindow(next);
    }
}

} // namespace

AWindowState* AWindowState::New(WindowPtr window, bool f2, bool f3, WindowPtr previous) {
    auto* s = new AWindowState;
    s->IWindowState(window, f2, f3, previous);
    return s;
}

void AWindowState::IWindowState(WindowPtr window, bool f2, bool f3, WindowPtr previous) {
    IObject();
    itsWindow = window;
    itsFlag = false;
    itsF2 = f2;
    itsF3 = f3;
    itsPrevious = previous;
}

void KsTBX_EnableWindow(WindowPtr window, bool enable, bool f2, bool f3) {
    if (!window) return;
    if (!enable) {
        if (!IndexOfWindow(window)) {
            if (!gModalStack) gModalStack = new CKsList;
            // The modal window is usually selected before it disables the
            // rest (SelectAndShow), so the active window may be itself: the
            // one it took activation from is the one to come back to.
            WindowPtr previous = KsGetAnyActiveWindow();
            if (previous == window) previous = KsLastDeactivatedWindow();
            if (previous == window) previous = nullptr;
            gModalStack->Append(AWindowState::New(window, f2, f3, previous));
        }
        TBX_EnableWindow(window, false, f2, f3);
        KsSelectWindow(window);
        return;
    }
    Pop(window, f2, f3);
}

long NumModalWindows() {
    return gModalStack ? gModalStack->GetCount() : 0;
}

WindowPtr KsTopModalWindow() {
    AWindowState* last = RecordAt(gModalStack ? gModalStack->GetCount() : 0);
    return last ? last->itsWindow : nullptr;
}

void KsModalStackForget(WindowPtr window) {
    if (!window || !gModalStack) return;
    for (SInt32 i = 1; i <= gModalStack->GetCount(); ++i)
        if (RecordAt(i)->itsPrevious == window) RecordAt(i)->itsPrevious = nullptr;
    if (SInt32 i = IndexOfWindow(window)) {
        const bool wasTop = i == gModalStack->GetCount();
        AWindowState* rec = RecordAt(i);
        if (wasTop) {
            // It must not stay active while the next one is chosen (an active
            // modal window blocks selection); its events die with it.
            if (window->hilited) HiliteWindow(window, false);
            Pop(window, rec->itsF2, rec->itsF3);
        } else {
            // An outer modal window goes while an inner one still disables the
            // application: the inner one keeps doing so.
            gModalStack->RemoveAt(i);
            rec->Dispose();
        }
    }
}

void KsModalStackReset() {
    if (!gModalStack) return;
    gModalStack->DisposeAll();
    gModalStack = nullptr;
}
