#!/usr/bin/env bash
# A run that is killed leaves the unclean-exit mark: the next start warns before
# the main window appears, and a normal close clears the mark again.
source "$(dirname "$0")/lib.sh"
run_under_xvfb "$@"
binary=$1

seed_settings
start_program "$binary"
pid=$PID
wait_for_window "Новый документ - Квиллет" 30 >/dev/null || fail "main window did not appear"
wait_for_setting NormalUnloading False || fail "a running program must leave the mark"
kill -9 "$pid"
wait "$pid" 2>/dev/null || true
[ "$(settings_value NormalUnloading)" = "False" ] || fail "a killed run must leave the mark"

# The next start shows the warning (a message box titled "Квиллет") first.
start_program "$binary"
pid=$PID
warning=$(wait_for_window "Квиллет" 30) || fail "no warning after an unclean exit"
close_window "$warning"
window=$(wait_for_window "Новый документ - Квиллет" 30) || fail "main window did not appear"
sleep 0.5
close_and_expect_clean_exit "$window" "$pid"
[ "$(settings_value NormalUnloading)" = "True" ] || fail "clean exit was not recorded"
echo "unclean exit warning: ok"
