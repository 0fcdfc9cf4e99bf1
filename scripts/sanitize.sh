#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the whole program and its tests with AddressSanitizer, LeakSanitizer
# and UndefinedBehaviorSanitizer (the "sanitize" preset, in build-asan) and
# runs every test there. Any sanitizer report fails the test that caused it,
# and with it this script.
#
#   JOBS            parallel jobs (default: number of cores)
set -euo pipefail

cd "$(dirname "$0")/.."
root=$PWD
jobs=${JOBS:-$(nproc 2>/dev/null || echo 2)}

# halt_on_error and the build's -fno-sanitize-recover=all make the first report
# end the process with a failure; leak reports fail it at exit.
export ASAN_OPTIONS="detect_leaks=1:halt_on_error=1:abort_on_error=0:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1:strict_string_checks=1"
export LSAN_OPTIONS="suppressions=$root/scripts/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
symbolizer=$(command -v llvm-symbolizer || command -v llvm-symbolizer-14 || true)
if [ -n "$symbolizer" ]; then
  export ASAN_SYMBOLIZER_PATH=$symbolizer
fi
cmake --preset sanitize
cmake --build --preset sanitize -j "$jobs"
ctest --preset sanitize -j "$jobs"
