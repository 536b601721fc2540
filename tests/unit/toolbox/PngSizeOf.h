// The pixel size a PNG file declares, for the tests that write images.
#pragma once

#include "KsMacTypes.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

// Width and height from a PNG file's header, after checking its signature.
inline bool PNGSize(const std::string& path, UInt32* w, UInt32* h) {
    std::ifstream f(path, std::ios::binary);
    std::vector<unsigned char> b((std::istreambuf_iterator<char>(f)), {});
    static const unsigned char kSig[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (b.size() < 24 || !std::equal(kSig, kSig + 8, b.begin())) return false;
    if (std::string(b.begin() + 12, b.begin() + 16) != "IHDR") return false;
    auto be32 = [&](std::size_t at) {
        return UInt32(b[at]) << 24 | UInt32(b[at + 1]) << 16 | UInt32(b[at + 2]) << 8 | b[at + 3];
    };
    *w = be32(16);
    *h = be32(20);
    return true;
}
