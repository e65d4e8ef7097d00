#!/usr/bin/env bash
# The very first run at a large scale: the default size (10500 x 8550 twips)
# does not fit a 1280 x 1024 screen at twice the scale, and the window is
# brought onto the screen as a stored placement is; at one and a half times it
# fits, and stays centred.
source "$(dirname "$0")/lib.sh"
run_under_xvfb "$@"
binary=$1

# Table: scale | the window's expected outer geometry in screen pixels.
while IFS='|' read -r scale expected; do
    fresh_home
    QT_SCALE_FACTOR=$scale start_program "$binary"
    pid=$PID
    about=$(wait_for_window "О программе" 30) || fail "$scale: the About window did not come first"
    close_window "$about"
    window=$(wait_for_window "Новый документ - Квиллет" 30) || fail "$scale: main window did not appear"
    geometry="" previous=""
    for _ in $(seq 50); do
        sleep 0.2
        xwininfo -id "$window" 2>/dev/null | grep -q IsViewable || continue
        eval "$(xdotool getwindowgeometry --shell "$window")"
        geometry="$X $Y $WIDTH $HEIGHT"
        [ "$geometry" = "$previous" ] && break
        previous=$geometry
    done
    read -r x y width height <<<"$geometry"
    [ "$x" -ge 0 ] && [ "$y" -ge 0 ] && [ $((x + width)) -le 1280 ] && [ $((y + height)) -le 1024 ] ||
        fail "$scale: the first run's window at $x,$y ${width}x$height reaches beyond the screen"
    [ "$geometry" = "$expected" ] || fail "$scale: the window is at $geometry, not $expected"
    close_and_expect_clean_exit "$window" "$pid"
    echo "scale $scale: $geometry"
done <<'TABLE'
2|0 0 1280 1024
1.5|114 84 1050 855
TABLE
echo "first run at a large scale: ok"
