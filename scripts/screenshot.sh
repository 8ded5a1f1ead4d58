#!/usr/bin/env bash
# Builds the desktop host and writes one picture per window, with the sample
# lesson open, on a virtual X display (xvfb-run), so the windows use the fonts
# a desktop gives them:
#   scripts/screenshot.sh [BUILD_DIR]     (default: build)
# The pictures go to BUILD_DIR/screenshots/: main-window, statistics-setup,
# statistics-report, query-builder, summarize, quickload, media-viewer and
# about (.png).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
build=$(realpath -m "$build")

cmake -S . -B "$build" -G Ninja >/dev/null
cmake --build "$build" -j"$(nproc)" --target test_app
export QT_QPA_PLATFORM=xcb
export TESSALY_SCREENSHOTS="$build/screenshots"
xvfb-run -a -s "-screen 0 1600x1000x24 -dpi 96" \
  "$build/bin/test_app" --gtest_filter='*DesktopScreenshot*:*DesktopDialogScreenshot*'
