#include "CKsList.h"

#include "AObject.h"

#include "KsSort.h"

#include "KsFatal.h"

// ---- AList: storage and order ----

AList::AList(SInt32 capacity) {
    Reserve(capacity);
}

AList::~AList() {
    // Iterators that outlive the list become empty instead of dangling.
    for (AListIterator* it = iterators_; it; it = it->nextIterator_) {
        it->list_ = nullptr;
        it->pos_ = 1;
    }
}

void AList::Reserve(SInt32 capacity) {
    if (capacity > 0) items_.reserve(size_t(capacity));
}

SInt32 AList::IndexOf(const void* item) const {
    for (size_t i = 0; i < items_.size(); ++i)
        if (items_[i] == item) return SInt32(i + 1);
    return 0;
}

void AList::Append(void* item) {
    InsertAt(GetCount() + 1, item);
}

void AList::InsertAt(SInt32 index, void* item) {
    FtlAssert(index >= 1 && index <= GetCount() + 1 && "AList::InsertAt index out of range");
    if (index < 1) index = 1;
    if (index > GetCount() + 1) index = GetCount() + 1;
    items_.insert(items_.begin() + (index - 1), item);
    NoteInserted(index);
}

void AList::SetAt(SInt32 index, void* item) {
    FtlAssert(ValidIndex(index) && "AList::SetAt index out of range");
    if (ValidIndex(index)) items_[size_t(index - 1)] = item;
}

bool AList::Remove(const void* item) {
    SInt32 index = IndexOf(item);
    if (index == 0) return false;
    RemoveAt(index);
    return true;
}

void* AList::RemoveAt(SInt32 index) {
    if (!ValidIndex(index)) return nullptr;
    void* item = items_[size_t(index - 1)];
    items_.erase(items_.begin() + (index - 1));
    NoteRemoved(index);
    return item;
}

void AList::RemoveAll() {
    while (!items_.empty())
        RemoveAt(GetCount());
}

bool AList::SendBack(const void* item) {
    return MoveTo(item, GetCount());
}

bool AList::BringFront(const void* item) {
    return MoveTo(item, 1);
}

bool AList::MoveTo(const void* item, SInt32 index) {
    SInt32 from = IndexOf(item);
    if (from == 0) return false;
    if (index < 1) index = 1;
    if (index > GetCount()) index = GetCount();
    if (from == index) return true;
    // A move is a removal and an insertion to the iterators: one standing on
    // the moved item is left in the gap it came from.
    void* moved = RemoveAt(from);
    InsertAt(index, moved);
    return true;
}

void AList::Renumber() {
    if (!renumberProc_) return;
    for (SInt32 i = 1; i <= GetCount(); ++i)
        renumberProc_(items_[size_t(i - 1)], i, renumberRefCon_);
}

namespace {
struct SortContext {
    AList::CompareProc compare;
    void* refcon;
};
int CompareItems(const void* a, const void* b, void* context) {
    auto* ctx = static_cast<SortContext*>(context);
    return ctx->compare(*static_cast<void* const*>(a), *static_cast<void* const*>(b), ctx->refcon);
}
} // namespace

void AList::Sort(CompareProc compare, void* refcon) {
    SortContext ctx{compare, refcon};
    rqsort(items_.data(), items_.size(), sizeof(void*), CompareItems, &ctx);
}

void AList::NoteInserted(SInt32 index) {
    for (AListIterator* it = iterators_; it; it = it->nextIterator_) {
        // On item i, or in the gap after item i: everything from `index` on
        // moved up. A new item placed exactly in the iterator's gap stays
        // ahead of it, so Next will visit it.
        SInt32 i = it->pos_ / 2;
        if (index <= i) it->pos_ += 2;
    }
}

void AList::NoteRemoved(SInt32 index) {
    for (AListIterator* it = iterators_; it; it = it->nextIterator_) {
        SInt32 i = it->pos_ / 2;
        if (it->pos_ % 2 == 0) {
            if (index < i)
                it->pos_ -= 2;
            else if (index == i)
                it->pos_ -= 1; // the current item is gone: stand in its gap
        } else if (index <= i) {
            it->pos_ -= 2;
        }
    }
}

// ---- CKsList: ownership ----

namespace {
// The items of a list that disposes them are objects of the stack.
void DisposeObject(void* item) {
    static_cast<AObject*>(item)->Dispose();
}
CKsList::DisposeProc gDefaultDisposer = DisposeObject;
} // namespace

CKsList::DisposeProc CKsList::SetDefaultDisposer(DisposeProc proc) {
    DisposeProc old = gDefaultDisposer;
    gDefaultDisposer = proc;
    return old;
}

CKsList::DisposeProc CKsList::GetDefaultDisposer() {
    return gDefaultDisposer;
}

void CKsList::DisposeAll() {
    DisposeAll(gDefaultDisposer);
}

void CKsList::DisposeAll(DisposeProc dispose) {
    DisposeItems(dispose);
    Dispose();
}

void CKsList::DisposeItems(DisposeProc dispose) {
    // Take each item out before disposing of it: the item may reach back into
    // this list (remove itself, add or remove others) while it goes.
    while (GetCount() > 0) {
        void* item = RemoveAt(1);
        if (dispose && item) dispose(item);
    }
}

// ---- AListIterator ----

AListIterator::AListIterator(AList& list, Start start)
    : list_(&list), nextIterator_(list.iterators_) {
    list.iterators_ = this;
    Reset(start);
}

AListIterator::AListIterator(AList& list, SInt32 index)
    : list_(&list), nextIterator_(list.iterators_) {
    list.iterators_ = this;
    pos_ = list.ValidIndex(index) ? 2 * index : 1;
}

AListIterator::~AListIterator() {
    if (!list_) return;
    for (AListIterator** link = &list_->iterators_; *link; link = &(*link)->nextIterator_) {
        if (*link == this) {
            *link = nextIterator_;
            break;
        }
    }
}

void AListIterator::Reset(Start start) {
    SInt32 count = list_ ? list_->GetCount() : 0;
    pos_ = (start == Start::first) ? 1 : 2 * count + 1;
}

void* AListIterator::Current() const {
    SInt32 index = CurrentIndex();
    return (list_ && index) ? list_->At(index) : nullptr;
}

bool AListIterator::Next(void** item) {
    return Step(1, item);
}

bool AListIterator::Previous(void** item) {
    return Step(-1, item);
}

bool AListIterator::Step(int direction, void** item) {
    if (item) *item = nullptr;
    if (!list_) return false;
    SInt32 count = list_->GetCount();
    // Works for both kinds of position: from item i or from the gap after i,
    // the next item is i + 1; the previous one is i - 1 or i.
    SInt32 index = direction > 0 ? pos_ / 2 + 1 : (pos_ - 1) / 2;
    if (index < 1) {
        pos_ = 1;
        return false;
    }
    if (index > count) {
        pos_ = 2 * count + 1;
        return false;
    }
    pos_ = 2 * index;
    if (item) *item = list_->At(index);
    return true;
}
