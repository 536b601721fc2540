// Binary pane trees ('KsPn' documents) from arbitrary bytes: a damaged
// document raises XError and leaves no pane behind.
#include <cstdint>
#include <cstdlib>

#include "AMemStream.h"
#include "AObjDoc.h"
#include "APane.h"
#include "KsHandle.h"
#include "XError.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const long live = APane::GetLivePaneCount();
    Handle h = KsNewHandleFrom(data, Size(size));
    if (!h) return 0;
    try {
        AMemStream s(h);
        AObjDoc doc(s);
        doc.Read();
        if (APortable* o = doc.TakeObject()) o->Dispose();
    } catch (const XError&) {
    }
    KsDisposeHandle(h);
    if (APane::GetLivePaneCount() != live) std::abort();
    return 0;
}
