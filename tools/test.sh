#!/usr/bin/env bash
# The everyday test command: installs what is missing, builds, runs the whole test suite,
# then the Windows compile check (tools/check-windows.sh). A few minutes on two cores.
# The slow hardening run (sanitizers, fuzzing) is tools/test-hardening.sh, run after this
# one by CI. QUICK=1 skips the Windows compile check.
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
fi
# The normal suite's result once more, as the last line of the run.
echo "== normal test suite:"
grep -E 'tests passed, [0-9]+ tests failed out of' "$summary" | tail -n 1
# How much of the C++ is tests (aimed at a quarter to a third).
bash "$top/tools/test-share.sh"
