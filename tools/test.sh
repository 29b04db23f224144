#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite; then the sanitizer build
# of the suite and the fuzz targets (tools/test-hardening.sh). QUICK=1 stops after the
# normal suite.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
bash "$top/tools/install-deps.sh"
bash "$top/tools/build.sh"
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
(cd "${BUILD_DIR:-$top/build}" && ctest --output-on-failure -j"$(nproc)")
if [ -z "${QUICK:-}" ]; then
  bash "$top/tools/test-hardening.sh"
fi
