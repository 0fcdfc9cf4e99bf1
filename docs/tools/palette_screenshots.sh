#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Takes docs/main-dark.png and docs/main-high-contrast.png: the main window on
# a dark and on a high-contrast desktop palette, cropped to its client area.
# Run it inside an X session with a window manager (DISPLAY set), with the
# preview built:
#   cmake -S . -B build -DLUMORA_DOC_TOOLS=ON && cmake --build build --target lumora_palette_preview
#   bash docs/tools/palette_screenshots.sh build/docs/tools/lumora_palette_preview
# Needs xdotool, x11-utils and imagemagick.
set -euo pipefail

preview=${1:?usage: palette_screenshots.sh PATH/TO/lumora_palette_preview}
docs=$(cd "$(dirname "$0")/.." && pwd)
shot=$(mktemp --suffix=.png)
trap 'rm -f "$shot"' EXIT

for scheme in dark high-contrast; do
  "$preview" "$scheme" & pid=$!
  id=$(xdotool search --sync --onlyvisible --name '^Lumora ' | head -n1)
  sleep 1 # the first frame is painted
  eval "$(xwininfo -id "$id" | awk '/Absolute upper-left X/{print "x="$4} /Absolute upper-left Y/{print "y="$4}
                                   / Width:/{print "w="$2} / Height:/{print "h="$2}')"
  import -window root "$shot"
  convert "$shot" -crop "${w}x${h}+${x}+${y}" +repage "$docs/main-$scheme.png"
  kill "$pid"
  wait "$pid" 2>/dev/null || true
done
