#!/usr/bin/env bash
# The menus' letters with the Latin layout active (the X server has a Latin and
# a Russian layout, as most Russian users do): Alt+A opens "Файл", whose letter
# Ф lies on that key in the Russian layout, and inside the open menu the key of
# "В&ыход"'s letter (Latin S) ends the program. An Alt key that matches no menu
# types nothing: Ctrl+S then leaves the file's bytes as they were.
source "$(dirname "$0")/lib.sh"
run_under_xvfb "$@"
binary=$1
command -v setxkbmap >/dev/null || fail "setxkbmap is missing (x11-xkb-utils)"

seed_settings
make_temp_dir
doc="$TEMP_DIR/keys.txt"
printf 'Quillet\r\n' > "$doc"
cp "$doc" "$TEMP_DIR/original"
printf 'xQuillet\r\n' > "$TEMP_DIR/typed"

start_program "$binary" "$doc"
pid=$PID
window=$(wait_for_window "keys - Квиллет" 30) || fail "the document's window did not appear"
use_latin_and_russian_layouts
focus_window "$window"
sleep 0.5
before=$(shown_windows "$pid")

# Table: Alt keys that match no menu in either layout (й ц я 1 ю).
for key in alt+q alt+w alt+z alt+1 alt+period alt+shift+q; do
    xdotool key "$key"
done
xdotool key ctrl+s
sleep 1
cmp -s "$doc" "$TEMP_DIR/original" || { od -c "$doc" >&2; fail "an unmatched Alt key changed the file"; }
[ "$(shown_windows "$pid")" = "$before" ] || fail "an unmatched Alt key opened a menu"
# The keys above were handled before these: a typed x is saved alone.
xdotool type --delay 50 x
xdotool key ctrl+s
wait_for_bytes "$doc" 20 "$TEMP_DIR/typed" || { od -c "$doc" >&2; fail "the typed x was not saved alone"; }

# Alt+A opens a menu: a window of the program appears below the menu bar, at
# the left, where "Файл" is.
xdotool key alt+a
menu=$(wait_for_new_window "$pid" "$before") || fail "Alt+A with the Latin layout opened no menu"
eval "$(xdotool getwindowgeometry --shell "$window")"
window_x=$X
eval "$(xdotool getwindowgeometry --shell "$menu")"
[ $((X - window_x)) -lt 50 ] || fail "the menu Alt+A opened is not the first one (at x $X)"

# S carries "ы" in the Russian layout: "В&ыход" ends the program.
xdotool key s
wait_for_exit "$pid" 15 || { kill -9 "$pid"; fail "S in the open File menu did not end the program"; }
[ "$EXIT_CODE" = "0" ] || fail "exit code $EXIT_CODE"
cmp -s "$doc" "$TEMP_DIR/typed" || fail "the letter S was typed into the document"
echo "menus' letters with the Latin layout: ok"
