#!/usr/bin/env bash
# Another program owns the clipboard and never answers (it has stopped), and
# takes the clipboard anew every second and a half: the editor starts, types
# and saves in normal time at every change, and Paste gives up within about a
# second, inserting nothing.
source "$(dirname "$0")/lib.sh"
run_under_xvfb "$@"
binary=$1

now_ms() { date +%s%3N; }
# Waits up to 10 s until the document holds exactly the bytes given (printf
# form); prints how long that took in milliseconds.
saved_within() { # printf-bytes since-ms
    printf "$1" > "$TEMP_DIR/expected"
    wait_for_bytes "$doc" 10 "$TEMP_DIR/expected" || fail "not saved: $(od -An -c "$doc")"
    echo $(($(now_ms) - $2))
}

seed_settings
make_temp_dir
doc="$TEMP_DIR/note.txt"
printf 'abc' > "$doc"

python3 "$E2E_DIR/clipboard_owner.py" --hung --retake 1.5 > "$TEMP_DIR/owner" &
for _ in $(seq 50); do
    grep -q owner "$TEMP_DIR/owner" && break
    sleep 0.1
done
grep -q owner "$TEMP_DIR/owner" || fail "the clipboard owner did not start"

started=$(now_ms)
start_program "$binary" "$doc"
pid=$PID
window=$(wait_for_window "note - Квиллет" 30) || fail "the document's window did not appear"
took=$(($(now_ms) - started))
echo "window after ${took} ms"
[ "$took" -lt 2000 ] || fail "the window took ${took} ms to appear"
focus_window "$window"
xdotool key ctrl+End

# A key and Ctrl+S, three times, each over a clipboard that changed meanwhile;
# Ctrl+A first, which works out the Edit menu's items as the menu would.
expected='abc'
for key in x y z; do
    sleep 1.6
    started=$(now_ms)
    xdotool key ctrl+a ctrl+End "$key" ctrl+s
    expected="$expected$key"
    took=$(saved_within "$expected\r\n" "$started")
    echo "key and save after ${took} ms"
    [ "$took" -lt 2000 ] || fail "a key and Ctrl+S took ${took} ms"
done

# Paste waits for the owner less than a second and inserts nothing; the key
# after it is typed and saved at once.
started=$(now_ms)
xdotool key ctrl+v p ctrl+s
took=$(saved_within "${expected}p\r\n" "$started")
echo "paste, key and save after ${took} ms"
[ "$took" -lt 2000 ] || fail "Paste, a key and Ctrl+S took ${took} ms"

started=$(now_ms)
close_and_expect_clean_exit "$window" "$pid"
took=$(($(now_ms) - started))
echo "closed after ${took} ms"
# Closing gives up the read under way rather than wait for its owner.
[ "$took" -lt 5000 ] || fail "closing took ${took} ms"
echo "beside a clipboard owner that never answers: ok"
