#!/usr/bin/env bash
# The layering of the tree, checked on the sources and on what the build produced:
#   - the core folders include no Qt header and nothing from a GUI folder;
#   - the engine includes only the model (and itself): it holds the physics alone;
#   - the noise maps include only the model and the engine (and themselves);
#   - the engine reads none of the document's optimisation members (they reach it as
#     arguments);
#   - the GIS library includes no Qt, and the core no GDAL or PROJ;
#   - the views include no window of dialogs/ or app/;
#   - the core library refers to no Qt symbol, and talvo-cli and the core test binary
#     link no Qt Widgets (the test binary no Qt at all).
# Usage: check_layers.sh SRC_DIR CORE_LIBRARY TALVO_CLI CORE_TEST_BINARY
set -u
src=$1 core_lib=$2 cli=$3 core_tests=$4
failed=0
fail() { echo "layer check: $*"; failed=1; }

core_dirs=(model io engine maps optimise drawing)
for dir in "${core_dirs[@]}"; do
  hits=$(grep -rnE '^\s*#\s*include\s*[<"](Q[A-Za-z]*|qt[a-z]*/)' "$src/$dir" 2>/dev/null)
  [ -z "$hits" ] || fail "a Qt header in the core folder $dir/:"$'\n'"$hits"
  hits=$(grep -rnE '^\s*#\s*include\s*"(ui|views|dialogs|app|render|cli)/' "$src/$dir" 2>/dev/null)
  [ -z "$hits" ] || fail "a GUI or CLI header in the core folder $dir/:"$'\n'"$hits"
done
# The GIS library sits on the core beside the painters: GDAL, never Qt.
hits=$(grep -rnE '^\s*#\s*include\s*[<"](Q[A-Za-z]*|qt[a-z]*/)|^\s*#\s*include\s*"(ui|views|dialogs|app|render|cli)/' "$src/gis" 2>/dev/null)
[ -z "$hits" ] || fail "a Qt, GUI or CLI header in gis/:"$'\n'"$hits"
# GDAL stays out of the core.
hits=$(grep -rnE '^\s*#\s*include\s*[<"](gdal|ogr|cpl_|proj)' "${core_dirs[@]/#/$src/}" 2>/dev/null)
[ -z "$hits" ] || fail "a GDAL or PROJ header in the core:"$'\n'"$hits"
hits=$(grep -rnE '^\s*#\s*include\s*"' "$src/engine" | grep -vE '#\s*include\s*"(engine|model)/')
[ -z "$hits" ] || fail "the engine includes more than the model:"$'\n'"$hits"
hits=$(grep -rnE '^\s*#\s*include\s*"' "$src/maps" | grep -vE '#\s*include\s*"(maps|engine|model)/')
[ -z "$hits" ] || fail "the noise maps include more than the engine and the model:"$'\n'"$hits"
hits=$(grep -rnE '\bm_(bOptimising|OptBarrier|nOptReceiver|bLengthSearch)\b' "$src/engine")
[ -z "$hits" ] || fail "the engine reads the document's optimisation members:"$'\n'"$hits"
hits=$(grep -rnE '^\s*#\s*include\s*"(dialogs|app)/' "$src/views" "$src/render")
[ -z "$hits" ] || fail "a view or painter includes a window:"$'\n'"$hits"

qt_symbols=$(nm -C "$core_lib" 2>/dev/null | grep -E ' U ' | grep -E '\bQ[A-Z][A-Za-z]*::|\bqt_' | head -5)
[ -z "$qt_symbols" ] || fail "the core library refers to Qt symbols:"$'\n'"$qt_symbols"
if ldd "$cli" | grep -q 'libQt6Widgets'; then fail "talvo-cli links Qt Widgets"; fi
if ldd "$core_tests" | grep -q 'libQt6'; then fail "the core test binary links Qt"; fi

[ $failed -eq 0 ] && echo "layer check: the tree and the build keep their layers"
exit $failed
