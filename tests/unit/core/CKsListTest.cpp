#include "CKsList.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

int gItems[8] = {0, 1, 2, 3, 4, 5, 6, 7};
void* Item(int i) {
    return &gItems[i];
}

std::vector<int> Contents(const AList& list) {
    std::vector<int> out;
    for (SInt32 i = 1; i <= list.GetCount(); ++i)
        out.push_back(*static_cast<int*>(list.At(i)));
    return out;
}

void Fill(AList& list, int n) {
    for (int i = 0; i < n; ++i)
        list.Append(Item(i));
}

} // namespace

TEST(CKsList, IndexAfterInsertAndRemove) {
    AList list(4);
    Fill(list, 3); // 0 1 2
    list.InsertAt(2, Item(5));
    list.Prepend(Item(6));
    EXPECT_EQ(Contents(list), (std::vector<int>{6, 0, 5, 1, 2}));
    EXPECT_EQ(list.IndexOf(Item(5)), 3);
    EXPECT_EQ(list.IndexOf(Item(7)), 0);
    EXPECT_EQ(list.At(0), nullptr);
    EXPECT_EQ(list.At(6), nullptr);
    EXPECT_TRUE(list.Remove(Item(0)));
    EXPECT_FALSE(list.Remove(Item(0)));
    EXPECT_EQ(list.RemoveAt(9), nullptr);
    EXPECT_EQ(list.RemoveAt(list.GetCount()), Item(2));
    EXPECT_EQ(Contents(list), (std::vector<int>{6, 5, 1}));
    EXPECT_EQ(list.IndexOf(Item(1)), 3);
    list.InsertAt(4, Item(7)); // count + 1 appends
    EXPECT_EQ(list.Last(), Item(7));
}

TEST(CKsList, SendBackBringFrontAndRenumber) {
    AList list;
    Fill(list, 4);
    EXPECT_TRUE(list.SendBack(Item(1)));
    EXPECT_EQ(Contents(list), (std::vector<int>{0, 2, 3, 1}));
    EXPECT_TRUE(list.BringFront(Item(3)));
    EXPECT_EQ(Contents(list), (std::vector<int>{3, 0, 2, 1}));
    EXPECT_TRUE(list.MoveTo(Item(3), 3));
    EXPECT_EQ(Contents(list), (std::vector<int>{0, 2, 3, 1}));
    EXPECT_FALSE(list.SendBack(Item(7)));

    int positions[8] = {};
    list.SetRenumberProc(
        [](void* item, SInt32 index, void* refcon) {
            static_cast<int*>(refcon)[*static_cast<int*>(item)] = index;
        },
        positions);
    list.Renumber();
    EXPECT_EQ(std::vector<int>(positions, positions + 4), (std::vector<int>{1, 4, 2, 3}));
}

TEST(CKsList, SortOrdersItems) {
    AList list;
    for (int i : {5, 1, 4, 0, 3})
        list.Append(Item(i));
    list.Sort(
        [](void* a, void* b, void*) { return *static_cast<int*>(a) - *static_cast<int*>(b); });
    EXPECT_EQ(Contents(list), (std::vector<int>{0, 1, 3, 4, 5}));
}

TEST(CKsListIterator, ForwardSurvivesRemovingCurrent) {
    AList list;
    Fill(list, 6);
    std::vector<int> seen;
    AListIterator it(list);
    int* p = nullptr;
    while (it.Next(&p)) {
        seen.push_back(*p);
        if (*p % 2 == 0) list.Remove(p); // every even item removes itself
        EXPECT_EQ(it.CurrentIndex() == 0, *p % 2 == 0);
    }
    EXPECT_EQ(seen, (std::vector<int>{0, 1, 2, 3, 4, 5}));
    EXPECT_EQ(Contents(list), (std::vector<int>{1, 3, 5}));
}

TEST(CKsListIterator, PlacedAtAnIndexActsAsIfSteppedThere) {
    AList list;
    Fill(list, 6);
    AListIterator it(list, 3);
    EXPECT_EQ(it.CurrentIndex(), 3);
    EXPECT_EQ(*static_cast<int*>(it.Current()), 2);
    // Removing the current item leaves the iterator between its neighbours,
    // and an insertion before it keeps it on the same item.
    list.InsertAt(1, Item(7));
    EXPECT_EQ(*static_cast<int*>(it.Current()), 2);
    list.Remove(Item(2));
    int* p = nullptr;
    ASSERT_TRUE(it.Next(&p));
    EXPECT_EQ(*p, 3);
    ASSERT_TRUE(it.Previous(&p));
    EXPECT_EQ(*p, 1);
    // Out of range: before the first item.
    for (SInt32 bad : {0, -1, 8}) {
        AListIterator out(list, bad);
        EXPECT_EQ(out.CurrentIndex(), 0);
        ASSERT_TRUE(out.Next(&p));
        EXPECT_EQ(*p, 7);
    }
}

TEST(CKsListIterator, BackwardSurvivesRemovingCurrentAndOthers) {
    AList list;
    Fill(list, 6);
    std::vector<int> seen;
    AListIterator it(list, AListIterator::Start::last);
    int* p = nullptr;
    while (it.Previous(&p)) {
        seen.push_back(*p);
        if (*p == 4) {
            list.Remove(p);
            list.Remove(Item(5)); // already visited, behind us
            list.Remove(Item(1)); // ahead of us: must not be visited
        }
    }
    EXPECT_EQ(seen, (std::vector<int>{5, 4, 3, 2, 0}));
}

TEST(CKsListIterator, InsertionsAndDirectionChanges) {
    AList list;
    Fill(list, 3); // 0 1 2
    AListIterator it(list);
    void* p = nullptr;
    ASSERT_TRUE(it.Next(&p)); // on 0
    list.Prepend(Item(7));    // before us: no repeat
    ASSERT_TRUE(it.Next(&p));
    EXPECT_EQ(p, Item(1));
    list.InsertAt(list.IndexOf(Item(1)) + 1, Item(6)); // right after us: visited next
    ASSERT_TRUE(it.Next(&p));
    EXPECT_EQ(p, Item(6));
    ASSERT_TRUE(it.Previous(&p));
    EXPECT_EQ(p, Item(1));
    list.Remove(Item(1)); // current removed, then step back: the item before it
    ASSERT_TRUE(it.Previous(&p));
    EXPECT_EQ(p, Item(0));
    ASSERT_TRUE(it.Previous(&p));
    EXPECT_EQ(p, Item(7));
    EXPECT_FALSE(it.Previous(&p));
    EXPECT_EQ(p, nullptr);
    ASSERT_TRUE(it.Next(&p)); // from the start again
    EXPECT_EQ(p, Item(7));
}

TEST(CKsListIterator, RemoveAllAndMoveUnderIterator) {
    AList list;
    Fill(list, 4);
    AListIterator it(list);
    void* p = nullptr;
    it.Next(&p);
    it.Next(&p); // on 1
    list.SendBack(Item(1));
    ASSERT_TRUE(it.Next(&p)); // carries on from 1's old place
    EXPECT_EQ(p, Item(2));
    list.RemoveAll();
    EXPECT_FALSE(it.Next(&p));
    EXPECT_FALSE(it.Previous(&p));
}

TEST(CKsListIterator, OutlivingTheListIsSafe) {
    auto* list = new CKsList;
    Fill(*list, 2);
    AListIterator it(*list);
    void* p = nullptr;
    EXPECT_TRUE(it.Next(&p));
    list->Dispose();
    EXPECT_FALSE(it.Next(&p));
    EXPECT_EQ(it.Current(), nullptr);
}

namespace {
// Items that, like panes, remove themselves from their list when disposed.
struct Child {
    CKsList* owner;
    std::vector<int>* log;
    int id;
};
void DisposeChild(void* item) {
    auto* c = static_cast<Child*>(item);
    c->owner->Remove(c);
    c->log->push_back(c->id);
    delete c;
}
} // namespace

TEST(CKsList, DisposeAllWhileItemsRemoveThemselves) {
    auto* list = new CKsList;
    std::vector<int> log;
    for (int i = 0; i < 5; ++i)
        list->Append(new Child{list, &log, i});
    list->DisposeAll(DisposeChild); // ASan catches any use after free
    EXPECT_EQ(log, (std::vector<int>{0, 1, 2, 3, 4}));
}

TEST(CKsList, DisposeAllUsesTheInstalledDefault) {
    static int disposed;
    disposed = 0;
    auto old = CKsList::SetDefaultDisposer([](void* item) {
        ++disposed;
        delete static_cast<int*>(item);
    });
    auto* list = new CKsList;
    list->Append(new int(1));
    list->Append(nullptr); // a null item is skipped, not passed to the disposer
    list->Append(new int(2));
    list->DisposeAll();
    EXPECT_EQ(disposed, 2);
    CKsList::SetDefaultDisposer(old);
}
