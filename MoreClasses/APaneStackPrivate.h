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

// The panes a stack refreshes and finds by refcon: gadgets (and the
// controls built on them) and text entries, which share the value protocol
// without sharing a base. The others take nothing and answer false.
bool KsIsStackValuePane(const APane* p);
void KsStackSetValueProc(APane* p, AGadgetValUpdateProc proc, SInt32 refCon);
void KsStackUpdateValue(APane* p, SInt32 refCon, void* data);
SInt32 KsStackValueRefCon(const APane* p);
bool KsStackHasValueRefCon(APane* p, SInt32 refCon);
void KsStackSetValRefConProc(APane* p, AGadgetValRefConProc proc);
