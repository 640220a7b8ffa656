#!/usr/bin/env bash
# Calculation files in the real program under a virtual X server and a window
# manager: the program starts with a ".Clc" argument and opens it, the tape is
# saved under a new name through the file dialog from the keyboard (Ctrl+S,
# the name, Enter), and the new file must equal
# the one opened, byte for byte. The calculation file given on the command
# line is never taken for the settings file.
#
# Usage: files_test.sh PROGRAM OUTPUT_DIR
set -euo pipefail

. "$(dirname "$0")/session.sh"
. "$(dirname "$0")/window.sh"

# The program in a folder of its own, so that its default settings file is
# written there and nowhere else.
mkdir -p "$work/bin" "$work/calc"
cp "$prog" "$work/bin/quillmate"

# A tape longer than the rows of any screen, with every operator, a negative
# value, decimals and a function line; written as the program writes files.
start="$work/calc/my tape.Clc"
{
    printf 'Ferrowick 6\r\n+12.5\r\nx3\r\n--5\r\n/4\r\n^2\r\n+Sin(0)\r\n+0.25\r\n'
    for i in $(seq 1 113); do printf '+%d\r\n' "$i"; done
} >"$start"
cp "$start" "$work/original.Clc"

cd "$work/calc"
"$work/bin/quillmate" "\"$start\"" >"$work/prog.log" 2>&1 &
prog_pid=$!
win="$(wait_window '^Quillmate 8\.1')" || fail "no main window appeared"
title="$(xdotool getwindowname "$win")"
case "$title" in
    *"(Educational Version)$start") ;;
    *) fail "title '$title' does not end with the calculation's path" ;;
esac

sleep 0.5
xdotool windowactivate --sync "$win" >/dev/null 2>&1 || xdotool windowfocus --sync "$win"
shot_screen files_e2e_opened.png

# Ctrl+S opens "Save Calculation..."; the name box has the focus.
xdotool key --clearmodifiers ctrl+s
dlg="$(wait_window '^Save Calculation\.\.\.$')" || fail "the save dialog did not appear"
sleep 0.3
xdotool key --clearmodifiers ctrl+a
xdotool type --delay 30 "copy of tape"
sleep 0.2
shot_screen files_e2e_dialog.png
xdotool key Return    # saves: Enter in the name box is the dialog's main action
for _ in $(seq 100); do
    [ -f "$work/calc/copy of tape.Clc" ] && break
    sleep 0.05
done
[ -f "$work/calc/copy of tape.Clc" ] || fail "no file 'copy of tape.Clc' after saving: $(ls "$work/calc")"
sleep 0.3
xdotool search --onlyvisible --name '^Save Calculation' >/dev/null 2>&1 && fail "dialog still shown"
cmp "$work/calc/copy of tape.Clc" "$work/original.Clc" || fail "saved file differs from the opened one"
cmp "$start" "$work/original.Clc" || fail "the opened file was changed"
shot_screen files_e2e.png

# Closing writes the settings next to the program, not into the calculation.
close_program
cmp "$start" "$work/original.Clc" || fail "the calculation was overwritten at shutdown"
[ -f "$work/bin/Custom quillmate.cal" ] || fail "no settings file beside the program: $(ls "$work/bin")"

echo "PASS: e2e calculation files (screenshots $outdir/files_e2e*.png)"
