// Decoding 'CURS' and 'crsr' resource data. The first byte picks the decoder.
#include "Cursors.h"
#include "XError.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    Cursor c;
    try {
        if (data[0] & 1)
            KsDecodeCrsr(data + 1, size - 1, &c);
        else
            KsDecodeCURS(data + 1, size - 1, &c);
    } catch (const XError&) {
    }
    return 0;
}
