#!/usr/bin/env bash
# Builds the benchmarks in Release and runs them all. Arguments go to
# bench_clicks: [points] [--repeat N] [--only TEXT]. BENCH_BUILD_DIR names the
# build folder (default build-release); TESSALY_BENCH_CACHE the data folder.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BENCH_BUILD_DIR:-build-release}
bash scripts/setup-deps.sh
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build "$build" -j"$(nproc)" --target bench_clicks
"$build"/bin/bench_clicks "$@"
