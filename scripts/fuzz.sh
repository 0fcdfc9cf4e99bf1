#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the libFuzzer targets of fuzz/ with Clang (the "fuzz" preset, in
# build-fuzz) and runs them.
#
#   scripts/fuzz.sh smoke   each target for a fixed number of runs, starting
#                           from the committed seeds and regressions (make test)
#   scripts/fuzz.sh run     all targets side by side for FUZZ_SECONDS each,
#                           growing a corpus kept in the build directory (make fuzz)
#
#   FUZZ_SMOKE_RUNS   runs per target in a smoke run (default 100000)
#   FUZZ_SECONDS      seconds per target in a long run (default 300)
#   FUZZ_TARGETS      targets to run (default: all seven)
#   CXX               the Clang to build with (default clang++-14, else clang++)
#
# Committed seeds in fuzz/corpus/ and fuzz/regressions/ are only read: new
# inputs go to the build directory, and an input that breaks a target is
# saved as <build dir>/artifacts/<target>-crash-<hash>.
set -euo pipefail

cd "$(dirname "$0")/.."
root=$PWD
mode=${1:-smoke}
build_dir=build-fuzz
targets=(${FUZZ_TARGETS:-fuzz_field_text fuzz_converter fuzz_resistor fuzz_cli_args fuzz_measured_log fuzz_discharge_log fuzz_cell_file})
jobs=${JOBS:-$(nproc 2>/dev/null || echo 2)}

case "$mode" in
  smoke | run) ;;
  *) echo "usage: $0 [smoke|run]" >&2; exit 2 ;;
esac

cxx=${CXX:-}
if [ -z "$cxx" ] || ! "$cxx" --version 2>/dev/null | grep -q clang; then
  cxx=$(command -v clang++-14 || command -v clang++ || true)
fi
if [ -z "$cxx" ]; then
  echo "fuzz: no clang++ found (scripts/setup.sh installs it)" >&2
  exit 1
fi

export ASAN_OPTIONS="detect_leaks=1:halt_on_error=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
symbolizer=$(command -v llvm-symbolizer || command -v llvm-symbolizer-14 || true)
if [ -n "$symbolizer" ]; then
  export ASAN_SYMBOLIZER_PATH=$symbolizer
fi

cmake --preset fuzz -DCMAKE_CXX_COMPILER="$cxx"
cmake --build --preset fuzz -j "$jobs"

artifacts=$root/$build_dir/artifacts
mkdir -p "$artifacts"

# A target's seeds, and the inputs of its past findings, each run once
# before any fuzzing: a finding's input may be far larger than the inputs
# worth growing from the seeds.
seed_dir() {
  if [ -d "$root/fuzz/corpus/$1" ]; then
    printf '%s\n' "$root/fuzz/corpus/$1"
  fi
}
replay() {
  local target=$1 log=$2
  local -a inputs=()
  if [ -d "$root/fuzz/regressions/$target" ]; then
    mapfile -t inputs < <(find "$root/fuzz/regressions/$target" -type f | sort)
  fi
  if [ ${#inputs[@]} -eq 0 ]; then
    return 0
  fi
  "$root/$build_dir/fuzz/$target" -artifact_prefix="$artifacts/$target-" "${inputs[@]}" >"$log" 2>&1
}

failed=()
if [ "$mode" = smoke ]; then
  runs=${FUZZ_SMOKE_RUNS:-100000}
  for target in "${targets[@]}"; do
    scratch=$root/$build_dir/smoke/$target
    rm -rf "$scratch"
    mkdir -p "$scratch"
    log=$root/$build_dir/smoke/$target.log
    mapfile -t seeds < <(seed_dir "$target")
    echo "fuzz: $target, $runs runs"
    if ! replay "$target" "$log.replay"; then
      tail -n 60 "$log.replay"
      failed+=("$target")
    elif "$root/$build_dir/fuzz/$target" -runs="$runs" -seed=1 -artifact_prefix="$artifacts/$target-" \
      "$scratch" "${seeds[@]}" >"$log" 2>&1; then
      grep -E '^#[0-9]+[[:space:]]+DONE' "$log" || true
    else
      tail -n 60 "$log"
      failed+=("$target")
    fi
  done
else
  seconds=${FUZZ_SECONDS:-300}
  pids=()
  for target in "${targets[@]}"; do
    corpus=$root/$build_dir/corpus/$target
    mkdir -p "$corpus"
    log=$root/$build_dir/$target.log
    mapfile -t seeds < <(seed_dir "$target")
    echo "fuzz: $target for ${seconds}s, log in $log"
    if ! replay "$target" "$log.replay"; then
      tail -n 60 "$log.replay"
      failed+=("$target")
      pids+=(0)
      continue
    fi
    "$root/$build_dir/fuzz/$target" -max_total_time="$seconds" -print_final_stats=1 \
      -artifact_prefix="$artifacts/$target-" "$corpus" "${seeds[@]}" >"$log" 2>&1 &
    pids+=($!)
  done
  for i in "${!targets[@]}"; do
    target=${targets[$i]}
    log=$root/$build_dir/$target.log
    if [ "${pids[$i]}" = 0 ]; then
      continue # its replay failed
    elif wait "${pids[$i]}"; then
      echo "fuzz: $target: $(grep -E '^stat::number_of_executed_units' "$log" | awk '{print $2}') executions, no finding"
    else
      tail -n 60 "$log"
      failed+=("$target")
    fi
  done
fi

passed=$((${#targets[@]} - ${#failed[@]}))
echo "fuzz $mode: $passed passed, ${#failed[@]} failed"
if [ ${#failed[@]} -gt 0 ]; then
  echo "fuzz: failing targets: ${failed[*]}; inputs in $artifacts" >&2
  exit 1
fi
