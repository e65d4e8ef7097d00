#!/usr/bin/env bash
# Opening a file of 200 MB (dropped on the window) takes long enough to show
# its progress: the window repaints meanwhile (its status bar changes), a key
# pressed meanwhile waits and reaches the opened document, and the saved file
# holds that key and then every byte of the file.
source "$(dirname "$0")/lib.sh"
run_under_xvfb "$@"
binary=$1

seed_settings
set_setting ConfirmFileSize False
make_temp_dir
dir=$TEMP_DIR
python3 - "$dir/big.txt" <<'PY'
import sys
with open(sys.argv[1], "wb") as f:
    n = 0
    while f.tell() < 200 * 1024 * 1024:
        f.write(("строка %07d большого файла, который открывается долго\r\n" % n).encode("cp1251"))
        n += 1
PY
{ printf 'x'; cat "$dir/big.txt"; } > "$dir/expected"

start_program "$binary"
pid=$PID
window=$(wait_for_window "Новый документ - Квиллет" 30) || fail "the window did not appear"
focus_window "$window"
sleep 0.5
eval "$(xdotool getwindowgeometry --shell "$window")"
python3 "$E2E_DIR/xdnd_drop.py" "$window" $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) \
    --uri "file://$dir/big.txt" || fail "the window did not take the dropped file"

# While the window still shows the new document (the open has not ended),
# pictures of it taken one after another differ: the progress was painted. A
# window that did not repaint during the open would give the same picture
# each time.
opening() { xdotool search --name "^Новый документ - Квиллет\$" >/dev/null; }
shots=0
for _ in $(seq 600); do
    opening || break
    import -window "$window" "$dir/shot$shots.png" 2>/dev/null || break
    opening || { rm -f "$dir/shot$shots.png"; break; }
    shots=$((shots + 1))
    [ "$shots" = 3 ] && xdotool key x # waits for the open to end
    sleep 0.2
done
[ "$shots" -ge 4 ] || fail "the open ended too soon to be watched ($shots pictures)"
pictures=$(md5sum "$dir"/shot*.png | cut -d' ' -f1 | sort -u | wc -l)
[ "$pictures" -ge 2 ] || fail "the window did not repaint during the open ($pictures different pictures)"
echo "$shots pictures during the open, $pictures different"

wait_for_window "big - Квиллет" 120 >/dev/null || fail "the file was not opened"
# The key pressed during the open went into the opened document.
sleep 1
xdotool key ctrl+s
wait_for_bytes "$dir/big.txt" 120 "$dir/expected" || fail "the saved file does not hold the key and the old text"
close_and_expect_clean_exit "$window" "$pid"
echo "long open shows its progress, then saves byte for byte: ok"
