#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the Debian package of a build directory and checks it as a
# distribution would:
#   - lintian reports no error and no warning (the ones that do not apply are
#     overridden, with their reasons, in packaging/lintian-overrides);
#   - both programs, lumora and lumora-cli, are hardened: position
#     independent, read-only relocations bound at start-up, stack protector,
#     fortified functions;
#   - man renders both packaged manual pages without a warning.
# Every check runs; the script fails if any of them did.
#
#   scripts/check_package.sh [build dir]   builds the package there (default build)
#   scripts/check_package.sh file.deb      checks a package already built
set -euo pipefail

cd "$(dirname "$0")/.."
target=${1:-build}

for tool in lintian readelf man dpkg-deb; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "check_package: $tool is missing (scripts/setup.sh installs it)" >&2
    exit 1
  fi
done

commands=
if [[ "$target" == *.deb ]]; then
  deb=$target
else
  commands=$target/compile_commands.json
  cmake --build "$target" --target package
  deb=$(ls -t "$target"/lumora_*.deb | head -n 1)
fi
echo "check_package: $deb"

failed=()
passed=0
check() { # check <name> <command...>: runs the command, records a failure
  local name=$1
  shift
  if "$@"; then
    echo "check_package: ok: $name"
    passed=$((passed + 1))
  else
    echo "check_package: FAILED: $name" >&2
    failed+=("$name")
  fi
}

# Info tags are shown but pass; overridden tags are left out.
check "lintian" lintian --allow-root --display-info --fail-on error,warning "$deb"

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root"
# The compiler calls a checked __*_chk variant only where it knows the size
# of the buffer written; where a program has no such call (as after a
# change that moves a copy into a struct assignment), the build's compile
# commands must show every source compiled with _FORTIFY_SOURCE and
# optimisation, which is all fortifying can do then.
fortified() {
  if grep -Eq ' __[a-z0-9_]+_chk(@| |$)' <(grep -v ' __stack_chk_fail' "$1"); then
    echo "check_package: the program calls checked variants (__*_chk)"
    return 0
  fi
  [ -n "$commands" ] && [ -f "$commands" ] || return 1
  local all with
  all=$(grep -c '"command":' "$commands")
  with=$(grep '"command":' "$commands" | grep -E -- '-D_FORTIFY_SOURCE=[1-3]' | grep -Ec -- ' -O[1-3s]( |")')
  echo "check_package: no call with a known buffer size; $with of $all sources compiled with _FORTIFY_SOURCE and optimisation"
  [ "$all" -gt 0 ] && [ "$with" -eq "$all" ]
}

for name in lumora lumora-cli; do
  program=$root/usr/bin/$name
  readelf -hW "$program" >"$root/header"
  readelf -lW "$program" >"$root/segments"
  readelf -dW "$program" >"$root/dynamic"
  readelf --dyn-syms -W "$program" >"$root/symbols-$name"
  check "$name: position independent (DYN)" grep -Eq '^ *Type: +DYN' "$root/header"
  check "$name: read-only relocations (GNU_RELRO)" grep -q 'GNU_RELRO' "$root/segments"
  check "$name: immediate binding (BIND_NOW)" grep -Eq '\(BIND_NOW\)|\(FLAGS\).*BIND_NOW|\(FLAGS_1\).* NOW' "$root/dynamic"
  check "$name: stack protector (__stack_chk_fail)" grep -q ' __stack_chk_fail' "$root/symbols-$name"
  check "$name: fortified functions" fortified "$root/symbols-$name"
  # Control-flow protection only shows when every object linked in has it,
  # the C library's start files too (Debian 12's do not): reported, not checked.
  if readelf -nW "$program" | grep -q 'IBT, SHSTK'; then
    echo "check_package: $name: control-flow protection (IBT, SHSTK): marked"
  else
    echo "check_package: $name: control-flow protection (IBT, SHSTK): not marked in the program"
  fi
done

# man prints its warnings and groff's; a clean page prints nothing.
man_warnings() {
  local out
  out=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l "$1" 2>&1 >/dev/null)
  [ -z "$out" ] || { printf '%s\n' "$out" >&2; return 1; }
}
for page in lumora lumora-cli; do
  check "$page(1) renders without warnings" man_warnings "$root/usr/share/man/man1/$page.1.gz"
done

echo "package checks: $passed passed, ${#failed[@]} failed"
if [ ${#failed[@]} -gt 0 ]; then
  echo "check_package: failing: ${failed[*]}" >&2
  exit 1
fi
