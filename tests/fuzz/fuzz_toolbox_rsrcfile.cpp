// Reads arbitrary bytes as a resource file: through the codec, through the
// resource manager (open, look up, count, index, write back) and through the
// decompiler's payload forms. Only XError may come out.
#include "ResourceFormatPrivate.h"
#include "ResourceSourcePrivate.h"
#include "Resources.h"
#include "XError.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

std::string ScratchPath() {
    const char* tmp = std::getenv("TMPDIR");
    return std::string(tmp && *tmp ? tmp : "/tmp") + "/fuzz_rsrcfile." + std::to_string(getpid());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        KsResMap map = KsReadResourceMap(data, size);
        for (const KsResRecord& rec : map.records)
            KsResourceToSource(rec.type, rec.id, rec.hasName, rec.name, rec.data, rec.length);
        // What was read writes out again unless it exceeds the layout's limits.
        try {
            KsWriteResourceMap(map);
        } catch (const XError&) {
        }
    } catch (const XError&) {
    }

    static const std::string path = ScratchPath();
    if (FILE* f = std::fopen(path.c_str(), "wb")) {
        std::fwrite(data, 1, size, f);
        std::fclose(f);
    }
    SInt16 ref = -1;
    try {
        ref = KsOpenResFile(path.c_str(), fsRdPerm);
        if (ref > 0) {
            for (SInt16 t = 1; t <= Count1Types(); ++t) {
                ResType type = 0;
                Get1IndType(&type, t);
                SInt16 n = Count1Resources(type);
                for (SInt16 i = 1; i <= n && i <= 64; ++i) {
                    Handle h = Get1IndResource(type, i);
                    SInt16 id = 0;
                    Str255 name;
                    GetResInfo(h, &id, nullptr, name);
                    if (Get1Resource(type, id) != h) std::abort();
                    if (name[0] && !Get1NamedResource(type, name)) std::abort();
                    ReleaseResource(h);
                }
            }
            CloseResFile(ref);
        }
    } catch (const XError&) {
        if (ref > 0) CloseResFile(ref);
    }
    std::remove(path.c_str());
    return 0;
}
