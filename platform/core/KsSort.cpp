#include "KsSort.h"

#include <cstdint>
#include <cstring>

namespace {

struct Sorter {
    unsigned char* base;
    std::size_t size;
    int (*compare)(const void*, const void*, void*);
    void* refcon;

    unsigned char* At(std::size_t i) const { return base + i * size; }
    int Compare(std::size_t a, std::size_t b) const { return compare(At(a), At(b), refcon); }

    void Swap(std::size_t a, std::size_t b) const {
        if (a == b) return;
        unsigned char* p = At(a);
        unsigned char* q = At(b);
        unsigned char tmp[64];
        for (std::size_t left = size; left > 0;) {
            std::size_t n = left < sizeof tmp ? left : sizeof tmp;
            std::memcpy(tmp, p, n);
            std::memcpy(p, q, n);
            std::memcpy(q, tmp, n);
            p += n;
            q += n;
            left -= n;
        }
    }

    void InsertionSort(std::size_t lo, std::size_t hi) const { // [lo, hi)
        for (std::size_t i = lo + 1; i < hi; ++i)
            for (std::size_t j = i; j > lo && Compare(j - 1, j) > 0; --j)
                Swap(j - 1, j);
    }

    void SiftDown(std::size_t lo, std::size_t root, std::size_t n) const {
        for (;;) {
            std::size_t child = 2 * root + 1;
            if (child >= n) return;
            if (child + 1 < n && Compare(lo + child, lo + child + 1) < 0) ++child;
            if (Compare(lo + root, lo + child) >= 0) return;
            Swap(lo + root, lo + child);
            root = child;
        }
    }

    void HeapSort(std::size_t lo, std::size_t hi) const {
        std::size_t n = hi - lo;
        for (std::size_t i = n / 2; i-- > 0;)
            SiftDown(lo, i, n);
        for (std::size_t end = n; end-- > 1;) {
            Swap(lo, lo + end);
            SiftDown(lo, 0, end);
        }
    }

    // Sorts [lo, hi). Recurses into the smaller part and loops on the larger,
    // so the stack depth stays logarithmic whatever the input.
    void Sort(std::size_t lo, std::size_t hi, int depthBudget) const {
        while (hi - lo > 16) {
            if (depthBudget-- == 0) {
                HeapSort(lo, hi);
                return;
            }
            std::size_t mid = lo + (hi - lo) / 2;
            std::size_t last = hi - 1;
            // Median of three into lo: lo <= ... keeps the pivot out of the scan.
            if (Compare(mid, lo) < 0) Swap(mid, lo);
            if (Compare(last, lo) < 0) Swap(last, lo);
            if (Compare(last, mid) < 0) Swap(last, mid);
            Swap(lo, mid); // pivot at lo; At(last) >= pivot is a sentinel
            // Hoare partition: equal items stop both scans, which splits runs of
            // equal keys evenly instead of degrading to quadratic time.
            std::size_t i = lo;
            std::size_t j = hi;
            for (;;) {
                do
                    ++i;
                while (Compare(i, lo) < 0);
                do
                    --j;
                while (Compare(lo, j) < 0);
                if (i >= j) break;
                Swap(i, j);
            }
            Swap(lo, j); // pivot into its final place
            if (j - lo < hi - (j + 1)) {
                Sort(lo, j, depthBudget);
                lo = j + 1;
            } else {
                Sort(j + 1, hi, depthBudget);
                hi = j;
            }
        }
        InsertionSort(lo, hi);
    }
};

struct PlainCompare {
    int (*compare)(const void*, const void*);
};
int CallPlain(const void* a, const void* b, void* refcon) {
    return static_cast<PlainCompare*>(refcon)->compare(a, b);
}

} // namespace

void rqsort(void* base, std::size_t count, std::size_t size,
            int (*compare)(const void*, const void*, void*), void* refcon) {
    if (!base || count < 2 || size == 0 || !compare) return;
    int depth = 0;
    for (std::size_t n = count; n > 1; n >>= 1)
        depth += 2;
    Sorter s{static_cast<unsigned char*>(base), size, compare, refcon};
    s.Sort(0, count, depth);
}

void rqsort(void* base, std::size_t count, std::size_t size,
            int (*compare)(const void*, const void*)) {
    if (!compare) return;
    PlainCompare plain{compare};
    rqsort(base, count, size, CallPlain, &plain);
}
