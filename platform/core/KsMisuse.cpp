#include "KsMisuse.h"

#include "KsFatal.h"

#include <string>

void KsMisuse(const char* what, const char* className) {
    std::string text = std::string("Misuse of ") + (className ? className : "(no class)") + ": " +
                       (what ? what : "?");
    // The fatal handler decides; when it lets the program go on, the caller's
    // contract is already broken, so stopping here is the only safe answer.
    __FtlAbortm(text.c_str(), __FILE__, __LINE__);
    __builtin_trap();
}
