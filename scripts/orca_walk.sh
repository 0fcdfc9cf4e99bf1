#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Walks Lumora by keyboard alone while the Orca screen reader listens, and
# prints what Orca said, scenario by scenario: what a blind user hears.
# Not part of "make test": Orca is slow, and its timing varies.
#
#   scripts/orca_walk.sh [PROGRAM]     PROGRAM defaults to build/app/lumora
#
# Starts a desktop of its own: Xvfb, openbox, a session bus with the
# accessibility bus, speech-dispatcher and Orca. Needs (Debian): xvfb openbox
# dbus-x11 at-spi2-core x11-utils xdotool orca speech-dispatcher.
# Keys go through xdotool as from a keyboard, a second or more apart.
#
# Run under an Orca that already listens on this display, as
#   ../shared/tools/orca-speech.sh bash scripts/orca_walk.sh
# does, it only walks: it prints each scenario's start ("HH:MM:SS.mmm
# SCENARIO ..."), and that tool prints Orca's speech ("HH:MM:SS.mmm SAY ...")
# after it; sorted together, each line follows its scenario.
set -u

cd "$(dirname "$0")/.."
program=$(realpath "${1:-build/app/lumora}")

listened=0
if [ -n "${DISPLAY:-}" ] && pgrep -u "$(id -u)" -x orca >/dev/null; then
  listened=1
  ORCA_WALK_INSIDE=1
fi

if [ "${ORCA_WALK_INSIDE:-}" != 1 ]; then
  for tool in Xvfb openbox dbus-launch xdotool xprop orca speech-dispatcher; do
    command -v "$tool" >/dev/null || { echo "orca_walk: $tool is not installed" >&2; exit 1; }
  done
  display=$((90 + RANDOM % 100))
  while [ -e "/tmp/.X$display-lock" ]; do display=$((display + 1)); done
  Xvfb ":$display" -screen 0 1600x1200x24 -dpi 96 >/dev/null 2>&1 &
  xvfb=$!
  for _ in $(seq 100); do DISPLAY=":$display" xprop -root >/dev/null 2>&1 && break; sleep 0.1; done
  DISPLAY=":$display" ORCA_WALK_INSIDE=1 dbus-launch --exit-with-session bash "$0" "$program"
  status=$?
  kill "$xvfb" 2>/dev/null
  exit $status
fi

# Inside: the desktop's parts, then Orca.
scratch=$(mktemp -d)
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
if [ "$listened" = 0 ]; then
  export XDG_RUNTIME_DIR=$scratch
  openbox >/dev/null 2>&1 &
  manager=$!
  for _ in $(seq 100); do xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break; sleep 0.1; done
  /usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
  bus=$!
  for _ in $(seq 100); do
    dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress >/dev/null 2>&1 && break
    sleep 0.1
  done
  speech-dispatcher -s -t 0 >/dev/null 2>&1 &
  speech=$!
  mkdir "$scratch/orca"
  cat >"$scratch/orca/user-settings.conf" <<'EOF'
{
  "general": {"enableSpeech": true, "speechServerFactory": "speechdispatcherfactory", "speechServerInfo": null,
              "enableKeyEcho": true, "enableEchoByCharacter": false, "enableEchoByWord": false,
              "enableTutorialMessages": false, "presentToolTips": false,
              "activeProfile": ["Default", "default"], "startingProfile": ["Default", "default"]},
  "profiles": {"default": {"profile": ["Default", "default"], "pronunciations": {}, "keybindings": {}}},
  "pronunciations": {},
  "keybindings": {}
}
EOF
  log=$scratch/orca.log
  sleep 1
  orca -u "$scratch/orca" --debug-file "$log" >/dev/null 2>&1 &
  orca=$!
  for _ in $(seq 150); do grep -q "SPEECH OUTPUT" "$log" 2>/dev/null && break; sleep 0.2; done
fi

marks=$scratch/marks
key() { xdotool key --delay 120 "$@"; sleep 1.5; }
type_text() { xdotool type --delay 150 "$1"; sleep 1; }
start() { "$program" >/dev/null 2>&1 & app=$!; sleep 4; }
stop() { sleep 2; kill "$app" 2>/dev/null; wait "$app" 2>/dev/null; sleep 1; }
scenario() { echo "$(date +%H:%M:%S.%3N) SCENARIO $1" >>"$marks"; [ "$listened" = 0 ] || tail -n 1 "$marks"; }
runtime_example() { type_text 750; key Tab; type_text 3.5; key Tab; type_text 4.2; key Tab; type_text 2000; }

start
scenario "A field holding 2000, Tab into it"
runtime_example; key shift+Tab; key Tab
scenario "Runtime solved by Return on Calculate"
key Tab; key Tab; key Tab; key Return
stop

start
scenario "A capacity solved by Return in its blank field"
type_text 750; key Tab; type_text 3.5; key Tab; type_text 4.2; key Tab Tab; type_text 2.66; key shift+Tab; key Return
stop

start
scenario "Form6 and Form2 at once (efficiency 150, nothing blank)"
runtime_example; key Tab; type_text 3; key Tab; key BackSpace BackSpace; type_text 150; key Return
stop

start
scenario "Form7 (a lone point)"
type_text .; key Tab; type_text 3.5; key Tab; type_text 4.2; key Tab; type_text 2000; key Return
stop

start
scenario "Choosing Parallel by keyboard (Alt+P)"
key alt+p
scenario "Form8 and Form3 at once (LED count 0, the resistor fields empty)"
# From the runtime current field: 12 tabs to the LED count.
for _ in $(seq 12); do xdotool key Tab; sleep 0.3; done
sleep 2
key BackSpace; type_text 0; key Return
scenario "The active one closed with Return; the other stays, unfocused"
key Return
scenario "A resistor solved by Return on Calculate (Series by Alt+S)"
key alt+s
# From the LED count: 2 LEDs, then 20 mA, 3.5 V each, a 9 V battery.
key BackSpace; type_text 2
for _ in 1 2 3 4; do key shift+Tab; done
type_text 20; key Tab; type_text 3.5; key Tab; type_text 9
key Tab Tab Tab; key Return
stop

start
scenario "The failure window (LED current 0)"
type_text 0; key Tab; type_text 3.5; key Tab; type_text 4.2; key Tab; type_text 2000; key Return
stop

start
scenario "F10"
key F10; key Down; key Escape; key Escape
scenario "Alt, held as a person does"
xdotool keydown alt; sleep 0.3; xdotool keyup alt; sleep 1.5; key Escape
scenario "The help, read to its last line"
key F10; key Right; key Right; key Return
sleep 4
key Next; sleep 6; key Next; sleep 2
key Escape
scenario "The about window"
key F10; key Right; key Right; key Down; key Return
sleep 25 # the sections take a while to say
key Next; sleep 8
stop

# Orca writes its log in blocks and is killed at the end, which loses the
# last block: a few more steps, not printed, push the walk's last words out.
echo "$(date +%H:%M:%S.%3N) END" >>"$marks"
start
key Tab Tab Tab Tab
stop

if [ "$listened" = 1 ]; then
  rm -rf "$scratch"
  exit 0
fi

sleep 2
kill "$orca" "$speech" 2>/dev/null
sleep 1
kill -9 "$orca" 2>/dev/null
kill "$bus" "$manager" 2>/dev/null

# What Orca said, each line after the scenario it belongs to.
grep -a -E '^[0-9:.]+ - SPEECH OUTPUT: ' "$log" |
  sed -E "s/^([0-9:.]+)[0-9]{3} - SPEECH OUTPUT: (.*)$/\1 SAY \2/; s/ *\[?\{'established'.*$//" |
  sort -s -k1,1 - "$marks" | sed -n '/SCENARIO/,$p' | sed -E '/^[0-9:.]+ END$/,$d' |
  sed -E 's/^[0-9:.]+ SCENARIO (.*)$/\n== \1/; s/^[0-9:.]+ SAY /  /'
rm -rf "$scratch"
