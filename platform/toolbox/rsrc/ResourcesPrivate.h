// Resource-manager internals shared with the generated framework resources and
// with the tests.
#pragma once

#include "KsMacTypes.h"

#include <cstddef>

// The framework's own resource file, compiled from resources/ at build time.
extern const UInt8 kKsFrameworkResources[];
extern const std::size_t kKsFrameworkResourcesSize;

// A simulated failure of the atomic file writer, for tests: the write stops
// with "disk full" after byteBudget bytes (negative: no limit), or the flush
// or the rename fails. Stays in force until replaced by a default value.
struct KsResWriteFault {
    enum Step { kNone, kSync, kRename };
    long byteBudget = -1;
    Step failAt = kNone;
};
void KsResSetWriteFault(const KsResWriteFault& fault);

// Writes bytes to path atomically (temporary file beside it, flush, rename).
// Answers 0 or the errno of the step that failed; the old file is untouched
// on failure and no temporary file is left behind.
int KsResWriteFileAtomically(const char* path, const UInt8* bytes, std::size_t size);

// Reads a whole file. Answers 0 or an errno (EFBIG for a file larger than a
// resource file can be).
#include <vector>
int KsResReadFile(const char* path, std::vector<UInt8>* bytes);
