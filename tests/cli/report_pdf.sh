#!/usr/bin/env bash
# The assessment report of an example project read back with Poppler's tools: A4 pages in
# order (summary, method, inputs, results, maps), fonts embedded, the project name, every
# receiver's overall level as talvo-cli calc prints it (to one decimal), the receiver over
# its target named on page 1 beside the key map, the method named, the maps drawn as paths
# and text (no picture anywhere, the legend readable as text) showing the class colours; a
# refused calculation writes no file.
# Usage: report_pdf.sh TALVO_CLI EXAMPLE_UTF8 CLASS_COLOURS_SOURCE FULL_PAGE_PROJECT
# (the UTF-8 text of an example project; the source file holding the class colours; a
# project whose inputs fill their page to the bottom)
set -euo pipefail

cli=$1 example=$2 classes_source=$3 full_page=$4
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# The example with a target of 40 dB(A) at receiver 1, written as TALVO writes projects.
project="$work/project.tlv"
awk 'BEGIN { ORS = "" } /^\[/ { section = $0 } { line = $0
     if (section ~ /^\[수음점 1\]/ && line ~ /^수음점X/) sub(/[0-9.]+\r?$/, "40.000000\r", line)
     print line "\n" }' "$example" | iconv -f UTF-8 -t CP949 > "$project"
name=$(grep -a '^프로젝트명=' "$example" | head -1 | cut -d= -f2 | tr -d '\r')

"$cli" report "$project" -o "$work/report.pdf" --map-spacing 10 2> "$work/err.txt" || fail "report: $(cat "$work/err.txt")"
"$cli" calc "$project" > "$work/calc.txt" 2> /dev/null

pages=$(pdfinfo "$work/report.pdf" | awk '/^Pages:/ { print $2 }')
[ "$pages" -ge 5 ] || fail "only $pages pages"
pdfinfo "$work/report.pdf" | grep -q 'Page size: *595.* x 842' || fail "the pages are not A4"

# Every font embedded, and the Korean one among them.
pdffonts "$work/report.pdf" | tail -n +3 > "$work/fonts.txt"
grep -q NanumBarunGothic "$work/fonts.txt" || fail "the Korean font NanumBarunGothic is not used"
awk '{ if ($(NF-4) != "yes") bad = 1 } END { exit bad }' "$work/fonts.txt" || fail "a font is not embedded"

# The parts start on pages of their own, in order.
previous=0
for part in "1. 개요" "2. 계산 방법" "3. 입력 자료" "4. 예측 결과" "5. 소음 지도"; do
  found=0
  for ((p = 1; p <= pages; ++p)); do
    if grep -q "$part" <<< "$(pdftotext -f "$p" -l "$p" -layout "$work/report.pdf" -)"; then found=$p; break; fi
  done
  [ "$found" -gt "$previous" ] || fail "'$part' is not on a page after the previous part"
  previous=$found
done
map_page=$previous

pdftotext -layout "$work/report.pdf" "$work/report.txt"
grep -qF "$name" "$work/report.txt" || fail "the project name '$name' is missing"

# Page 1: the verdict naming receiver 1 (over its target of 40 dB(A)), the key map with the
# receivers' numbers, the verdict table.
pdftotext -f 1 -l 1 "$work/report.pdf" "$work/page1.txt"
grep -q "1곳 초과 (수음점 1)" "$work/page1.txt" || fail "page 1 does not name receiver 1 over its target"
for text in "위치도" "수음점별 판정" "기준 없음 9곳"; do
  grep -qF "$text" "$work/page1.txt" || fail "page 1 lacks '$text'"
done
grep -q "ISO 9613-2" <<< "$(pdftotext -f 2 -l 2 "$work/report.pdf" -)" || fail "page 2 does not state the method"

# No picture anywhere: maps and key map are paths and text, and the map page's legend,
# scale bar and axes are text that can be searched.
[ "$(pdfimages -list "$work/report.pdf" | tail -n +3 | wc -l)" -eq 0 ] || fail "the report holds raster images"
pdftotext -f "$map_page" -l "$map_page" "$work/report.pdf" "$work/maps.txt"
for text in "dB(A)" "80 이상" "35 미만" "100 m" "높이 (m)"; do
  grep -qF "$text" "$work/maps.txt" || fail "the map page's text lacks '$text'"
done
# Nothing on page 1 (the key map) or the map page is set below 7 pt: NanumBarunGothic's word
# boxes are 1.15 times the type size, so 7 pt gives boxes of 8.05 pt.
for p in 1 "$map_page"; do
  smallest=$(pdftotext -bbox -f "$p" -l "$p" "$work/report.pdf" - |
    awk -F'"' '/<word/ { h = $8 - $4; if (min == "" || h < min) min = h } END { print min }')
  awk -v h="$smallest" 'BEGIN { exit h >= 8.0 ? 0 : 1 }' || fail "page $p sets text below 7 pt (a word box of $smallest pt)"
done

# Each receiver row of the report: ID X Y Z, eight bands, overall, target (14 fields). Its
# overall level is calc's, rounded to one decimal: where calc's second decimal is 5 either
# neighbour is the true rounding of the unprinted digits.
awk 'NR == FNR { if (FNR > 1) calc[$1] = $13; next }
     NF == 14 && $1 ~ /^[0-9]+$/ && ($1 in calc) && !($1 in seen) { seen[$1] = $13 }
     END {
       for (id in calc) {
         if (!(id in seen)) { print "receiver " id " is missing"; bad = 1; continue }
         want = sprintf("%.1f", calc[id]); diff = seen[id] - calc[id]
         if (seen[id] != want && !(calc[id] ~ /5$/ && diff * diff <= 0.0025 + 1e-9)) {
           print "receiver " id ": report " seen[id] ", calc " calc[id]; bad = 1 }
       }
       exit bad
     }' "$work/calc.txt" "$work/report.txt" || fail "the receiver levels differ from talvo-cli calc"

# The map page shows at least three of the level classes' colours (within a small
# tolerance for the edges' smoothing); the colours are read from the class table
# (white, its fallback for no class, is left out).
colours=$(grep -o '"#[0-9A-Fa-f]\{6\}"' "$classes_source" | tr -d '"#' | grep -vi '^ffffff$' | tr '\n' ' ')
pdftoppm -f "$map_page" -l "$map_page" -r 50 -png "$work/report.pdf" "$work/map"
convert "$work"/map*.png -depth 8 txt:- | awk -v colours="$colours" '
  BEGIN { n = split(tolower(colours), hex, " ") }
  function byte(h, i) { return index("0123456789abcdef", substr(h, i, 1)) * 16 + index("0123456789abcdef", substr(h, i + 1, 1)) - 17 }
  /#[0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F]/ {
    match($0, /#[0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F]/); h = tolower(substr($0, RSTART + 1, 6))
    for (k = 1; k <= n; ++k) {
      d = (byte(h,1)-byte(hex[k],1))^2 + (byte(h,3)-byte(hex[k],3))^2 + (byte(h,5)-byte(hex[k],5))^2
      if (d <= 108) ++count[k] } }
  END { for (k in count) if (count[k] >= 50) ++classes; exit classes >= 3 ? 0 : 1 }' \
  || fail "the map page does not show the class colours"

# A barrier design as talvo-cli optimise prints it adds its page after the maps.
"$cli" report "$project" -o "$work/design.pdf" --design "$(printf '0\t210\t200\t210\t4')" --design-receiver 10 --map-spacing 50 2> /dev/null \
  || fail "report with a design failed"
design_pages=$(pdfinfo "$work/design.pdf" | awk '/^Pages:/ { print $2 }')
pdftotext -f "$design_pages" -l "$design_pages" "$work/design.pdf" - | grep -q "6. 방음벽 설계" \
  || fail "the design page is not the last page"
if "$cli" report "$project" -o "$work/bad.pdf" --design 1,2,3 --design-receiver 1 2> /dev/null; then
  fail "a design of three numbers was taken"
fi

# A barrier designed for a building's floors reaches the design page with its floors, each
# before and after the barrier against the target of the design.
apartments="$(dirname "$example")/highway-apartments.tlv"
"$cli" report "$apartments" -o "$work/floors.pdf" --design 405,217,695,217,10 --design-building 3 \
  --design-floors 1-2 --design-target 70 --map-spacing 50 2> "$work/err.txt" \
  || fail "report with a building design failed: $(cat "$work/err.txt")"
floors_text=$(pdftotext -layout "$work/floors.pdf" - | tr -s ' ')
grep -q "층별 설치 전후 (주간" <<< "$floors_text" || fail "the building design lists no floors"
[ "$(grep -cE "103동 [12] [0-9.]+ [0-9.]+ [0-9.]+ 70.0 기준 만족" <<< "$floors_text")" -eq 2 ] \
  || fail "the building design does not show floors 1 and 2 meeting 70 dB(A)"
if "$cli" report "$apartments" -o "$work/bad.pdf" --design 405,217,695,217,10 --design-building 9 2> /dev/null; then
  fail "a design for a building the project lacks was taken"
fi
if "$cli" report "$apartments" -o "$work/bad.pdf" --design 405,217,695,217,10 --design-building 3 \
     --design-target nan 2> /dev/null; then
  fail "a design target that is not a number was taken"
fi

# Inputs that fill their page to the bottom are not followed by an empty page: every page
# holds more than its header and footer.
"$cli" report "$full_page" -o "$work/full.pdf" --map-spacing 20 2> /dev/null || fail "report of $full_page failed"
full_pages=$(pdfinfo "$work/full.pdf" | awk '/^Pages:/ { print $2 }')
for ((p = 1; p <= full_pages; ++p)); do
  lines=$(pdftotext -f "$p" -l "$p" "$work/full.pdf" - | grep -c '[^[:space:]]' || true)
  [ "$lines" -gt 4 ] || fail "page $p of the report of $full_page is empty"
done

# A project without receivers: the calculation is refused, nothing is written.
awk 'BEGIN { ORS = "" } { line = $0; if (line ~ /^도로수\//) sub(/=[0-9]+\/[0-9]+\/[0-9]+/, "=1/2/0", line); print line "\n" }' \
  "$example" | iconv -f UTF-8 -t CP949 > "$work/empty.tlv"
if "$cli" report "$work/empty.tlv" -o "$work/refused.pdf" 2> "$work/err.txt"; then fail "a refused calculation succeeded"; fi
grep -q "수음점" "$work/err.txt" || fail "the refusal does not say why: $(cat "$work/err.txt")"
[ ! -e "$work/refused.pdf" ] || fail "a refused calculation wrote a file"
echo "OK: $pages pages, fonts embedded, levels as talvo-cli calc prints them"
