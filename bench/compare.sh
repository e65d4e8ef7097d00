#!/usr/bin/env bash
# Quillet beside the minimal Qt program under Xvfb (see bench/compare.py for the
# figures and the environment variables that choose documents, runs and so on).
#
#   bench/compare.sh [quillet] [minimal_editor] [session_probe]
#
# Defaults are the programs of the bench build (make bench builds them).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=${BENCH_BUILD:-$here/../build-bench}
quillet=${1:-$build/quillet}
minimal=${2:-$build/bench/minimal_editor}
probe=${3:-$build/bench/session_probe}
for program in "$quillet" "$minimal" "$probe"; do
    [[ -x $program ]] || { echo "compare: no program at $program (make bench builds it)" >&2; exit 2; }
done
# A desktop session has a session bus, and both programs talk to it as they
# start (accessibility, the global menu); without one, each start tries to
# launch a bus and waits for that to fail. Give them one, as a desktop does.
bus=()
if [[ -z ${DBUS_SESSION_BUS_ADDRESS:-} ]] && command -v dbus-run-session >/dev/null; then
    bus=(dbus-run-session --)
fi
exec "${bus[@]}" xvfb-run -a -s "-screen 0 1280x1024x24" python3 "$here/compare.py" "$quillet" "$minimal" "$probe"
