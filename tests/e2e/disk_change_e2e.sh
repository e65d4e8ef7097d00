#!/usr/bin/env bash
# Another program's change to the open file: while the document is unchanged it
# is offered for loading within two seconds (Yes, the default, loads it); with
# unsaved changes, Ctrl+S asks before writing over it, and No writes nothing.
source "$(dirname "$0")/lib.sh"
run_under_xvfb "$@"
binary=$1

seed_settings
make_temp_dir
doc="$TEMP_DIR/notes.txt"
printf 'first\r\n' > "$doc"

start_program "$binary" "$doc"
pid=$PID
window=$(wait_for_window "notes - Квиллет" 30) || fail "the document's window did not appear"
sleep 0.5
printf 'second\r\n' > "$doc.new" && mv "$doc.new" "$doc"
question=$(wait_for_window "Квиллет" 3) || fail "a change on disk was not asked about"
focus_window "$question"
xdotool key Return
sleep 0.5
focus_window "$window"
xdotool key --delay 50 x ctrl+s
printf 'xsecond\r\n' > "$TEMP_DIR/expected"
wait_for_bytes "$doc" 20 "$TEMP_DIR/expected" || { od -c "$doc" >&2; fail "the file was not loaded again"; }
echo "a change loaded again: ok"

# Unsaved changes, then another program writes the file: Ctrl+S asks, No keeps
# the other program's text.
xdotool key --delay 50 y
sleep 0.5
printf 'theirs\r\n' > "$doc"
xdotool key ctrl+s
question=$(wait_for_window "Квиллет" 10) || fail "saving over a change did not ask"
close_window "$question"
sleep 1
[ "$(cat "$doc")" = "$(printf 'theirs\r\n')" ] || fail "No wrote over the other program's text"
echo "saving over a change asks: ok"

kill -9 "$pid"
wait "$pid" 2>/dev/null || true
