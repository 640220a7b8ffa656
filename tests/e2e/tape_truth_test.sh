#!/usr/bin/env bash
# The tape stays what was typed, whatever the screen does: moving through the
# lines under fixed decimals rewrites nothing, quick taps on a key each count,
# a clicked operator button leaves the typing on the tape, and a resize keeps
# the line the caret is in. Checked through "Copy Numbers..." and the total.
#
# Usage: tape_truth_test.sh PROGRAM OUTPUT_DIR
set -euo pipefail

. "$(dirname "$0")/session.sh"
. "$(dirname "$0")/window.sh"

start_program "\"$work/settings.cal\""

# 1. Decimals 0, then Down through the lines, then Variable: still 2.5 each.
xdotool type --delay 40 '2.5'
xdotool key Return
xdotool type --delay 40 '2.5'
xdotool key Return
xdotool type --delay 40 '2.5'
menu_keys d Return            # "0", the first item
click_rect "$win_id" "$(row_rect 0)" "$menu_h"
xdotool key --delay 60 Down Down
menu_keys d Up Return         # "Variable", the last item
clip="$(copy_numbers)"
first3="$(head -n3 <<<"$clip" | paste -sd' ')"
[ "$first3" = "2.5 2.5 2.5" ] || fail "after moving under Decimals 0 the tape holds '$first3'"
total="$(read_total)"
[ "$total" = "7.5" ] || fail "total after moving: '$total'"

# 2. Four quick taps on "1" on line 3.
click_rect "$win_id" "$(row_rect 3)" "$menu_h"
mapfile -t rects < <(keypad_rects)
read -r l t w h <<<"${rects[1]}"
xdotool mousemove --window "$win_id" $((l + w / 2)) $((t + h / 2 + menu_h)) click --repeat 4 --delay 60 1
sleep 0.05

# 3. The operator button of line 4 (+ becomes -), then 5 typed: it goes to line 3's next line.
click_rect "$win_id" "$(row_rect 4)" "$menu_h"
click_rect "$win_id" "$(op_rect 4)" "$menu_h"
xdotool type --delay 40 '5'
clip="$(copy_numbers)"
first5="$(head -n5 <<<"$clip" | paste -sd' ')"
[ "$first5" = "2.5 2.5 2.5 1111 5" ] || fail "taps and the operator button gave '$first5'"
total="$(read_total)"
[ "$total" = "1113.5" ] || fail "total with the - line: '$total'"   # 7.5 + 1111 - 5

# 4. A resize keeps the caret's line: 25 lines, the caret on line 24, then a taller window.
click_rect "$win_id" "$(row_rect 5)" "$menu_h"
for _ in $(seq 19); do xdotool key Return; done
xdotool type --delay 40 '11'
xdotool windowsize "$win_id" 671 $((466 + menu_h + 80))
for _ in $(seq 100); do
    [ "$(xwininfo -id "$win_id" | sed -n 's/^ *Height: *//p')" -gt $((466 + menu_h)) ] && break
    sleep 0.05
done
xdotool type --delay 40 '9'
shot tape_truth_e2e.png
clip="$(copy_numbers)"
line24="$(sed -n 25p <<<"$clip")"
line23="$(sed -n 24p <<<"$clip")"
[ "$line24" = "119" ] || fail "after the resize line 24 holds '$line24'"
[ "$line23" = "0" ] || fail "after the resize line 23 holds '$line23'"

close_program
echo "PASS: e2e tape truth (screenshot $outdir/tape_truth_e2e.png)"
