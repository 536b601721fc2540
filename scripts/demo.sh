#!/usr/bin/env bash
# Builds the libraries and the demo host in Release and runs the demo.
# With a display it opens its window; without one it runs headless.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
"$top/scripts/deps.sh"
cmake -S "$top" -B "$top/build/release" -DCMAKE_BUILD_TYPE=Release -DKS_BUILD_TESTS=OFF "${launcher[@]}" >/dev/null
cmake --build "$top/build/release" -j "$jobs" --target ksdemo
cd "$top"
exec "$top/build/release/demo/ksdemo" "$@"
