#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Fails when a C++ source (tracked, or new and not ignored) differs from what clang-format (Debian's,
# with the project's .clang-format) would write; "make check" and "make test"
# run it first. With --fix it rewrites them instead ("make format").
set -euo pipefail
cd "$(dirname "$0")/.."

formatter=$(command -v clang-format || command -v clang-format-14 || true)
if [ -z "$formatter" ]; then
  echo "check_format: clang-format is not installed (scripts/setup.sh installs it)" >&2
  exit 1
fi

if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  mapfile -t files < <(git ls-files --cached --others --exclude-standard -- '*.cpp' '*.h')
else
  mapfile -t files < <(find app bench calc cli fuzz tests ui -name '*.cpp' -o -name '*.h')
fi

if [ "${1:-}" = --fix ]; then
  "$formatter" -i "${files[@]}"
  echo "check_format: ${#files[@]} files formatted"
  exit 0
fi

if ! "$formatter" --dry-run --Werror "${files[@]}"; then
  echo "check_format: 'make format' rewrites the files above" >&2
  exit 1
fi
echo "check_format: ${#files[@]} files formatted"
