// Misuse by a programmer (a pure-virtual operation called, an unbalanced
// extension, an over-long label): reported in one place so that the fatal
// path can take it over later without touching its callers.
#pragma once

// Writes what went wrong, and on which class, to the debug output, then stops
// the process. className may be null.
[[noreturn]] void KsMisuse(const char* what, const char* className);
