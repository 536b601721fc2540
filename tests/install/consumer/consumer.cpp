// An outside program built against the installed tree.
#include <KsTavik20/KsTavik20Version.h>
#include <KsTavik20/XError.h>

#include <cstdio>
#include <cstring>

int main() {
    try {
        xraisexerror("SYS_ERROR", "short OSErr", -43);
    } catch (const XError& e) {
        if (std::strcmp(e.GetCode(), "SYS_ERROR") != 0) return 1;
        std::printf("consumer ok: KsTavik20 %s, %s\n", KsTavik20Version(), e.GetText().c_str());
        return 0;
    }
    return 1;
}
