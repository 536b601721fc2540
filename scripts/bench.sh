#!/usr/bin/env bash
# Builds the benchmarks in Release and runs them (all, or those named).
# Usage: scripts/bench.sh [benchmark-program ...] [-- google-benchmark flags]
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
"$top/scripts/deps.sh"
cmake -S "$top" -B "$top/build/bench" -DCMAKE_BUILD_TYPE=Release -DKS_BUILD_TESTS=OFF -DKS_BUILD_BENCH=ON "${launcher[@]}" >/dev/null
cmake --build "$top/build/bench" -j "$jobs"
names=(); flags=()
while [ $# -gt 0 ]; do
  if [ "$1" = "--" ]; then shift; flags=("$@"); break; fi
  names+=("$1"); shift
done
if [ ${#names[@]} -eq 0 ]; then
  for f in "$top"/build/bench/bench/bench_*; do [ -x "$f" ] && names+=("$(basename "$f")"); done
fi
for n in "${names[@]}"; do
  echo "== $n"
  # One core, as the figures in bench/README.md are measured.
  taskset -c 0 "$top/build/bench/bench/$n" --benchmark_repetitions="${KS_BENCH_REPS:-20}" \
    --benchmark_report_aggregates_only=true "${flags[@]}"
done
