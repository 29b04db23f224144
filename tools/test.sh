#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite; then the Windows compile
# check (tools/check-windows.sh), the sanitizer build of the suite and the fuzz targets
# (tools/test-hardening.sh). QUICK=1 stops after the normal suite.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
bash "$top/tools/install-deps.sh"
bash "$top/tools/build.sh"
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
summary=$(mktemp)
trap 'rm -f "$summary"' EXIT
(cd "${BUILD_DIR:-$top/build}" && ctest --output-on-failure -j"$(nproc)") | tee "$summary"
if [ -z "${QUICK:-}" ]; then
  bash "$top/tools/check-windows.sh"
  bash "$top/tools/test-hardening.sh"
fi
# The normal suite's result once more, as the last line of the run.
echo "== normal test suite:"
grep -E 'tests passed, [0-9]+ tests failed out of' "$summary" | tail -n 1
