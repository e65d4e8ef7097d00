#!/usr/bin/env bash
# Starts the real program, waits for its main window, closes it with the window's
# close button and checks that it ended cleanly and marked the clean exit.
source "$(dirname "$0")/lib.sh"
run_under_xvfb "$@"
binary=$1

seed_settings
start_program "$binary"
pid=$PID

window=$(wait_for_window "Новый документ - Квиллет" 30) || fail "main window did not appear"
sleep 0.5
# While the program runs, the store says it has not closed cleanly.
wait_for_setting NormalUnloading False || fail "store should say the program is running"

close_and_expect_clean_exit "$window" "$pid"
[ "$(settings_value NormalUnloading)" = "True" ] || fail "clean exit was not recorded"
echo "startup and close: ok"
