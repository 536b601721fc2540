// The key table and the US layout behind KeyTranslate.
#include "Events.h"
#include "KsKeyboardPrivate.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

namespace {
struct Expect {
    UInt16 native; // USB HID usage = SDL scancode
    UInt8 keyCode;
    UInt8 ch;
};
// The codes callers test for, from the native keys that make them.
constexpr Expect kNamedKeys[] = {
    {80, 0x7B, 0x1C}, {79, 0x7C, 0x1D}, {81, 0x7D, 0x1F}, {82, 0x7E, 0x1E}, // arrows
    {74, 0x73, 0x01}, {77, 0x77, 0x04}, {75, 0x74, 0x0B}, {78, 0x79, 0x0C},
    {76, 0x75, 0x7F}, {88, 0x4C, 0x03}, {40, 0x24, 0x0D}, {43, 0x30, 0x09},
    {41, 0x35, 0x1B}, {42, 0x33, 0x08}, {73, 0x72, 0x05}, {44, 0x31, ' '},
    {58, 0x7A, 0x10}, {59, 0x78, 0x10}, {60, 0x63, 0x10}, {61, 0x76, 0x10}, // F1-F4
    {62, 0x60, 0x10}, {63, 0x61, 0x10}, {64, 0x62, 0x10}, {65, 0x64, 0x10}, // F5-F8
    {66, 0x65, 0x10}, {67, 0x6D, 0x10}, {68, 0x67, 0x10}, {69, 0x6F, 0x10}, // F9-F12
    {4, 0x00, 'a'},   {29, 0x06, 'z'},  {20, 0x0C, 'q'},  {30, 0x12, '1'},
    {39, 0x1D, '0'},  {98, 0x52, '0'},  {89, 0x53, '1'},  {97, 0x5C, '9'}, // keypad
    {96, 0x5B, '8'},  {99, 0x41, '.'},  {87, 0x45, '+'},  {86, 0x4E, '-'},
    {85, 0x43, '*'},  {84, 0x4B, '/'},  {83, 0x47, 0x1B}, {103, 0x51, '='},
};
} // namespace

TEST(EventKeyboard, NativeKeysMapToTheToolboxCodesAndCharacters) {
    for (const Expect& x : kNamedKeys) {
        const KsKeyEntry* e = KsKeyFromNative(x.native);
        ASSERT_NE(e, nullptr) << "native " << x.native;
        EXPECT_EQ(e->keyCode, x.keyCode) << "native " << x.native;
        EXPECT_EQ(e->plain, x.ch) << "native " << x.native;
    }
    EXPECT_EQ(KsKeyFromNative(0), nullptr);
    EXPECT_EQ(KsKeyFromNative(227), nullptr); // the Super key is no toolbox key
    EXPECT_EQ(KsKeyFromNative(60000), nullptr);
    EXPECT_EQ(KsKeyFromNative(224)->keyCode, 0x37); // Ctrl is command
    EXPECT_EQ(KsModifierOfKey(0x37), cmdKey);
    EXPECT_EQ(KsModifierOfKey(0x3D), optionKey);
    EXPECT_EQ(KsModifierOfKey(0x00), 0);
}

TEST(EventKeyboard, TheTableIsConsistent) {
    std::size_t n = 0;
    const KsKeyEntry* table = KsKeyTable(&n);
    std::set<UInt16> natives;
    std::set<std::pair<UInt8, UInt8>> letters;
    for (std::size_t i = 0; i < n; ++i) {
        EXPECT_TRUE(natives.insert(table[i].native).second) << "native listed twice";
        EXPECT_LT(table[i].keyCode, 0x80);
        // Keys that type a letter type its capital with Shift.
        if (table[i].plain >= 'a' && table[i].plain <= 'z') {
            EXPECT_EQ(table[i].shifted, table[i].plain - 32);
            letters.insert({table[i].keyCode, table[i].plain});
        }
    }
    EXPECT_EQ(letters.size(), 26u); // 26 letters on 26 distinct keys
}

TEST(EventKeyboard, KeyTranslateUsesShiftAndCapsLock) {
    const void* kchr = reinterpret_cast<const void*>(GetScriptManagerVariable(smKCHRCache));
    ASSERT_EQ(kchr, KsGetKeyboardLayout());
    UInt32 state = 99;
    EXPECT_EQ(KeyTranslate(kchr, 0x00, &state), UInt32('a'));
    EXPECT_EQ(state, 0u);
    EXPECT_EQ(KeyTranslate(kchr, 0x00 | shiftKey, &state), UInt32('A'));
    EXPECT_EQ(KeyTranslate(kchr, 0x00 | alphaLock, &state), UInt32('A'));
    EXPECT_EQ(KeyTranslate(kchr, 0x12 | alphaLock, &state), UInt32('1'));
    EXPECT_EQ(KeyTranslate(kchr, 0x12 | shiftKey, &state), UInt32('!'));
    EXPECT_EQ(KeyTranslate(kchr, 0x2F | cmdKey, &state), UInt32('.')); // command-period
    EXPECT_EQ(KeyTranslate(kchr, 0x80 | 0x2C, &state), UInt32('/')); // the up-stroke bit is ignored
    EXPECT_EQ(KeyTranslate(kchr, 0x3F, &state), 0u);                 // no key there
    EXPECT_EQ(KeyTranslate(nullptr, 0x29, nullptr), UInt32(';'));
    EXPECT_EQ(GetScriptManagerVariable(0), 0);
}

TEST(EventKeyboard, CharactersFindTheirKeys) {
    UInt8 code = 0;
    bool shift = false;
    ASSERT_TRUE(KsKeyForChar('?', &code, &shift));
    EXPECT_EQ(code, 0x2C);
    EXPECT_TRUE(shift);
    ASSERT_TRUE(KsKeyForChar('5', &code, &shift));
    EXPECT_EQ(code, 0x17); // the main row, not the keypad
    EXPECT_FALSE(shift);
    EXPECT_FALSE(KsKeyForChar(0x8E, &code, &shift)); // é: no key on the US layout
    EXPECT_FALSE(KsKeyForChar(0, &code, &shift));
}
