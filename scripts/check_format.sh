#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Fails when a tracked C++ source differs from what clang-format (Debian's,
# with the project's .clang-format) would write. "make test" runs it first.
set -euo pipefail
cd "$(dirname "$0")/.."

formatter=$(command -v clang-format || command -v clang-format-14 || true)
if [ -z "$formatter" ]; then
  echo "check_format: clang-format is not installed (scripts/setup.sh installs it)" >&2
  exit 1
fi

if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  mapfile -t files < <(git ls-files -- '*.cpp' '*.h')
else
  mapfile -t files < <(find app bench calc cli fuzz tests ui -name '*.cpp' -o -name '*.h')
fi

if ! "$formatter" --dry-run --Werror "${files[@]}"; then
  echo "check_format: run 'clang-format -i' on the files above" >&2
  exit 1
fi
echo "check_format: ${#files[@]} files formatted"
