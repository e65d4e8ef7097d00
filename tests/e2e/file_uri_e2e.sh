#!/usr/bin/env bash
# A file URI on the command line (as file managers and launchers hand files
# over) opens the file it names; a URI of another scheme gets the message any
# missing file gets.
source "$(dirname "$0")/lib.sh"
run_under_xvfb "$@"
binary=$1

seed_settings
make_temp_dir
dir="$TEMP_DIR/мои тексты"
mkdir -p "$dir"
printf 'uri\r\n' > "$dir/отчёт 100%.txt"
# The folder and the name percent-encoded, each byte of their UTF-8.
encoded=$(python3 -c 'import sys, urllib.parse; print(urllib.parse.quote(sys.argv[1]))' "$dir/отчёт 100%.txt")

# Table: the argument.
while read -r uri; do
    start_program "$binary" "$uri"
    pid=$PID
    window=$(wait_for_window "отчёт 100% - Квиллет" 30) || fail "$uri: the file was not opened"
    close_and_expect_clean_exit "$window" "$pid"
    echo "$uri: opened"
done <<TABLE
file://$encoded
file://localhost$encoded
FILE://LOCALHOST$encoded
TABLE

# Another scheme: the cannot-open message, and the new document.
start_program "$binary" "http://example.org/a.txt"
pid=$PID
message=$(wait_for_window "Квиллет" 30) || fail "no message for a URI of another scheme"
close_window "$message"
window=$(wait_for_window "Новый документ - Квиллет" 30) || fail "the new document did not follow"
close_and_expect_clean_exit "$window" "$pid"
echo "file URIs on the command line: ok"
