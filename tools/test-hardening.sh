#!/usr/bin/env bash
# The slow second test command, after tools/test.sh (CI runs both):
#   1. the whole test suite again, built with AddressSanitizer and UndefinedBehaviorSanitizer
#      (g++, ./build-asan), every finding fatal;
#   2. every libFuzzer target for FUZZ_SECONDS (default 30 here; tools/fuzz.sh alone runs
#      60) on its corpus (tools/fuzz.sh, clang, ./build-fuzz).
# About 15 minutes on two cores, most of it building.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
asan=${ASAN_BUILD_DIR:-$top/build-asan}

echo "== sanitizer build of the test suite in $asan"
cmake -S "$top" -B "$asan" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZPK_SANITIZE=ON \
  -DZPK_BUILD_BENCH=OFF >/dev/null
cmake --build "$asan" -j"$(nproc)"
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
# Leaks are findings, except the few that Qt and fontconfig keep on purpose until the
# process ends (each is explained in tools/lsan.supp).
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1:detect_stack_use_after_return=1:check_initialization_order=1
export LSAN_OPTIONS=suppressions=$top/tools/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
(cd "$asan" && ctest --output-on-failure -j"$(nproc)")

export FUZZ_SECONDS=${FUZZ_SECONDS:-30}
echo "== fuzz targets, ${FUZZ_SECONDS}s each"
env -u ASAN_OPTIONS -u LSAN_OPTIONS -u UBSAN_OPTIONS bash "$top/tools/fuzz.sh"
