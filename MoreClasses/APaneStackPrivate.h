// Helpers the pane stack's files share: the guard around every stack call
// that may run host procedures.
#pragma once

#include "APanePrivate.h"
#include "APaneStack.h"
#include "KsPortSavers.h"

#include <optional>

// What a call puts back when it returns, normally or by an exception.
// clear: both pointers are null afterwards (the end of an event).
enum class StackRestore { nothing, current, clear };
enum class StackClip { keep, interior };

// For the length of one stack call: keeps the stack's storage (a procedure
// may dispose of the stack; the disposal waits for the outermost call),
// optionally puts curStackPane and curTarget back, and optionally clips to
// the stack's interior and restores the caller's clip. Saved pointers whose
// panes went meanwhile are not put back.
class StStackCall {
public:
    StStackCall(APaneStack* stack, StackRestore restore, StackClip clip);
    ~StStackCall();
    StStackCall(const StStackCall&) = delete;
    StStackCall& operator=(const StStackCall&) = delete;
    // False once the stack has gone or is waiting to go.
    bool StackAlive() const;

private:
    APaneStack* stack_;
    StPaneHold holdStack_;
    StackRestore restore_;
    AStackPane* savedPane_;
    APane* savedTarget_;
    StPaneHold holdPane_;
    StPaneHold holdTarget_;
    std::optional<StClipSaver> clip_;
};

// The stack a pane lies in: the enclosure of its enclosure, when that is one.
APaneStack* KsStackOfStackPane(const APane* stackPane);
