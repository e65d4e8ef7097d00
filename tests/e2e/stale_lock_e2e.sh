#!/usr/bin/env bash
# A lock file left garbled (by a crash, a full disk) does not make every later
# start believe another instance runs: a killed run is still warned about. A
# second instance started while the first runs is still recognised.
source "$(dirname "$0")/lib.sh"
run_under_xvfb "$@"
binary=$1

main="Новый документ - Квиллет"
visible_windows() { # name
    xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | wc -l
}

seed_settings
printf 'garbage\0\377 left behind\n' > "$(lock_file)"

start_program "$binary"
pid=$PID
wait_for_window "$main" 30 >/dev/null || fail "main window did not appear"
sleep 0.5
wait_for_setting NormalUnloading False ||
    fail "the garbled lock was taken for another instance: the run is not marked"
kill -9 "$pid"
wait "$pid" 2>/dev/null || true

# The next start warns about the killed run.
start_program "$binary"
first=$PID
warning=$(wait_for_window "Квиллет" 30) || fail "no warning after the killed run"
close_window "$warning"
window=$(wait_for_window "$main" 30) || fail "main window did not appear"
sleep 0.5

# A second instance while the first runs: the store says "not closed", but the
# first instance holds the lock, so no warning.
start_program "$binary"
second=$PID
for _ in $(seq 300); do
    [ "$(visible_windows "$main")" -ge 2 ] && break
    [ "$(visible_windows "Квиллет")" = 0 ] || break
    sleep 0.1
done
[ "$(visible_windows "$main")" -ge 2 ] || fail "the second instance's window did not appear"
[ "$(visible_windows "Квиллет")" = 0 ] || fail "the second instance warned about a running one"

for w in $(xdotool search --onlyvisible --name "^$main\$"); do
    close_window "$w"
done
wait_for_exit "$second" 15 || fail "the second instance did not end after close"
wait_for_exit "$first" 15 || fail "the first instance did not end after close"
[ "$(settings_value NormalUnloading)" = "True" ] || fail "clean exit was not recorded"
echo "garbled lock file and a live second instance: ok"
