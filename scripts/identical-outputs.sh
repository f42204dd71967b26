#!/bin/sh
# Runs the commands whose output must not change when the engine is made faster, on every
# example, acceptance and benchmark project, and keeps what they write; then compares two
# such runs byte for byte.
#
#   scripts/identical-outputs.sh projects BUILD DIR   write the benchmark projects of BUILD's
#                                                     bench programs into DIR (once, from the
#                                                     reference build, so both runs read them)
#   scripts/identical-outputs.sh run CLI PROJECTS OUT run talvo-cli CLI, benchmark projects
#                                                     from PROJECTS, outputs into OUT
#   scripts/identical-outputs.sh compare OUT1 OUT2    byte-for-byte comparison; exit 1 on any
#                                                     difference
#
# A typical session: build main, `projects build /tmp/bp`, `run build/src/talvo-cli /tmp/bp
# /tmp/before`; change the engine, rebuild, `run ... /tmp/after`, `compare /tmp/before /tmp/after`.
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)

# project receiver from to target: a barrier line between the receiver and the road.
searches() {
    cat <<'EOF'
examples/highway-apartments.tlv 1 150,212 450,212 60
examples/highway-village.tlv 1 150,212 450,212 60
examples/valley-crossing.tlv 1 50,170 350,170 62
tests/data/acceptance/apartments.tlv 1 100,15 350,15 58
tests/data/acceptance/barrier-embankment.tlv 1 100,20 400,20 58
tests/data/acceptance/barrier-embankment.night.tlv 1 100,20 400,20 58
tests/data/acceptance/open-road.tlv 1 200,64.6 400,90.5 68
tests/data/acceptance/open-road.night.tlv 1 200,64.6 400,90.5 68
EOF
}

# Runs one command, keeping its standard output, standard error and exit status.
keep() {
    name=$1
    shift
    set +e
    "$@" >"$out/$name.out" 2>"$out/$name.err"
    echo $? >"$out/$name.status"
    set -e
}

run_project() {
    project=$1 receiver=$2 from=$3 to=$4 target=$5
    base=$(basename "$project" .tlv)
    keep "$base.calc" "$cli" calc "$root/$project" --save "$out/$base.saved.tlv"
    keep "$base.night" "$cli" calc "$root/$project" --period night
    keep "$base.grid" "$cli" grid "$root/$project" --spacing 10 --threads 2 -o "$out/$base.grid.txt"
    keep "$base.length" "$cli" length-search "$root/$project" --receiver "$receiver" --target "$target"
    keep "$base.optimise" "$cli" optimise "$root/$project" --receiver "$receiver" --from "$from" --to "$to" \
        --max-height 8 --length-step 10 --height-step 0.5 --target "$target"
    keep "$base.facade" "$cli" facade "$root/$project"
    keep "$base.building" "$cli" optimise "$root/$project" --building 1 --from "$from" --to "$to" \
        --max-height 8 --length-step 20 --height-step 1 --target "$target"
}

case "${1:-}" in
projects)
    mkdir -p "$3"
    "$2/bench/bench_engine_paths" --write-projects "$3"
    "$2/bench/bench_building_paths" --write-project "$3/highway-blocks.tlv"
    ;;
run)
    cli=$(cd "$(dirname "$2")" && pwd)/$(basename "$2")
    bench=$3 out=$4
    mkdir -p "$out"
    searches | while read -r project receiver from to target; do
        echo "$project" >&2
        run_project "$project" "$receiver" "$from" "$to" "$target"
    done
    for p in "$bench"/*.tlv; do
        echo "$p" >&2
        base=$(basename "$p" .tlv)
        keep "$base.grid" "$cli" grid "$p" --spacing 20 --threads 2 -o "$out/$base.grid.txt"
        keep "$base.facade" "$cli" facade "$p"
    done
    ;;
compare)
    if diff -r -q "$2" "$3"; then
        echo "identical: $(find "$2" -type f | wc -l) files"
    else
        echo "DIFFERENT" >&2
        exit 1
    fi
    ;;
*)
    sed -n '2,16p' "$0" >&2
    exit 2
    ;;
esac
