// AList and CKsList: ordered lists of object pointers, and their iterator.
//
// The framework keeps windows, menus, panes, rows and columns in these lists.
// An AList holds untyped pointers (void*) in order, with O(1) access by
// 1-based index. It points at its items and does not own them; a CKsList adds
// DisposeAll, which disposes of every item and then of the list.
//
// Iterating while the list changes is the normal case here (a window removes
// itself from the window list while a broadcast walks it; a pane removes
// itself from its enclosure while that enclosure disposes of its sub-panes),
// so iteration goes through AListIterator, which the list keeps up to date:
// removing the current item leaves the iterator between its neighbours, and
// items inserted or removed elsewhere do not make it skip or repeat an item.
//
// Sections: AList (storage, order, search), CKsList (ownership), AListIterator.
#pragma once

#include "ACollection.h"

#include <vector>

class AListIterator;

class AList : public ACollection {
public:
    // Room for `capacity` items is reserved up front (the bartender asks for
    // 20 menus and 100 items); the list grows beyond it as needed.
    explicit AList(SInt32 capacity = 0);
    ~AList() override;

    // Final: the walks over pane lists read it inline.
    SInt32 GetCount() const final { return SInt32(items_.size()); }
    void Reserve(SInt32 capacity);

    // The item at a 1-based index; null when the index is out of range.
    void* At(SInt32 index) const { return ValidIndex(index) ? items_[size_t(index - 1)] : nullptr; }
    template <class T> T* AtAs(SInt32 index) const { return static_cast<T*>(At(index)); }
    void* First() const { return At(1); }
    void* Last() const { return At(GetCount()); }

    // 1-based index of the first occurrence of item; 0 when absent.
    SInt32 IndexOf(const void* item) const;
    bool Contains(const void* item) const { return IndexOf(item) != 0; }

    // Adding. InsertAt takes an index from 1 to GetCount() + 1; the item then
    // sits at that index and the items from there on move up by one.
    void Append(void* item);
    void Prepend(void* item) { InsertAt(1, item); }
    void InsertAt(SInt32 index, void* item);
    // Replaces the item at index (the iterators are not disturbed).
    void SetAt(SInt32 index, void* item);

    // Removing: Remove takes out the first occurrence and answers whether it
    // was there; RemoveAt answers the item it took out (null when the index
    // is out of range). RemoveAll empties the list without disposing items.
    bool Remove(const void* item);
    void* RemoveAt(SInt32 index);
    void RemoveAll();

    // Order. SendBack moves an item to the end of the list, BringFront to its
    // start (for panes: the end is drawn last and hit first). MoveTo puts it
    // at a 1-based index of the resulting list. Each answers false when the
    // item is not in the list.
    bool SendBack(const void* item);
    bool BringFront(const void* item);
    bool MoveTo(const void* item, SInt32 index);

    // Positions are always current in this list; Renumber hands each item its
    // position through the installed procedure (rows keep their position in a
    // field), and does nothing without one.
    using RenumberProc = void (*)(void* item, SInt32 index, void* refcon);
    void SetRenumberProc(RenumberProc proc, void* refcon) {
        renumberProc_ = proc;
        renumberRefCon_ = refcon;
    }
    void Renumber();

    // Sorts the items with rqsort (not stable: callers that need equal items
    // to keep their order break ties themselves). compare gets two items and
    // answers <0, 0 or >0. Iterators keep their index, not their item.
    using CompareProc = int (*)(void* a, void* b, void* refcon);
    void Sort(CompareProc compare, void* refcon = nullptr);

private:
    friend class AListIterator;
    void NoteInserted(SInt32 index);
    void NoteRemoved(SInt32 index);

    std::vector<void*> items_;
    AListIterator* iterators_ = nullptr; // live iterators over this list
    RenumberProc renumberProc_ = nullptr;
    void* renumberRefCon_ = nullptr;
};

class CKsList : public AList {
public:
    using AList::AList;

    // How an item is disposed of. By default the items are AObjects and their
    // virtual Dispose runs; a list of other things passes its own disposer.
    using DisposeProc = void (*)(void* item);
    static DisposeProc SetDefaultDisposer(DisposeProc proc); // answers the previous one
    static DisposeProc GetDefaultDisposer();

    // Disposes of every item, first to last, and then of the list itself
    // (`this` is gone afterwards). Each item is taken out of the list before
    // it is disposed, so an item that removes itself from the list while it is
    // disposed (a pane leaving its enclosure) finds nothing to remove, and an
    // item added meanwhile is disposed too.
    void DisposeAll();
    void DisposeAll(DisposeProc dispose);
    // The same without disposing of the list.
    void DisposeItems(DisposeProc dispose);
};

// Walks an AList in either direction. Registers itself with the list, so it
// stays correct when the list changes under it, and becomes empty (Next and
// Previous answer false) if the list is destroyed first.
class AListIterator {
public:
    enum class Start { first, last };

    explicit AListIterator(AList& list, Start start = Start::first);
    // Starts on the item at a 1-based index, as if stepped there from the
    // first; an index out of range starts before the first item.
    AListIterator(AList& list, SInt32 index);
    ~AListIterator();
    AListIterator(const AListIterator&) = delete;
    AListIterator& operator=(const AListIterator&) = delete;

    // Moves to the next / previous item and answers it through item (which
    // may be null when only the movement matters); false at the end.
    bool Next(void** item = nullptr);
    bool Previous(void** item = nullptr);
    template <class T> bool Next(T** item) { return Step(1, reinterpret_cast<void**>(item)); }
    template <class T> bool Previous(T** item) { return Step(-1, reinterpret_cast<void**>(item)); }

    // 1-based index of the current item; 0 when there is none (before the
    // first step, at either end, or after the current item was removed).
    SInt32 CurrentIndex() const { return (pos_ % 2 == 0) ? pos_ / 2 : 0; }
    void* Current() const;
    void Reset(Start start = Start::first);

private:
    friend class AList;
    bool Step(int direction, void** item);

    // The position counts half-steps: 2i is "on item i", 2i+1 the gap between
    // items i and i+1. Removing the current item turns its position into the
    // gap it leaves, so Next and Previous carry on from its neighbours.
    AList* list_;
    SInt32 pos_ = 1;
    AListIterator* nextIterator_ = nullptr;
};
