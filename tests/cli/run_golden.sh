#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs lumora-cli on each command line of a golden file and compares what it
# prints, byte for byte, and its exit code with the row's:
#
#   $ resistor --battery 9 --vf 3.5     the arguments, split as a shell splits them
#   > Battery Input Voltage  9 V        a line of standard output (">" alone: an empty one)
#   ! lumora-cli: ...                   a line of standard error
#   = 0                                 the exit code
#
# Lines starting with "#" and empty lines are skipped.
#
#   run_golden.sh ROWS COMMAND [ARGS...]   ROWS is a file of rows; COMMAND ARGS
#                                          the program, e.g. build/cli/lumora-cli,
#                                          or wine64 lumora-cli.exe
set -uo pipefail

rows=$1
shift
program=("$@")
name=$(basename "$rows")
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

count=0
failed=0
arguments=
want_out=
want_err=
want_code=

run_row() {
  local -a args
  eval "args=($arguments)"
  "${program[@]}" "${args[@]}" >"$scratch/out" 2>"$scratch/err"
  local code=$?
  # An emulator (Wine) that could not start the program ends without a
  # word; such a run is tried once more, never one that printed anything.
  if [ -n "${LUMORA_GOLDEN_EMULATED:-}" ] && [ "$code" != "$want_code" ] && [ ! -s "$scratch/out" ] &&
    [ ! -s "$scratch/err" ]; then
    echo "run_golden: $name: no word from \$ $arguments (exit $code); running it again"
    "${program[@]}" "${args[@]}" >"$scratch/out" 2>"$scratch/err"
    code=$?
  fi
  printf '%s' "$want_out" >"$scratch/want_out"
  printf '%s' "$want_err" >"$scratch/want_err"
  count=$((count + 1))
  if [ "$code" != "$want_code" ] || ! cmp -s "$scratch/out" "$scratch/want_out" ||
    ! cmp -s "$scratch/err" "$scratch/want_err"; then
    failed=$((failed + 1))
    echo "FAILED: $name: \$ $arguments (exit $code, expected $want_code)"
    diff -u --label expected --label printed "$scratch/want_out" "$scratch/out"
    diff -u --label expected-stderr --label printed-stderr "$scratch/want_err" "$scratch/err"
  fi
}

while IFS= read -r line || [ -n "$line" ]; do
  case "$line" in
    '$ '*)
      [ -n "$want_code" ] && run_row
      arguments=${line#\$ }
      want_out=
      want_err=
      want_code=
      ;;
    '>') want_out+=$'\n' ;;
    '> '*) want_out+="${line#> }"$'\n' ;;
    '!') want_err+=$'\n' ;;
    '! '*) want_err+="${line#! }"$'\n' ;;
    '= '*) want_code=${line#= } ;;
    '' | '#'*) ;;
    *) echo "run_golden: unreadable line: $line" >&2; exit 2 ;;
  esac
done <"$rows"
[ -n "$want_code" ] && run_row

echo "golden $name: $((count - failed)) of $count command lines as expected"
[ "$failed" -eq 0 ]
