#!/usr/bin/env bash
# The context menu from the keyboard: Shift+F10 and the menu key open the
# right button's menu at the caret, and its letters work there (with the Latin
# layout active, S carries the "ы" of "В&ыделить всё"): the whole text is
# selected, a typed letter replaces it and Ctrl+S saves just that.
source "$(dirname "$0")/lib.sh"
run_under_xvfb "$@"
binary=$1

seed_settings
make_temp_dir
work=$TEMP_DIR
printf 'z\r\n' > "$work/expected"

# Table: the key that asks for the menu.
for key in shift+F10 Menu; do
    doc="$work/menu.txt"
    printf 'first line\r\nsecond line\r\n' > "$doc"
    start_program "$binary" "$doc"
    pid=$PID
    window=$(wait_for_window "menu - Квиллет" 30) || fail "$key: the document's window did not appear"
    use_latin_and_russian_layouts
    focus_window "$window"
    sleep 0.5
    before=$(shown_windows "$pid")
    xdotool key "$key"
    menu=$(wait_for_new_window "$pid" "$before") || fail "$key opened no menu"
    # At the caret: the start of the text, near the window's top left.
    eval "$(xdotool getwindowgeometry --shell "$window")"
    window_x=$X window_y=$Y
    eval "$(xdotool getwindowgeometry --shell "$menu")"
    [ $((X - window_x)) -lt 40 ] && [ $((Y - window_y)) -lt 120 ] ||
        fail "$key: the menu is at $X,$Y, not at the caret (window at $window_x,$window_y)"
    xdotool key s
    xdotool type --delay 50 z
    xdotool key ctrl+s
    wait_for_bytes "$doc" 20 "$work/expected" || { od -c "$doc" >&2; fail "$key: the menu's item did not select all"; }
    close_and_expect_clean_exit "$window" "$pid"
    echo "$key: ok"
done
echo "context menu from the keyboard: ok"
