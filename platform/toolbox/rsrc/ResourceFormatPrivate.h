// The resource-file layout, read and written without any manager state, so
// that the resource manager and the resource compiler share one codec.
//
// Layout (all big-endian):
//   header   16 bytes: data offset, map offset, data length, map length (UInt32)
//   data     blocks of a UInt32 length followed by that many bytes
//   map      16-byte header copy, 4 reserved, 2 file ref, UInt16 file attributes,
//            UInt16 type-list offset and UInt16 name-list offset (from the map),
//            type list: UInt16 count-1, then per type ResType, UInt16 count-1 and
//            UInt16 reference-list offset (from the type list),
//            reference lists: SInt16 ID, SInt16 name offset (-1 none, from the
//            name list), UInt8 attributes, 24-bit data offset (from the data
//            area), 4 reserved bytes,
//            name list: Pascal strings.
//
// The reader treats its input as outside data: every offset, length and count
// is checked against the input before use, and any inconsistency raises XError
// "RSRC_CORRUPT" naming the field. Nothing is allocated from a count that has
// not been bounded by the input's size.
#pragma once

#include "KsMacTypes.h"

#include <cstddef>
#include <string>
#include <vector>

// One resource as stored. `data` points into the buffer the map was read from
// (or into the caller's storage when writing) and is valid as long as it is.
struct KsResRecord {
    ResType type = 0;
    SInt16 id = 0;
    UInt8 attrs = 0;
    bool hasName = false;
    std::string name; // Mac OS Roman bytes, at most 255
    const UInt8* data = nullptr;
    UInt32 length = 0;
};

// Records are grouped by type in type-list order, each group in reference-list
// order; the writer keeps the order it is given (grouping by first appearance).
struct KsResMap {
    UInt16 fileAttrs = 0;
    std::vector<KsResRecord> records;
};

// Offset of the data area in files this codec writes: the classic layout leaves
// the rest of the first 256 bytes to the system and the application.
constexpr UInt32 kKsResDataStart = 256;

KsResMap KsReadResourceMap(const UInt8* bytes, std::size_t size);

// The file image. `dataOffsets` (optional) receives, per record, the offset of
// its bytes (after the length word) in the image. Raises "RSRC_TOO_LARGE" when
// the map's 16- and 24-bit fields cannot hold the records, "RSRC_DUPLICATE"
// when two records share a type and ID.
std::vector<UInt8> KsWriteResourceMap(const KsResMap& map,
                                      std::vector<UInt32>* dataOffsets = nullptr);

// A type as text for messages: 'STR ' -> "STR ", unprintable bytes as '?'.
std::string KsResTypeText(ResType type);
