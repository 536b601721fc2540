#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs each briefly (KS_FUZZ_SECONDS,
# 0 to only build them); then builds everything with AddressSanitizer and
# UndefinedBehaviorSanitizer and runs every test through CTest, ending with
# CTest's summary.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
"$top/scripts/deps.sh"
# The fuzz targets, built by clang as the fuzz command builds them (clang
# warns where g++ does not), each run for a few seconds from a fixed seed so
# that a run can be repeated.
KS_FUZZ_SEED="${KS_FUZZ_SEED:-1}" "$top/scripts/fuzz.sh" "${KS_FUZZ_SECONDS:-2}"
cmake -S "$top" -B "$top/build/test" -DCMAKE_BUILD_TYPE=Debug -DKS_SANITIZE=ON -DKS_BUILD_TESTS=ON "${launcher[@]}" >/dev/null
cmake --build "$top/build/test" -j "$jobs"
cd "$top/build/test"
# The end-to-end tests want a real X display: without one, start a private Xvfb
# for this run. Every other test chooses the headless back end itself.
if [ -z "${DISPLAY:-}" ] && command -v Xvfb >/dev/null 2>&1; then
  for n in $(seq 90 120); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || { display=":$n"; break; }
  done
  if [ -n "${display:-}" ]; then
    Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    trap 'kill $xvfb_pid 2>/dev/null || true' EXIT
    for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X${display#:}" ] && break; sleep 0.1; done
    export DISPLAY="$display"
  fi
fi
export LSAN_OPTIONS="suppressions=$top/tests/lsan.supp:print_suppressions=0"
ctest --output-on-failure -j "$jobs" "$@"
