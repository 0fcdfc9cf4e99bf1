# SPDX-License-Identifier: MIT
# Two commands for a fresh Debian or Ubuntu machine:
#   make run   installs what is missing, builds the program and starts it
#   make test  installs what is missing, builds and runs every test headless
# Each build is a preset of CMakePresets.json; the targets below name them.

JOBS ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: all setup configure build program run check fit-cells fit-leds fit-cell-logs format test sanitize fuzz windows web package bench clean

all: build

setup:
	@bash scripts/setup.sh

configure: setup
	cmake --preset default

build: configure
	cmake --build --preset default -j $(JOBS)

# The window and what it needs (the core and the window's library), without
# lumora-cli and the tests, so that the window comes up soon on a fresh clone.
program: configure
	cmake --build --preset program -j $(JOBS)

run: program
	./build/app/lumora

# The quick loop while editing: the sources' formatting and the tests of the
# default build.
check: build
	bash scripts/check_format.sh
	ctest --preset default -j $(JOBS)

# Fits the named cells to the published tests and prints their parameters
# for calc/light/named_cells.cpp (after adding a test or a cell).
fit-cells: build
	build/tests/core/lumora_cell_fit

# Remakes the LED presets' fit table in docs/led-fits.md from the bench runs
# in ../shared/data (after changing a preset or scripts/derive_led_points.py).
fit-leds: build
	sed -n '1,/^<!-- The table below is made by make fit-leds. -->$$/p' docs/led-fits.md >docs/led-fits.md.new
	build/tests/published/lumora_led_fit_table >>docs/led-fits.md.new
	mv docs/led-fits.md.new docs/led-fits.md

# Fits the named 30Q to its own logs in ../shared/data: its figures into
# data/cell-fits.csv, then the leave-one-out table into docs/cell-fits.md.
fit-cell-logs: build
	grep -E '^(#|cell,figure)' data/cell-fits.csv >data/cell-fits.csv.new
	build/tests/published/lumora_cell_log_fit >>data/cell-fits.csv.new
	mv data/cell-fits.csv.new data/cell-fits.csv
	cmake --build --preset default -j $(JOBS)
	sed -n '1,/^<!-- The leave-one-out table below is made by make fit-cell-logs. -->$$/p' docs/cell-fits.md >docs/cell-fits.md.new
	build/tests/published/lumora_cell_log_fit --table >>docs/cell-fits.md.new
	sed -n '/^<!-- End of the leave-one-out table. -->$$/,$$p' docs/cell-fits.md >>docs/cell-fits.md.new
	mv docs/cell-fits.md.new docs/cell-fits.md

# Rewrites every tracked C++ source as clang-format would.
format:
	bash scripts/check_format.sh --fix

# Everything CI runs: the formatting, the tests of the build with warnings as
# errors (build-ci) and its Debian package checked (lintian, hardening,
# manual pages), the same tests with the sanitizers (build-asan), a short run
# of every fuzz target (build-fuzz), the Windows build of the core and
# lumora-cli with their tests under Wine (build-windows), and the web page
# with its tests in headless Chromium (build-web).
test: setup
	bash scripts/check_format.sh
	cmake --preset ci
	cmake --build --preset ci -j $(JOBS)
	ctest --preset ci -j $(JOBS)
	bash scripts/check_package.sh build-ci
	JOBS=$(JOBS) bash scripts/sanitize.sh
	JOBS=$(JOBS) bash scripts/fuzz.sh smoke
	JOBS=$(JOBS) bash scripts/windows.sh test
	JOBS=$(JOBS) bash scripts/web.sh test

# The sanitizer build and its tests alone.
sanitize: setup
	JOBS=$(JOBS) bash scripts/sanitize.sh

# Fuzzing for as long as asked: FUZZ_SECONDS per target (default 300), the
# targets side by side, the growing corpus kept in build-fuzz/corpus.
fuzz: setup
	JOBS=$(JOBS) bash scripts/fuzz.sh run

# lumora-cli.exe for Windows, cross-built (build-windows/cli/lumora-cli.exe).
windows: setup
	JOBS=$(JOBS) bash scripts/windows.sh build

# The web page, one file with the core as WebAssembly inside
# (build-web/lumora.html), built with Debian's Emscripten.
web: setup
	JOBS=$(JOBS) bash scripts/web.sh build

# A Debian package with computed dependencies.
package: build
	cmake --build --preset default --target package

# Benchmarks, never part of the tests: calculators per call, a Calculate press
# through the window, start-up and peak memory against a bare Qt window (wall
# time, and instructions counted by callgrind), and lumora-cli from process
# start to exit; the web page's size and its speed in headless Chromium.
bench: setup
	cmake --preset bench
	cmake --build --preset bench -j $(JOBS) --target lumora_core_bench lumora_bench lumora_startup_probe lumora-cli
	status=0; \
	build-bench/bench/lumora_core_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true || status=1; \
	build-bench/bench/lumora_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true || status=1; \
	bash bench/run_startup.sh --runs 15 build-bench/bench/lumora_startup_probe || status=1; \
	bash bench/run_instructions.sh build-bench/bench/lumora_startup_probe || status=1; \
	bash bench/run_cli.sh --runs 25 build-bench/cli/lumora-cli || status=1; \
	JOBS=$(JOBS) bash scripts/web.sh bench || status=1; \
	exit $$status

clean:
	rm -rf build build-ci build-bench build-asan build-fuzz build-windows build-web
