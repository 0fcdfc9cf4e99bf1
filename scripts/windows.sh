#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The Windows build of the core and lumora-cli, cross-compiled with Debian's
# MinGW-w64 and tested under Wine. The window needs Qt for Windows, which
# Debian does not ship, so this build leaves it out (LUMORA_GUI=OFF).
#
#   scripts/windows.sh build   builds build-windows/cli/lumora-cli.exe with the
#                              "windows" preset (make windows)
#   scripts/windows.sh test    builds, then runs the core tests, the
#                              command-line tests and the golden command
#                              lines under Wine (part of make test)
#
#   JOBS                parallel jobs (default: number of cores)
set -euo pipefail

cd "$(dirname "$0")/.."
mode=${1:-build}
build_dir=build-windows
jobs=${JOBS:-$(nproc 2>/dev/null || echo 2)}

case "$mode" in
  build | test) ;;
  *) echo "usage: $0 [build|test]" >&2; exit 2 ;;
esac

cmake --preset windows
cmake --build --preset windows -j "$jobs"
echo "windows: $build_dir/cli/lumora-cli.exe"
[ "$mode" = test ] || exit 0

# A Wine of its own in the build directory (the test preset names it), quiet,
# without the .NET and browser installers it would otherwise offer; made once,
# before the tests run side by side.
export WINEPREFIX=$PWD/$build_dir/wine
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
wine=$(command -v wine64 || command -v wine || echo /usr/lib/wine/wine64)
if [ ! -d "$WINEPREFIX" ]; then
  "$wine" wineboot --init >/dev/null 2>&1 || true
fi
status=0
ctest --preset windows -j "$jobs" || status=$?
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver64)
"$wineserver" -k 2>/dev/null || true
exit "$status"
