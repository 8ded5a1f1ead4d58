#!/usr/bin/env bash
# Builds the desktop host and writes one picture per window, with the sample
# lesson open, on Qt's offscreen platform:
#   scripts/screenshot.sh [BUILD_DIR]     (default: build)
# The pictures go to BUILD_DIR/screenshots/: main-window, statistics-setup,
# statistics-report, query-builder, summarize, quickload, media-viewer and
# about (.png).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}

cmake -S . -B "$build" -G Ninja >/dev/null
cmake --build "$build" -j"$(nproc)" --target test_app
export QT_QPA_PLATFORM=offscreen
export TESSALY_SCREENSHOTS="$PWD/$build/screenshots"
"$build/bin/test_app" --gtest_filter='*DesktopScreenshot*:*DesktopDialogScreenshot*'
