#!/usr/bin/env bash
# Checks the installation as a user gets it, from the build in ./build (or $BUILD_DIR):
#   1. `cmake --install` into a scratch root (DESTDIR), every file in its place;
#   2. the .deb built by CPack: its dependencies found by dpkg-shlibdeps, its files the same
#      as those of the install, apt able to install it here (a simulated install);
#   3. the validators on the installed files: desktop-file-validate, appstreamcli,
#      update-mime-database, man -l, the bash completion;
#   4. zpk and the viewer run from the installed tree (the viewer under Xvfb, given an
#      archive, shows it chosen and keeps its notes in the user's data folder);
#   5. with ZPK_INSTALL_DEB=1 (CI, as root, on a throw-away machine) the .deb installed for
#      real with apt, `man zpk` and the menu entry found, and the package removed again.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$top/build}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "!! install check: $*" >&2; exit 1; }
id=org.example.TidewaterZpkViewer
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")

echo "== install into $scratch/root"
DESTDIR="$scratch/root" cmake --install "$build" --prefix /usr >/dev/null
root=$scratch/root/usr
files=(
  bin/tidewater-zpk-viewer bin/zpk
  share/applications/$id.desktop
  share/metainfo/$id.metainfo.xml
  share/mime/packages/tidewater-zpk.xml
  share/icons/hicolor/48x48/apps/tidewater-zpk-viewer.png
  share/icons/hicolor/scalable/apps/tidewater-zpk-viewer.svg
  share/man/man1/zpk.1.gz
  share/bash-completion/completions/zpk
)
for f in "${files[@]}"; do [ -s "$root/$f" ] || fail "missing $f"; done
installed=$(cd "$scratch/root" && find . -type f | sort)
[ "$(wc -l <<<"$installed")" -eq "${#files[@]}" ] || fail "unexpected files installed: $installed"
file "$root/share/icons/hicolor/48x48/apps/tidewater-zpk-viewer.png" | grep -q '48 x 48' ||
  fail "the PNG icon is not 48x48"

echo "== .deb"
rm -f "$build"/tidewater-zpk-viewer_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls "$build"/tidewater-zpk-viewer_"$version"_*.deb)
depends=$(dpkg-deb -f "$deb" Depends)
echo "   $(basename "$deb"): Depends: $depends"
for lib in libc6 libstdc++6 libqt6widgets6; do
  grep -q "$lib" <<<"$depends" || fail "the .deb does not depend on $lib"
done
dpkg-deb -x "$deb" "$scratch/deb"
[ "$(cd "$scratch/deb" && find . -type f | sort)" = "$installed" ] ||
  fail "the .deb holds other files than the install"
apt-get install -s "$deb" >"$scratch/apt.log" 2>&1 || { cat "$scratch/apt.log"; fail "apt can't install $deb"; }

echo "== validators"
desktop-file-validate "$root/share/applications/$id.desktop"
grep -qx 'MimeType=application/x-tidewater-zpk;' "$root/share/applications/$id.desktop" ||
  fail "the desktop entry does not open archives"
appstreamcli validate --no-net "$root/share/metainfo/$id.metainfo.xml"
update-mime-database "$root/share/mime"
grep -qx 'application/x-tidewater-zpk:\*\.zpk' "$root/share/mime/globs" ||
  fail "the archive type's glob is not in the MIME database"
page=$(MANWIDTH=80 man -l "$root/share/man/man1/zpk.1.gz" 2>"$scratch/man.err")
[ ! -s "$scratch/man.err" ] || { cat "$scratch/man.err"; fail "man reports problems with zpk.1"; }
grep -q 'zpk - list, probe, check, extract, create and locate' <<<"$page" || fail "man -l does not render zpk.1"
commands=$("$root/bin/zpk" --help | awk '/^Subcommands:/ {on = 1; next} on && NF {print $1}')
for command in $commands; do
  grep -qE "^       $command( |$)" <<<"$page" || fail "zpk.1 does not describe '$command'"
done
completed=$(bash -c 'source "$1"; COMP_WORDS=(zpk ""); COMP_CWORD=1; _zpk; echo "${COMPREPLY[*]}"' _ \
  "$root/share/bash-completion/completions/zpk")
for command in $commands; do
  grep -qw "$command" <<<"$completed" || fail "the completion does not offer '$command'"
done
# Every long option of every command, in the page and in that command's completion.
for command in $commands; do
  for option in $("$root/bin/zpk" "$command" --help | awk '/^Options:/ {on = 1; next} on && /^  -/ {print $1}' |
    grep -oE -- '--[a-z][a-z-]*' | grep -vx -- --help); do
    grep -qF -- "$option" <<<"$page" || fail "zpk.1 does not describe $command $option"
    offered=$(bash -c 'source "$1"; COMP_WORDS=(zpk "$2" --); COMP_CWORD=2; _zpk; echo "${COMPREPLY[*]}"' _ \
      "$root/share/bash-completion/completions/zpk" "$command")
    grep -qw -- "$option" <<<"$offered" || fail "the completion does not offer $command $option"
  done
done

echo "== programs from the installed tree"
[ "$("$root/bin/zpk" --version)" = "zpk $version" ] || fail "zpk --version"
"$root/bin/zpk" --help >/dev/null || fail "zpk --help"
export QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME=$scratch/config XDG_RUNTIME_DIR=$scratch/runtime
mkdir -m 700 -p "$XDG_RUNTIME_DIR"
[ "$("$root/bin/tidewater-zpk-viewer" --version)" = "tidewater-zpk-viewer $version" ] ||
  fail "tidewater-zpk-viewer --version"
demo=$("$build/tools/make_demo" "$scratch/demo")
# Not the first archive of its folder, so that being chosen is the argument's doing.
archive=$demo/maps.zpk
[ -f "$archive" ] || fail "no demo archive $archive"
if "$root/bin/tidewater-zpk-viewer" "$scratch/none.zpk" 2>/dev/null; then
  fail "the viewer started on an archive that does not exist"
fi
# Under a real X server: the viewer given an archive shows it chosen. A note typed into the
# notes box and "Done" clicked write that archive's notes file, which an installed viewer
# keeps in the user's data folder. The points clicked are those of the window's layout.
export XDG_DATA_HOME=$scratch/data
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
  "$1" "$2" &
  viewer=$!
  for _ in $(seq 50); do
    window=$(xdotool search --onlyvisible --class tidewater-zpk-viewer 2>/dev/null | head -n 1)
    [ -n "$window" ] && break
    sleep 0.2
  done
  [ -n "$window" ] || { echo "no viewer window"; kill "$viewer"; exit 1; }
  sleep 1
  xdotool mousemove --window "$window" 737 126 click 1 sleep 0.3 type "chosen"
  xdotool mousemove --window "$window" 803 473 click 1
  for _ in $(seq 50); do kill -0 "$viewer" 2>/dev/null || exit 0; sleep 0.2; done
  echo "the viewer did not end on Done"; kill "$viewer"; exit 1
' _ "$root/bin/tidewater-zpk-viewer" "$archive" || fail "the viewer under Xvfb"
notes=$XDG_DATA_HOME/tidewater-zpk-viewer/$(basename "$archive").txt
[ "$(cat "$notes" 2>/dev/null)" = $'chosen\r' ] ||
  fail "the viewer did not show $(basename "$archive") chosen (no notes in $notes)"
! grep -rqs InstallPath "$XDG_CONFIG_HOME" ||
  fail "the viewer saved the archive's folder"
if [ -n "${ZPK_INSTALL_DEB:-}" ]; then
  echo "== apt install $(basename "$deb")"
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$deb" >"$scratch/apt.log" 2>&1 ||
    { cat "$scratch/apt.log"; fail "apt can't install $deb"; }
  # Slimmed images tell dpkg to leave manual pages out; there is nothing to find then.
  if ! grep -qs '^path-exclude=/usr/share/man' /etc/dpkg/dpkg.cfg.d/*; then
    man -w zpk >/dev/null || fail "man zpk finds no page"
  fi
  [ -f "/usr/share/applications/$id.desktop" ] || fail "no menu entry after apt install"
  [ "$(tidewater-zpk-viewer --version)" = "tidewater-zpk-viewer $version" ] ||
    fail "the installed viewer does not run"
  [ "$(zpk --version)" = "zpk $version" ] || fail "the installed zpk does not run"
  DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq tidewater-zpk-viewer >/dev/null
fi
echo "== install check: all passed"
