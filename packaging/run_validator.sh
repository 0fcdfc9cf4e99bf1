#!/bin/sh
# SPDX-License-Identifier: MIT
# run_validator.sh <validator> [arguments...]: runs a validator, or exits with
# 77 (the tests' skip code) when it is not installed.
if ! command -v "$1" >/dev/null 2>&1; then
  echo "$1 is not installed: skipped"
  exit 77
fi
exec "$@"
