#include "KsMisuse.h"

#include "KsOutput.h"

#include <cstdlib>

void KsMisuse(const char* what, const char* className) {
    dprintf("Misuse of %s: %s\n", className ? className : "(no class)", what ? what : "?");
    std::abort();
}
