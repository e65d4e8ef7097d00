#!/usr/bin/env bash
# Idle cost of the running program: starts the real binary under Xvfb with a
# 30 000-character document, leaves it alone, and reports the share of one core
# it used while idle (user + system time from /proc/<pid>/stat).
#
#   bench/idle_cpu.sh [path/to/quillet]
#
# Environment: IDLE_SECONDS (default 10), SETTLE_SECONDS (default 3; then it
# waits until start-up has gone quiet),
# IDLE_CPU_LIMIT (percent of one core, default 1.0; the script exits 1 above it),
# IDLE_FOLLOW=1 to start semi-transparent and following the pointer.
set -euo pipefail

binary=${1:-build/quillet}
idle=${IDLE_SECONDS:-10}
settle=${SETTLE_SECONDS:-3}
limit=${IDLE_CPU_LIMIT:-1.0}
follow=False
[[ ${IDLE_FOLLOW:-0} == 1 ]] && follow=True

if [[ ! -x $binary ]]; then
    echo "idle_cpu: no program at $binary" >&2
    exit 2
fi
binary=$(readlink -f "$binary")

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The settings of an ordinary earlier run (shared with the end-to-end tests): not
# a first run, closed cleanly, so no About window or warning waits for an answer.
source "$(dirname "$(readlink -f "$0")")/../tests/e2e/lib.sh"
# lib.sh stops what was started and removes its folders on exit; ours too.
E2E_DIRS+=("$work")
seed_settings
sed -i "s/^Transparent=.*/Transparent=$follow/; s/^GetMouse=.*/GetMouse=$follow/" \
    "$XDG_CONFIG_HOME/Quillet/Quillet.conf"

# A 30 000-character Windows-1251 document with CR LF line breaks.
document="$work/document.txt"
python3 - "$document" <<'EOF'
import sys
line = "Съешь же ещё этих мягких французских булок, да выпей чаю. 0123456789\r\n"
text = (line * (30000 // len(line) + 1))[:30000]
if text.endswith("\r"):
    text = text[:-1] + "."
open(sys.argv[1], "wb").write(text.encode("cp1251"))
EOF

# Runs inside the X server: start, settle, sample, idle, sample, stop.
cat >"$work/measure.sh" <<'EOF'
binary=$1 document=$2 idle=$3 settle=$4
ticks() { local s; s=$(<"/proc/$1/stat"); s=${s##*) }; set -- $s; echo $((${12} + ${13})); }
"$binary" "$document" >/dev/null 2>&1 &
pid=$!
sleep "$settle"
# Start-up is over once two seconds in a row cost next to nothing (at most
# 30 seconds of waiting: a program that never settles is measured as it is).
quiet=0
for _ in $(seq 30); do
    if ! kill -0 "$pid" 2>/dev/null; then
        echo "idle_cpu: the program ended during start-up" >&2
        exit 2
    fi
    t0=$(ticks "$pid")
    sleep 1
    t1=$(ticks "$pid")
    if ((t1 - t0 <= 2)); then quiet=$((quiet + 1)); else quiet=0; fi
    ((quiet >= 2)) && break
done
before=$(ticks "$pid")
sleep "$idle"
after=$(ticks "$pid")
kill "$pid"
wait "$pid" 2>/dev/null || true
echo "$before $after $(getconf CLK_TCK)"
EOF

result=$(xvfb-run -a -s "-screen 0 1280x1024x24" \
    bash "$work/measure.sh" "$binary" "$document" "$idle" "$settle")
read -r before after hz <<<"$result"

percent=$(awk -v b="$before" -v a="$after" -v hz="$hz" -v s="$idle" \
    'BEGIN { printf "%.2f", (a - b) / hz / s * 100 }')
echo "idle CPU: ${percent} % of one core over ${idle} s ($((after - before)) ticks at ${hz} Hz)"
awk -v p="$percent" -v l="$limit" 'BEGIN { exit !(p <= l) }' || {
    echo "idle_cpu: above the goal of ${limit} %" >&2
    exit 1
}
