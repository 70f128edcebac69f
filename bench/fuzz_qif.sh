#!/usr/bin/env bash
# Builds the QIF fuzzer with the benchmarks and runs it for a bounded time (default
# 60 s) over the hand-written files in tests/data/qif. Memory is capped so a runaway
# input fails the run instead of the machine.
#   bench/fuzz_qif.sh [seconds] [seed]
set -euo pipefail
source "$(dirname "$0")/../scripts/common.sh"
BUILD_DIR="${TILLBROOK_BENCH_BUILD_DIR:-$TOP/build-bench}"
install_missing_packages libbenchmark-dev
configure_and_build -DCMAKE_BUILD_TYPE=Release -DTILLBROOK_BUILD_BENCH=ON -DTILLBROOK_BUILD_TESTS=OFF
SECONDS_TO_RUN="${1:-60}"
SEED="${2:-$RANDOM}"
( ulimit -v 1000000; "$BUILD_DIR/bin/fuzz_qif" "$TOP/tests/data/qif" "$SECONDS_TO_RUN" "$SEED" "${TMPDIR:-/tmp}" )
