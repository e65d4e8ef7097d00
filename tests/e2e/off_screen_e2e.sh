#!/usr/bin/env bash
# A window stored on a larger monitor (here: far beyond the 1280x1024 screen, or
# larger than it) is brought back onto the screen; the corrected placement is
# what the next run finds, and a placement that fits is kept exactly.
source "$(dirname "$0")/lib.sh"
run_under_xvfb "$@"
binary=$1
make_temp_dir
work=$TEMP_DIR

set_stored() { # left top width height, in twips
    local conf=$XDG_CONFIG_HOME/Quillet/Quillet.conf
    sed -i "s/^FormLeft=.*/FormLeft=$1/; s/^FormTop=.*/FormTop=$2/" "$conf"
    sed -i "s/^FormWidth=.*/FormWidth=$3/; s/^FormHeight=.*/FormHeight=$4/" "$conf"
}

run_once() { # starts the program, writes X Y WIDTH HEIGHT of its window to $work/geometry, closes it
    local X Y WIDTH HEIGHT SCREEN WINDOW window pid
    "$binary" &
    pid=$!
    window=$(wait_for_window "Новый документ - Квиллет" 30) || fail "main window did not appear"
    # The placement counts once the window is shown and has stopped moving: a
    # busy machine can map it a moment after its name appears.
    local previous="" current=""
    for _ in $(seq 50); do
        sleep 0.2
        xwininfo -id "$window" 2>/dev/null | grep -q IsViewable || continue
        eval "$(xdotool getwindowgeometry --shell "$window")"
        current="$X $Y $WIDTH $HEIGHT"
        [ "$current" = "$previous" ] && break
        previous=$current
    done
    echo "$current" >"$work/geometry"
    close_window "$window"
    wait_for_exit "$pid" 15 || { kill -9 "$pid"; fail "program did not end after close"; }
}

stored() { echo "$(settings_value FormLeft) $(settings_value FormTop) $(settings_value FormWidth) $(settings_value FormHeight)"; }

seed_settings
# Table: stored placement in twips | what it stands for.
while IFS='|' read -r placement what; do
    set_stored $placement
    run_once
    read -r x y width height <"$work/geometry"
    [ "$x" -ge 0 ] && [ "$y" -ge 0 ] && [ $((x + width)) -le 1280 ] && [ $((y + height)) -le 1024 ] ||
        fail "$what: window at $x,$y ${width}x$height reaches beyond the screen"
    read -r left top stored_width stored_height <<<"$(stored)"
    [ $((left + stored_width)) -le 19200 ] && [ $((top + stored_height)) -le 15360 ] && [ "$left" -ge 0 ] && [ "$top" -ge 0 ] ||
        fail "$what: the store still holds a placement off the screen: $(stored)"

    # The corrected placement fits: the next run keeps it and stores it unchanged.
    before=$(stored)
    run_once
    read -r x2 y2 width2 height2 <"$work/geometry"
    [ "$x2 $y2 $width2 $height2" = "$x $y $width $height" ] ||
        fail "$what: a placement that fits moved: $x $y $width $height -> $x2 $y2 $width2 $height2"
    [ "$(stored)" = "$before" ] || fail "$what: a placement that fits was stored as $(stored), not $before"
    echo "$what: $x,$y ${width}x$height"
done <<'TABLE'
60000 30000 10500 8550|3/4 beyond the right and bottom edges
-90000 -6000 10500 8550|left of and above the screen
60000 30000 30000 21000|beyond the screen and larger than it
TABLE
echo "off-screen window: ok"
