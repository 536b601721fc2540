// Resource calls tied to one resource file, whatever file is current: each
// selects the file for the call and puts the current file back afterwards.
#pragma once

#include "KsMacTypes.h"

// The resource of that type in file `fileRef` only: by ID when name is null
// or empty (a Pascal string), else by name. Null when the file has none.
// The manager owns the handle, as with Get1Resource.
Handle KsGet1Resource(ResType type, SInt16 id, ConstStr255Param name, SInt16 fileRef);
// An ID that no resource of that type in file `fileRef` uses, `base` or the
// first free one above it (wrapping to 128 past 32767); 0 when every ID is
// taken.
SInt16 KsUnique1IDbase(ResType type, SInt16 fileRef, SInt16 base);
// Stores a copy of `data` as resource (type, id, name) of file `fileRef`,
// replacing one of the same type and ID, and writes the file. Answers the
// resource error (noErr on success).
OSErr UpdateRsrcH(ResType type, SInt16 id, ConstStr255Param name, SInt16 fileRef, Handle data);
