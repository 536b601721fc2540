#include "KsBoundVar.h"

#include <cstring>

namespace {
UInt32 SizeMask(short size) {
    return size == 4 ? 0xFFFFFFFFu : (UInt32(1) << (8 * size)) - 1;
}
} // namespace

UInt32 KsBoundVar::Bits() const {
    if (!IsValid()) return 0;
    switch (size_) {
    case 1: {
        UInt8 v = 0;
        std::memcpy(&v, var_, 1);
        return v;
    }
    case 2: {
        UInt16 v = 0;
        std::memcpy(&v, var_, 2);
        return v;
    }
    default: {
        UInt32 v = 0;
        std::memcpy(&v, var_, 4);
        return v;
    }
    }
}

SInt64 KsBoundVar::Read() const {
    const UInt32 bits = Bits();
    if (!IsValid() || sign_ == KsBoundSign::kUnsigned) return SInt64(bits);
    const UInt32 signBit = UInt32(1) << (8 * size_ - 1);
    return (bits & signBit) ? SInt64(bits) - (SInt64(SizeMask(size_)) + 1) : SInt64(bits);
}

void KsBoundVar::Write(SInt64 v) const {
    if (!IsValid()) return;
    const UInt32 bits = UInt32(UInt64(v) & SizeMask(size_));
    switch (size_) {
    case 1: {
        const UInt8 b = UInt8(bits);
        std::memcpy(var_, &b, 1);
        break;
    }
    case 2: {
        const UInt16 b = UInt16(bits);
        std::memcpy(var_, &b, 2);
        break;
    }
    default:
        std::memcpy(var_, &bits, 4);
        break;
    }
}

bool KsBoundVar::Holds(SInt64 v) const {
    return IsValid() && (UInt32(UInt64(v) & SizeMask(size_)) == Bits());
}

void KsBoundVar::SetBits(UInt32 mask, bool on) const {
    const UInt32 bits = Bits();
    Write(on ? (bits | mask) : (bits & ~mask));
}

SInt64 KsBoundVar::Min() const {
    if (!IsValid() || sign_ == KsBoundSign::kUnsigned) return 0;
    return -(SInt64(SizeMask(size_)) + 1) / 2;
}

SInt64 KsBoundVar::Max() const {
    if (!IsValid()) return 0;
    return sign_ == KsBoundSign::kUnsigned ? SInt64(SizeMask(size_)) : SInt64(SizeMask(size_)) / 2;
}
