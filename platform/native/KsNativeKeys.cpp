// The key table: native keys to the toolbox's virtual key codes and the
// characters they type on the US layout. Back ends read it to turn native
// keys into key input; the event manager's layout is built from it.
#include "KsNativeKeysPrivate.h"

#include <array>

namespace {

// Character codes of the keys that type no letter.
constexpr UInt8 kHome = 0x01, kEnter = 0x03, kEnd = 0x04, kHelp = 0x05, kBackspace = 0x08,
                kTab = 0x09, kPageUp = 0x0B, kPageDown = 0x0C, kReturn = 0x0D, kFunctionKey = 0x10,
                kEscape = 0x1B, kClear = 0x1B, kLeft = 0x1C, kRight = 0x1D, kUp = 0x1E,
                kDown = 0x1F, kForwardDelete = 0x7F;

// Native codes are USB HID usages (= SDL scancodes).
constexpr KsKeyEntry kTable[] = {
    // Letters (ANSI positions).
    {4, 0x00, 'a', 'A'},
    {5, 0x0B, 'b', 'B'},
    {6, 0x08, 'c', 'C'},
    {7, 0x02, 'd', 'D'},
    {8, 0x0E, 'e', 'E'},
    {9, 0x03, 'f', 'F'},
    {10, 0x05, 'g', 'G'},
    {11, 0x04, 'h', 'H'},
    {12, 0x22, 'i', 'I'},
    {13, 0x26, 'j', 'J'},
    {14, 0x28, 'k', 'K'},
    {15, 0x25, 'l', 'L'},
    {16, 0x2E, 'm', 'M'},
    {17, 0x2D, 'n', 'N'},
    {18, 0x1F, 'o', 'O'},
    {19, 0x23, 'p', 'P'},
    {20, 0x0C, 'q', 'Q'},
    {21, 0x0F, 'r', 'R'},
    {22, 0x01, 's', 'S'},
    {23, 0x11, 't', 'T'},
    {24, 0x20, 'u', 'U'},
    {25, 0x09, 'v', 'V'},
    {26, 0x0D, 'w', 'W'},
    {27, 0x07, 'x', 'X'},
    {28, 0x10, 'y', 'Y'},
    {29, 0x06, 'z', 'Z'},
    // Digit row.
    {30, 0x12, '1', '!'},
    {31, 0x13, '2', '@'},
    {32, 0x14, '3', '#'},
    {33, 0x15, '4', '$'},
    {34, 0x17, '5', '%'},
    {35, 0x16, '6', '^'},
    {36, 0x1A, '7', '&'},
    {37, 0x1C, '8', '*'},
    {38, 0x19, '9', '('},
    {39, 0x1D, '0', ')'},
    // Editing and punctuation.
    {40, 0x24, kReturn, kReturn},
    {41, 0x35, kEscape, kEscape},
    {42, 0x33, kBackspace, kBackspace},
    {43, 0x30, kTab, kTab},
    {44, 0x31, ' ', ' '},
    {45, 0x1B, '-', '_'},
    {46, 0x18, '=', '+'},
    {47, 0x21, '[', '{'},
    {48, 0x1E, ']', '}'},
    {49, 0x2A, '\\', '|'},
    {50, 0x2A, '\\', '|'},
    {51, 0x29, ';', ':'},
    {52, 0x27, '\'', '"'},
    {53, 0x32, '`', '~'},
    {54, 0x2B, ',', '<'},
    {55, 0x2F, '.', '>'},
    {56, 0x2C, '/', '?'},
    {100, 0x0A, 0xA4, 0xB1}, // the ISO key beside left Shift: section and plus-minus
    {57, kKsKeyCapsLock, 0, 0},
    // Function keys; F13 to F15 sit where PC keyboards have Print, Scroll and Pause.
    {58, 0x7A, kFunctionKey, kFunctionKey},
    {59, 0x78, kFunctionKey, kFunctionKey},
    {60, 0x63, kFunctionKey, kFunctionKey},
    {61, 0x76, kFunctionKey, kFunctionKey},
    {62, 0x60, kFunctionKey, kFunctionKey},
    {63, 0x61, kFunctionKey, kFunctionKey},
    {64, 0x62, kFunctionKey, kFunctionKey},
    {65, 0x64, kFunctionKey, kFunctionKey},
    {66, 0x65, kFunctionKey, kFunctionKey},
    {67, 0x6D, kFunctionKey, kFunctionKey},
    {68, 0x67, kFunctionKey, kFunctionKey},
    {69, 0x6F, kFunctionKey, kFunctionKey},
    {70, 0x69, kFunctionKey, kFunctionKey},
    {71, 0x6B, kFunctionKey, kFunctionKey},
    {72, 0x71, kFunctionKey, kFunctionKey},
    {104, 0x69, kFunctionKey, kFunctionKey},
    {105, 0x6B, kFunctionKey, kFunctionKey},
    {106, 0x71, kFunctionKey, kFunctionKey},
    // Navigation. Insert is the Help key.
    {73, 0x72, kHelp, kHelp},
    {117, 0x72, kHelp, kHelp},
    {74, 0x73, kHome, kHome},
    {75, 0x74, kPageUp, kPageUp},
    {76, 0x75, kForwardDelete, kForwardDelete},
    {77, 0x77, kEnd, kEnd},
    {78, 0x79, kPageDown, kPageDown},
    {79, 0x7C, kRight, kRight},
    {80, 0x7B, kLeft, kLeft},
    {81, 0x7D, kDown, kDown},
    {82, 0x7E, kUp, kUp},
    // Keypad; Num Lock is the Clear key.
    {83, 0x47, kClear, kClear},
    {84, 0x4B, '/', '/'},
    {85, 0x43, '*', '*'},
    {86, 0x4E, '-', '-'},
    {87, 0x45, '+', '+'},
    {88, 0x4C, kEnter, kEnter},
    {89, 0x53, '1', '1'},
    {90, 0x54, '2', '2'},
    {91, 0x55, '3', '3'},
    {92, 0x56, '4', '4'},
    {93, 0x57, '5', '5'},
    {94, 0x58, '6', '6'},
    {95, 0x59, '7', '7'},
    {96, 0x5B, '8', '8'},
    {97, 0x5C, '9', '9'},
    {98, 0x52, '0', '0'},
    {99, 0x41, '.', '.'},
    {103, 0x51, '=', '='},
    // Modifiers.
    {224, kKsKeyCommand, 0, 0},
    {225, kKsKeyShift, 0, 0},
    {226, kKsKeyOption, 0, 0},
    {228, kKsKeyRightCommand, 0, 0},
    {229, kKsKeyRightShift, 0, 0},
    {230, kKsKeyRightOption, 0, 0},
};
constexpr std::size_t kTableSize = sizeof kTable / sizeof kTable[0];

struct Index {
    std::array<const KsKeyEntry*, 128> byCode{};
    std::array<const KsKeyEntry*, 256> byNative{};
};

// The first table entry of each code.
const Index& TheIndex() {
    static const Index index = [] {
        Index x;
        for (const KsKeyEntry& e : kTable) {
            if (!x.byCode[e.keyCode]) x.byCode[e.keyCode] = &e;
            if (e.native < x.byNative.size()) x.byNative[e.native] = &e;
        }
        return x;
    }();
    return index;
}

} // namespace

const KsKeyEntry* KsKeyTable(std::size_t* count) {
    *count = kTableSize;
    return kTable;
}

const KsKeyEntry* KsKeyFromNative(UInt16 native) {
    return native < 256 ? TheIndex().byNative[native] : nullptr;
}

const KsKeyEntry* KsKeyFromCode(UInt8 keyCode) {
    return keyCode < 128 ? TheIndex().byCode[keyCode] : nullptr;
}

bool KsKeyForChar(UInt8 ch, UInt8* keyCode, bool* needsShift) {
    if (ch == 0) return false;
    // Letters, digits and punctuation come first in the table, so the main
    // keyboard wins over the keypad for characters both type.
    for (const KsKeyEntry& e : kTable) {
        if (e.plain == ch || e.shifted == ch) {
            *keyCode = e.keyCode;
            *needsShift = e.plain != ch;
            return true;
        }
    }
    return false;
}

bool KsIsModifierKey(UInt8 keyCode) {
    switch (keyCode) {
    case kKsKeyCommand:
    case kKsKeyRightCommand:
    case kKsKeyShift:
    case kKsKeyRightShift:
    case kKsKeyOption:
    case kKsKeyRightOption:
    case kKsKeyCapsLock:
        return true;
    default:
        return false;
    }
}
