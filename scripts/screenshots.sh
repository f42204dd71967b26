#!/usr/bin/env bash
# screenshots.sh [BUILD_DIR]: makes the README's pictures of the desktop program in docs/
# (the level labels on a noise map, the stale-results banner, the import preview) on Qt's
# offscreen platform: no display is needed.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
cmake --build "$build" --target make_screenshots
QT_QPA_PLATFORM=offscreen "$build/docs/screenshots/make_screenshots" examples docs
