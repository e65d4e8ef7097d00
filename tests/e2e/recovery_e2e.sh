#!/usr/bin/env bash
# Unsaved text survives a kill and the end of the session: after kill -9 (an
# untitled document, then a file's document) the next start warns and offers
# the text back, the file untouched until the user saves; after SIGTERM the
# program ends within two seconds and the next start offers the text without
# a warning.
source "$(dirname "$0")/lib.sh"
run_under_xvfb "$@"
binary=$1

seed_settings
make_temp_dir
dir=$TEMP_DIR
copies="$XDG_STATE_HOME/Quillet"

# The text of this instance's recovery copy (the UTF-16 after its header).
copy_text() { # pid
    python3 - "$copies/recovery-$1.copy" <<'PY'
import sys
data = open(sys.argv[1], "rb").read()
print(data[data.index(b"\n\n") + 2:].decode("utf-16-le"), end="")
PY
}
wait_for_copy_text() { # pid text
    for _ in $(seq 100); do
        [ -f "$copies/recovery-$1.copy" ] && [ "$(copy_text "$1")" = "$2" ] && return 0
        sleep 0.1
    done
    return 1
}
# Closes the messages titled "Квиллет" that come before the main window:
# $1 of them closed (No or OK), then, when $2 is "yes", one answered Yes.
answer_messages() { # closed yes|no
    local message
    for _ in $(seq "$1"); do
        message=$(wait_for_window "Квиллет" 20) || fail "a message did not appear"
        close_window "$message"
        sleep 0.3
    done
    if [ "$2" = yes ]; then
        message=$(wait_for_window "Квиллет" 20) || fail "the unsaved text was not offered"
        focus_window "$message"
        xdotool key Return
    fi
}

# Starts the program with the arguments given, types into its window (titled
# as given) until its copy holds the text expected, kills it, starts it again
# and takes the offered text back. Sets pid.
type_kill_and_take_back() { # title typed copied [arguments...]
    local title=$1 typed=$2 copied=$3
    shift 3
    start_program "$binary" "$@"
    pid=$PID
    window=$(wait_for_window "$title" 30) || fail "no window titled $title"
    focus_window "$window"
    xdotool type --delay 30 "$typed"
    wait_for_copy_text "$pid" "$copied" || fail "no copy holding '$copied' was written"
    kill -9 "$pid"
    wait "$pid" 2>/dev/null || true
    start_program "$binary"
    pid=$PID
    answer_messages 1 yes
}

# An untitled document, killed.
type_kill_and_take_back "Новый документ - Квиллет" "draft text" "draft text"
window=$(wait_for_window "Новый документ - Квиллет" 30) || fail "no window after the offer"
wait_for_copy_text "$pid" "draft text" || fail "the untitled text did not come back"
echo "an untitled document after kill -9: ok"

# The recovered document is given up: a normal close with No leaves no copy.
close_window "$window"
message=$(wait_for_window "Квиллет" 20) || fail "closing did not ask about the changes"
focus_window "$message"
xdotool key Tab space # from the default Yes to No
wait_for_exit "$pid" 15 || { kill -9 "$pid"; fail "the program did not end"; }
[ -z "$(ls -A "$copies" 2>/dev/null | grep recovery- || true)" ] || fail "a copy outlived a normal close"

# A file's document, killed: the file stays as it was until the user saves.
printf 'original\r\n' > "$dir/letter.txt"
type_kill_and_take_back "letter - Квиллет" "new " "new original" "$dir/letter.txt"
window=$(wait_for_window "letter - Квиллет" 30) || fail "the text did not come back tied to its file"
[ "$(cat "$dir/letter.txt")" = "$(printf 'original\r\n')" ] || fail "the file was touched"
focus_window "$window"
xdotool key ctrl+s
printf 'new original\r\n' > "$dir/expected"
wait_for_bytes "$dir/letter.txt" 20 "$dir/expected" || fail "the recovered text was not saved"
close_and_expect_clean_exit "$window" "$pid"
echo "a file's document after kill -9: ok"

# SIGTERM: no question, an end within two seconds, no warning next time.
start_program "$binary"
pid=$PID
window=$(wait_for_window "Новый документ - Квиллет" 30) || fail "no window"
focus_window "$window"
xdotool type --delay 30 "logout"
sleep 0.3
kill -TERM "$pid"
wait_for_exit "$pid" 2 || { kill -9 "$pid"; fail "SIGTERM did not end the program within 2 s"; }
[ "$EXIT_CODE" = 0 ] || fail "SIGTERM ended the program with code $EXIT_CODE"
[ "$(settings_value NormalUnloading)" = True ] || fail "the end of the session was not a clean exit"
start_program "$binary"
pid=$PID
answer_messages 0 yes
window=$(wait_for_window "Новый документ - Квиллет" 30) || fail "no window after SIGTERM"
wait_for_copy_text "$pid" "logout" || fail "the text typed before SIGTERM did not come back"
kill -TERM "$pid"
wait_for_exit "$pid" 5 || fail "the second SIGTERM did not end the program"
echo "SIGTERM with unsaved text: ok"
