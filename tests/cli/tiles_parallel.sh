#!/usr/bin/env bash
# Runs the tiles of a receiver grid side by side with GNU parallel on this machine, merges
# them with scripts/merge_tiles.sh and compares the result with the untiled export.
# Usage: tiles_parallel.sh TALVO_CLI PROJECT [TILES]
# Exits 77 (skipped) when GNU parallel is not installed.
set -euo pipefail

cli=$1 project=$2 count=${3:-5}
merge="$(dirname "$0")/../../scripts/merge_tiles.sh"
if ! command -v parallel > /dev/null 2>&1; then
  echo "SKIP: GNU parallel is not installed (Debian package 'parallel'; scripts/deps.sh installs it)"
  exit 77
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
grid=(grid "$project" --spacing 40 --height 4.0)

"$cli" "${grid[@]}" --plan "$count" > "$work/plan.tsv"
mkdir "$work/tiles"
seq 1 "$count" | parallel --will-cite --halt now,fail=1 -j 2 -q \
  "$cli" "${grid[@]}" --threads 1 --tile "{}/$count" -o "$work/tiles/tile-{}.txt"
bash "$merge" "$work/plan.tsv" "$work/tiles" "$work/merged.txt"

"$cli" "${grid[@]}" -o "$work/untiled.txt"
if ! cmp "$work/untiled.txt" "$work/merged.txt"; then
  echo "FAIL: the merged tiles differ from the untiled export" >&2
  exit 1
fi
echo "OK: $count tiles run with GNU parallel merge into the untiled file"
