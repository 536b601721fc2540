// Input methods: the composition in progress, and text committed whole.
//
// An input method composes text before committing it (a dead key's accent, a
// phonetic spelling turned into characters). While it composes, its pre-edit
// text is the composition: the text-input client (the text record that has
// the keyboard) draws it in place at its caret. When the method commits, the
// text reaches the client as ONE insertion, not a key-down per character, so
// that it is one edit and one undo step.
//
// A commit goes to the client only when it is a composition's result or is
// longer than one character; a single typed character (a dead key's result
// without a visible composition, say) stays an ordinary key-down, which the
// owner of the text can filter. A commit also stays key-downs while key
// events wait in the queue, so that it never jumps ahead of keys typed
// before it; and without a client it is always key-downs.
//
// The framework's character set is Mac OS Roman: a committed character that
// has no form in it is refused with a beep and the rest is inserted. The
// composition is shown in Mac OS Roman too, '?' standing for what it lacks.
//
// Main thread only. Changing the composition allocates; nothing here runs
// per idle tick.
#pragma once

#include "KsGeometry.h"
#include "KsMacTypes.h"

#include <cstddef>
#include <string>

struct KsComposition {
    std::string utf8;           // as the input method sent it; empty: none
    std::string roman;          // one byte per character of utf8
    SInt32 caret = 0;           // in characters, 0..roman.size()
    SInt32 selectionLength = 0; // characters from the caret the method marks

    bool IsActive() const { return !utf8.empty(); }
};

class KsTextInputClient {
public:
    // The composition changed; an inactive one means it ended.
    virtual void CompositionChanged(const KsComposition& composition) = 0;
    // Committed text, Mac OS Roman, never empty: one insertion at the caret.
    virtual void InsertText(const char* text, std::size_t length) = 0;

protected:
    ~KsTextInputClient() = default;
};

// Makes `client` the one that receives compositions and commits (null: none)
// and answers the previous one. A client that goes away must remove itself
// (KsReleaseTextInputClient).
KsTextInputClient* KsSetTextInputClient(KsTextInputClient* client);
KsTextInputClient* KsGetTextInputClient();
// Removes `client` if it is the current one; otherwise does nothing.
void KsReleaseTextInputClient(KsTextInputClient* client);

// The composition now (inactive when there is none).
const KsComposition& KsGetComposition();

// Tells the input method where the caret is, in global (desktop)
// coordinates, so that its candidate window opens beside it. A rectangle
// equal to the last one is not passed on again.
void KsSetTextInputRect(const KsRect& caret);
