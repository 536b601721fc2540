// Misuse by a programmer (a pure-virtual operation called, an unbalanced
// extension, an over-long label): reported in one place, through the fatal path.
#pragma once

// Reports what went wrong, and on which class, to the installed fatal-error
// handler, then stops the process. className may be null.
[[noreturn]] void KsMisuse(const char* what, const char* className);
