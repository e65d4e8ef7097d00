#!/usr/bin/env bash
# The command-line conventions of the real program: --help and --version (and -h,
# -v) answer on standard output without a display, a window or an error report;
# a file of such a name is still opened as a document; a program that cannot
# reach a display ends with a non-zero status.
source "$(dirname "$0")/lib.sh"
run_under_xvfb "$@"
binary=$1
source_dir=$(cd "$E2E_DIR/../.." && pwd)
expected_version=$(sed -n 's/^project(Quillet VERSION \([0-9.]*\).*/\1/p' "$source_dir/CMakeLists.txt")
[ -n "$expected_version" ] || fail "no version in CMakeLists.txt"

seed_settings
# A private copy of the program: its folder is where an error report would land.
make_temp_dir
app_dir=$TEMP_DIR
cp "$binary" "$app_dir/quillet"
make_temp_dir
work=$TEMP_DIR
export HOME=$work/home XDG_STATE_HOME=$work/state
mkdir -p "$HOME"
cd "$work"

# Table: argument | what standard output must hold.
while IFS='|' read -r argument expected; do
    out=$(env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb "$app_dir/quillet" "$argument" \
          2>"$work/stderr") || fail "$argument: exit status $?"
    [ ! -s "$work/stderr" ] || fail "$argument: wrote to stderr: $(cat "$work/stderr")"
    grep -qF -- "$expected" <<<"$out" || fail "$argument: output lacks '$expected': $out"
done <<TABLE
--help|Использование: quillet [ДОКУМЕНТ [/P | /A | /L]]
-h|ДОКУМЕНТ /L
--version|Квиллет (quillet) $expected_version
-v|Квиллет (quillet) $expected_version
TABLE
[ "$(env -u DISPLAY "$app_dir/quillet" --version)" = "Квиллет (quillet) $expected_version" ] ||
    fail "--version prints more than the version"
[ -z "$(find "$app_dir" "$work" -name QDebug.log)" ] || fail "an error report was written"

# Without a display the program cannot start, and says so with its status.
status=0
(env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb "$app_dir/quillet") 2>/dev/null || status=$?
[ "$status" -ne 0 ] || fail "a program without a display ended with status 0"

# A document named like a request is opened as a document.
printf 'named --version\r\n' > "$work/--version"
"$app_dir/quillet" --version >"$work/stdout" &
pid=$!
window=""
for _ in $(seq 300); do
    window=$(xdotool search --name "[-][-]version.* - Квиллет\$" 2>/dev/null | head -n1 || true)
    [ -n "$window" ] && break
    sleep 0.1
done
[ -n "$window" ] || { kill "$pid"; fail "the file named --version was not opened"; }
[ ! -s "$work/stdout" ] || fail "printed the version instead of opening the file"
# Launchers group the window with the desktop entry by its window class.
wm_class=$(grep '^StartupWMClass=' "$source_dir/packaging/org.quillet.Quillet.desktop" | cut -d= -f2)
xprop -id "$window" WM_CLASS | grep -qF "\"$wm_class\"" ||
    fail "window class $(xprop -id "$window" WM_CLASS) does not match StartupWMClass=$wm_class"
# Read the whole icon before looking in it: grep -q stops at the first match and,
# under pipefail, an xprop still writing the large icon would fail the pipe.
icon=$(xprop -id "$window" _NET_WM_ICON)
grep -q 'Icon (' <<<"$icon" || fail "the window has no icon"
close_window "$window"
wait_for_exit "$pid" 15 || { kill -9 "$pid"; fail "program did not end after close"; }
[ "$EXIT_CODE" = "0" ] || fail "exit code $EXIT_CODE after opening the file"
echo "command line: ok"
