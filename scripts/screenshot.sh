#!/usr/bin/env bash
# Builds the desktop host and writes a picture of its main window with the
# sample lesson open and a table window over it, on Qt's offscreen platform:
#   scripts/screenshot.sh [BUILD_DIR]     (default: build)
# The picture is BUILD_DIR/screenshots/main-window.png.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}

cmake -S . -B "$build" -G Ninja >/dev/null
cmake --build "$build" -j"$(nproc)" --target test_app
export QT_QPA_PLATFORM=offscreen
export TESSALY_SCREENSHOT="$PWD/$build/screenshots/main-window.png"
"$build/bin/test_app" --gtest_filter='DesktopScreenshot.*'
