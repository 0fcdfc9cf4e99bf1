#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Holds every include of the core, and of the window, to the rooms' order
# (calc/CMakeLists.txt draws it): a room includes only itself and the rooms
# below it, and the window only the calculators and what they stand on.
# Prints each include that breaks the order and fails; run as a test.
set -uo pipefail
cd "$(dirname "$0")/.."

# What each place may include of the core, as path prefixes under calc/.
allowed() {
  case "$1" in
    calc/text/*) echo "text/" ;;
    calc/light/*) echo "text/ light/" ;;
    calc/calculators/*) echo "text/ calculators/ light/wiring.h" ;;
    calc/request/*) echo "text/ light/ calculators/ request/" ;;
    calc/reports/*) echo "text/ light/ calculators/ request/ reports/" ;;
    ui/* | app/*) echo "text/ calculators/ light/wiring.h" ;;
    *) echo "text/ light/ calculators/ request/ reports/" ;;
  esac
}

status=0
count=0
while IFS= read -r file; do
  prefixes=$(allowed "$file")
  while IFS= read -r included; do
    count=$((count + 1))
    ok=false
    for prefix in $prefixes; do
      case "$included" in "$prefix"*) ok=true ;; esac
    done
    if [ "$ok" = false ]; then
      echo "check_rooms: $file includes calc/$included, which its room may not"
      status=1
    fi
  done < <(sed -n 's/^#include "calc\/\([^"]*\)".*/\1/p' "$file")
done < <(git ls-files --cached --others --exclude-standard -- '*.cpp' '*.h' 2>/dev/null || find app calc cli ui web tests bench fuzz -name '*.cpp' -o -name '*.h')
echo "check_rooms: $count includes of the core checked"
exit $status
