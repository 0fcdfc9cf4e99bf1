#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Start-up to the first painted frame, and peak memory, of Lumora's main
# window against a bare Qt main window of the same size with a menu bar.
#
#   bench/run_startup.sh [--runs N] [--platforms "xcb offscreen"] <lumora_startup_probe>
#
# Each platform gets one untimed warm-up start of each variant, then N starts
# of each, alternating which goes first. "xcb" runs the whole series inside
# one Xvfb server (xvfb-run), "offscreen" needs no display server. Prints the
# medians and Lumora's ratios to the bare window; exits with 1 when a median
# ratio is above the targets (1.10 in time and in peak memory).
#
# Time is counted from just before the process is started (bash's
# EPOCHREALTIME, no extra process) to the end of the first frame, so it takes
# in process creation, library loading and static initialisation;
# "from main" is the same frame counted from the first line of main().
set -euo pipefail

runs=15
platforms="xcb offscreen"
time_target=1.10
rss_target=1.10

# Internal: one series on the current platform, one sample per line:
#   <variant> <start_to_frame_ms> <main_to_frame_ms> <main_to_window_ms> <peak_rss_kib>
if [ "${1:-}" = "--series" ]; then
  probe=$2
  runs=$3
  one() {
    local t0 line
    t0=${EPOCHREALTIME/[.,]/}
    line=$("$probe" "$1")
    local frame main window rss
    frame=$(sed -n 's/.*frame_epoch_us=\([0-9]*\).*/\1/p' <<<"$line")
    main=$(sed -n 's/.*main_to_frame_ms=\([0-9.]*\).*/\1/p' <<<"$line")
    window=$(sed -n 's/.*window_ms=\([0-9.]*\).*/\1/p' <<<"$line")
    rss=$(sed -n 's/.*peak_rss_kib=\([-0-9]*\).*/\1/p' <<<"$line")
    if [ -z "$frame" ] || [ -z "$main" ] || [ -z "$window" ] || [ -z "$rss" ]; then
      echo "unexpected output from $probe $1: $line" >&2
      exit 1
    fi
    awk -v v="$1" -v f="$frame" -v t="$t0" -v m="$main" -v w="$window" -v r="$rss" \
      'BEGIN { printf "%s %.3f %.3f %.3f %d\n", v, (f - t) / 1000, m, w, r }'
  }
  "$probe" lumora >/dev/null
  "$probe" bare >/dev/null
  for ((i = 0; i < runs; i++)); do
    if ((i % 2 == 0)); then one lumora; one bare; else one bare; one lumora; fi
  done
  exit 0
fi

while [ $# -gt 1 ]; do
  case "$1" in
    --runs) runs=$2; shift 2 ;;
    --platforms) platforms=$2; shift 2 ;;
    *) break ;;
  esac
done
if [ $# -ne 1 ] || [ ! -x "$1" ]; then
  echo "usage: $0 [--runs N] [--platforms \"xcb offscreen\"] <lumora_startup_probe>" >&2
  exit 2
fi
probe=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
self=$(cd "$(dirname "$0")" && pwd)/$(basename "$0")

# Qt wants a private runtime directory; give it a scratch one.
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
export XDG_RUNTIME_DIR=$scratch/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"

status=0
for platform in $platforms; do
  samples=$scratch/$platform
  case "$platform" in
    xcb)
      if ! command -v xvfb-run >/dev/null; then
        echo "xcb: xvfb-run is not installed, skipped"
        continue
      fi
      QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x1024x24" \
        bash "$self" --series "$probe" "$runs" >"$samples"
      ;;
    *)
      QT_QPA_PLATFORM=$platform bash "$self" --series "$probe" "$runs" >"$samples"
      ;;
  esac

  awk -v platform="$platform" -v runs="$runs" -v tt="$time_target" -v rt="$rss_target" '
    function median(list, n,    sorted, i, j, x) {
      for (i = 1; i <= n; i++) sorted[i] = list[i]
      for (i = 2; i <= n; i++) {          # insertion sort: n is small
        x = sorted[i]
        for (j = i - 1; j >= 1 && sorted[j] > x; j--) sorted[j + 1] = sorted[j]
        sorted[j + 1] = x
      }
      return n % 2 ? sorted[(n + 1) / 2] : (sorted[n / 2] + sorted[n / 2 + 1]) / 2
    }
    { n[$1]++; start[$1, n[$1]] = $2; main[$1, n[$1]] = $3; built[$1, n[$1]] = $4; rss[$1, n[$1]] = $5 }
    END {
      for (v in n) {
        for (i = 1; i <= n[v]; i++) {
          s[i] = start[v, i]; m[i] = main[v, i]; w[i] = built[v, i]; r[i] = rss[v, i]
        }
        S[v] = median(s, n[v]); M[v] = median(m, n[v]); W[v] = median(w, n[v]); R[v] = median(r, n[v])
      }
      printf "%s, median of %d starts each:\n", platform, runs
      printf "  %-8s %18s %16s %16s %14s\n", "", "start to frame", "main to frame", "main to window", "peak RSS"
      for (k = 1; k <= 2; k++) {
        v = k == 1 ? "lumora" : "bare"
        printf "  %-8s %15.1f ms %13.1f ms %13.1f ms %10d KiB\n", v, S[v], M[v], W[v], R[v]
      }
      ts = S["lumora"] / S["bare"]; tm = M["lumora"] / M["bare"]; tw = W["lumora"] / W["bare"]
      rs = R["bare"] > 0 ? R["lumora"] / R["bare"] : 0
      printf "  %-8s %17.3fx %15.3fx %15.3fx %13.3fx\n", "ratio", ts, tm, tw, rs
      printf "  time %.3fx (target %.2fx): %s; peak RSS %.3fx (target %.2fx): %s\n",
        ts, tt, ts <= tt ? "met" : "MISSED", rs, rt, (rs > 0 && rs <= rt) ? "met" : "MISSED"
      exit (ts <= tt && rs > 0 && rs <= rt) ? 0 : 1
    }' "$samples" || status=1
done
exit $status
