#include "KsSHdl.h"

#include "KsHandle.h"

#include <cstring>

Handle KsNewSHdl(const char* text) {
    if (!text) return nullptr;
    return KsNewHandleFrom(text, Size(std::strlen(text) + 1));
}

const char* KsSHdlToStr(Handle h) {
    if (!h || !KsIsHandle(h)) return "";
    Size size = KsGetHandleSize(h);
    if (size > 0 && std::memchr(*h, 0, size_t(size))) return *h;
    // Never hand out text that runs past the block: terminate it first.
    if (!KsSetHandleSize(h, size + 1)) return "";
    (*h)[size] = 0;
    return *h;
}
