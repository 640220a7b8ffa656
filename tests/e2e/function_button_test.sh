#!/usr/bin/env bash
# The settings file across runs, through the function button editor: "Use"
# writes it (nothing before), Cancel nothing; the read-only file is rewritten
# at close. Checked by the batch mode reading it.
# Usage: function_button_test.sh PROGRAM OUTPUT_DIR
set -euo pipefail

. "$(dirname "$0")/session.sh"
. "$(dirname "$0")/window.sh"

settings="$work/my settings.cal"
editor_cpp="$src_root/src/ui/input/FunctionButtonEditor.cpp"
twips="$(design_int "$src_root/src/ui/platform/Twips.h" DesignTwipsPerPixel)"
px() { echo $(((2 * $1 + twips) / (2 * twips))); }
editor_gone() { ! find_window '^Edit Function Button' >/dev/null; }

# Opens the editor with "Edit" and clicks its copy of function button $1:
# two blocks of three columns, placed in twips.
edit_button() {
    local editor lefts tops block=0 n=$1
    function_button 23
    editor="$(wait_window '^Edit Function Button\.\.\.$')" || fail "the editor did not open"
    xdotool windowactivate --sync "$editor" >/dev/null 2>&1 || true
    sleep 0.2
    mapfile -t lefts < <(design_list "$editor_cpp" KeyLefts)
    mapfile -t tops < <(design_list "$editor_cpp" KeyTops)
    [ "$n" -lt 12 ] || { block=3; n=$((n - 12)); }
    click_rect "$editor" "$(px "${lefts[$((block + n % 3))]}") $(px "${tops[$((n / 3))]}") \
$(px "$(design_int "$editor_cpp" KeyWidth)") $(px "$(design_int "$editor_cpp" KeyHeight)")" 0
}
# The field of access key $1 (f name, o formula, t tooltip) gets text $2.
editor_field() { xdotool key --clearmodifiers "alt+$1" ctrl+a && xdotool type --delay 30 "$2"; }
# "Use" (u) or "Cancel" (c).
editor_close() { xdotool key --clearmodifiers "alt+$1" && wait_for editor_gone || fail "the editor is still shown"; }
# The settings file as the batch mode reads it: 10, Half(8) = 8/2 + 10, and
# button 17 as it came, Ibs(10) = 10 x 2.2; the tooltip kept.
check_settings() {
    printf 'Ferrowick 6\r\n+10\r\n+Half(8)\r\n+Ibs(10)\r\n' >"$work/check.Clc"
    local total
    total="$("$prog" --total "$work/check.Clc" --settings "$settings" 2>&1)" || fail "$1: settings file not read: $total"
    [ "$total" = 46 ] || fail "$1: the saved buttons give '$total', expected 46"
    grep -qF "Half of X plus the total" "$settings" || fail "$1: tooltip of button 18 not saved"
}

# Run 1: make the button, cancel another change, close.
start_program "\"$settings\""
[ ! -e "$settings" ] || fail "settings file written at start"
edit_button 18
editor_field f "Half"
editor_field o "x/2+t"
editor_field t "Half of X plus the total"
shot function_button_e2e_editor.png root
editor_close u
edit_button 17
editor_field f "Zzz"
editor_field o "x*1000"
editor_close c
# "Use" writes the settings at once; Cancel writes nothing.
check_settings "after Use"
close_program

# Run 2: the same file, read-only; the button works on the tape.
chmod a-w "$settings"
start_program "\"$settings\""
# 10, then + and the new button with 8: X/2+T with X = 8 and T = 10 is 14.
keypad 1 0 12; function_button 18; keypad 8
shot function_button_e2e.png
clip="$(copy_numbers)"
[ "$(head -n2 <<<"$clip" | paste -sd' ')" = "10 Half(8)" ] || fail "tape holds '$(paste -sd' ' <<<"$clip")'"
expect_total 24 "10 + Half(8)"
close_program
[ "$(stat -c %A "$settings" | cut -c3)" = w ] || fail "the read-only settings file was not rewritten at close"
check_settings "second run"

echo "PASS: e2e function button kept (screenshots $outdir/function_button_e2e*.png)"
