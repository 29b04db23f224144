#!/usr/bin/env bash
# Cross-builds the parts that need no Qt (the archive core, zpk, the Win32 layer below the
# window's registry reader and launcher, and their tests) for 64-bit Windows with MinGW-w64,
# statically linked, runs the tests under wine64 in a throw-away Wine prefix, and compares
# zpk.exe's extraction of the demo archives with the Linux zpk's. Builds into build-win/ (or
# $WIN_BUILD_DIR); GoogleTest is built for Windows from Debian's source package once, into
# build-win/googletest.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${WIN_BUILD_DIR:-$top/build-win}
toolchain=$top/cmake/mingw-w64-x86_64.cmake
start=$SECONDS

bash "$top/tools/install-deps.sh"
wine=$(command -v wine64 || command -v wine || true)
[ -n "$wine" ] || wine=/usr/lib/wine/wine64

# The test programs and what they start as child processes.
targets=(util_tests archive_tests make_demo cli_tests zpk win32_tests win32_child)
tests=(tests/util/util_tests.exe tests/archive/archive_tests.exe tests/cli/cli_tests.exe
  tests/win32/win32_tests.exe)

gtest=$build/googletest
if [ ! -f "$gtest/install/lib/cmake/GTest/GTestConfig.cmake" ]; then
  cmake -S /usr/src/googletest -B "$gtest" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release -DBUILD_GMOCK=OFF -DCMAKE_INSTALL_PREFIX="$gtest/install" \
    "$@" >/dev/null
  cmake --build "$gtest" -j"$(nproc)"
  cmake --install "$gtest" >/dev/null
fi

# CLI11 and nlohmann-json are headers only: their Debian packages serve as they are, from a
# folder of their own so that the Linux system headers beside them stay out of the build.
hdr=$build/header-only
mkdir -p "$hdr/include" "$hdr/share/cmake"
for dir in /usr/include/CLI /usr/include/nlohmann /usr/share/cmake/CLI11 /usr/share/cmake/nlohmann_json; do
  ln -sfn "$dir" "$hdr${dir#/usr}"
done

# Tests are listed by running the programs below, not at build time (no Wine there).
cmake -S "$top" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
  -DCMAKE_BUILD_TYPE=Release -DZPK_BUILD_GUI=OFF -DZPK_BUILD_BENCH=OFF \
  -DCMAKE_FIND_ROOT_PATH="$gtest/install;$hdr" \
  -DCMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE=PRE_TEST "$@" >/dev/null
cmake --build "$build" -j"$(nproc)" --target "${targets[@]}"

WINEPREFIX=$(mktemp -d /tmp/zpk-wine.XXXXXX)
export WINEPREFIX WINEDEBUG=${WINEDEBUG:--all}
cleanup() {
  wineserver -k 2>/dev/null || true
  rm -rf "$WINEPREFIX"
}
trap cleanup EXIT
echo "== Windows tests under $("$wine" --version) in a fresh prefix"
"$wine" wineboot -i >/dev/null 2>&1 || true

passed=0
failed=0
for t in "${tests[@]}"; do
  log=$(mktemp)
  if (cd "$build" && "$wine" "$t") >"$log" 2>&1; then
    n=$(grep -Eo '^\[  PASSED  \] [0-9]+' "$log" | grep -Eo '[0-9]+$' || echo 0)
    passed=$((passed + n))
    echo "   $t: $n passed"
  else
    cat "$log"
    failed=$((failed + 1))
    echo "   $t: FAILED"
  fi
  rm -f "$log"
done
# zpk.exe under Wine must write what the Linux zpk writes: every demo archive extracted by
# both (the same exit status, the same files, byte for byte). The Linux zpk and the demo
# maker are built without the window into a folder of their own.
native=$build/native
cmake -S "$top" -B "$native" -G Ninja -DCMAKE_BUILD_TYPE=Release -DZPK_BUILD_GUI=OFF \
  -DZPK_BUILD_TESTS=OFF -DZPK_BUILD_BENCH=OFF >/dev/null
cmake --build "$native" -j"$(nproc)" --target zpk make_demo >/dev/null
work=$(mktemp -d /tmp/zpk-demo-compare.XXXXXX)
trap 'cleanup; rm -rf "$work"' EXIT
"$native/tools/make_demo" "$work" >/dev/null
archives=0
for archive in "$work"/Tidewater/*.zpk; do
  name=$(basename "$archive" .zpk)
  set +e
  "$native/src/cli/zpk" extract -q -C "$work/linux/$name" "$archive" 2>/dev/null
  linux_status=$?
  # Windows paths for zpk.exe: it takes "/..." for a Windows-style option.
  "$wine" "$build/src/cli/zpk.exe" extract -q -C "$("$wine" winepath -w "$work/windows/$name")" \
    "$("$wine" winepath -w "$archive")" 2>/dev/null
  windows_status=$?
  set -e
  if [ "$linux_status" -ne "$windows_status" ]; then
    echo "   demo $name.zpk: zpk exits $linux_status on Linux, $windows_status under Wine"
    failed=$((failed + 1))
  fi
  archives=$((archives + 1))
done
if diff -r "$work/linux" "$work/windows"; then
  echo "   demo archives: $archives extracted alike by zpk and zpk.exe ($(find "$work/linux" -type f | wc -l) files)"
else
  echo "   demo archives: zpk.exe wrote other files than zpk (diff above)"
  failed=$((failed + 1))
fi

echo "== Windows tests: $passed passed under Wine, $failed failed ($((SECONDS - start)) s)"
[ "$failed" -eq 0 ]
