// The demo host application. Until the windowing layers exist it starts the
// core services and shows what they do.
#include "KsOutput.h"
#include "KsTavik20Version.h"
#include "XError.h"

#include <cstdio>

int main() {
    std::printf("KsTavik20 %s demo\n", KsTavik20Version());
    ESInit();
    try {
        xraisexerror("SYS_ERROR", "short OSErr", -108);
    } catch (...) {
        XError e = XErrorFromCurrentException();
        StSetCurrentException current(e);
        char text[256];
        EMGetErrorMsg(text, sizeof text);
        std::printf("core: raised and caught %s: \"%s\"\n", e.GetCode(), text);
    }
    return 0;
}
