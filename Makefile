# SPDX-License-Identifier: MIT
# Two commands for a fresh Debian or Ubuntu machine:
#   make run   installs what is missing, builds and starts Lumora
#   make test  installs what is missing, builds and runs every test headless

BUILD_DIR ?= build
BENCH_DIR ?= build-bench
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: all setup configure build run test clean package bench

all: build

setup:
	@bash scripts/setup.sh

configure: setup
	cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	./$(BUILD_DIR)/app/lumora

# The sources' formatting first, then the tests of the normal build, its
# Debian package checked (lintian, hardening, manual page), the same tests
# built with the sanitizers (build-asan), and a short run of every fuzz target
# (build-fuzz), and the Windows build of the core and lumora-cli with their
# tests under Wine (build-windows).
test: build
	bash scripts/check_format.sh
	QT_QPA_PLATFORM=offscreen ctest --test-dir $(BUILD_DIR) --output-on-failure -j $(JOBS)
	bash scripts/check_package.sh $(BUILD_DIR)
	JOBS=$(JOBS) bash scripts/sanitize.sh
	JOBS=$(JOBS) bash scripts/fuzz.sh smoke
	JOBS=$(JOBS) bash scripts/windows.sh test

.PHONY: sanitize fuzz windows

# The sanitizer build and its tests alone.
sanitize: setup
	JOBS=$(JOBS) bash scripts/sanitize.sh

# Fuzzing for as long as asked: FUZZ_SECONDS per target (default 300), the
# targets side by side, the growing corpus kept in build-fuzz/corpus.
fuzz: setup
	JOBS=$(JOBS) bash scripts/fuzz.sh run

# A Debian package with computed dependencies.
package: build
	cmake --build $(BUILD_DIR) --target package

# lumora-cli.exe for Windows, cross-built (build-windows/cli/lumora-cli.exe).
windows: setup
	JOBS=$(JOBS) bash scripts/windows.sh build

# Benchmarks, never part of the tests: calculators per call, a Calculate press
# through the window, start-up and peak memory against a bare Qt window, and
# lumora-cli from process start to exit.
bench: setup
	cmake -S . -B $(BENCH_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLUMORA_BENCH=ON -DLUMORA_TESTS=OFF
	cmake --build $(BENCH_DIR) -j $(JOBS) --target lumora_bench lumora_startup_probe lumora-cli
	status=0; \
	$(BENCH_DIR)/bench/lumora_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true || status=1; \
	bash bench/run_startup.sh --runs 15 $(BENCH_DIR)/bench/lumora_startup_probe || status=1; \
	bash bench/run_instructions.sh $(BENCH_DIR)/bench/lumora_startup_probe || status=1; \
	bash bench/run_cli.sh --runs 25 $(BENCH_DIR)/cli/lumora-cli || status=1; \
	exit $$status

clean:
	rm -rf $(BUILD_DIR) $(BENCH_DIR) build-asan build-fuzz build-windows
