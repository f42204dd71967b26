#!/usr/bin/env bash
# scripts/merge_tiles.sh joins only complete tiles: a tile cut short (by whole lines or in
# the middle of a line, as a killed run leaves it) is refused and no output is written;
# the leftovers of stopped runs beside the tiles are never joined.
# Usage: merge_tiles_checks.sh TALVO_CLI PROJECT
set -euo pipefail

cli=$1 project=$2
merge="$(dirname "$0")/../../scripts/merge_tiles.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
grid=(grid "$project" --spacing 40 --height 4.0 --threads 1)

"$cli" "${grid[@]}" --plan 3 > "$work/plan.tsv"
mkdir "$work/tiles"
for k in 1 2 3; do
  "$cli" "${grid[@]}" --tile "$k/3" -o "$work/tiles/tile-$k.txt"
done
cp "$work/tiles/tile-2.txt" "$work/whole-2.txt"
echo "stray" > "$work/tiles/tile-2.txt.partial"
echo "stray" > "$work/tiles/.tile-2.txt.talvo-tmp-abc123"

expect_refused() {
  if bash "$merge" "$work/plan.tsv" "$work/tiles" "$work/merged.txt" 2> "$work/err.txt"; then
    echo "FAIL: $1 was merged" >&2
    exit 1
  fi
  if [ -e "$work/merged.txt" ]; then
    echo "FAIL: $1 left an output" >&2
    exit 1
  fi
  grep -q "tile 2" "$work/err.txt" || { echo "FAIL: $1 not named: $(cat "$work/err.txt")" >&2; exit 1; }
}

head -c -5 "$work/whole-2.txt" > "$work/tiles/tile-2.txt"       # cut inside its last line
expect_refused "a tile cut inside a line"
head -n -1 "$work/whole-2.txt" > "$work/tiles/tile-2.txt"       # one whole line short
expect_refused "a tile one line short"

cp "$work/whole-2.txt" "$work/tiles/tile-2.txt"
bash "$merge" "$work/plan.tsv" "$work/tiles" "$work/merged.txt" > /dev/null
"$cli" "${grid[@]}" -o "$work/untiled.txt"
cmp "$work/untiled.txt" "$work/merged.txt"
if ls -A "$work" | grep -q talvo-tmp; then
  echo "FAIL: a temporary file was left beside the output" >&2
  exit 1
fi

# A tile run killed outright (kill -9, no chance to clean up) leaves no tile-K.txt, only
# its hidden temporary file, so the merge reports the tile as missing.
fine=(grid "$project" --spacing 0.5 --height 4.0 --threads 1)
"$cli" "${fine[@]}" --plan 3 > "$work/fine-plan.tsv"
mkdir "$work/fine"
"$cli" "${fine[@]}" --tile 2/3 -o "$work/fine/tile-2.txt" 2> /dev/null &
pid=$!
for _ in $(seq 1 600); do
  temp=$(find "$work/fine" -name '.tile-2.txt.talvo-tmp-*' -size +0 | head -n 1)
  [ -n "$temp" ] && break
  sleep 0.1
done
kill -9 "$pid"
wait "$pid" 2> /dev/null || true
if [ -e "$work/fine/tile-2.txt" ] || [ -z "$temp" ]; then
  echo "FAIL: a killed tile run left tile-2.txt (or never wrote its temporary file)" >&2
  exit 1
fi
if bash "$merge" "$work/fine-plan.tsv" "$work/fine" "$work/fine.txt" 2> "$work/err.txt"; then
  echo "FAIL: the tiles of a killed run were merged" >&2
  exit 1
fi
grep -q "tile 1 of 3 is missing" "$work/err.txt"
echo "OK: cut tiles are refused, a killed run leaves no tile, complete tiles merge into the untiled file"
