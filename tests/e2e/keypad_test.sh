#!/usr/bin/env bash
# A tape tapped on the on-screen keypad with the mouse: figures, the decimal
# point (a second one on a line is refused), Del, +/- and every operator key,
# which ends a line and starts the next one with that operator. "Copy
# Numbers..." must give the tapped values, and the grand total (selected
# with a triple click) the tape's result, which only the right operators give.
# A screenshot of the tapped tape is left in the output folder.
#
# Usage: keypad_test.sh PROGRAM OUTPUT_DIR
set -euo pipefail

. "$(dirname "$0")/session.sh"
. "$(dirname "$0")/window.sh"

start_program "\"$work/settings.cal\""

readonly K_POINT=10 K_PLUS=12 K_MINUS=13 K_TIMES=14 K_DIVIDE=15 K_DEL=17 K_POWER=18 K_SIGN=19

keypad 1 2 $K_POINT 5                     # 12.5
keypad $K_PLUS 3 $K_SIGN                  # + -3
keypad $K_TIMES 4                         # x 4
keypad $K_MINUS 7 $K_POINT 2 9 $K_DEL $K_POINT 5   # - 7.25: Del drops the 9, the 2nd "." is refused
keypad $K_DIVIDE 2                        # / 2
keypad $K_POWER 1 $K_POINT 5              # ^ 1.5
shot keypad_e2e.png

clip="$(copy_numbers)"
first6="$(head -n6 <<<"$clip" | paste -sd' ')"
[ "$first6" = "12.5 -3 4 7.25 2 1.5" ] || fail "tape holds '$first6'"
lines="$(wc -l <<<"$clip")"
[ "$lines" -eq 6 ] || fail "$lines lines copied: the untouched rows' padding too"

# ((12.5 - 3) x 4 - 7.25) / 2 = 15.375, to the power 1.5; "+" in place of
# any one of the operators gives another total.
total="$(read_total)"
[ "$total" = "60.2868630745953" ] || fail "grand total '$total'"

close_program
echo "PASS: e2e keypad, total $total (screenshot $outdir/keypad_e2e.png)"
