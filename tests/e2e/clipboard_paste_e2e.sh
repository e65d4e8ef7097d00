#!/usr/bin/env bash
# Text copied in another program is pasted: a short Russian text with a line
# break, taken over when the other program takes the clipboard while the editor
# runs, and a large text, which comes over in pieces.
source "$(dirname "$0")/lib.sh"
run_under_xvfb "$@"
binary=$1

# Starts the clipboard owner with the given arguments and waits until it owns
# the clipboard; sets OWNER.
start_owner() {
    python3 "$E2E_DIR/clipboard_owner.py" "$@" > "$TEMP_DIR/owner" &
    OWNER=$!
    for _ in $(seq 50); do
        grep -q owner "$TEMP_DIR/owner" && return 0
        sleep 0.1
    done
    fail "the clipboard owner did not start"
}

seed_settings
make_temp_dir
doc="$TEMP_DIR/note.txt"
printf '' > "$doc"

start_program "$binary" "$doc"
pid=$PID
window=$(wait_for_window "note - Квиллет" 30) || fail "the document's window did not appear"
focus_window "$window"

# Taken while the editor runs: the editor reads it at the change.
start_owner --text "$(printf 'Привет,\nмир')"
sleep 0.5
xdotool key ctrl+v ctrl+s
printf 'Привет,\r\nмир\r\n' | iconv -f UTF-8 -t CP1251 > "$TEMP_DIR/expected"
wait_for_bytes "$doc" 10 "$TEMP_DIR/expected" ||
    fail "the copied text was not pasted: $(od -An -c "$doc" | head -n 3)"
kill "$OWNER"
wait "$OWNER" 2>/dev/null || true

# 300 000 characters: more than one piece.
start_owner --size 300000
sleep 0.5
xdotool key ctrl+a ctrl+v ctrl+s
{
    head -c 300000 < <(yes 0123456789 | tr -d '\n')
    printf '\r\n'
} > "$TEMP_DIR/expected"
wait_for_bytes "$doc" 10 "$TEMP_DIR/expected" ||
    fail "the large text was not pasted whole: $(stat -c %s "$doc") bytes"

close_and_expect_clean_exit "$window" "$pid"
echo "paste from another program: ok"
