#!/usr/bin/env bash
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer and
# runs every test through CTest, ending with CTest's summary.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
"$top/scripts/deps.sh"
cmake -S "$top" -B "$top/build/test" -DCMAKE_BUILD_TYPE=Debug -DKS_SANITIZE=ON -DKS_BUILD_TESTS=ON "${launcher[@]}" >/dev/null
cmake --build "$top/build/test" -j "$jobs"
cd "$top/build/test"
exec ctest --output-on-failure -j "$jobs" "$@"
