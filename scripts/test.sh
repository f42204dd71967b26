#!/usr/bin/env bash
# Builds TALVO and runs every test: a normal build, then an AddressSanitizer and
# UndefinedBehaviorSanitizer build of the same suite, then each fuzzer for 20 seconds,
# then the tests of the worker threads under ThreadSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh

JOBS=$(nproc)
export QT_QPA_PLATFORM=offscreen
# Each step says how long the run has taken so far, so that a slow step shows in the log.
step() { echo "test.sh: $1 after ${SECONDS} s"; }
# The test builds keep line tables only (-g1): enough for every stack trace and profile
# line, at two thirds of the full debug information's compile time. The sanitizer build
# is optimised a little (-O1), as AddressSanitizer advises: its suite runs twice as fast.
LINES="-O2 -g1 -DNDEBUG"
# The libraries but the engine, talvo-cli and the test programs are compiled in batches of files
# (TALVO_UNITY): each batch parses Qt's, GoogleTest's or the command-line parser's headers once.

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="$LINES" \
  -DTALVO_UNITY=ON
cmake --build build -j "$JOBS"
ctest --test-dir build --output-on-failure -j "$JOBS"

step "the normal suite passed"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g1" -DTALVO_SANITIZE=ON \
  -DTALVO_BENCH=OFF -DTALVO_UNITY=ON
cmake --build build-asan -j "$JOBS"
# test_report runs in the ordinary suite only: the desktop report computes its maps on a
# grid of 200 nodes across the area, over five minutes in this build; cli_report_pdf runs
# the same report code here.
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-asan --output-on-failure -j "$JOBS" -E '^test_report$'

step "the sanitizer suite passed"
# Fuzzing: every libFuzzer target of fuzz/ for 20 seconds (clang only); the long runs are
# scripts/fuzz.sh's own.
if command -v clang++ >/dev/null 2>&1; then
  scripts/fuzz.sh 20
else
  echo "test.sh: clang++ is not installed; the fuzzing run is skipped"
fi

step "the fuzzers ran"
# ThreadSanitizer: the tests that run worker threads (export, optimisation, the
# calculation and its point-level query, talvo-cli grid and optimise, noise map,
# saves racing a vanishing folder).
cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="$LINES" \
  -DTALVO_TSAN=ON -DTALVO_GUI=OFF -DTALVO_BENCH=OFF -DTALVO_UNITY=ON
cmake --build build-tsan -j "$JOBS" --target talvo_core_tests
TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1" build-tsan/tests/talvo_core_tests \
  --gtest_filter='*Thread*:*Parallel*:*Export*:*Optimis*:*Worker*:*Cancel*:SaveFaults.FolderVanishing*:Calculate.*:PointLevel.*:Cli*'
step "the thread tests passed"
