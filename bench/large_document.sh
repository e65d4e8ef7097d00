#!/usr/bin/env bash
# Memory with a large document: Quillet and the minimal Qt program each open a
# Windows-1251 CR LF document named on the command line; then Quillet gets 100
# characters typed at the end and saves. Reported: the text's size in memory (two
# bytes a character, as the editor holds it), the peak and idle resident memory
# while opening, the CPU time and resident memory the typing took, the peak while
# saving, and each memory figure as a multiple of the text's size.
#
#   bench/large_document.sh [quillet] [minimal_editor]
#
# BENCH_LARGE_MB sets the document's size (default 300). make bench-large runs it.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=${BENCH_BUILD:-$here/../build-bench}
quillet=${1:-$build/quillet}
minimal=${2:-$build/bench/minimal_editor}
for program in "$quillet" "$minimal"; do
    [[ -x $program ]] || { echo "large_document: no program at $program (make bench-large builds it)" >&2; exit 2; }
done
source "$here/../tests/e2e/lib.sh"
run_under_xvfb "$@"

make_temp_dir
doc=$TEMP_DIR/large.txt
# One line of 118 characters, as in the other benchmarks' documents.
chars=$(python3 - "$doc" "${BENCH_LARGE_MB:-300}" <<'PY'
import sys
line = ("Съешь же ещё этих мягких французских булок, да выпей чаю. " * 2).encode("cp1251") + b"\r\n"
n = int(float(sys.argv[2]) * 1024 * 1024) // len(line)
with open(sys.argv[1], "wb") as f:
    f.write(line * n)
# The editor holds each line's characters and one paragraph end, in UTF-16.
print(n * (len(line) - 1))
PY
)
text_mb=$(python3 -c "print(round($chars * 2 / 1048576, 1))")

kib() { awk -v k="$2" '$1 == k":" {print $2}' "/proc/$1/status"; }
mb() { python3 -c "print(round($1 / 1024, 1))"; }
times() { python3 -c "print(round($1 / 1024 / $text_mb, 2))"; }
cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }

# Waits for the program's window, then until it has used no CPU for two seconds.
wait_idle() { # pid title
    local i before after
    for i in $(seq 1 600); do
        xdotool search --pid "$1" --name "$2" >/dev/null 2>&1 && break
        kill -0 "$1" 2>/dev/null || fail "the program ended while opening the document"
        sleep 0.5
    done
    after=$(cpu_ticks "$1")
    while :; do
        sleep 2
        before=$after
        after=$(cpu_ticks "$1")
        [[ $after == "$before" ]] && break
    done
}

echo "document: $(stat -c %s "$doc") bytes, ${text_mb} MB of text in memory"
printf '%-10s %-22s %10s %12s\n' program figure MB "x text"

start_program "$minimal" "$doc"
wait_idle "$PID" minimal
peak=$(kib "$PID" VmHWM) rss=$(kib "$PID" VmRSS)
printf '%-10s %-22s %10s %12s\n' minimal "peak while opening" "$(mb "$peak")" "$(times "$peak")"
printf '%-10s %-22s %10s %12s\n' minimal "resident at idle" "$(mb "$rss")" "$(times "$rss")"
kill "$PID"
wait "$PID" 2>/dev/null || true

seed_settings
sed -i 's/^ConfirmFileSize=.*/ConfirmFileSize=False/' "$XDG_CONFIG_HOME/Quillet/Quillet.conf"
start_program "$quillet" "$doc"
wait_idle "$PID" "Квиллет"
peak=$(kib "$PID" VmHWM) rss=$(kib "$PID" VmRSS)
printf '%-10s %-22s %10s %12s\n' quillet "peak while opening" "$(mb "$peak")" "$(times "$peak")"
printf '%-10s %-22s %10s %12s\n' quillet "resident at idle" "$(mb "$rss")" "$(times "$rss")"

size=$(stat -c %s "$doc")
wid=$(xdotool search --pid "$PID" --name "Квиллет" | head -1)
xdotool windowfocus --sync "$wid" 2>/dev/null || true
xdotool mousemove --window "$wid" 200 200 click 1 key ctrl+End
wait_idle "$PID" "Квиллет"
before=$(cpu_ticks "$PID")
xdotool type --delay 15 "$(printf 'a%.0s' $(seq 1 100))"
wait_idle "$PID" "Квиллет"
ticks=$(($(cpu_ticks "$PID") - before))
rss=$(kib "$PID" VmRSS)
printf '%-10s %-22s %10s %12s\n' quillet "CPU typing 100, ms" "$((ticks * 1000 / $(getconf CLK_TCK)))" ""
printf '%-10s %-22s %10s %12s\n' quillet "resident after typing" "$(mb "$rss")" "$(times "$rss")"

# From here the peak counts the save only.
echo 5 >"/proc/$PID/clear_refs"
xdotool key ctrl+s
for i in $(seq 1 600); do
    [[ $(stat -c %s "$doc") == $((size + 100)) ]] && break
    sleep 0.5
done
wait_idle "$PID" "Квиллет"
[[ $(stat -c %s "$doc") == $((size + 100)) ]] || fail "the saved document is not 100 characters longer"
peak=$(kib "$PID" VmHWM)
printf '%-10s %-22s %10s %12s\n' quillet "peak while saving" "$(mb "$peak")" "$(times "$peak")"
kill "$PID"
wait "$PID" 2>/dev/null || true
