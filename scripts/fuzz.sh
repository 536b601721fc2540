#!/usr/bin/env bash
# Real coverage-guided fuzzing with clang's libFuzzer.
# Usage: scripts/fuzz.sh [seconds-per-target] [target ...]
# 0 seconds only builds the targets; KS_FUZZ_SEED fixes libFuzzer's seed
# (0, the default, draws one). New inputs are kept in
# build/fuzz/found/<target>; crash inputs are written to build/fuzz/crashes/
# and each run's output to build/fuzz/logs/<target>.log. Copy a crash input
# into tests/fuzz/corpus/<target>/ and it becomes a regression test of the
# normal test run.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
"$top/scripts/deps.sh"
seconds="${1:-60}"
shift || true
out="$top/build/fuzz"
cmake -S "$top" -B "$out" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKS_FUZZ=ON \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ "${launcher[@]}" >/dev/null
cmake --build "$out" -j "$jobs"
[ "$seconds" -gt 0 ] || exit 0

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for f in "$top"/tests/fuzz/fuzz_*.cpp; do targets+=("$(basename "$f" .cpp)"); done
fi
mkdir -p "$out/crashes" "$out/logs" "$out/state"
# As the corpus replay tests run them: headless, state kept in the build.
export KS_BACKEND=headless XDG_STATE_HOME="$out/state"
export LSAN_OPTIONS="suppressions=$top/tests/lsan.supp:print_suppressions=0"
for t in "${targets[@]}"; do
  found="$out/found/$t"
  log="$out/logs/$t.log"
  mkdir -p "$found"
  if ! "$out/tests/fuzz/$t" -max_total_time="$seconds" -max_len=4096 -seed="${KS_FUZZ_SEED:-0}" \
    -artifact_prefix="$out/crashes/$t-" "$found" "$top/tests/fuzz/corpus/$t" >"$log" 2>&1; then
    tail -n 40 "$log"
    echo "== $t FAILED (log: $log)"
    exit 1
  fi
  echo "== $t: $(grep -o 'Done [0-9]* runs in [0-9]* second(s)' "$log" || echo 'done')"
done
