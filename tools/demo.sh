#!/usr/bin/env bash
# Installs what is missing, builds, creates the demo installation of the game in
# build/demo/Tidewater and opens it: in the viewer when it is built, else by listing the
# demo archives with zpk.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$top/build}
bash "$top/tools/install-deps.sh"
bash "$top/tools/build.sh"
demo=$("$build/tools/make_demo" "$build/demo")
echo "Demo installation: $demo"
viewer="$build/src/app/tidewater-zpk-viewer"
if [ -x "$viewer" ]; then
  exec "$viewer" --install-path "$demo"
fi
for archive in "$demo"/*.zpk; do
  echo "== $archive"
  "$build/src/cli/zpk" list "$archive" || true
done
