#!/usr/bin/env bash
# A ".Clc" argument opened, saved under a new name through the file dialog
# from the keyboard, byte for byte; the settings go beside the program, never
# into the calculation. Usage: files_test.sh PROGRAM OUTPUT_DIR
set -euo pipefail

. "$(dirname "$0")/session.sh"
. "$(dirname "$0")/window.sh"

mkdir -p "$work/bin" "$work/calc" && cp "$prog" "$work/bin/quillmate" && prog="$work/bin/quillmate"

# Longer than any screen's rows; every operator, a negative value, a function.
start="$work/calc/my tape.Clc"
{ printf 'Ferrowick 6\r\n+12.5\r\nx3\r\n--5\r\n/4\r\n^2\r\n+Sin(0)\r\n+0.25\r\n'
  printf '+%d\r\n' $(seq 1 113); } >"$start"
cp "$start" "$work/original.Clc"

cd "$work/calc"
start_program "\"$start\""

# Ctrl+S opens "Save Calculation..."; the name box has the focus.
saved="$work/calc/copy of tape.Clc"
xdotool key --clearmodifiers ctrl+s
wait_window '^Save Calculation\.\.\.$' >/dev/null || fail "the save dialog did not appear"
sleep 0.3
xdotool key --clearmodifiers ctrl+a
xdotool type --delay 30 "copy of tape"
shot files_e2e_dialog.png root
xdotool key Return    # saves: Enter in the name box is the dialog's main action
wait_for test -f "$saved" || fail "no file 'copy of tape.Clc' after saving: $(ls "$work/calc")"
dialog_gone() { ! find_window '^Save Calculation' >/dev/null; }
wait_for dialog_gone || fail "dialog still shown"
cmp "$saved" "$work/original.Clc" || fail "saved file differs from the opened one"

close_program
cmp "$start" "$work/original.Clc" || fail "the calculation was changed"
[ -f "$work/bin/Custom quillmate.cal" ] || fail "no settings file beside the program: $(ls "$work/bin")"

echo "PASS: e2e calculation files (screenshot $outdir/files_e2e_dialog.png)"
