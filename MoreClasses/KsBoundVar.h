// A program variable of 1, 2 or 4 bytes that a debug control shows and sets.
//
// The variable is read and written with memcpy, so it need not be aligned,
// and compared at its own size and signedness, so a signed byte holding -1
// and a field showing -1 agree. A size other than 1, 2 or 4 reads as 0 and
// writes nothing.
#pragma once

#include "KsMacTypes.h"

enum class KsBoundSign : UInt8 { kUnsigned, kSigned };

class KsBoundVar {
public:
    KsBoundVar() = default;
    KsBoundVar(void* var, short size, KsBoundSign sign) : var_(var), size_(size), sign_(sign) {}

    bool IsValid() const { return var_ && (size_ == 1 || size_ == 2 || size_ == 4); }
    short GetSize() const { return size_; }
    KsBoundSign GetSign() const { return sign_; }

    // The value, sign- or zero-extended as bound.
    SInt64 Read() const;
    // Stores v cut to the variable's size.
    void Write(SInt64 v) const;
    // Whether v, cut to the variable's size, is what it holds.
    bool Holds(SInt64 v) const;
    // The variable's bits (zero-extended) and setting or clearing some.
    UInt32 Bits() const;
    void SetBits(UInt32 mask, bool on) const;
    // The range the variable can hold.
    SInt64 Min() const;
    SInt64 Max() const;

private:
    void* var_ = nullptr; // not owned
    short size_ = 0;
    KsBoundSign sign_ = KsBoundSign::kUnsigned;
};
