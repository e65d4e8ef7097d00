#!/usr/bin/env bash
# The very first run in a fresh home: the About window comes before the main
# window, the settings file is written at once with every key, and a normal
# close marks the first run done and the exit clean.
source "$(dirname "$0")/lib.sh"
run_under_xvfb "$@"
binary=$1

fresh_home
conf="$XDG_CONFIG_HOME/Quillet/Quillet.conf"
[ ! -e "$conf" ] || fail "the home is not fresh"

# Whether a section of the settings file holds a key.
has_key() { # section key
    awk -v section="[$1]" -v key="$2=" '
        $0 == section { inside = 1; next }
        /^\[/ { inside = 0 }
        inside && index($0, key) == 1 { found = 1 }
        END { exit !found }' "$conf"
}
check_every_key() {
    local key
    for key in ResizeInfo DisableSave NoDebug NormalUnloading FirstLoading ConfirmChanges \
        RecentFile FormWindowState FormTop FormLeft FormHeight FormWidth BackColor ToolBar \
        LimitFileType ToolTips NoToolTips ConfirmFileSize StandartMenu TextWindows TextDos \
        TextKoi SetChars Transparent GetMouse StatusBar Alignment; do
        has_key %General "$key" || fail "[%General] $key missing $1"
    done
    for key in ReplaceFlagWW FindFlagWW FindFlagMC; do
        has_key Flags "$key" || fail "[Flags] $key missing $1"
    done
    for key in FontName FontSize FontBold FontItalic FontUnderline FontStrikethru FontColor \
        FontChars QuickBold QuickItalic QuickUnderline; do
        has_key Font "$key" || fail "[Font] $key missing $1"
    done
}

start_program "$binary"
pid=$PID
about=$(wait_for_window "О программе" 30) || fail "the About window did not come first"
if xdotool search --onlyvisible --name "^Новый документ - Квиллет\$" >/dev/null 2>&1; then
    fail "the main window is shown before the About window is closed"
fi
if xdotool search --onlyvisible --name "^Квиллет\$" >/dev/null 2>&1; then
    fail "a first run must not warn about the previous run"
fi
[ -f "$conf" ] || fail "the settings were not written at the first start"
check_every_key "at the first start"
[ "$(settings_value FirstLoading)" = "True" ] || fail "FirstLoading should still be True"

close_window "$about"
window=$(wait_for_window "Новый документ - Квиллет" 30) || fail "main window did not appear"
sleep 0.5
close_and_expect_clean_exit "$window" "$pid"
check_every_key "after closing"
[ "$(settings_value FirstLoading)" = "False" ] || fail "the first run was not marked done"
[ "$(settings_value NormalUnloading)" = "True" ] || fail "clean exit was not recorded"
echo "first run in a fresh home: ok"
