#include "KsCmdPeriod.h"
#include "KsBackend.h"

namespace {

// The period key's virtual key code (the key right of ',').
constexpr UInt8 kPeriodKey = 0x2F;

struct Search {
    KsEventTestProc test;
    Boolean leave;
    Boolean found;
};

KsScanAction Look(EventRecord* event, void* data) {
    auto* s = static_cast<Search*>(data);
    if (!s->test(event)) return KsScanAction::keep;
    s->found = true;
    return s->leave ? KsScanAction::keepAndStop : KsScanAction::dropAndStop;
}

} // namespace

UInt16 KsGetInputLocale() {
    return KsGetBackend()->KeyboardLocale();
}

Boolean KsIsCmdPeriod(UInt32 message, EventModifiers modifiers) {
    if (!(modifiers & cmdKey)) return false;
    const UInt8 c = UInt8(message & charCodeMask);
    const UInt8 key = UInt8((message & keyCodeMask) >> 8);
    if (c == '.' || key == kPeriodKey) return true;
    return c == ';' && KsGetInputLocale() == kKsLocaleFrench;
}

Boolean TestCmdPeriod(const EventRecord* event) {
    if (!event || (event->what != keyDown && event->what != autoKey)) return false;
    return KsIsCmdPeriod(event->message, event->modifiers);
}

Boolean KsFindQueuedEvent(KsEventTestProc test, Boolean leaveInQueue) {
    if (!test || KsQueuedEventCount() == 0) return false;
    Search s{test, leaveInQueue, false};
    KsScanEvents(Look, &s);
    return s.found;
}

Boolean CheckForEvent(KsEventTestProc test, Boolean leaveInQueue) {
    KsPumpEvents();
    return KsFindQueuedEvent(test, leaveInQueue);
}
