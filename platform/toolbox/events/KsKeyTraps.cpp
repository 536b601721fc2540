#include "KsKeyTraps.h"
#include "KsCmdPeriod.h"

namespace {

enum : UInt8 { kTrapTimecode = 1, kTrapDigits = 2, kTrapAll = 4 };

struct Traps {
    UInt8 stock = 0;
    KsKeyFilterHook hook;
};

Traps& T() {
    static Traps traps;
    return traps;
}

void Switch(UInt8 bit, Boolean on) {
    if (on)
        T().stock = UInt8(T().stock | bit);
    else
        T().stock = UInt8(T().stock & ~bit);
}

// The keypad's digits type the same characters as the main row's.
bool IsDigit(UInt8 c) {
    return c >= '0' && c <= '9';
}

constexpr UInt8 kBackspace = 0x08, kEnter = 0x03, kReturn = 0x0D;

bool IsTimecodeChar(UInt8 c) {
    switch (c) {
    case ':':
    case ';':
    case '.':
    case ',':
    case '+':
    case '-':
    case kBackspace:
    case kEnter:
    case kReturn:
        return true;
    default:
        return IsDigit(c);
    }
}

} // namespace

KsKeyFilterHook KsSetKeyFilterHook(KsKeyFilterHook hook) {
    KsKeyFilterHook old = T().hook;
    T().hook = hook;
    return old;
}

void KsTrapTimecodeKeys(Boolean on) {
    Switch(kTrapTimecode, on);
}

void KsTrapValidDigitKeys(Boolean on) {
    Switch(kTrapDigits, on);
}

void KsTrapAllKeys(Boolean on) {
    Switch(kTrapAll, on);
}

Boolean KsIsKeyTrapped(UInt32 message, EventModifiers modifiers) {
    const Traps& t = T();
    if (!t.stock && !t.hook.traps) return false;
    if (KsIsCmdPeriod(message, modifiers)) return false;
    if (t.stock & kTrapAll) return true;
    const UInt8 c = UInt8(message & charCodeMask);
    if (!(modifiers & cmdKey)) {
        if ((t.stock & kTrapDigits) && IsDigit(c)) return true;
        if ((t.stock & kTrapTimecode) && IsTimecodeChar(c)) return true;
    }
    return t.hook.traps && t.hook.traps(message, modifiers, t.hook.data);
}
