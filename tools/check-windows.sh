#!/usr/bin/env bash
# Compiles (syntax and types only, no linking) every source of the window program and the
# archive core for 64-bit Windows with MinGW-w64, so that the Win32 code paths behind
# `#ifdef _WIN32` are checked on every run even though no Windows Qt is at hand here. The
# Linux Qt headers stand in for the Windows ones; they are the same API. src/cli is left
# out: tools/test-windows.sh builds it for Windows, links it and runs its tests under Wine.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cxx=${WIN_CXX:-x86_64-w64-mingw32-g++-posix}
qt=$(pkg-config --variable=includedir Qt6Core)

cd "$top"
# The version the build hands to the programs (project() in CMakeLists.txt).
version=$(sed -nE "s/^project\(.* VERSION ([0-9.]+).*/\1/p" CMakeLists.txt)
mapfile -t sources < <(git ls-files 'src/*.cpp' | grep -v '^src/cli/')
echo "== Windows compile check: ${#sources[@]} sources with $cxx"
# Qt's qHash(QLocale) declaration trips -Wattributes under MinGW; that is Qt's, not ours.
printf '%s\n' "${sources[@]}" |
  xargs -P "$(nproc)" -I{} "$cxx" -std=c++23 -fsyntax-only -Wall -Wextra -Werror -Wno-attributes \
    -DUNICODE -D_UNICODE -DZPK_VERSION=\"$version\" -Isrc -I"$qt" -I"$qt/QtCore" -I"$qt/QtGui" -I"$qt/QtWidgets" {}
echo "== Windows compile check: all ${#sources[@]} sources compile"
