#!/usr/bin/env bash
# A damaged settings file is kept aside byte for byte before the store starts
# again, with every sound value of it kept; one that cannot be read is left
# exactly as it is, and the program runs with its defaults.
source "$(dirname "$0")/lib.sh"
run_under_xvfb "$@"
binary=$1

conf() { echo "$XDG_CONFIG_HOME/Quillet/Quillet.conf"; }

# Starts the program, waits for its window and closes it; it must end cleanly.
# A store that holds nothing any more is a first run: the About window comes
# first and is closed.
run_once() {
    start_program "$binary"
    local pid=$PID window="" about
    for _ in $(seq 300); do
        about=$(xdotool search --onlyvisible --name '^О программе$' 2>/dev/null | head -n1 || true)
        [ -z "$about" ] || close_window "$about"
        window=$(xdotool search --onlyvisible --name '^Новый документ - Квиллет$' 2>/dev/null |
            head -n1 || true)
        [ -z "$window" ] || break
        sleep 0.1
    done
    [ -n "$window" ] || fail "$1: the window did not appear"
    sleep 0.5
    close_and_expect_clean_exit "$window" "$pid" "$1: the program did not end after close"
}

# Every line of the store is a section heading, a "Key=value" line with a
# plain key, or blank: nothing of the junk was kept.
store_is_clean() {
    ! LC_ALL=C grep -a -v -E '^(\[[%A-Za-z]+\]|[A-Za-z]+=.*|)$' "$(conf)" >/dev/null
}

# Damaged files: how each is made, and whether its sound values outlive it.
damage_binary() { head -c 2000000 /dev/urandom > "$(conf)"; }
damage_random() { head -c 4096 /dev/urandom > "$(conf)"; }
damage_line() {
    set_setting StatusBar False
    sed -i 's|^ToolBar=True$|ToolBar=True\nthis line has no equals sign|' "$(conf)"
}
for kind in binary random line; do
    seed_settings
    "damage_$kind"
    cp "$(conf)" "$TEMP_DIR/original"
    # An earlier damaged file is there already: this one goes beside it.
    printf 'older' > "$(conf).damaged"
    run_once "$kind"
    cmp -s "$(conf).damaged.1" "$TEMP_DIR/original" || fail "$kind: not kept aside byte for byte"
    [ "$(cat "$(conf).damaged")" = older ] || fail "$kind: the earlier damaged file was touched"
    store_is_clean || fail "$kind: junk stayed in the store: $(head -c 300 "$(conf)" | od -c | head)"
    [ "$(settings_value NormalUnloading)" = True ] || fail "$kind: the store was not written"
    if [ "$kind" = line ]; then
        [ "$(settings_value StatusBar)" = False ] || fail "line: a sound value was lost"
        [ "$(settings_value FormLeft)" = 4350 ] || fail "line: the placement was lost"
    fi
    # The next run finds a sound store: nothing more is kept aside.
    run_once "$kind, again"
    [ ! -e "$(conf).damaged.2" ] || fail "$kind: the cleaned store was kept aside again"
    echo "$kind: ok"
done

# Files that cannot be read: each is left exactly as it was.
unreadable=(folder pipe)
# A privileged user reads any file whatever its permissions.
[ "$(id -u)" -ne 0 ] && unreadable+=(permissions)
for kind in "${unreadable[@]}"; do
    seed_settings
    case "$kind" in
    folder) rm "$(conf)" && mkdir -p "$(conf)/inside" ;;
    pipe) rm "$(conf)" && mkfifo "$(conf)" ;;
    permissions) chmod 000 "$(conf)" ;;
    esac
    before=$(stat -c '%F %a %s %Y' "$(conf)")
    run_once "$kind"
    [ "$(stat -c '%F %a %s %Y' "$(conf)")" = "$before" ] || fail "$kind: the store was written"
    [ "$kind" != folder ] || [ -d "$(conf)/inside" ] || fail "folder: its contents were touched"
    [ -z "$(ls "$(dirname "$(conf)")" | grep -v '^Quillet.conf$')" ] ||
        fail "$kind: something was put beside it: $(ls "$(dirname "$(conf)")")"
    echo "$kind: ok"
done
echo "damaged and unreadable settings: ok"
