# Shared helpers for the end-to-end tests: each test runs under its own Xvfb
# (started by run_under_xvfb) with a private settings folder.
set -euo pipefail

E2E_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

# The program runs on the X server these tests start, whatever the calling
# environment asks for (a headless test run sets QT_QPA_PLATFORM=offscreen).
export QT_QPA_PLATFORM=xcb
unset WAYLAND_DISPLAY
# xdotool matches the Russian window titles only under a UTF-8 locale; a test
# run started from a bare environment (no LANG) would not find any window.
export LC_ALL=C.UTF-8

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# Everything a test started is stopped, and its folders removed, however the
# test ends.
E2E_DIRS=()
e2e_cleanup() {
    local pid
    # The background jobs of this shell not yet waited for: what the test started.
    for pid in $(jobs -p); do
        kill -9 "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    if [ "${#E2E_DIRS[@]}" -gt 0 ]; then
        rm -rf "${E2E_DIRS[@]}"
    fi
}
trap e2e_cleanup EXIT
trap 'exit 130' INT TERM

# Starts the program with the given arguments in the background; sets PID.
start_program() { # binary [arguments...]
    "$@" &
    PID=$!
}

# A temporary folder removed when the test ends; sets TEMP_DIR.
make_temp_dir() {
    TEMP_DIR=$(mktemp -d)
    E2E_DIRS+=("$TEMP_DIR")
}

# Re-runs the calling script under an Xvfb of its own unless a display is already
# there. Xvfb picks a free display number itself (-displayfd), so tests running
# at the same time, from two test runs or two clones, never race for one number
# as xvfb-run -a can. Only local clients can reach it (-nolisten tcp). It does
# not reset when its last client leaves (-noreset): a program started while it
# resets after the previous one ended could not connect.
run_under_xvfb() {
    if [ -n "${QUILLET_E2E_XVFB:-}" ]; then
        return 0
    fi
    export QUILLET_E2E_XVFB=1
    trap - EXIT
    local dir xvfb status=0
    dir=$(mktemp -d)
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$dir/display" 2>"$dir/log" &
    xvfb=$!
    trap 'kill "$xvfb" 2>/dev/null; wait "$xvfb" 2>/dev/null; rm -rf "$dir"' EXIT
    # Xvfb writes its display number once it accepts clients.
    for _ in $(seq 100); do
        grep -q '^[0-9]' "$dir/display" 2>/dev/null && break
        kill -0 "$xvfb" 2>/dev/null || break
        sleep 0.1
    done
    grep -q '^[0-9]' "$dir/display" 2>/dev/null || fail "Xvfb did not start: $(cat "$dir/log")"
    DISPLAY=:$(head -n1 "$dir/display") bash ${QUILLET_E2E_TRACE:+-x} "$0" "$@" || status=$?
    exit "$status"
}

# Fresh settings, state and runtime folders, with no settings in them (a first
# run).
fresh_home() {
    make_temp_dir
    export XDG_CONFIG_HOME=$TEMP_DIR
    make_temp_dir
    export XDG_STATE_HOME=$TEMP_DIR
    make_temp_dir
    export XDG_RUNTIME_DIR=$TEMP_DIR
    chmod 700 "$XDG_RUNTIME_DIR"
}

# The lock file that tells a second instance another one runs.
lock_file() { echo "$XDG_RUNTIME_DIR/quillet-$(id -u).lock"; }

# A fresh settings folder holding the store an ordinary earlier run leaves behind.
seed_settings() {
    fresh_home
    mkdir -p "$XDG_CONFIG_HOME/Quillet"
    cat > "$XDG_CONFIG_HOME/Quillet/Quillet.conf" <<'CONF'
[%General]
ResizeInfo=False
DisableSave=False
NoDebug=True
NormalUnloading=True
FirstLoading=False
ConfirmChanges=True
RecentFile=
FormWindowState=0
FormTop=3405
FormLeft=4350
FormHeight=8550
FormWidth=10500
BackColor=16777215
ToolBar=True
LimitFileType=True
ToolTips=True
NoToolTips=False
ConfirmFileSize=True
StandartMenu=False
TextWindows=True
TextDos=False
TextKoi=False
SetChars=True
Transparent=False
GetMouse=False
StatusBar=True
Alignment=0

[Flags]
ReplaceFlagWW=0
FindFlagWW=0
FindFlagMC=0

[Font]
FontName=MS Sans Serif
FontSize=10
FontBold=False
FontItalic=False
FontUnderline=False
FontStrikethru=False
FontColor=-2147483640
FontChars=204
QuickBold=False
QuickItalic=False
QuickUnderline=False
CONF
}

settings_value() { # key
    grep -E "^$1=" "$XDG_CONFIG_HOME/Quillet/Quillet.conf" | head -n1 | cut -d= -f2-
}

# Waits up to $3 seconds (default 10) until the store says $1=$2. The program
# writes its running mark just after its window appears, so a loaded machine
# may show the window a moment before the store says so.
wait_for_setting() { # key value [seconds]
    local seconds=${3:-10}
    for _ in $(seq $((seconds * 10))); do
        [ "$(settings_value "$1")" = "$2" ] && return 0
        sleep 0.1
    done
    return 1
}

# Waits up to $2 seconds for a window whose name is exactly $1; prints its id.
wait_for_window() {
    local name=$1 seconds=${2:-20} id=""
    for _ in $(seq $((seconds * 10))); do
        id=$(xdotool search --name "^${name}\$" 2>/dev/null | head -n1 || true)
        if [ -n "$id" ]; then
            echo "$id"
            return 0
        fi
        sleep 0.1
    done
    return 1
}

close_window() { python3 "$E2E_DIR/xclose.py" "$1"; }

# The program's windows that are mapped now: its main window, and its menus
# while they are open.
shown_windows() { xdotool search --onlyvisible --pid "$1" 2>/dev/null | sort; }

# Waits up to 5 s for a window of process $1 that was not among the shown
# windows $2 (from shown_windows), and prints its id.
wait_for_new_window() { # pid shown-before
    local id=""
    for _ in $(seq 50); do
        id=$(comm -13 <(echo "$2") <(shown_windows "$1") | head -n1)
        if [ -n "$id" ]; then
            echo "$id"
            return 0
        fi
        sleep 0.1
    done
    return 1
}

# Waits up to $2 seconds for process $1 (a child of this shell) to end and sets
# EXIT_CODE; fails when it is still running then.
wait_for_exit() {
    local pid=$1 seconds=${2:-10}
    for _ in $(seq $((seconds * 10))); do
        if ! kill -0 "$pid" 2>/dev/null; then
            EXIT_CODE=0
            wait "$pid" || EXIT_CODE=$?
            return 0
        fi
        sleep 0.1
    done
    return 1
}

# Closes window $1 of the program running as $2, as the close button does, and
# fails unless the program then ends by itself with exit code 0. $3 says what
# a program still running means (default: it did not end after close).
close_and_expect_clean_exit() { # window pid [meaning]
    close_window "$1"
    wait_for_exit "$2" 15 || { kill -9 "$2"; fail "${3:-program did not end after close}"; }
    [ "$EXIT_CODE" = "0" ] || fail "exit code $EXIT_CODE"
}

# Sets one key of the settings file to a value.
set_setting() { # key value
    sed -i "s|^$1=.*|$1=$2|" "$XDG_CONFIG_HOME/Quillet/Quillet.conf"
}

# Waits up to $2 seconds until file $1 holds exactly the bytes of file $3.
wait_for_bytes() { # file seconds expected-file
    for _ in $(seq $(($2 * 10))); do
        if cmp -s "$1" "$3"; then
            return 0
        fi
        sleep 0.1
    done
    return 1
}

# Gives the keyboard to a window (there is no window manager to do it).
focus_window() { xdotool windowfocus --sync "$1"; }

# Gives the keyboard a Latin (active) and a Russian layout, as most Russian
# users have. Run while the program is connected: the X server goes back to its
# own keyboard map whenever its last client leaves.
use_latin_and_russian_layouts() {
    setxkbmap -layout us,ru || fail "setxkbmap failed (x11-xkb-utils)"
    setxkbmap -query | grep -q '^layout: *us,ru$' || fail "the X server did not take the layouts us,ru"
}
