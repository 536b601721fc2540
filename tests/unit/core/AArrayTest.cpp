#include "AArray.h"
#include "KsSort.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <vector>

namespace {

// The pane registry's record: an 8-byte pane/refnum pair sorted by refnum.
struct Rec {
    SInt32 key;
    SInt32 tag;
};

int CompareKey(const void* wanted, const void* item) {
    SInt32 a = static_cast<const Rec*>(wanted)->key;
    SInt32 b = static_cast<const Rec*>(item)->key;
    return a < b ? -1 : (a > b ? 1 : 0);
}

std::vector<SInt32> Keys(const AArray& a) {
    std::vector<SInt32> out;
    for (SInt32 i = 1; i <= a.GetCount(); ++i) {
        Rec r{};
        EXPECT_TRUE(a.GetItem(i, &r));
        out.push_back(r.key);
    }
    return out;
}

} // namespace

TEST(AArray, InsertDeleteKeepOrder) {
    AArray a;
    a.IArrayWithSlotAndBlock(sizeof(Rec), 256, 64);
    EXPECT_EQ(a.GetSlotCount(), 256);
    Rec r{10, 0};
    EXPECT_EQ(a.InsertAtIndex(a.GetCount() + 1, &r), 1);
    r.key = 30;
    a.AppendItem(&r);
    r.key = 20;
    EXPECT_EQ(a.InsertAtIndex(2, &r), 2);
    r.key = 40;
    EXPECT_EQ(a.InsertAtIndex(99, &r), 4); // past the end appends
    EXPECT_EQ(Keys(a), (std::vector<SInt32>{10, 20, 30, 40}));
    EXPECT_TRUE(a.DeleteItem(1));
    EXPECT_FALSE(a.DeleteItem(0));
    EXPECT_FALSE(a.DeleteItem(4));
    EXPECT_EQ(Keys(a), (std::vector<SInt32>{20, 30, 40}));
    EXPECT_EQ(a.GetItemPtr(4), nullptr);
    Rec out{};
    EXPECT_FALSE(a.GetItem(0, &out));
}

TEST(AArray, GrowsPastSlotsAndInsertsItsOwnItem) {
    AArray a;
    a.IArrayWithSlotAndBlock(sizeof(Rec), 2, 1);
    for (SInt32 i = 0; i < 1000; ++i) {
        Rec r{i, -i};
        a.AppendItem(&r);
    }
    ASSERT_EQ(a.GetCount(), 1000);
    EXPECT_GE(a.GetSlotCount(), 1000);
    // Inserting an item that lives in the array itself, while the array must grow.
    while (a.GetCount() < a.GetSlotCount()) {
        Rec r{a.GetCount(), 0};
        a.AppendItem(&r);
    }
    SInt32 n = a.GetCount();
    Rec last{};
    a.GetItem(n, &last);
    a.InsertAtIndex(1, a.GetItemPtr(n));
    Rec first{};
    a.GetItem(1, &first);
    EXPECT_EQ(first.key, last.key);
    EXPECT_EQ(a.GetCount(), n + 1);
}

TEST(AArray, SearchFindsFirstMatch) {
    AArray a(sizeof(Rec));
    for (SInt32 k : {5, 7, 5}) {
        Rec r{k, k * 2};
        a.AppendItem(&r);
    }
    Rec want{5, 10};
    EXPECT_EQ(a.Search(&want), 1); // bytewise
    want.tag = 99;
    EXPECT_EQ(a.Search(&want), 0);
    EXPECT_EQ(a.Search(&want, CompareKey), 1);
    want.key = 8;
    EXPECT_EQ(a.Search(&want, CompareKey), 0);
}

TEST(AArray, BinarySearchDuplicatesAndEnds) {
    AArray a(sizeof(Rec));
    SInt32 insertAt = -1;
    Rec probe{1, 0};
    EXPECT_EQ(a.BinarySearchItem(&probe, CompareKey, &insertAt), 0); // empty
    EXPECT_EQ(insertAt, 1);
    for (SInt32 k : {2, 4, 4, 4, 6, 8, 8}) {
        Rec r{k, 0};
        a.AppendItem(&r);
    }
    struct Case {
        SInt32 key, found, insertAt;
    };
    for (Case c : {Case{2, 1, 1}, Case{4, 2, 2}, Case{8, 6, 6}, Case{6, 5, 5}, Case{1, 0, 1},
                   Case{3, 0, 2}, Case{5, 0, 5}, Case{9, 0, 8}}) {
        probe.key = c.key;
        EXPECT_EQ(a.BinarySearchItem(&probe, CompareKey, &insertAt), c.found) << c.key;
        EXPECT_EQ(insertAt, c.insertAt) << c.key;
    }
    // Every prefix length, to catch off-by-one at both ends.
    for (SInt32 n = 1; n <= 40; ++n) {
        AArray b(sizeof(Rec));
        for (SInt32 i = 1; i <= n; ++i) {
            Rec r{i * 2, 0};
            b.AppendItem(&r);
        }
        for (SInt32 i = 1; i <= n; ++i) {
            probe.key = i * 2;
            ASSERT_EQ(b.BinarySearchItem(&probe, CompareKey), i);
            probe.key = i * 2 + 1;
            ASSERT_EQ(b.BinarySearchItem(&probe, CompareKey, &insertAt), 0);
            ASSERT_EQ(insertAt, i + 1);
        }
    }
}

namespace {
int CompareInts(const void* a, const void* b) {
    int x = *static_cast<const int*>(a), y = *static_cast<const int*>(b);
    return x < y ? -1 : (x > y ? 1 : 0);
}
struct Wide {
    UInt32 key;
    char payload[92]; // larger than the swap buffer
};
} // namespace

TEST(rqsort, MatchesStdSortOnRandomData) {
    std::mt19937 rng(1234);
    for (int round = 0; round < 60; ++round) {
        size_t n = rng() % 3000;
        int range = (round % 3 == 0) ? 4 : 1000000; // many duplicates, or few
        std::vector<int> v(n);
        for (int& x : v)
            x = int(rng() % unsigned(range));
        if (round % 5 == 1) std::sort(v.begin(), v.end());                   // sorted
        if (round % 5 == 2) std::sort(v.begin(), v.end(), std::greater<>()); // reversed
        std::vector<int> want = v;
        std::sort(want.begin(), want.end());
        rqsort(v.data(), v.size(), sizeof(int), CompareInts);
        ASSERT_EQ(v, want) << "round " << round;
    }
}

TEST(rqsort, WideItemsMoveWhole) {
    std::mt19937 rng(99);
    std::vector<Wide> v(500);
    for (Wide& w : v) {
        w.key = rng() % 50;
        std::memset(w.payload, int(w.key), sizeof w.payload);
    }
    int calls = 0;
    rqsort(
        v.data(), v.size(), sizeof(Wide),
        [](const void* a, const void* b, void* refcon) {
            ++*static_cast<int*>(refcon);
            UInt32 x = static_cast<const Wide*>(a)->key, y = static_cast<const Wide*>(b)->key;
            return x < y ? -1 : (x > y ? 1 : 0);
        },
        &calls);
    EXPECT_GT(calls, 0);
    for (size_t i = 0; i < v.size(); ++i) {
        if (i) {
            ASSERT_LE(v[i - 1].key, v[i].key);
        }
        for (char c : v[i].payload)
            ASSERT_EQ(c, char(v[i].key));
    }
}

TEST(rqsort, AllEqualStaysNearNLogN) {
    std::vector<int> v(100000, 7);
    static long calls;
    calls = 0;
    rqsort(v.data(), v.size(), sizeof(int), [](const void* a, const void* b) {
        ++calls;
        return CompareInts(a, b);
    });
    EXPECT_LT(calls, 100000L * 17 * 3); // quadratic would be 5e9
}
