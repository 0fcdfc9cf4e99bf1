// SPDX-License-Identifier: MIT
// The core's benchmarks in a process of their own, without Qt: a running
// QApplication slows plain arithmetic in its process several times over
// (measured here: a heated graph 2.4 ms alone, 19 ms beside a QApplication),
// which would time Qt rather than the core that lumora-cli and the page run.
// Exits with 1 when a target was missed.
#include "target_reporter.h"

int main(int argc, char* argv[]) { return lumora::bench::RunJudged(argc, argv); }
