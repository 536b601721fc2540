// The state dump: a text file written when something went badly wrong, made of
// sections that the core and the application register by title.
#pragma once

#include <cstdio>

// A section printer writes its text to `out`.
using DmpPrinter = void (*)(std::FILE* out);

// Registers a section; `flag` 0 keeps it registered but leaves it out of dumps.
// Registering a title again replaces its printer and flag, keeping its place.
void DmpInstall(DmpPrinter printer, const char* title, int flag);
void DmpRemoveAll();

// Writes a dump of every enabled section under `title`, with the error being
// handled (if any), and answers the file's path. `path` null: a new file with a
// unique name in the user's state folder (<state>/<application>/dumps). The file
// appears whole or not at all (written aside, then renamed). A non-zero `flag`
// also names the file on the debug output. A section that fails is noted in
// the file and the rest are written. Raises XError "DMP_WRITE_FAILED" when the
// file cannot be written. The answer is valid until the next call on the thread.
const char* DmpDumpToFile(const char* path, const char* title, int flag);

// Section printers of the core.
void PSPrintStack(std::FILE* out);        // the calling thread's stack
void PrintSysConfig(std::FILE* out);      // system, processors, memory
void PrintProcesses(std::FILE* out);      // processes of this user
void PrintProcessModules(std::FILE* out); // shared objects mapped into this process
void PrintDeviceDrivers(std::FILE* out);  // kernel modules loaded

// Requests a stack size in bytes for threads started afterwards (the soft
// stack limit); answers the previous size, or -1 when it cannot be changed.
long PSSetStackSize(long bytes);
