// Big-endian resource bytes written field by field, as the stored formats
// lay them out.
#pragma once

#include "KsMacTypes.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct Bytes {
    std::vector<UInt8> b;
    Bytes& u8(unsigned v) {
        b.push_back(UInt8(v));
        return *this;
    }
    Bytes& u16(int v) {
        b.push_back(UInt8(unsigned(v) >> 8));
        b.push_back(UInt8(v));
        return *this;
    }
    Bytes& u32(std::uint32_t v) {
        u16(int(v >> 16));
        return u16(int(v & 0xFFFF));
    }
    Bytes& rect(int t, int l, int bo, int r) { return u16(t).u16(l).u16(bo).u16(r); }
    // A Pascal string: its length byte, then its bytes.
    Bytes& pstr(std::string_view s) {
        u8(unsigned(s.size()));
        b.insert(b.end(), s.begin(), s.end());
        return *this;
    }
    Bytes& raw(const std::vector<UInt8>& v) {
        b.insert(b.end(), v.begin(), v.end());
        return *this;
    }
    Bytes& zeros(std::size_t n) {
        b.insert(b.end(), n, 0);
        return *this;
    }
    Bytes& pad() {
        if (b.size() & 1) b.push_back(0);
        return *this;
    }
    std::string str() const { return std::string(b.begin(), b.end()); }
};
