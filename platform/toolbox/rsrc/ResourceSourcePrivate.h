// The readable source form of a resource file: a folder with one file per
// resource, shared by the resource compiler and the tests.
//
// A resource is a file named TYPE_ID[_name].ext:
//   TYPE  the four type bytes; bytes other than letters, digits and a few
//         harmless marks are written %XX (hex), so 'STR ' is "STR%20";
//   ID    the signed decimal ID;
//   name  the resource name, if it has one (an empty name is "TYPE_ID_");
//         Mac OS Roman letters appear as UTF-8, '/', '%' and control bytes as
//         %XX;
//   ext   the payload: .bin raw bytes; .png PNG bytes stored as they are;
//         .txt text in UTF-8 for 'TEXT' (line breaks are CR in the resource),
//         'STR ' (one string, one trailing newline dropped) and 'STR#' (one
//         string a line); .bits a 1-bit image drawn with '#' and '.' rows for
//         'SICN' and 'ics#' (16 wide) and 'ICON' and 'ICN#' (32 wide), images
//         one after the other.
// Resource attributes live in a side file TYPE_ID.attrs holding words
// (sysHeap purgeable locked protected preload changed) or hex numbers; the
// map's file attributes in _map.attrs. Files whose names begin with '.' and
// notes (.md) are ignored; anything else that does not fit is an error.
//
// The compiler orders resources by type, then ID, so a folder compiles to the
// same bytes wherever it came from, and decompiling a compiled file and
// compiling the result reproduces it byte for byte. Problems raise XError
// "RSRC_SOURCE_BAD" naming the file.
#pragma once

#include "KsMacTypes.h"

#include <cstddef>
#include <string>
#include <vector>

std::vector<UInt8> KsCompileResourceFolder(const std::string& folder);

// Writes the folder, which must not exist yet or be empty.
void KsDecompileResourceFile(const UInt8* bytes, std::size_t size, const std::string& folder);

// The source file name of one resource, and its payload as that file holds it.
struct KsResSourceFile {
    std::string fileName;
    std::vector<UInt8> contents;
};
KsResSourceFile KsResourceToSource(ResType type, SInt16 id, bool hasName, const std::string& name,
                                   const UInt8* data, std::size_t length);
