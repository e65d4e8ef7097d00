# Shared helpers for the end-to-end tests: each test runs under its own Xvfb
# (started by run_under_xvfb) with a private settings folder.
set -euo pipefail

E2E_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# Re-runs the calling script under Xvfb unless a display is already there.
run_under_xvfb() {
    if [ -z "${QUILLET_E2E_XVFB:-}" ]; then
        export QUILLET_E2E_XVFB=1
        exec xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" "$@"
    fi
}

# A fresh settings folder holding the store an ordinary earlier run leaves behind.
seed_settings() {
    export XDG_CONFIG_HOME=$(mktemp -d)
    export XDG_RUNTIME_DIR=$(mktemp -d)
    chmod 700 "$XDG_RUNTIME_DIR"
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
