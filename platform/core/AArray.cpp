#include "AArray.h"

#include "KsHandle.h"
#include "KsSort.h"
#include "XError.h"

#include "KsFatal.h"
#include <cstdlib>
#include <cstring>

AArray::~AArray() {
    std::free(data_);
}

void AArray::IArrayWithSlotAndBlock(Size itemSize, SInt32 initialSlots, SInt32 blockSlots) {
    FtlAssert(itemSize > 0 && "AArray item size must be positive");
    FtlAssert(count_ == 0 && "AArray initialised while it holds items");
    if (itemSize <= 0 || count_ != 0) return;
    if (itemSize != itemSize_) {
        std::free(data_);
        data_ = nullptr;
        slots_ = 0;
    }
    itemSize_ = itemSize;
    block_ = blockSlots > 0 ? blockSlots : 0;
    if (initialSlots > 0) Grow(initialSlots);
}

void AArray::Grow(SInt32 minSlots) {
    if (minSlots <= slots_) return;
    SInt64 want = slots_ + (block_ > slots_ / 2 ? block_ : slots_ / 2);
    if (want < minSlots) want = minSlots;
    // Never ask for more than a handle may hold; a larger array is a fault.
    if (want * itemSize_ > kKsMaxHandleSize) want = kKsMaxHandleSize / itemSize_;
    if (want < minSlots) xraisexerror("SYS_ERROR", "short OSErr", memFullErr);
    void* grown = std::realloc(data_, size_t(want * itemSize_));
    if (!grown) xraisexerror("SYS_ERROR", "short OSErr", memFullErr);
    data_ = static_cast<unsigned char*>(grown);
    slots_ = SInt32(want);
}

void* AArray::GetItemPtr(SInt32 index) {
    return ValidIndex(index) ? Slot(index) : nullptr;
}

const void* AArray::GetItemPtr(SInt32 index) const {
    return ValidIndex(index) ? Slot(index) : nullptr;
}

bool AArray::GetItem(SInt32 index, void* out) const {
    if (!ValidIndex(index) || !out) return false;
    std::memcpy(out, Slot(index), size_t(itemSize_));
    return true;
}

bool AArray::SetItem(SInt32 index, const void* item) {
    if (!ValidIndex(index) || !item) return false;
    std::memmove(Slot(index), item, size_t(itemSize_));
    return true;
}

SInt32 AArray::InsertAtIndex(SInt32 index, const void* item) {
    FtlAssert(itemSize_ > 0 && "AArray used before IArray");
    FtlAssert(item && "AArray::InsertAtIndex needs an item");
    FtlAssert(index >= 1 && "AArray index is 1-based");
    if (itemSize_ <= 0 || !item) return 0;
    if (index < 1) index = 1;
    if (index > count_ + 1) index = count_ + 1;
    // The item may live inside this array: copy it out before the storage moves.
    unsigned char small[64];
    unsigned char* copy = small;
    if (size_t(itemSize_) > sizeof small) {
        copy = static_cast<unsigned char*>(std::malloc(size_t(itemSize_)));
        if (!copy) xraisexerror("SYS_ERROR", "short OSErr", memFullErr);
    }
    std::memcpy(copy, item, size_t(itemSize_));
    try {
        Grow(count_ + 1);
    } catch (...) {
        if (copy != small) std::free(copy);
        throw;
    }
    if (index <= count_)
        std::memmove(Slot(index + 1), Slot(index), size_t(Size(count_ - index + 1) * itemSize_));
    std::memcpy(Slot(index), copy, size_t(itemSize_));
    if (copy != small) std::free(copy);
    ++count_;
    return index;
}

bool AArray::DeleteItem(SInt32 index) {
    if (!ValidIndex(index)) return false;
    if (index < count_)
        std::memmove(Slot(index), Slot(index + 1), size_t(Size(count_ - index) * itemSize_));
    --count_;
    return true;
}

SInt32 AArray::Search(const void* item, CompareProc compare) const {
    if (!item) return 0;
    for (SInt32 i = 1; i <= count_; ++i) {
        bool same = compare ? compare(item, Slot(i)) == 0
                            : std::memcmp(item, Slot(i), size_t(itemSize_)) == 0;
        if (same) return i;
    }
    return 0;
}

SInt32 AArray::BinarySearchItem(const void* item, CompareProc compare, SInt32* insertAt) const {
    FtlAssert(compare && "AArray::BinarySearchItem needs a comparison");
    if (!compare || !item) {
        if (insertAt) *insertAt = count_ + 1;
        return 0;
    }
    // Lower bound: the first index whose item is not less than `item`.
    SInt32 lo = 1;
    SInt32 hi = count_ + 1;
    while (lo < hi) {
        SInt32 mid = lo + (hi - lo) / 2;
        if (compare(item, Slot(mid)) > 0)
            lo = mid + 1;
        else
            hi = mid;
    }
    if (insertAt) *insertAt = lo;
    return (lo <= count_ && compare(item, Slot(lo)) == 0) ? lo : 0;
}

void AArray::Sort(int (*compare)(const void* a, const void* b)) {
    rqsort(data_, size_t(count_), size_t(itemSize_), compare);
}
