#!/usr/bin/env bash
# Instructions executed from the start of the process up to the first map of the
# main window (the first call of xcb_map_window), counted by callgrind, for the
# minimal Qt program and Quillet. Both open the bench's small document; Quillet
# has the settings of an ordinary earlier run, so its first window is the main
# window and not the About window of a first run. Unlike times, the counts come
# out the same run after run; each program is counted BENCH_RUNS times (default 2).
#
#   bench/startup_instructions.sh [quillet] [minimal_editor]
#
# Defaults are the programs of the bench build (make bench-instructions builds them).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=${BENCH_BUILD:-$here/../build-bench}
quillet=${1:-$build/quillet}
minimal=${2:-$build/bench/minimal_editor}
for program in "$quillet" "$minimal"; do
    [[ -x $program ]] || { echo "startup_instructions: no program at $program" >&2; exit 2; }
done
quillet=$(realpath "$quillet")
minimal=$(realpath "$minimal")
runs=${BENCH_RUNS:-2}

# A session bus, as on a desktop (see compare.sh); then an X server of our own.
if [[ -z ${DBUS_SESSION_BUS_ADDRESS:-} ]] && command -v dbus-run-session >/dev/null; then
    exec dbus-run-session -- bash "$0" "$quillet" "$minimal"
fi
source "$here/../tests/e2e/lib.sh"
run_under_xvfb "$quillet" "$minimal"

# Sets COUNT to the instructions `program [arguments...]` executes up to its
# first map: the totals of callgrind's first dump, after which it is stopped.
count() {
    make_temp_dir
    local out=$TEMP_DIR/callgrind.out log=$TEMP_DIR/log pid
    valgrind --tool=callgrind --dump-before=xcb_map_window --callgrind-out-file="$out" \
        "$@" >"$log" 2>&1 &
    pid=$!
    local deadline=$((SECONDS + 300))
    # The dump is complete once its totals line is written.
    until grep -qs '^totals:' "$out.1"; do
        kill -0 "$pid" 2>/dev/null || fail "$1 ended without mapping a window: $(tail -n 5 "$log")"
        ((SECONDS < deadline)) || fail "$1 mapped no window within 300 s"
        sleep 0.2
    done
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    COUNT=$(sed -n 's/^totals: //p' "$out.1")
}

make_temp_dir
document=$TEMP_DIR/small.txt
python3 "$here/documents.py" small "$document"

minimal_counts=() quillet_counts=()
for ((run = 1; run <= runs; run++)); do
    count "$minimal" "$document"
    minimal_counts+=("$COUNT")
    seed_settings
    count "$quillet" "$document"
    quillet_counts+=("$COUNT")
    echo "run $run: minimal ${minimal_counts[-1]}  quillet ${quillet_counts[-1]}"
done

echo
echo "| program | instructions to the window, each run | ratio to minimal |"
echo "|---|---|---|"
echo "| minimal | ${minimal_counts[*]} | 1.00 |"
echo "| quillet | ${quillet_counts[*]} | $(awk -v q="${quillet_counts[0]}" \
    -v m="${minimal_counts[0]}" 'BEGIN { printf "%.2f", q / m }') |"
