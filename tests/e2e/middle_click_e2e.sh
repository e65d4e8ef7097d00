#!/usr/bin/env bash
# A middle click on the editor in the standard-menu mode changes nothing: the
# text selected with the mouse (X11's primary selection) is not pasted.
source "$(dirname "$0")/lib.sh"
run_under_xvfb "$@"
binary=$1

seed_settings
set_setting StandartMenu True
make_temp_dir
doc="$TEMP_DIR/note.txt"
printf 'alpha beta' > "$doc"

start_program "$binary" "$doc"
pid=$PID
window=$(wait_for_window "note - Квиллет" 30) || fail "the document's window did not appear"
focus_window "$window"
# A double click on the first line selects a word with the mouse, which makes it
# the primary selection; the middle click goes below the text.
xdotool mousemove --window "$window" 20 72 click --repeat 2 --delay 80 1
xdotool mousemove --window "$window" 200 300 click 2
# The word is still selected (the middle click neither pasted nor moved the
# caret): typing replaces it. This also shows the double click did select.
xdotool type --delay 50 Z
xdotool key ctrl+s
saved=""
for _ in $(seq 200); do
    saved=$(od -An -c "$doc" | tr -s ' ')
    case "$saved" in
    " Z b e t a \r \n"|" a l p h a Z \r \n") break ;;
    esac
    sleep 0.1
done
case "$saved" in
" Z b e t a \r \n"|" a l p h a Z \r \n") ;;
*) fail "the middle click changed the document: $saved" ;;
esac

close_and_expect_clean_exit "$window" "$pid"
echo "middle click in the standard-menu mode: ok"
