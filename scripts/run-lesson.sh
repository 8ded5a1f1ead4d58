#!/usr/bin/env bash
# Installs what the build needs, builds the desktop host and the toolbar
# library, registers the library and opens the sample lesson.
#   scripts/run-lesson.sh [BUILD_DIR]     (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}

bash scripts/setup-deps.sh
cmake -S . -B "$build" -G Ninja
cmake --build "$build" -j"$(nproc)" --target tessaly-desktop
"$build/bin/tessaly-desktop" --register "$build/bin/libTessalyOpenTable.so"
exec "$build/bin/tessaly-desktop" examples/lesson/WillowCreek.tmd
