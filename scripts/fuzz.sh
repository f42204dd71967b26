#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ with clang (folder build-fuzz, AddressSanitizer
# and UndefinedBehaviorSanitizer on) and runs each for SECONDS_EACH seconds (default 60).
#   scripts/fuzz.sh [SECONDS_EACH]
# Inputs that find new paths collect in build-fuzz/corpus/<target>; the seeds are
# fuzz/corpus/<target> and the replayed crash files tests/data/regress. A crash, a hang
# (an input taking over 30 s) or an exhausted memory stops the run with status 1 and
# leaves the input in build-fuzz/crashes/: copy it to tests/data/regress/ and fix.
set -euo pipefail
cd "$(dirname "$0")/.."
EACH=${1:-60}

if ! command -v clang++ >/dev/null 2>&1; then
  echo "fuzz.sh: clang++ is not installed; the fuzzers need clang" >&2
  exit 2
fi

# Line tables only (-g1): the crash reports name file and line, at less compile time; the
# core's files but the engine's compiled in batches (TALVO_UNITY).
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -g1 -DNDEBUG" -DTALVO_FUZZ=ON -DTALVO_UNITY=ON >/dev/null
cmake --build build-fuzz -j "$(nproc)" --target fuzzers
mkdir -p build-fuzz/crashes

status=0
for exe in build-fuzz/fuzz/fuzz_*; do
  name=$(basename "$exe")
  target=${name#fuzz_}
  work=build-fuzz/corpus/$target
  mkdir -p "$work"
  log=build-fuzz/$name.log
  dict=fuzz/$target.dict  # the target's own tokens, else the project file's
  [ -f "$dict" ] || dict=fuzz/project_file.dict
  echo "fuzz.sh: $name for ${EACH}s"
  if "$exe" -max_total_time="$EACH" -timeout=30 -rss_limit_mb=3072 -max_len=16384 \
       -dict="$dict" -artifact_prefix="build-fuzz/crashes/$name-" \
       "$work" "fuzz/corpus/$target" tests/data/regress >"$log" 2>&1; then
    grep -E "^(#[0-9]+.*DONE|Done [0-9]+ runs)" "$log" | tail -1 || true
  else
    echo "fuzz.sh: $name FAILED; its input is in build-fuzz/crashes/, the log in $log" >&2
    tail -40 "$log" >&2
    status=1
  fi
done
exit $status
