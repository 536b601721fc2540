// Basic data types of the classic toolbox interface, shared by the core
// services and the toolbox layer. Layouts and widths are fixed: streams,
// resource files and event records depend on them.
#pragma once

#include <cstddef>
#include <cstdint>

using SInt8 = std::int8_t;
using UInt8 = std::uint8_t;
using SInt16 = std::int16_t;
using UInt16 = std::uint16_t;
using SInt32 = std::int32_t;
using UInt32 = std::uint32_t;
using SInt64 = std::int64_t;
using UInt64 = std::uint64_t;

using Boolean = unsigned char;
using OSErr = SInt16;
using OSStatus = SInt32;
using OSType = UInt32;
using ResType = OSType;
using Size = long;

using Ptr = char*;
using Handle = char**;

// Pascal strings: a length byte, then at most 255 bytes of Mac OS Roman text.
using Str255 = unsigned char[256];
using Str63 = unsigned char[64];
using Str31 = unsigned char[32];
using StringPtr = unsigned char*;
using ConstStringPtr = const unsigned char*;
using ConstStr255Param = const unsigned char*;

constexpr OSErr noErr = 0;
constexpr OSErr memFullErr = -108;
constexpr OSErr nilHandleErr = -109;
constexpr OSErr paramErr = -50;

// The toolbox's own 16-bit geometry. Field order is the toolbox's: vertical first.
struct Point {
    SInt16 v;
    SInt16 h;
};

struct Rect {
    SInt16 top;
    SInt16 left;
    SInt16 bottom;
    SInt16 right;
};

struct RGBColor {
    UInt16 red;
    UInt16 green;
    UInt16 blue;
};

// A four-character code from its text, as written in sources: FourCharCode("KsPn").
constexpr OSType FourCharCode(const char (&s)[5]) {
    return (OSType(UInt8(s[0])) << 24) | (OSType(UInt8(s[1])) << 16) | (OSType(UInt8(s[2])) << 8) |
           OSType(UInt8(s[3]));
}
