#!/usr/bin/env bash
# Builds TALVO and runs every test: a normal build, then an AddressSanitizer and
# UndefinedBehaviorSanitizer build of the same suite.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh

JOBS=$(nproc)
export QT_QPA_PLATFORM=offscreen

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$JOBS"
ctest --test-dir build --output-on-failure -j "$JOBS"

cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTALVO_SANITIZE=ON -DTALVO_BENCH=OFF
cmake --build build-asan -j "$JOBS"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-asan --output-on-failure -j "$JOBS"
