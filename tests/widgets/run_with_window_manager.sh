#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs the widget tests that need a real window manager, on an X server of
# their own (Xvfb) with openbox, the way users' desktops place windows.
#
#   run_with_window_manager.sh TEST_PROGRAM GTEST_FILTER
#
# Exits 77 (skipped) when Xvfb, openbox, xdotool, xprop or xwininfo is missing.
set -u

for tool in xvfb-run openbox xdotool xprop xwininfo; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "skipped: $tool is not installed (scripts/setup.sh installs it)"
    exit 77
  fi
done

if [ "${1:-}" = --inside ]; then
  shift
  openbox >/dev/null 2>&1 &
  manager=$!
  # openbox announces itself on the root window once it manages windows:
  # waited on, up to a minute on a busy machine.
  for _ in $(seq 600); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
    sleep 0.1
  done
  LUMORA_WINDOW_MANAGER=openbox QT_QPA_PLATFORM=xcb "$1" --gtest_filter="$2"
  status=$?
  kill "$manager" 2>/dev/null
  wait "$manager" 2>/dev/null
  exit "$status"
fi

exec xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" --inside "$@"
