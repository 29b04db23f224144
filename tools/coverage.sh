#!/usr/bin/env bash
# Line coverage of the format core and the command-line tool by the test suite.
#
#   bash tools/coverage.sh
#
# Builds without the window (-DZPK_COVERAGE=ON -DZPK_BUILD_GUI=OFF) into ./build-cov, runs
# the tests there, and prints the line coverage of src/archive, src/util and src/cli, each
# on its own and per file (lcov/gcov). The report is left in build-cov/coverage.info; for
# pages to browse, run: genhtml build-cov/coverage.info -o build-cov/html
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${COV_BUILD_DIR:-$top/build-cov}

cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DZPK_COVERAGE=ON \
  -DZPK_BUILD_GUI=OFF -DZPK_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" -j"$(nproc)"
lcov --quiet --zerocounters --directory "$build"
(cd "$build" && ctest --output-on-failure -j"$(nproc)")
lcov --quiet --capture --directory "$build" --base-directory "$top" --no-external \
  --output-file "$build/all.info" 2>/dev/null
lcov --quiet --extract "$build/all.info" "$top/src/archive/*" "$top/src/util/*" "$top/src/cli/*" \
  --output-file "$build/coverage.info"

echo
echo "Line coverage by the test suite:"
for layer in archive util cli; do
  if lcov --quiet --extract "$build/all.info" "$top/src/$layer/*" --output-file "$build/$layer.info" \
      2>/dev/null && [ -s "$build/$layer.info" ]; then
    printf '  src/%-8s %s\n' "$layer" \
      "$(lcov --summary "$build/$layer.info" 2>&1 | grep -E '^ *lines' | sed 's/^ *lines\.*: *//')"
  else
    printf '  src/%-8s no code\n' "$layer"
  fi
done
printf '  %-12s %s\n' "together" \
  "$(lcov --summary "$build/coverage.info" 2>&1 | grep -E '^ *lines' | sed 's/^ *lines\.*: *//')"
echo
lcov --list "$build/coverage.info" | sed "s|$top/||"
