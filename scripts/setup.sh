#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs what a fresh Debian or Ubuntu machine lacks to build, test and run
# Lumora. Skips what is already there; uses sudo when not root.
set -euo pipefail

packages=(
  cmake ninja-build g++ make pkg-config
  ngspice librsvg2-bin
  libgtest-dev libbenchmark-dev libcli11-dev
  g++-mingw-w64-x86-64-posix wine64
  qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libgl-dev
  fonts-liberation2 fonts-dejavu-core fonts-dejavu-extra
  locales
  xvfb xauth openbox xdotool x11-utils
  desktop-file-utils appstream dpkg-dev file
  lintian binutils man-db
  clang-14 libclang-rt-14-dev llvm-14 clang-format
  libfmt-dev libfast-float-dev rapidjson-dev
  emscripten zopfli chromium chromium-driver python3-selenium
)
# npm for the web page's test tools; a node from elsewhere may bring its own.
command -v npm >/dev/null 2>&1 || packages+=(npm)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  sudo_cmd=(sudo)
fi

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# A German and a French locale, so the tests can show that numbers read and
# write the same under a user's regional settings.
for loc in de_DE fr_FR; do
  if ! locale -a 2>/dev/null | grep -qi "^${loc}\.utf-\?8$"; then
    "${sudo_cmd[@]}" localedef -i "$loc" -f UTF-8 "${loc}.UTF-8" || echo "note: could not build locale $loc" >&2
  fi
done
