// ATableScape::Sort: a stable, hierarchy-aware sort by one column.
//
// Each row's text is taken once per sort (not once per comparison) in one
// pass over the rows in display order, into one block of keys. Rows at
// different levels are walked up to siblings, an ancestor sorting before its
// own descendants; siblings compare by the column's order, negated for a
// descending sort, and equal ones keep their previous order (the previous
// position breaks ties, which makes every order total and the sort stable).
// Editing ends before the list is touched, so nothing runs against an empty
// list.
//
// A flat table in byte order, the common large case, radix-sorts 16-byte
// entries whose 12 key bytes decide almost every order without touching the
// rows or the key block, and writes the list, the positions and the running
// tops back in one pass.
#include "ATableScape.h"

#include "AColumn.h"
#include "ARow.h"
#include "CKsList.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

namespace {

// Byte order: the key's first 8 bytes big-endian in hi, the next 4 in the
// top of lo above the 0-based previous position.
struct ByteEntry {
    UInt64 hi;
    UInt64 lo;
    SInt32 Pos() const { return SInt32(UInt32(lo)); }
};

struct SortContext {
    std::vector<ARow*> rows; // by previous position
    std::vector<UInt32> keyAt;
    std::vector<char> keys;
    AColumn* column = nullptr;
    bool descending = false;

    const char* Key(SInt32 pos) const { return keys.data() + keyAt[size_t(pos)]; }
};

UInt64 BigEndian(const char* s, int bytes) {
    UInt64 v = 0;
    for (int i = 0; i < bytes; ++i)
        v = v << 8 | (unsigned char)s[i];
    return v;
}

// key12 holds at least 12 bytes, zero past the key's end.
ByteEntry MakeByteEntry(const char* key12, SInt32 pos) {
    return {BigEndian(key12, 8), BigEndian(key12 + 8, 4) << 32 | UInt32(pos)};
}

int CompareSiblings(const SortContext& c, SInt32 a, SInt32 b) {
    int d = c.column->CompareTexts(c.Key(a), c.Key(b));
    if (c.descending) d = -d;
    if (d != 0) return d;
    return a < b ? -1 : (a > b ? 1 : 0);
}

int CompareHierarchy(const SortContext& c, SInt32 a, SInt32 b) {
    const ARow* ra = c.rows[size_t(a)];
    const ARow* rb = c.rows[size_t(b)];
    SInt32 la = ra->GetIndentLevel(), lb = rb->GetIndentLevel();
    while (la > lb) {
        ra = ra->GetParent();
        --la;
    }
    while (lb > la) {
        rb = rb->GetParent();
        --lb;
    }
    // One was the other's ancestor: the ancestor comes first.
    if (ra == rb)
        return c.rows[size_t(a)]->GetIndentLevel() < c.rows[size_t(b)]->GetIndentLevel() ? -1 : 1;
    while (ra->GetParent() != rb->GetParent()) {
        ra = ra->GetParent();
        rb = rb->GetParent();
    }
    return CompareSiblings(c, ra->GetPosition() - 1, rb->GetPosition() - 1);
}

// Strictly before, in byte order; the key block only when both keys run
// past the 12 bytes the entries hold and agree on them.
struct ByteLess {
    const SortContext* c;
    bool operator()(const ByteEntry& a, const ByteEntry& b) const {
        int d = 0;
        if (a.hi != b.hi) {
            d = a.hi < b.hi ? -1 : 1;
        } else if ((a.lo >> 32) != (b.lo >> 32)) {
            d = (a.lo >> 32) < (b.lo >> 32) ? -1 : 1;
        } else if ((a.lo >> 32 & 0xFF) != 0) {
            d = std::strcmp(c->Key(a.Pos()) + 12, c->Key(b.Pos()) + 12);
            d = d < 0 ? -1 : (d > 0 ? 1 : 0);
        }
        if (c->descending) d = -d;
        return d != 0 ? d < 0 : a.Pos() < b.Pos();
    }
};

// Key byte d of an entry, counting from the 12th (d = 0) to the first.
unsigned Digit(const ByteEntry& e, int d) {
    return d < 4 ? unsigned(e.lo >> (32 + 8 * d)) & 0xFF : unsigned(e.hi >> (8 * (d - 4))) & 0xFF;
}

constexpr UInt64 kKeyBits = 0xFFFFFFFF00000000ULL;

void Complement(std::vector<ByteEntry>& entries) {
    for (ByteEntry& e : entries) {
        e.hi = ~e.hi;
        e.lo ^= kKeyBits;
    }
}

// A stable least-significant-digit radix sort on the 12 key bytes, passing
// over bytes every key shares; entries start in position order, so equal
// keys stay in it. Descending sorts the complemented bytes. Keys that agree
// on all 12 bytes and run past them are then put in order among themselves.
void RadixSort(std::vector<ByteEntry>& entries, const SortContext& c) {
    const size_t n = entries.size();
    if (c.descending) Complement(entries);
    std::vector<std::array<UInt32, 256>> counts(12);
    for (const ByteEntry& e : entries)
        for (int d = 0; d < 12; ++d)
            ++counts[size_t(d)][Digit(e, d)];
    std::vector<ByteEntry> spare(n);
    for (int d = 0; d < 12; ++d) {
        std::array<UInt32, 256>& at = counts[size_t(d)];
        if (at[Digit(entries[0], d)] == n) continue;
        UInt32 sum = 0;
        for (UInt32& k : at) {
            const UInt32 here = k;
            k = sum;
            sum += here;
        }
        for (const ByteEntry& e : entries)
            spare[at[Digit(e, d)]++] = e;
        entries.swap(spare);
    }
    if (c.descending) Complement(entries);
    for (size_t i = 0; i < n;) {
        size_t j = i + 1;
        while (j < n && entries[j].hi == entries[i].hi &&
               (entries[j].lo & kKeyBits) == (entries[i].lo & kKeyBits))
            ++j;
        if (j - i > 1 && (entries[i].lo >> 32 & 0xFF) != 0)
            std::sort(entries.begin() + long(i), entries.begin() + long(j), ByteLess{&c});
        i = j;
    }
}

} // namespace

void ATableScape::Sort(AColumn* column, bool descending) {
    if (!column) return;
    EndEditing();
    const SInt32 n = GetNumRows();
    if (n < 2) return;
    UpdateLayout(); // every row's position is current
    SortContext c;
    c.column = column;
    c.descending = descending;
    const bool bytes = column->GetOrder() == AColumnOrder::bytes;
    bool flat = true;
    c.rows.reserve(size_t(n));
    c.keyAt.reserve(size_t(n));
    c.keys.reserve(size_t(n) * 16);
    std::vector<ByteEntry> entries;
    if (bytes) entries.reserve(size_t(n));
    char buf[AColumn::kTextBytes];
    // After an earlier sort the rows lie scattered in memory: fetch ahead.
    constexpr SInt32 kAhead = 16;
    for (SInt32 i = 0; i < n; ++i) {
        if (i + kAhead < n) __builtin_prefetch(iRows->At(i + 1 + kAhead));
        ARow* r = iRows->AtAs<ARow>(i + 1);
        if (r->GetParent()) flat = false;
        c.rows.push_back(r);
        const SInt32 len = column->GetText(r, buf, sizeof buf);
        if (len < 12) std::memset(buf + len, 0, size_t(12 - len));
        c.keyAt.push_back(UInt32(c.keys.size()));
        c.keys.insert(c.keys.end(), buf, buf + len + 1);
        if (bytes) entries.push_back(MakeByteEntry(buf, i));
    }

    std::vector<SInt32> order(static_cast<size_t>(n));
    if (flat && bytes) {
        RadixSort(entries, c);
        for (SInt32 i = 0; i < n; ++i)
            order[size_t(i)] = entries[size_t(i)].Pos();
    } else {
        for (SInt32 i = 0; i < n; ++i)
            order[size_t(i)] = i;
        if (flat)
            std::sort(order.begin(), order.end(),
                      [&](SInt32 a, SInt32 b) { return CompareSiblings(c, a, b) < 0; });
        else
            std::sort(order.begin(), order.end(),
                      [&](SInt32 a, SInt32 b) { return CompareHierarchy(c, a, b) < 0; });
    }
    std::vector<ByteEntry>().swap(entries);

    if (flat) {
        // The rows in sorted order are scattered in memory too.
        iTops.resize(size_t(n) + 1);
        SInt64 top = 0;
        for (SInt32 i = 0; i < n; ++i) {
            if (i + kAhead < n) __builtin_prefetch(c.rows[size_t(order[size_t(i + kAhead)])], 1);
            ARow* r = c.rows[size_t(order[size_t(i)])];
            iRows->SetAt(i + 1, r);
            r->iPosition = i;
            iTops[size_t(i)] = top;
            top += r->GetHeight();
        }
        iTops[size_t(n)] = top;
        iDirtyFrom = n;
    } else {
        iRows->RemoveAll();
        iRows->Reserve(n);
        for (SInt32 pos : order) {
            ARow* r = c.rows[size_t(pos)];
            iRows->Append(r);
            // A parent comes before its children: its list is rebuilt in order.
            if (!r->SubRows().empty() && r->GetIsExpanded()) r->Subs().clear();
            if (ARow* p = r->GetParent(); p && p->GetIsExpanded()) p->Subs().push_back(r);
        }
        iDirtyFrom = 0;
        UpdateLayout();
    }
    iFindFrom = 1;
    HideOutsideRowPanes();
    InvalAllRows();
}
