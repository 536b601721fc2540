// The running application: its name and its version text.
#pragma once

#include <string>

// The application's name: the file name of the running program (from
// /proc/self/exe) unless the host set one. Never empty.
const char* KSGetApplName();
// Copies the name into a buffer of `size` bytes, always terminated and cut to
// fit; answers the length written.
int KSGetApplName(char* buffer, int size);
// A host may name itself (for its folders and logs); null or "" restores the
// program's file name. A name holding "/" or a control character, or longer
// than 127 bytes, is refused (answers false) since it names folders.
bool KsSetApplName(const char* name);

// The version the host reports; the core library's version until it is set.
void KsSetApplVersion(const char* version);

// The start-up version line: "<name> version <version> (built <date>)", the
// date being the running program's modification date (YYYY-MM-DD).
std::string GetVersionInfo();
// The same into a buffer of `size` bytes, always terminated and cut to fit.
int GetVersionInfo(char* buffer, int size);
