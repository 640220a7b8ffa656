#!/usr/bin/env bash
# Typing a tape into the real window under a virtual X server and a window
# manager: figures, thousands separators, operator keys and arrow keys go in
# through the keyboard, "Copy Numbers..." from the Options menu puts the tape
# on the clipboard, and the clipboard must hold the typed values and no more. A screenshot
# of the typed tape is left in the output folder.
#
# Usage: editing_test.sh PROGRAM OUTPUT_DIR
set -euo pipefail

. "$(dirname "$0")/session.sh"
. "$(dirname "$0")/window.sh"

start_program "\"$work/settings.cal\""

# Five lines: 12.5 + 2 x 4 - 1000.5 / 2. Then Up twice to the "4" and a 0
# after it: ((12.5 + 2) x 40 - 1000.5) / 2.
xdotool type --delay 40 '12.5+2*4-1,000.5/2'
xdotool key --delay 60 Up Up End
xdotool type --delay 40 '0'
shot editing_e2e.png

clip="$(copy_numbers)"
first5="$(head -n5 <<<"$clip" | paste -sd' ')"
[ "$first5" = "12.5 2 40 1000.5 2" ] || fail "clipboard starts with '$first5'"
# The five typed lines and nothing of the untouched rows' padding; no operator.
lines="$(wc -l <<<"$clip")"
[ "$lines" -eq 5 ] || fail "$lines lines copied, expected the 5 typed"

close_program

echo "PASS: e2e editing, $lines lines copied (screenshot $outdir/editing_e2e.png)"
