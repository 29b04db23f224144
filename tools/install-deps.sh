#!/usr/bin/env bash
# Installs every package the build, the tests and the benchmarks need, from Debian's
# archive. Safe to run again: packages already there are left as they are.
set -euo pipefail

packages=(
  cmake g++ ninja-build pkg-config
  qt6-base-dev libgl-dev
  libgtest-dev libgmock-dev
  libcli11-dev nlohmann-json3-dev
  libyaml-cpp-dev
  zlib1g-dev libz-mingw-w64-dev
  xvfb xauth xdotool xdg-utils fonts-dejavu-core
  clang libclang-rt-14-dev lcov
  clang-16 libclang-rt-16-dev
  g++-mingw-w64-x86-64-posix googletest wine wine64
  tar
  scdoc desktop-file-utils appstream shared-mime-info man-db dpkg-dev file
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
