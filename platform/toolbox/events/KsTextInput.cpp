// Input methods: the composition and the client that receives commits.
#include "KsTextInput.h"
#include "KsTextInputPrivate.h"

#include "KsBackend.h"
#include "KsMacRoman.h"
#include "Sound.h"

#include <algorithm>
#include <cstring>

namespace {

struct TextInputState {
    KsTextInputClient* client = nullptr;
    KsComposition composition;
    KsRect caret{};
    bool caretSent = false;
};

TextInputState& T() {
    static TextInputState state;
    return state;
}

enum class Missing : UInt8 { replace, drop };

// UTF-8 as Mac OS Roman; `missing` counts the characters that have no form,
// which become '?' (one byte per decoded character) or are left out.
std::string ToRoman(const char* utf8, Missing policy, std::size_t* missing) {
    const std::size_t length = std::strlen(utf8);
    std::string roman;
    roman.reserve(length);
    *missing = 0;
    for (std::size_t at = 0; at < length;) {
        char32_t ch = 0;
        at += KsDecodeUTF8(utf8 + at, length - at, &ch);
        unsigned char byte = 0;
        if (!KsUnicodeToMacRoman(ch, &byte) || byte == 0) {
            ++*missing;
            if (policy == Missing::drop) continue;
            byte = kKsMacRomanReplacement;
        }
        roman += char(byte);
    }
    return roman;
}

void EndComposition(TextInputState& t) {
    if (!t.composition.IsActive()) return;
    t.composition = KsComposition{};
    if (t.client) t.client->CompositionChanged(t.composition);
}

} // namespace

KsTextInputClient* KsSetTextInputClient(KsTextInputClient* client) {
    TextInputState& t = T();
    KsTextInputClient* old = t.client;
    t.client = client;
    return old;
}

KsTextInputClient* KsGetTextInputClient() {
    return T().client;
}

void KsReleaseTextInputClient(KsTextInputClient* client) {
    if (T().client == client) T().client = nullptr;
}

const KsComposition& KsGetComposition() {
    return T().composition;
}

void KsSetTextInputRect(const KsRect& caret) {
    TextInputState& t = T();
    if (t.caretSent && t.caret == caret) return;
    t.caret = caret;
    t.caretSent = true;
    KsGetBackend()->SetTextInputRect(caret);
}

void KsTextInputCompose(const char* utf8, SInt32 caret, SInt32 selected) {
    TextInputState& t = T();
    if (!utf8 || !*utf8) {
        EndComposition(t);
        return;
    }
    KsComposition c;
    c.utf8 = utf8;
    std::size_t missing = 0;
    c.roman = ToRoman(utf8, Missing::replace, &missing);
    // Input methods are outside code: their positions are kept inside the text.
    const auto chars = SInt32(c.roman.size());
    c.caret = std::clamp<SInt32>(caret, 0, chars);
    c.selectionLength = std::clamp<SInt32>(selected, 0, chars - c.caret);
    const KsComposition& now = t.composition;
    if (now.utf8 == c.utf8 && now.caret == c.caret && now.selectionLength == c.selectionLength)
        return;
    t.composition = std::move(c);
    if (t.client) t.client->CompositionChanged(t.composition);
}

bool KsTextInputCommit(const char* utf8, bool keysWaiting) {
    TextInputState& t = T();
    const bool composed = t.composition.IsActive();
    EndComposition(t);
    if (!utf8 || !*utf8 || !t.client || keysWaiting) return false;
    std::size_t missing = 0;
    const std::string roman = ToRoman(utf8, Missing::drop, &missing);
    if (!composed && roman.size() + missing <= 1) return false;
    if (missing) SysBeep(kKsShortBeepTicks);
    if (!roman.empty()) t.client->InsertText(roman.data(), roman.size());
    return true;
}

void KsResetTextInput() {
    T() = TextInputState{};
}
