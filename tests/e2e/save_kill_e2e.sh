#!/usr/bin/env bash
# A file with a second name is saved in place. Killed at ten moments of such a
# save of 60 MB, the file holds its old text or its new text, or the next start
# says the save was interrupted and names the copy that holds the old text.
source "$(dirname "$0")/lib.sh"
run_under_xvfb "$@"
binary=$1

seed_settings
set_setting ConfirmFileSize False
make_temp_dir
dir=$TEMP_DIR
python3 - "$dir" <<'PY'
import sys
line = ("строка текста номер %07d, которая будет сохранена на месте\r\n").encode("cp1251")
with open(sys.argv[1] + "/old", "wb") as f:
    n = 0
    while f.tell() < 60 * 1024 * 1024:
        f.write(line.replace(b"%07d", b"%07d" % n))
        n += 1
PY
{ printf 'x'; cat "$dir/old"; } > "$dir/new"
doc="$dir/big.txt"

# The save has begun once the copy of the old text is being written beside it
# (in a temporary of this run's process: a killed round leaves its own behind).
wait_for_copy() {
    for _ in $(seq 3000); do
        compgen -G "$dir/.quillet-save-$pid-*" >/dev/null && return 0
        compgen -G "$dir/big.txt.quillet-old*" >/dev/null && return 0
        sleep 0.005
    done
    return 1
}
now_ms() { echo $(($(date +%s%N) / 1000000)); }

# One whole save first, to spread the kills over the time the file is written:
# from the copy's start until the new text is in place.
# The old text under two names, opened; a key typed and Ctrl+S pressed. Sets
# pid and window.
start_saving() { # what
    cp "$dir/old" "$doc"
    ln -f "$doc" "$dir/second name.txt"
    rm -f "$dir"/big.txt.quillet-old*
    start_program "$binary" "$doc"
    pid=$PID
    window=$(wait_for_window "big - Квиллет" 60) || fail "$1: the window did not appear"
    focus_window "$window"
    xdotool key x ctrl+s
}

start_saving "the whole save"
wait_for_copy || fail "the save did not begin"
began=$(now_ms)
# The save has ended once the new text is in and the copy and the record are
# gone: the new text is synced in place.
saved() {
    [ "$(head -c1 "$doc")" = x ] &&
        [ -z "$(compgen -G "$dir/big.txt.quillet-old*")" ] &&
        [ -z "$(compgen -G "$XDG_STATE_HOME/Quillet/save-*.record")" ]
}
for _ in $(seq 12000); do
    saved && break
    sleep 0.005
done
took_ms=$(( $(now_ms) - began ))
wait_for_bytes "$doc" 60 "$dir/new" || fail "the whole save did not end"
close_and_expect_clean_exit "$window" "$pid"
cmp -s "$dir/new" "$dir/second name.txt" || fail "the second name does not show the saved text"
echo "the save in place ended $took_ms ms after its copy began"

outcomes=""
for round in $(seq 10); do
    start_saving "round $round"
    wait_for_copy || fail "round $round: the save did not begin"
    # Killed at the round's tenth of that time, and a little past it.
    delay_ms=$(( (took_ms + 100) * (2 * round - 1) / 20 ))
    sleep "$((delay_ms / 1000)).$(printf '%03d' $((delay_ms % 1000)))"
    kill -9 "$pid"
    wait "$pid" 2>/dev/null || true

    records=$( (compgen -G "$XDG_STATE_HOME/Quillet/save-*.record" || true) | wc -l)
    if cmp -s "$doc" "$dir/old"; then
        outcome=old
    elif cmp -s "$doc" "$dir/new"; then
        outcome=new
    else
        [ "$records" = 1 ] || fail "round $round: the file is neither old nor new, and no record"
        outcome=copy
    fi
    if [ "$records" = 1 ]; then
        copy=$( (compgen -G "$dir/big.txt.quillet-old*" || true) | head -n1)
        [ -n "$copy" ] && cmp -s "$copy" "$dir/old" || [ "$outcome" != copy ] ||
            fail "round $round: the copy named does not hold the old text"
    fi

    # The next start: the unclean-exit warning, and the interrupted save when a
    # record was left with its copy.
    start_program "$binary"
    pid=$PID
    told=0
    for _ in $(seq 3); do
        message=$(wait_for_window "Квиллет" 20) || break
        close_window "$message"
        told=$((told + 1))
        # The main window exists (unmapped) while the messages before it show.
        sleep 1
        xdotool search --onlyvisible --name "^Новый документ - Квиллет\$" >/dev/null && break
    done
    window=$(wait_for_window "Новый документ - Квиллет" 30) || fail "round $round: no window"
    if [ "$outcome" = copy ] && [ "$told" -lt 2 ]; then
        fail "round $round: the interrupted save was not told"
    fi
    [ -z "$(compgen -G "$XDG_STATE_HOME/Quillet/save-*.record")" ] ||
        fail "round $round: the record stays after it was told"
    close_and_expect_clean_exit "$window" "$pid"
    outcomes="$outcomes $outcome"
done
echo "ten kills during an in-place save:$outcomes: ok"
