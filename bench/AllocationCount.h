// Heap allocations made by this program so far. A program linked with the
// counter replaces the global operator new and delete with counting ones
// (malloc and free stand behind them), so a benchmark can show that a hot
// path allocates nothing.
#pragma once

long BenchAllocations();
