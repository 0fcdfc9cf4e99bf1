#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Every tracked source file (*.cpp, *.h, CMakeLists.txt, *.cmake, *.sh and
# the Makefile) names its licence in its first lines:
#   // SPDX-License-Identifier: MIT    C++
#   # SPDX-License-Identifier: MIT     CMake, shell, make
#
#   scripts/spdx.sh --check   lists the files without the line; fails if any
#   scripts/spdx.sh --add     puts the line at the top of those files (after
#                             a "#!" line), leaving the others as they are
#
# Exits with 77 (the tests' skip code) outside a git work tree.
set -euo pipefail

# The whole script is one function, read before it runs: --add rewrites this
# file too.
main() {
  cd "$(dirname "$0")/.."
  mode=${1:-}
  case "$mode" in
    --check | --add) ;;
    *) echo "usage: $0 --check | --add" >&2; exit 2 ;;
  esac

  if ! git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    echo "spdx: not a git work tree, nothing to check"
    exit 77
  fi

  licence=MIT
  # How far down the line may stand: under a "#!" line, and one line to spare.
  head_lines=3

  spdx_line() {
    case "$1" in
      *.cpp | *.h) echo "// SPDX-License-Identifier: $licence" ;;
      *) echo "# SPDX-License-Identifier: $licence" ;;
    esac
  }

  missing=()
  while IFS= read -r -d '' file; do
    [ -f "$file" ] || continue # deleted, not yet committed
    line=$(spdx_line "$file")
    if ! head -n "$head_lines" "$file" | grep -qxF "$line"; then
      missing+=("$file")
    fi
  done < <(git ls-files -z -- '*.cpp' '*.h' 'CMakeLists.txt' '*/CMakeLists.txt' '*.cmake' '*.sh' 'Makefile')

  if [ "$mode" = --check ]; then
    if [ ${#missing[@]} -gt 0 ]; then
      echo "spdx: no \"SPDX-License-Identifier: $licence\" line at the top of:" >&2
      printf '  %s\n' "${missing[@]}" >&2
      echo "spdx: ${#missing[@]} files; scripts/spdx.sh --add puts the line in" >&2
      exit 1
    fi
    echo "spdx: every source file names its licence"
    exit 0
  fi

  for file in "${missing[@]}"; do
    line=$(spdx_line "$file")
    scratch=$(mktemp)
    if head -n 1 "$file" | grep -q '^#!'; then
      { head -n 1 "$file"; echo "$line"; tail -n +2 "$file"; } >"$scratch"
    else
      { echo "$line"; cat "$file"; } >"$scratch"
    fi
    cat "$scratch" >"$file" # keeps the file's mode
    rm -f "$scratch"
    echo "spdx: added to $file"
  done
}

main "$@"; exit # on one line, so that bash reads no further
