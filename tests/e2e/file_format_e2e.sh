#!/usr/bin/env bash
# Files come back as they went in: UTF-8 stays UTF-8 (with its mark, and when
# "Текст (DOS)" is remembered), an LF document gets LF from Enter, an unedited LF
# file is saved unchanged, and the characters the editor takes for structure
# come back byte for byte.
source "$(dirname "$0")/lib.sh"
run_under_xvfb "$@"
binary=$1

seed_settings
make_temp_dir
dir=$TEMP_DIR

# Opens $1 (named $2 in the caption), presses the keys $3 (none: "-"), saves with
# Ctrl+S and waits for the bytes of file $4.
edit_and_save() { # file caption keys expected what
    local pid window
    start_program "$binary" "$1"
    pid=$PID
    window=$(wait_for_window "$2 - Квиллет" 30) || fail "$5: the window did not appear"
    focus_window "$window"
    [ "$3" = "-" ] || xdotool key --delay 50 $3
    xdotool key ctrl+s
    wait_for_bytes "$1" 20 "$4" || { od -c "$1" | head >&2; fail "$5: the saved bytes differ"; }
    close_and_expect_clean_exit "$window" "$pid"
    echo "$5: ok"
}

printf 'привет\nмир\n' > "$dir/unix.txt"
printf 'xпривет\nмир\n' > "$dir/unix.expected"
edit_and_save "$dir/unix.txt" unix x "$dir/unix.expected" "a UTF-8 LF file edited"

printf '\xef\xbb\xbfабв\r\nгде\r\n' > "$dir/mark.txt"
printf '\xef\xbb\xbfxабв\r\nгде\r\n' > "$dir/mark.expected"
edit_and_save "$dir/mark.txt" mark x "$dir/mark.expected" "the byte-order mark"

printf 'one\ntwo\n' > "$dir/enter.txt"
printf 'one\n\ntwo\n' > "$dir/enter.expected"
edit_and_save "$dir/enter.txt" enter "End Return" "$dir/enter.expected" "Enter in an LF document"

# An unedited save writes the same bytes as a new file in the old one's place.
cp /etc/os-release "$dir/release.txt" 2>/dev/null ||
    printf 'NAME="Debian"\nID=debian\n\n# end\n' > "$dir/release.txt"
cp "$dir/release.txt" "$dir/release.expected"
before=$(stat -c %i "$dir/release.txt")
edit_and_save "$dir/release.txt" release - "$dir/release.expected" "an unedited LF file"
[ "$(stat -c %i "$dir/release.txt")" != "$before" ] || fail "the unedited file was not saved"

# Line separator, paragraph separator, U+FDD0 and U+FDD1, then a CR LF line.
printf 'a\xe2\x80\xa8b\xe2\x80\xa9c\xef\xb7\x90d\xef\xb7\x91e\r\nlast\r\n' > "$dir/marks.txt"
printf 'xa\xe2\x80\xa8b\xe2\x80\xa9c\xef\xb7\x90d\xef\xb7\x91e\r\nlast\r\n' > "$dir/marks.expected"
edit_and_save "$dir/marks.txt" marks x "$dir/marks.expected" "the structure characters"

set_setting TextWindows False
set_setting TextDos True
printf 'ёлка\r\nпалка\r\n' > "$dir/dos.txt"
printf 'xёлка\r\nпалка\r\n' > "$dir/dos.expected"
edit_and_save "$dir/dos.txt" dos x "$dir/dos.expected" "UTF-8 opened with DOS remembered"
