#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The web page: the core as WebAssembly with Debian's Emscripten, and the
# page around it, as one file, build-web/lumora.html.
#
#   scripts/web.sh build   builds build-web/lumora.html with the "web" preset
#                          (make web)
#   scripts/web.sh test    builds, then drives the page in Debian's headless
#                          Chromium (tests/web/page_test.py; part of make test),
#                          with lumora-cli of build-ci as its oracle
#   scripts/web.sh bench   builds, then times and weighs the page
#                          (bench/web_bench.py; part of make bench)
#
#   JOBS   parallel jobs (default: number of cores)
set -euo pipefail

cd "$(dirname "$0")/.."
mode=${1:-build}
build_dir=build-web
jobs=${JOBS:-$(nproc 2>/dev/null || echo 2)}

case "$mode" in
  build | test | bench) ;;
  *) echo "usage: $0 [build|test|bench]" >&2; exit 2 ;;
esac

# Emscripten's tools are node programs that need Debian's node modules
# (acorn), which a node from elsewhere does not look for.
export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}
cmake --preset web
cmake --build --preset web -j "$jobs"
echo "web: $build_dir/lumora.html"
[ "$mode" = build ] && exit 0

# Debian's Python has python3-selenium; a pyenv python3 on PATH does not.
python=/usr/bin/python3
export LUMORA_PAGE=$PWD/$build_dir/lumora.html

if [ "$mode" = bench ]; then
  exec "$python" bench/web_bench.py
fi

# axe-core for the accessibility check, at the version web/package-lock.json
# pins, installed again only when the lock file changes.
npm_dir=$build_dir/npm
if ! cmp -s web/package-lock.json "$npm_dir/package-lock.json" || [ ! -f "$npm_dir/node_modules/axe-core/axe.min.js" ]; then
  mkdir -p "$npm_dir"
  cp web/package.json web/package-lock.json "$npm_dir/"
  npm ci --prefix "$npm_dir" --ignore-scripts --no-audit --no-fund
fi
export LUMORA_AXE=$PWD/$npm_dir/node_modules/axe-core/axe.min.js
# lumora-cli of the ci build, the oracle of the runtime graph's rows, CSV and
# picture; built here when make test has not built it yet.
[ -d build-ci ] || cmake --preset ci >/dev/null
cmake --build --preset ci --target lumora-cli -j "$jobs"
export LUMORA_CLI=$PWD/build-ci/cli/lumora-cli
export LUMORA_SCREENSHOTS=$PWD/$build_dir/screenshots
exec "$python" -m unittest discover -v -s tests/web -p "*_test.py"
