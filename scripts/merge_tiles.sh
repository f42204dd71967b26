#!/usr/bin/env bash
# Joins the tile files of a receiver grid run in tile order into one file and checks it
# against the plan printed by `talvo-cli grid PROJECT --plan N`: every tile must hold its
# planned number of points, each a whole line (a tile cut short by a killed run, also in
# the middle of a line, is refused), and the whole file the planned number of points.
# Only tile-K.txt files are read: a tile stopped by a signal leaves tile-K.txt.partial and
# a killed one a hidden .tile-K.txt.talvo-tmp-* file, and neither is ever joined.
# Usage: merge_tiles.sh PLAN TILE_DIR OUTPUT
#   PLAN      the saved output of --plan N
#   TILE_DIR  holds tile-1.txt .. tile-N.txt
#   OUTPUT    the merged file; written only when every check passes
set -euo pipefail

if [ $# -ne 3 ]; then
  echo "usage: $0 PLAN TILE_DIR OUTPUT" >&2
  exit 1
fi
plan=$1 tiles=$2 output=$3

field() { awk -F'\t' -v key="$1" '$1 == key { print $2 }' "$plan"; }
points=$(field points)
count=$(field tiles)
if [ -z "$points" ] || [ -z "$count" ]; then
  echo "$plan is not the output of talvo-cli grid --plan N" >&2
  exit 1
fi

# Joined under a hidden temporary name beside the output, renamed into place when complete.
partial="$(dirname "$output")/.$(basename "$output").talvo-tmp-$$"
trap 'rm -f "$partial"' EXIT
: > "$partial"
while IFS=$'\t' read -r kind k first_x last_x columns tile_points; do
  [ "$kind" = tile ] || continue
  file="$tiles/tile-$k.txt"
  if [ ! -f "$file" ]; then
    echo "tile $k of $count is missing: $file" >&2
    rm -f "$partial"
    exit 1
  fi
  if [ -s "$file" ] && [ "$(tail -c 1 "$file" | od -An -c | tr -d ' ')" != '\n' ]; then
    echo "tile $k (x $first_x to $last_x) ends inside a line: it was cut short" >&2
    rm -f "$partial"
    exit 1
  fi
  lines=$(wc -l < "$file")
  if [ "$lines" -ne "$tile_points" ]; then
    echo "tile $k (x $first_x to $last_x, $columns columns) has $lines lines, planned $tile_points" >&2
    rm -f "$partial"
    exit 1
  fi
  cat "$file" >> "$partial"
done < "$plan"

lines=$(wc -l < "$partial")
if [ "$lines" -ne "$points" ]; then
  echo "the merged file has $lines lines, planned $points" >&2
  rm -f "$partial"
  exit 1
fi
mv "$partial" "$output"
echo "merged $count tiles, $points points, into $output"
