// Heap allocations made by this program so far, for the tests and benchmarks
// that show a path allocates nothing: read the count, run the path, compare.
//
// Under the address sanitizer the count comes from its allocator's hooks and
// takes in malloc as well as operator new (the C libraries below the toolbox
// allocate with malloc); the hooks are installed by the first call, which
// answers 0. Otherwise the program's operator new and delete are replaced by
// counting ones.
#pragma once

long AllocationsSoFar();
