#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Start-up to the first painted frame in CPU instructions, Lumora's main
# window against a bare Qt main window, counted by callgrind: unlike wall
# time the count is the same on every run of the same build, so a change of
# a few per cent shows. Runs on the offscreen platform.
#
#   bench/run_instructions.sh <lumora_startup_probe>
#
# Prints both counts and their ratio; exits with 1 when the ratio is above
# the target (1.5), 0 otherwise, and 77 when valgrind is not installed.
set -euo pipefail

target=1.5
if [ $# -ne 1 ] || [ ! -x "$1" ]; then
  echo "usage: $0 <lumora_startup_probe>" >&2
  exit 2
fi
if ! command -v valgrind >/dev/null; then
  echo "instructions: valgrind is not installed, skipped"
  exit 77
fi
probe=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR=$scratch/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"

count() {
  valgrind --tool=callgrind --callgrind-out-file="$scratch/$1.out" "$probe" "$1" >/dev/null 2>"$scratch/$1.log"
  sed -n 's/^summary: //p' "$scratch/$1.out"
}
lumora=$(count lumora)
bare=$(count bare)
awk -v l="$lumora" -v b="$bare" -v t="$target" 'BEGIN {
  r = l / b
  printf "instructions to the first frame (callgrind, offscreen): lumora %d, bare %d\n", l, b
  printf "  ratio %.3fx (target %.2fx): %s\n", r, t, r <= t ? "met" : "MISSED"
  exit r <= t ? 0 : 1
}'
