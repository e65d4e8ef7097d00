#!/usr/bin/env bash
# A real drag and drop from another X client (XDND, as a file manager does it):
# a dropped file is opened as the Open command opens it, after the question
# about unsaved changes; dropped text goes into the document.
source "$(dirname "$0")/lib.sh"
run_under_xvfb "$@"
binary=$1

seed_settings
make_temp_dir
work=$TEMP_DIR
printf 'Dear friend\r\n' > "$work/letter.txt"
uri="file://$work/letter.txt"

drop() { # window kind value: drops at the middle of the window
    local X Y WIDTH HEIGHT SCREEN WINDOW
    eval "$(xdotool getwindowgeometry --shell "$1")"
    python3 "$E2E_DIR/xdnd_drop.py" "$1" $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) "$2" "$3"
}

# An untouched new document: the dropped file replaces it, unmodified.
"$binary" &
pid=$!
window=$(wait_for_window "Новый документ - Квиллет" 30) || fail "main window did not appear"
sleep 0.5
drop "$window" --uri "$uri" || fail "the window did not take the dropped file"
wait_for_window "letter.* - Квиллет" 10 >/dev/null || fail "the dropped file was not opened"
# Opened, not inserted as a link: nothing to ask about, so the window closes.
close_and_expect_clean_exit "$window" "$pid" "closing asked about changes: the file was not opened as a document"

# Dropped text goes into the new document; a file dropped then asks first.
"$binary" &
pid=$!
window=$(wait_for_window "Новый документ - Квиллет" 30) || fail "main window did not appear"
sleep 0.5
drop "$window" --text "вставленный текст" || fail "the window did not take the dropped text"
sleep 0.5
xdotool search --name "^Новый документ - Квиллет\$" >/dev/null || fail "dropped text changed the document's name"
drop "$window" --uri "$uri" || fail "the window did not take the dropped file"
question=$(wait_for_window "Квиллет" 10) || fail "no question about the unsaved text"
xdotool windowfocus --sync "$question" 2>/dev/null || true
xdotool key Escape
sleep 1
xdotool search --name "^Квиллет\$" >/dev/null && fail "the question did not close"
xdotool search --name "^Новый документ - Квиллет\$" >/dev/null || fail "Cancel still opened the file"
kill -9 "$pid" 2>/dev/null || true
wait "$pid" 2>/dev/null || true
echo "drop to open: ok"
