#!/usr/bin/env bash
# A user-defined function button made in the editor survives a restart: the
# program starts with a settings file in the work folder, "Edit" opens the
# editor, button 18 gets a name, a formula typed in lower case and a tooltip,
# "Use" hands them over. A second editing of another button is cancelled.
# Closing the window must write the new button (formula in upper case) and
# the untouched one to the settings file; a second run with the same file
# must offer the button: tapped on a line, it gives the function line and the
# total its formula computes.
#
# Usage: function_button_test.sh PROGRAM OUTPUT_DIR
set -euo pipefail

. "$(dirname "$0")/session.sh"
. "$(dirname "$0")/window.sh"

settings="$work/settings.cal"

# ---- The editor's controls ------------------------------------------------------

twips_per_px="$(design_int "$src_root/src/ui/platform/Twips.h" DesignTwipsPerPixel)"
px() { echo $(((2 * $1 + twips_per_px) / (2 * twips_per_px))); }

editor_id=""
open_editor() {
    function_button 23
    editor_id="$(wait_window '^Edit Function Button\.\.\.$')" || fail "the editor did not open"
    xdotool windowactivate --sync "$editor_id" >/dev/null 2>&1 || true
    sleep 0.2
}

# The editor's copy of function button $1 (two blocks of three columns, in twips).
editor_button() {
    local lefts tops block n
    mapfile -t lefts < <(design_list "$editor_cpp" KeyLefts)
    mapfile -t tops < <(design_list "$editor_cpp" KeyTops)
    if [ "$1" -lt 12 ]; then block=0 n=$1; else block=3 n=$(($1 - 12)); fi
    click_rect "$editor_id" "$(px "${lefts[$((block + n % 3))]}") $(px "${tops[$((n / 3))]}") \
$(px "$(design_int "$editor_cpp" KeyWidth)") $(px "$(design_int "$editor_cpp" KeyHeight)")" 0
}

# Field $1 (NameTop, FormulaTop or TipTop, pixels): click, select all, type $2.
editor_field() {
    local width=FieldWidth
    [ "$1" = NameTop ] && width=NameWidth
    click_rect "$editor_id" "$(design_int "$editor_cpp" FieldLeft) $(design_int "$editor_cpp" "$1") \
$(design_int "$editor_cpp" "$width") $(design_int "$editor_cpp" FieldHeight)" 0
    xdotool key --clearmodifiers ctrl+a
    xdotool type --delay 30 "$2"
}

# "Use" (0) or "Cancel" (1); the editor must go away.
editor_ok() {
    local lefts
    mapfile -t lefts < <(design_list "$editor_cpp" ActionLefts)
    click_rect "$editor_id" "$(px "${lefts[$1]}") $(px "$(design_int "$editor_cpp" ActionTop)") \
$(px "$(design_int "$editor_cpp" ActionWidth)") $(px "$(design_int "$editor_cpp" ActionHeight)")" 0
    for _ in $(seq 200); do
        xdotool search --onlyvisible --name '^Edit Function Button' >/dev/null 2>&1 || return 0
        sleep 0.05
    done
    fail "the editor is still shown"
}

# ---- The settings file ----------------------------------------------------------

# The 69 button texts of settings file $1 (caption, formula, tooltip of
# buttons 0 to 22), one a line.
button_texts() {
    local bytes pos=0 i j n type text
    mapfile -t bytes < <(od -An -tx1 -v "$1" | tr -s ' ' '\n' | sed '/^$/d')
    for i in $(seq 0 68); do
        [ $((pos + 2)) -le "${#bytes[@]}" ] || fail "settings file ends in field $i"
        type="${bytes[pos + 1]}${bytes[pos]}"
        pos=$((pos + 2))
        [ "$type" = 0008 ] || fail "button field $i has type $type, not text"
        n=$((16#${bytes[pos + 1]}${bytes[pos]}))
        pos=$((pos + 2))
        [ $((pos + n)) -le "${#bytes[@]}" ] || fail "settings file ends in field $i"
        text=""
        for ((j = 0; j < n; j++)); do text+="\\x${bytes[pos + j]}"; done
        printf '%b\n' "$text"
        pos=$((pos + n))
    done
}

# ---- Run 1: make the button, cancel another change, close. ----------------------

start_program "\"$settings\""
open_editor
editor_button 18
editor_field NameTop "Half"
editor_field FormulaTop "x/2+t"
editor_field TipTop "Half of X plus the total"
sleep 0.2
shot_screen function_button_e2e_editor.png
editor_ok 0

open_editor
editor_button 17
editor_field NameTop "Zzz"
editor_field FormulaTop "x*1000"
editor_ok 1
close_program

[ -f "$settings" ] || fail "no settings file after closing"
check_buttons() {
    local texts got
    mapfile -t texts < <(button_texts "$settings")
    got="${texts[54]}|${texts[55]}|${texts[56]}"
    [ "$got" = "Half|X/2+T|Half of X plus the total" ] || fail "$1: button 18 saved as '$got'"
    got="${texts[51]}|${texts[52]}"
    [ "$got" = "Ibs|X*2.2" ] || fail "$1: cancelled change of button 17 saved: '$got'"
    [ "${texts[0]}" = "Exp" ] || fail "$1: button 0 saved as '${texts[0]}'"
}
check_buttons "first run"

# ---- Run 2: the same settings file; the button works on the tape. ---------------

start_program "\"$settings\""
# 10, then + and the new button with 8: X/2+T with X = 8 and T = 10 is 14.
keypad 1 0 12
function_button 18
keypad 8
shot function_button_e2e.png

clip="$(copy_numbers)"
first2="$(head -n2 <<<"$clip" | paste -sd' ')"
[ "$first2" = "10 Half(8)" ] || fail "tape holds '$first2'"
total="$(read_total)"
[ "$total" = "24" ] || fail "grand total '$total', expected 24"
close_program
check_buttons "second run"

echo "PASS: e2e function button kept, total $total (screenshots $outdir/function_button_e2e*.png)"
