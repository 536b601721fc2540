// Handles and pointers.
//
// A Handle is a pointer to a master pointer that points at the block. The
// master pointer never moves for the life of the handle, so a Handle may be
// kept anywhere; the block itself may move when the handle is resized, so
// *h must be read again after KsSetHandleSize. Blocks are never compacted
// behind the caller's back: there is no locking to do.
//
// Sizes are limited to kKsMaxHandleSize so that corrupt counts from outside
// data cannot ask for absurd blocks; a failed allocation answers null (or
// false) and sets the error read by KsGetMemError.
#pragma once

#include "KsMacTypes.h"

constexpr Size kKsMaxHandleSize = Size(1) << 31;

Handle KsNewHandle(Size size); // zero-filled; null on failure
Handle KsNewHandleFrom(const void* data, Size size);
void KsDisposeHandle(Handle h);            // null is allowed
Size KsGetHandleSize(Handle h);            // 0 for null
bool KsSetHandleSize(Handle h, Size size); // keeps the contents; new bytes are zero
Handle KsCopyHand(Handle h);               // a new handle with the same contents; null stays null
bool KsIsHandle(Handle h);                 // true for a live handle made here

Ptr KsNewPtr(Size size); // zero-filled; null on failure
void KsDisposePtr(Ptr p);
Size KsGetPtrSize(Ptr p);

// The error of the last memory call on this thread: noErr or memFullErr.
OSErr KsGetMemError();
