// ATableScape::Sort: a stable, hierarchy-aware sort by one column.
//
// Each row's text is taken once per sort (not once per comparison) into one
// block of keys. Rows at different levels are walked up to siblings, an
// ancestor sorting before its own descendants; siblings compare by the
// column's order, negated for a descending sort, and equal ones keep their
// previous order. Editing ends before the list is touched, so nothing runs
// against an empty list.
#include "ATableScape.h"

#include "AColumn.h"
#include "ARow.h"
#include "CKsList.h"
#include "KsSort.h"

#include <cstring>
#include <vector>

namespace {

struct SortEntry {
    UInt64 prefix; // the key's first 8 bytes, big-endian, for byte order
    SInt32 pos;    // 0-based position before the sort
};

struct SortContext {
    std::vector<ARow*> rows; // by previous position
    std::vector<UInt32> keyAt;
    std::vector<char> keys;
    AColumn* column;
    bool descending;
    bool bytes;
    bool flat;

    const char* Key(SInt32 pos) const { return keys.data() + keyAt[size_t(pos)]; }
};

UInt64 Prefix(const char* s) {
    UInt64 p = 0;
    int i = 0;
    for (; i < 8 && s[i]; ++i)
        p = p << 8 | (unsigned char)s[i];
    return p << (8 * (8 - i));
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

int CompareEntries(const void* x, const void* y, void* refcon) {
    const auto& c = *static_cast<const SortContext*>(refcon);
    const auto* a = static_cast<const SortEntry*>(x);
    const auto* b = static_cast<const SortEntry*>(y);
    if (!c.flat) return CompareHierarchy(c, a->pos, b->pos);
    if (c.bytes) {
        int d = 0;
        if (a->prefix != b->prefix)
            d = a->prefix < b->prefix ? -1 : 1;
        else if ((a->prefix & 0xFF) != 0) // both run past the prefix
            d = std::strcmp(c.Key(a->pos) + 8, c.Key(b->pos) + 8);
        if (c.descending) d = -d;
        if (d != 0) return d;
        return a->pos < b->pos ? -1 : 1;
    }
    return CompareSiblings(c, a->pos, b->pos);
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
    c.bytes = column->GetOrder() == AColumnOrder::bytes;
    c.flat = true;
    c.rows.reserve(size_t(n));
    c.keyAt.reserve(size_t(n));
    c.keys.reserve(size_t(n) * 16);
    std::vector<SortEntry> entries(static_cast<size_t>(n));
    char buf[AColumn::kTextBytes];
    for (SInt32 i = 0; i < n; ++i) {
        ARow* r = iRows->AtAs<ARow>(i + 1);
        if (r->GetParent()) c.flat = false;
        c.rows.push_back(r);
        const SInt32 len = column->GetText(r, buf, sizeof buf);
        c.keyAt.push_back(UInt32(c.keys.size()));
        c.keys.insert(c.keys.end(), buf, buf + len + 1);
        entries[size_t(i)] = {Prefix(buf), i};
    }
    rqsort(entries.data(), entries.size(), sizeof(SortEntry), CompareEntries, &c);

    iRows->RemoveAll();
    iRows->Reserve(n);
    for (const SortEntry& e : entries) {
        ARow* r = c.rows[size_t(e.pos)];
        iRows->Append(r);
        // A parent comes before its children: its list is rebuilt in order.
        if (!r->SubRows().empty() && r->GetIsExpanded()) r->Subs().clear();
        if (ARow* p = r->GetParent(); p && p->GetIsExpanded()) p->Subs().push_back(r);
    }
    iDirtyFrom = 0;
    iFindFrom = 1;
    UpdateLayout();
    HideOutsideRowPanes();
    InvalAllRows();
}
