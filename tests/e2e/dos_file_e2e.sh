#!/usr/bin/env bash
# A DOS text file named on the command line opens converted to Windows text;
# a character typed and Ctrl+S write it back as Windows-1251 with CR LF breaks
# and a final CR LF.
source "$(dirname "$0")/lib.sh"
run_under_xvfb "$@"
binary=$1

seed_settings
set_setting TextWindows False
set_setting TextDos True
make_temp_dir
doc="$TEMP_DIR/письмо.txt"
# "Привет" CR LF "мир" in code page 866.
printf '\x8f\xe0\xa8\xa2\xa5\xe2\r\n\xac\xa8\xe0' > "$doc"
expected="$TEMP_DIR/expected"
# "x" typed at the caret (the start), the rest in Windows-1251.
printf 'x\xcf\xf0\xe8\xe2\xe5\xf2\r\n\xec\xe8\xf0\r\n' > "$expected"

start_program "$binary" "$doc"
pid=$PID
window=$(wait_for_window "письмо - Квиллет" 30) || fail "the document's window did not appear"
focus_window "$window"
xdotool type --delay 50 x
xdotool key ctrl+s
wait_for_bytes "$doc" 20 "$expected" || { od -c "$doc" >&2; fail "the saved bytes differ"; }

close_and_expect_clean_exit "$window" "$pid"
echo "DOS file from the command line, typed and saved: ok"
