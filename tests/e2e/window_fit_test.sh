#!/usr/bin/env bash
# The real window on a 1280x1024 screen under a window manager: it opens
# inside the screen, title bar included; the window manager's maximize gives
# the tall form (0.96 of the screen high at the top left) and a second one the
# normal window back; at scale 2 it takes the screen's width. (Other screens
# and scales: the window fit test.)
# Usage: window_fit_test.sh PROGRAM OUTPUT_DIR
set -euo pipefail

. "$(dirname "$0")/session.sh"
. "$(dirname "$0")/window.sh"

screen_w=1280 screen_h=1024

# "left top width height" of the window's frame, in the screen's pixels.
frame_rect() {
    local x y w h ext l r t b
    read -r x y w h < <(xwininfo -id "$win_id" 2>/dev/null | sed -n -E \
        's/^ *(Absolute upper-left [XY]|Width|Height): *(-?[0-9]+)$/\2/p' | paste -sd' ') || return 1
    ext="$(xprop -id "$win_id" _NET_FRAME_EXTENTS 2>/dev/null | sed -n 's/.*= *//p' | tr -d ' ')"
    IFS=, read -r l r t b <<<"${ext:-0,0,0,0}"
    echo "$((x - l)) $((y - t)) $((w + l + r)) $((h + t + b))"
}

inside_screen() {
    local l t w h
    read -r l t w h <<<"$(frame_rect)"
    [ "$l" -ge 0 ] && [ "$t" -ge 0 ] && [ $((l + w)) -le "$screen_w" ] && [ $((t + h)) -le "$screen_h" ]
}

# Waits until the frame is "$1" (left top width height), give or take one pixel
# of rounding each, and the window is not maximized.
frame_is() {
    local want=($1) got
    ! xprop -id "$win_id" _NET_WM_STATE 2>/dev/null | grep -q MAXIMIZED || return 1
    read -r -a got <<<"$(frame_rect)"
    for i in 0 1 2 3; do
        [ "${got[$i]}" -ge $((want[i] - 1)) ] && [ "${got[$i]}" -le $((want[i] + 1)) ] || return 1
    done
}

maximize() { wmctrl -i -r "$win_id" -b add,maximized_vert,maximized_horz; }

"$prog" >"$work/prog.log" 2>&1 &
prog_pid=$!
win_id="$(wait_window "$main_title")" || fail "no main window appeared"
wait_for inside_screen || fail "window $(frame_rect) opens beyond the screen"
shot window_fit_opened.png
# Off the left edge, so that the second maximize brings it back there.
xdotool windowmove "$win_id" 200 100
wait_for eval '[ "$(frame_rect | cut -d" " -f1)" -ge 199 ]' || fail "the window did not move"
maximize
# 10335 twips wide (689 at 96 dpi), 0.96 x 1024 high, at the top left.
wait_for frame_is "0 0 689 983" || fail "tall form: $(frame_rect)"
shot window_fit_tall.png
maximize
# 10335 x 8730 twips back at its left edge, below the top.
wait_for frame_is "200 0 689 582" || fail "restored: $(frame_rect)"
close_program

# At scale 2 the design is wider than the screen: the window takes the
# screen's width (less the rounding of the frame to whole scaled pixels), and
# the frame, known only once shown, lowers the minimum so the tall form fits.
QT_SCALE_FACTOR=2 "$prog" >"$work/prog.log" 2>&1 &
prog_pid=$!
win_id="$(wait_window "$main_title")" || fail "no main window appeared at scale 2"
wait_for inside_screen || fail "scale 2: window $(frame_rect) opens beyond the screen"
read -r _ _ w _ <<<"$(frame_rect)"
[ "$w" -ge $((screen_w - 4)) ] || fail "scale 2: window $(frame_rect) narrower than the screen"
maximize
wait_for eval '! xprop -id "$win_id" _NET_WM_STATE 2>/dev/null | grep -q MAXIMIZED' || fail "scale 2: maximize kept"
wait_for inside_screen || fail "scale 2: tall form $(frame_rect) beyond the screen"
shot window_fit_x2_tall.png
close_program
echo "PASS: e2e window fit (screenshots in $outdir)"
