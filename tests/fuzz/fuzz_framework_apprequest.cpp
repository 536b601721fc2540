// The request socket's parser must raise on anything malformed and never read
// past its input.
#include "KsAppRequests.h"
#include "XError.h"

#include <cstdint>
#include <cstring>
#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // An exact-size copy, so that reading past the end is caught.
    std::unique_ptr<char[]> copy(new char[size ? size : 1]);
    if (size) std::memcpy(copy.get(), data, size);
    try {
        AEDesc ev;
        KsParseAppRequest(copy.get(), size, &ev);
        AEDesc list;
        long n = 0;
        if (AEGetParamDesc(&ev, keyDirectObject, typeAEList, &list) == 0) AECountItems(&list, &n);
    } catch (const XError&) {
    }
    return 0;
}
