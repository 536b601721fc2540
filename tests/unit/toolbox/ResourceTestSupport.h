// Helpers shared by the resource tests: scratch folders and small resource
// files built straight through the codec.
#pragma once

#include "KsHandle.h"
#include "KsScratchDir.h"
#include "ResourceFormatPrivate.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

struct RsrcSpec {
    const char* type;
    SInt16 id;
    std::string data;
    const char* name = nullptr;
    UInt8 attrs = 0;
};

inline std::vector<UInt8> MakeResourceImage(const std::vector<RsrcSpec>& specs,
                                            UInt16 fileAttrs = 0) {
    KsResMap map;
    map.fileAttrs = fileAttrs;
    for (const RsrcSpec& s : specs) {
        KsResRecord rec;
        rec.type = (OSType(UInt8(s.type[0])) << 24) | (OSType(UInt8(s.type[1])) << 16) |
                   (OSType(UInt8(s.type[2])) << 8) | OSType(UInt8(s.type[3]));
        rec.id = s.id;
        rec.attrs = s.attrs;
        rec.hasName = s.name != nullptr;
        if (s.name) rec.name = s.name;
        rec.data = reinterpret_cast<const UInt8*>(s.data.data());
        rec.length = UInt32(s.data.size());
        map.records.push_back(rec);
    }
    return KsWriteResourceMap(map);
}

inline std::vector<UInt8> ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<UInt8>(std::istreambuf_iterator<char>(in), {});
}

inline void WriteBytes(const std::filesystem::path& path, const std::vector<UInt8>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

inline std::string HandleText(Handle h) {
    return h ? std::string(*h, std::size_t(KsGetHandleSize(h))) : std::string("<null>");
}
