#!/usr/bin/env bash
# Installs what is missing, builds, creates the demo installation of the game in
# build/demo/Tidewater and opens it: in the viewer when it is built, else by listing the
# demo archives with zpk. The viewer runs with a settings folder of its own
# (build/demo/config), so the user's own settings are neither read nor changed.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$top/build}
bash "$top/tools/install-deps.sh"
bash "$top/tools/build.sh"
demo=$("$build/tools/make_demo" "$build/demo")
echo "Demo installation: $demo"
viewer="$build/src/app/tidewater-zpk-viewer"
if [ -x "$viewer" ]; then
  config="$build/demo/config"
  mkdir -p "$config/Quill's Tidewater Tools"
  conf="$config/Quill's Tidewater Tools/Tidewater ZPK Viewer.conf"
  # Only the installation folder is set; viewer choices made in the demo stay in this file.
  if [ -f "$conf" ] && grep -q '^InstallPath=' "$conf"; then
    sed -i "s|^InstallPath=.*|InstallPath=$demo/|" "$conf"
  else
    printf '[General]\nInstallPath=%s/\n' "$demo" >"$conf"
  fi
  XDG_CONFIG_HOME="$config" exec "$viewer"
fi
for archive in "$demo"/*.zpk; do
  echo "== $archive"
  "$build/src/cli/zpk" list "$archive" || true
done
