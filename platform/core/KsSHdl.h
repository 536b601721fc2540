// String handles: a C string kept in a Handle (the text and its NUL), so that
// it can be stored, copied (KsCopyHand) and disposed (KsDisposeHandle) like any
// other handle. Windows keep their pane-resource names this way.
#pragma once

#include "KsMacTypes.h"

// A new handle holding a copy of text and its terminating NUL; null for a null
// text or when memory is short (KsGetMemError tells which).
Handle KsNewSHdl(const char* text);

// The text of a string handle; "" for null or a dead handle. A handle that
// holds no NUL (one filled by other means) gets one appended, so the answer is
// always terminated inside the block. The pointer is valid until the handle is
// resized or disposed.
const char* KsSHdlToStr(Handle h);
