// The US layout that KeyTranslate reads, over the back ends' key table, and
// the modifier bits of the modifier keys.
#include "Events.h"
#include "KsKeyboardPrivate.h"

namespace {

// The layout handed out as KeyTranslate's transData: the US layout of the
// key table, the only one there is.
struct KsKeyboardLayout {
    UInt32 signature;
};
constexpr KsKeyboardLayout kLayout{FourCharCode("KsUS")};

bool IsLetter(UInt8 c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

} // namespace

UInt16 KsModifierOfKey(UInt8 keyCode) {
    switch (keyCode) {
    case kKsKeyCommand:
    case kKsKeyRightCommand:
        return cmdKey;
    case kKsKeyShift:
    case kKsKeyRightShift:
        return shiftKey;
    case kKsKeyOption:
    case kKsKeyRightOption:
        return optionKey;
    case kKsKeyCapsLock:
        return alphaLock;
    default:
        return 0;
    }
}

const void* KsGetKeyboardLayout() {
    return &kLayout;
}

long GetScriptManagerVariable(short selector) {
    return selector == smKCHRCache ? reinterpret_cast<long>(KsGetKeyboardLayout()) : 0;
}

UInt32 KeyTranslate(const void* transData, UInt16 keyCode, UInt32* state) {
    if (state) *state = 0; // no dead keys
    // Only our own layout can be read; any other transData is read as ours
    // rather than blindly.
    (void)transData;
    const KsKeyEntry* e = KsKeyFromCode(UInt8(keyCode & 0x7F));
    if (!e) return 0;
    UInt16 modifiers = UInt16(keyCode & 0xFF00);
    bool shift = (modifiers & shiftKey) != 0;
    // Caps Lock shifts letters only.
    if ((modifiers & alphaLock) && IsLetter(e->plain)) shift = true;
    return shift ? e->shifted : e->plain;
}
