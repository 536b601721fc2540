// What the event manager calls in the input-method code (not installed).
#pragma once

#include "KsMacTypes.h"

// A back end's composition input: stores it and tells the client.
void KsTextInputCompose(const char* utf8, SInt32 caret, SInt32 selected);

// Typed or committed text. Answers true when it went to the client as one
// insertion (or was refused whole); false leaves it to the key-down path. A
// commit ends any composition either way.
bool KsTextInputCommit(const char* utf8, bool keysWaiting);

// Forgets the client, the composition and the last caret rectangle.
void KsResetTextInput();
