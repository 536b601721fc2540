// The resource manager: typed, numbered blobs in resource files.
//
// Files are searched as a chain. The framework's own resources, compiled into
// the library, are always the bottom of the chain; above them the
// application's own file (KsOpenApplicationResFile); above that every file
// opened with OpenResFile, the most recent on top. GetResource and its
// relatives search from the current file (CurResFile, set by UseResFile and by
// each OpenResFile) down the chain; the Get1 forms search the current file only.
//
// Handles: one handle per loaded resource. Asking again for a loaded resource
// answers the same handle. The manager owns resource handles: release them
// with ReleaseResource (or DetachResource to keep the block as your own), never
// with KsDisposeHandle. CloseResFile disposes the handles of that file.
//
// Errors: lookups that find nothing answer null and set ResError
// (resNotFound); other failures set ResError too. A resource file whose
// contents are inconsistent raises XError "RSRC_CORRUPT" from the opening call.
//
// Writing: changes are kept in memory until UpdateResFile (or WriteResource, or
// CloseResFile). The file is then written whole to a temporary file beside it,
// flushed to disk and renamed over the old one, so a crash or a full disk
// leaves either the old file or the new one, never a mixture.
//
// The manager is used from the UI thread only.
#pragma once

#include "KsMacTypes.h"

// Resource attributes (GetResAttrs / SetResAttrs).
enum : SInt16 {
    resSysHeap = 64,
    resPurgeable = 32,
    resLocked = 16,
    resProtected = 8,
    resPreload = 4,
    resChanged = 2,
};

// File attributes (GetResFileAttrs / SetResFileAttrs).
enum : SInt16 {
    mapReadOnly = 128, // UpdateResFile writes nothing
    mapCompact = 64,
    mapChanged = 32,
};

// Open permissions.
enum : SInt8 {
    fsCurPerm = 0, // read and write when the file allows it, else read only
    fsRdPerm = 1,
    fsWrPerm = 2,
    fsRdWrPerm = 3,
    fsRdWrShPerm = 4,
};

constexpr OSErr ioErr = -36;
constexpr OSErr fnfErr = -43;
constexpr OSErr dupFNErr = -48;
constexpr OSErr permErr = -54;
constexpr OSErr wrPermErr = -61;
constexpr OSErr resNotFound = -192;
constexpr OSErr resFNotFound = -193;
constexpr OSErr addResFailed = -194;
constexpr OSErr rmvResFailed = -196;
constexpr OSErr resAttrErr = -198;
constexpr OSErr mapReadErr = -199;

// The reference number of the framework's own resources.
constexpr SInt16 kKsFrameworkResFile = 0;

// Files. Paths are UTF-8 file-system paths; the classic names take a Pascal
// string in Mac OS Roman. Opening a file that is already open answers its
// reference number again. A missing or unreadable file answers -1 with
// ResError set (fnfErr, permErr, ioErr); a damaged one raises XError.
SInt16 KsOpenResFile(const char* path, SInt8 permission);
SInt16 OpenResFile(ConstStr255Param fileName);
// Opens the application's own file, which sits just above the framework's
// resources whatever is opened later. Replaces a previous application file.
SInt16 KsOpenApplicationResFile(const char* path, SInt8 permission);
// Creates an empty resource file. An existing file is left alone and ResError
// answers dupFNErr.
void KsCreateResFile(const char* path);
void CreateResFile(ConstStr255Param fileName);
// Writes pending changes, disposes the file's resource handles and closes it.
// Closing the framework's resources does nothing.
void CloseResFile(SInt16 refNum);
// Raises XError "RSRC_TOO_LARGE" when the resources no longer fit the layout.
void UpdateResFile(SInt16 refNum);
SInt16 CurResFile();
void UseResFile(SInt16 refNum);
OSErr ResError();
SInt16 GetResFileAttrs(SInt16 refNum);
void SetResFileAttrs(SInt16 refNum, SInt16 attrs);

// Lookups. Names are Pascal strings compared byte for byte.
Handle GetResource(ResType type, SInt16 id);
Handle Get1Resource(ResType type, SInt16 id);
Handle GetNamedResource(ResType type, ConstStr255Param name);
Handle Get1NamedResource(ResType type, ConstStr255Param name);
// Counting and indexing: GetIndResource counts resources of a type from 1,
// each (type, ID) once even when several files hold it (the nearest wins).
SInt16 CountResources(ResType type);
SInt16 Count1Resources(ResType type);
Handle GetIndResource(ResType type, SInt16 index);
Handle Get1IndResource(ResType type, SInt16 index);
SInt16 CountTypes();
SInt16 Count1Types();
void GetIndType(ResType* type, SInt16 index);
void Get1IndType(ResType* type, SInt16 index);
// An ID of `type` free in the current file (Unique1ID) or in the whole chain
// (UniqueID): the smallest one from 128 up, so that IDs below 128, which the
// system reserves, stay untouched.
SInt16 Unique1ID(ResType type);
SInt16 UniqueID(ResType type);

// Information about a resource handle. Null output pointers are skipped; a
// resource without a name reports an empty name.
void GetResInfo(Handle resource, SInt16* id, ResType* type, StringPtr name);
// Sets the ID and, when name is not null, the name (an empty one removes it).
void SetResInfo(Handle resource, SInt16 id, ConstStr255Param name);
SInt16 GetResAttrs(Handle resource);
void SetResAttrs(Handle resource, SInt16 attrs);
SInt16 HomeResFile(Handle resource); // -1 when not a resource
Size GetResourceSizeOnDisk(Handle resource);

// Changes. AddResource makes a block of yours a resource of the current file
// (the manager owns it from then on); RemoveResource and DetachResource give
// the block back to you; ReleaseResource disposes it (the resource stays in
// its file). A changed resource is not released: its changes would be lost.
void AddResource(Handle data, ResType type, SInt16 id, ConstStr255Param name);
void RemoveResource(Handle resource);
void ChangedResource(Handle resource);
// Writes the resource's file at once, with all its pending changes.
void WriteResource(Handle resource);
void ReleaseResource(Handle resource);
void DetachResource(Handle resource);
