// AArray: an array of fixed-size items stored by value, 1-based.
//
// Items are plain bytes (records without constructors: the end-of-event tasks
// are 8-byte procedure/data pairs, the pane registry 8-byte pane/refnum pairs).
// Item pointers (GetItemPtr) stay valid only until the next insertion or
// deletion, which may move the storage.
//
// Storage grows by at least the block given to IArrayWithSlotAndBlock, and by
// half the current size when that is more, so long runs of appends stay linear.
// A failed allocation raises XError "SYS_ERROR" with "short OSErr" memFullErr
// and leaves the array as it was.
#pragma once

#include "ACollection.h"

class AArray : public ACollection {
public:
    AArray() = default;
    explicit AArray(Size itemSize) { IArray(itemSize); }
    ~AArray() override;

    // Initialisers: the item size in bytes, the slots allocated at once and the
    // growth step in slots. Only an empty array can be initialised again.
    void IArray(Size itemSize) { IArrayWithSlotAndBlock(itemSize, 0, 0); }
    void IArrayWithSlotAndBlock(Size itemSize, SInt32 initialSlots, SInt32 blockSlots);

    SInt32 GetCount() const override { return count_; }
    Size GetItemSize() const { return itemSize_; }
    SInt32 GetSlotCount() const { return slots_; }

    // Null when the index is out of range.
    void* GetItemPtr(SInt32 index);
    const void* GetItemPtr(SInt32 index) const;
    bool GetItem(SInt32 index, void* out) const;
    bool SetItem(SInt32 index, const void* item);

    // Inserts a copy of item so that it sits at index (1 to GetCount() + 1; a
    // larger index appends). Answers the index used.
    SInt32 InsertAtIndex(SInt32 index, const void* item);
    SInt32 AppendItem(const void* item) { return InsertAtIndex(count_ + 1, item); }
    // Deletes one item, keeping the order of the rest; false when out of range.
    bool DeleteItem(SInt32 index);
    void DeleteAll() { count_ = 0; }

    // Comparisons get the searched-for item first, the array's item second,
    // and answer <0, 0 or >0.
    using CompareProc = int (*)(const void* wanted, const void* item);

    // Linear search from the start; with no comparison, items match when their
    // bytes are equal. Answers the first matching index, 0 when none.
    SInt32 Search(const void* item, CompareProc compare = nullptr) const;

    // Binary search of an array sorted by `compare`. Answers the index of the
    // first (lowest-indexed) equal item, 0 when none; insertAt, when given,
    // receives the index at which item would be inserted to keep the order
    // (before any equal items).
    SInt32 BinarySearchItem(const void* item, CompareProc compare,
                            SInt32* insertAt = nullptr) const;

    // Sorts the items in place with rqsort (not stable).
    void Sort(int (*compare)(const void* a, const void* b));

private:
    void Grow(SInt32 minSlots);
    unsigned char* Slot(SInt32 index) const { return data_ + Size(index - 1) * itemSize_; }

    unsigned char* data_ = nullptr;
    Size itemSize_ = 0;
    SInt32 count_ = 0;
    SInt32 slots_ = 0;
    SInt32 block_ = 0;
};
