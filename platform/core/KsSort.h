// rqsort: the core services' in-place sort of fixed-size items.
//
// Same contract as the C library's qsort: `count` items of `size` bytes at
// `base`, ordered by `compare` (<0, 0, >0). It is an introspective quicksort:
// median-of-three partitions, insertion sort for short runs, and a heap sort
// once partitioning goes badly, so already sorted, reversed or all-equal input
// stays O(n log n) and the recursion depth stays O(log n). It does not allocate
// and is not stable: callers that need equal items to keep their order number
// them and break ties on that number (the table does so when it sorts rows).
#pragma once

#include <cstddef>

void rqsort(void* base, std::size_t count, std::size_t size,
            int (*compare)(const void* a, const void* b));
// With a context handed to every comparison.
void rqsort(void* base, std::size_t count, std::size_t size,
            int (*compare)(const void* a, const void* b, void* refcon), void* refcon);
