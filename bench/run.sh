#!/usr/bin/env bash
# Builds the benchmarks and runs them. The 1,000,000-transaction data file is
# generated once into the temp folder (or TILLBROOK_BENCH_FILE) on first use.
set -euo pipefail
source "$(dirname "$0")/../scripts/common.sh"
BUILD_DIR="${TILLBROOK_BENCH_BUILD_DIR:-$TOP/build-bench}"
install_missing_packages libbenchmark-dev
configure_and_build -DCMAKE_BUILD_TYPE=Release -DTILLBROOK_BUILD_BENCH=ON -DTILLBROOK_BUILD_TESTS=OFF
for b in "$BUILD_DIR"/bench/bin/bench_*; do
  QT_QPA_PLATFORM=offscreen "$b" "$@"
done
