#!/usr/bin/env bash
# What the window shows is what the tape holds, checked through "Copy
# Numbers..." and the grand total. Usage: edit_truth_test.sh PROGRAM OUTPUT_DIR
set -euo pipefail

. "$(dirname "$0")/session.sh"
. "$(dirname "$0")/window.sh"

tape_line() { sed -n "${1}p" <<<"$(copy_numbers)"; }

start_program "\"$work/settings.cal\""

# 1. A keypad operator on a past line: 10, 5, then "x" on line 1's row.
xdotool type --delay 40 '10'; xdotool key Return; xdotool type --delay 40 '5'
click_row 0
keypad 14
expect_total 50 "keypad x on line 1"

# 2. Pasting texts that are no number into line 2 changes nothing.
for text in '12.3.4' 'abc' '5-3'; do
    click_row 1
    set_selection clipboard '%s' "$text"
    xdotool key ctrl+a ctrl+v
done
shot edit_truth_refused.png
[ "$(tape_line 2)" = "5" ] || fail "after refused pastes line 2 holds '$(tape_line 2)'"
expect_total 50 "refused pastes"

# 3. "7." typed, Decimals 0 chosen, then 5: the line is 7.5.
click_row 2
xdotool type --delay 40 '7.'
menu_keys d Return            # "0", the first item
xdotool type --delay 40 '5'
menu_keys d Up Return         # "Variable", the last item
[ "$(tape_line 3)" = "7.5" ] || fail "Decimals while typing gave '$(tape_line 3)'"
expect_total 57.5 "10 x 5 + 7.5"

# 4. Thirty lines 10..300 below; line 6 edited, three wheel notches down,
# then 2 typed: it lands on line 6, now out of view.
click_row 3
for i in $(seq 4 30); do xdotool type --delay 30 "$((i * 10))"; xdotool key Return; done
xdotool key --delay 40 Prior Prior Prior Prior
click_row 5; xdotool key End
read -r l t w h <<<"$(row_rect 8)"
xdotool mousemove --window "$win_id" $((l + w / 2)) $((t + h / 2 + menu_h)) click --repeat 3 --delay 80 5
xdotool type --delay 40 '2'
shot edit_truth_scrolled.png
[ "$(tape_line 6)" = "602" ] || fail "after the wheel the 2 went elsewhere: line 6 holds '$(tape_line 6)'"
[ "$(tape_line 15)" = "150" ] || fail "line 15 holds '$(tape_line 15)'"

# 5. On the last line (Enter left it at 0): 9, Undo, Enter, then Redo and 4.
# Redo has nothing to bring back, so the 4 goes to the new line.
xdotool key --delay 40 Next Next Next Next End
xdotool type --delay 40 '9'; xdotool key ctrl+z Return ctrl+y; xdotool type --delay 40 '4'
end="$(copy_numbers | sed -n '30,32p' | paste -sd' ')"
[ "$end" = "300 0 4" ] || fail "Enter after Undo, then Redo: lines 30..32 are '$end'"

# 6. "Paste Numbers..." from a clipboard another program (xclip) owns: the
# tape becomes the pasted lines, with the separators dropped, 0 for text that
# is no number, and none of the rows' padding copied back.
set_selection clipboard '%s' "$(printf '1,234.5\r\n7\r\nabc\r\n-2.25')"
menu_keys o p
shot edit_truth_pasted.png
clip="$(copy_numbers)"
[ "$(paste -sd' ' <<<"$clip")" = "1234.5 7 0 -2.25" ] || fail "after Paste Numbers the tape holds '$(paste -sd' ' <<<"$clip")'"
expect_total 1239.25 "Paste Numbers"

# 7. The arrow keys move between lines: from line 4 up to line 2, a 0 after
# the 7; down to line 3 (the 0 shows empty), a 1.
click_row 3
xdotool key --delay 60 Up Up End; xdotool type --delay 40 '0'
xdotool key --delay 60 Down End; xdotool type --delay 40 '1'
[ "$(copy_numbers | paste -sd' ')" = "1234.5 70 1 -2.25" ] || fail "Up and Down: the tape holds '$(copy_numbers | paste -sd' ')'"
expect_total 1303.25 "typing after Up and Down"

close_program
echo "PASS: e2e edit truth (screenshots in $outdir)"
