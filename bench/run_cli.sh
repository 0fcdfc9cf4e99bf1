#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# lumora-cli as a script calls it: a whole process from start to exit, for
# one solve and for 10,000-row CSV sweeps, against the targets of 5 ms and
# 50 ms (medians), and for a runtime graph with its SVG picture, against
# 20 ms and a picture under 60 KB; and its start, one solve paired run by
# run with /bin/true, against twice /bin/true's time (the median ratio).
#
#   bench/run_cli.sh [--runs N] <lumora-cli>
#
# Time is counted from just before the process is started (bash's
# EPOCHREALTIME, no extra process) to its end, output sent to /dev/null.
# Exits with 1 when a median misses its target.
set -euo pipefail

runs=25
if [ "${1:-}" = --runs ]; then
  runs=$2
  shift 2
fi
if [ $# -ne 1 ] || [ ! -x "$1" ]; then
  echo "usage: $0 [--runs N] <lumora-cli>" >&2
  exit 2
fi
program=$1

# median_ms <target ms> <label> <args...>: one warm-up, then the runs.
median_ms() {
  local target=$1 label=$2
  shift 2
  if ! "$program" "$@" >/dev/null 2>&1; then
    echo "$label: lumora-cli $* failed" >&2
    return 1
  fi
  local samples=() t0 t1 i
  for ((i = 0; i < runs; i++)); do
    t0=${EPOCHREALTIME/[.,]/}
    "$program" "$@" >/dev/null 2>&1
    t1=${EPOCHREALTIME/[.,]/}
    samples+=($((t1 - t0)))
  done
  printf '%s\n' "${samples[@]}" | sort -n | awk -v label="$label" -v target="$target" -v runs="$runs" '
    { s[NR] = $1 }
    END {
      m = NR % 2 ? s[(NR + 1) / 2] : (s[NR / 2] + s[NR / 2 + 1]) / 2
      printf "%-34s median %7.2f ms (min %.2f, max %.2f; %d runs), target %d ms: %s\n",
        label, m / 1000, s[1] / 1000, s[NR] / 1000, runs, target, m / 1000 <= target ? "met" : "MISSED"
      exit m / 1000 <= target ? 0 : 1
    }'
}

# paired_ratio <most> <label> <args...>: lumora-cli and /bin/true in turn, the
# median of each pair's ratio, so that the machine's drift cancels.
paired_ratio() {
  local most=$1 label=$2
  shift 2
  local ratios=() t0 t1 t2 i
  for ((i = 0; i < runs * 4; i++)); do
    t0=${EPOCHREALTIME/[.,]/}
    "$program" "$@" >/dev/null 2>&1
    t1=${EPOCHREALTIME/[.,]/}
    /bin/true
    t2=${EPOCHREALTIME/[.,]/}
    ratios+=("$(((t1 - t0) * 1000 / (t2 - t1 > 0 ? t2 - t1 : 1)))")
  done
  printf '%s\n' "${ratios[@]}" | sort -n | awk -v label="$label" -v most="$most" '
    { s[NR] = $1 / 1000 }
    END {
      m = NR % 2 ? s[(NR + 1) / 2] : (s[NR / 2] + s[NR / 2 + 1]) / 2
      printf "%-34s median %.2f x /bin/true (%d pairs), target %.1f x: %s\n", label, m, NR, most,
        m <= most ? "met" : "MISSED"
      exit m <= most ? 0 : 1
    }'
}

status=0
paired_ratio 2 "start (one solve) over /bin/true" runtime --current 750 --vf 3.5 --battery 4.2 --capacity 2000 ||
  status=1
median_ms 5 "one solve" runtime --current 750 --vf 3.5 --battery 4.2 --capacity 2000 || status=1
median_ms 50 "10,000-row CSV sweep" runtime --vf 3.5 --battery 4.2 --capacity 2000 \
  --sweep current=1:10000:1 --format csv || status=1
median_ms 50 "9,009 resistor rows (E192, Li-ion)" resistor --current 350 --cell li-ion --e-series E192 \
  --sweep vf=2.5:3.5:0.001 --format csv || status=1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
median_ms 20 "graph --plot (18650, LH351D)" graph --led lh351d --cell 18650 --plot "$scratch/graph.svg" || status=1
bytes=$(wc -c <"$scratch/graph.svg")
echo "runtime graph SVG: $bytes bytes, target 61440: $([ "$bytes" -lt 61440 ] && echo met || echo MISSED)"
[ "$bytes" -lt 61440 ] || status=1
exit $status
