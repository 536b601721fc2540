#!/usr/bin/env bash
# Real coverage-guided fuzzing with clang's libFuzzer.
# Usage: scripts/fuzz.sh [seconds-per-target] [target ...]
# New inputs are kept in build/fuzz/found/<target>; crash inputs are written to
# build/fuzz/crashes/. Copy a crash input into tests/fuzz/corpus/<target>/ and it
# becomes a regression test of the normal test run.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
"$top/scripts/deps.sh"
if ! command -v clang++ >/dev/null 2>&1 || ! dpkg-query -W libclang-rt-14-dev >/dev/null 2>&1; then
  sudo=""; [ "$(id -u)" -ne 0 ] && sudo="sudo"
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq clang libclang-rt-14-dev
fi
seconds="${1:-60}"; shift || true
cmake -S "$top" -B "$top/build/fuzz" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKS_FUZZ=ON \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ "${launcher[@]}" >/dev/null
cmake --build "$top/build/fuzz" -j "$jobs"
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for f in "$top"/tests/fuzz/fuzz_*.cpp; do targets+=("$(basename "$f" .cpp)"); done
fi
mkdir -p "$top/build/fuzz/crashes"
for t in "${targets[@]}"; do
  found="$top/build/fuzz/found/$t"; mkdir -p "$found"
  echo "== $t for ${seconds}s"
  "$top/build/fuzz/tests/fuzz/$t" -max_total_time="$seconds" -max_len=4096 \
    -artifact_prefix="$top/build/fuzz/crashes/$t-" "$found" "$top/tests/fuzz/corpus/$t"
done
