# Sourced after session.sh: the program's window, the places of its controls
# (read from the design tables in the source, so a moved key moves the click
# too), menus, the clipboard and the grand total.

src_root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
design_h="$src_root/src/core/tape/MainWindowDesign.h"
[ -f "$design_h" ] || fail "layout sources not found under $src_root"
version="$(sed -n -E 's/^project\(Quillmate VERSION ([0-9.]+).*/\1/p' "$src_root/CMakeLists.txt")"
main_title="^Quillmate ${version//./\\.} "

# In file $1: the value of `constexpr int NAME = V;`, or the numbers of
# `... NAME{a, b, ...};` one a line (NAME: $2).
design_int() {
    local v
    v="$(sed -n -E "s/^ *((inline|static) +)?constexpr +int +$2 *= *(-?[0-9]+);.*/\3/p" "$1" | head -n1)"
    [ -n "$v" ] && echo "$v" || fail "no constant $2 in $1"
}
design_list() {
    local v
    v="$(sed -n -E "s/^ *(inline +)?constexpr +[A-Za-z:<>, 0-9]+ +$2 *\{([-0-9, ]+)\};.*/\2/p" "$1" | head -n1)"
    [ -n "$v" ] && tr -d ' ' <<<"$v" | tr ',' '\n' || fail "no list $2 in $1"
}
interior_w="$(design_int "$design_h" InteriorWidth)" interior_h="$(design_int "$design_h" InteriorHeight)"

find_window() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n1 | grep .; }
wait_window() { wait_for find_window "$1"; }
expect_exit_0() {
    wait_for ended "$1" || fail "$2: the program did not end"
    local rc=0
    wait "$1" || rc=$?
    [ "$rc" -eq 0 ] || fail "$2: exit code $rc"
}

# Makes window $1 the main window. The interior below the menu bar is the
# design's size, so the menu bar's height is what the window has beyond it.
take_window() {
    win_id="$1"
    xdotool windowactivate --sync "$win_id" >/dev/null 2>&1 || xdotool windowfocus --sync "$win_id"
    local width height
    read -r width height < <(xwininfo -id "$win_id" | sed -n -E 's/^ *(Width|Height): *//p' | paste -sd' ')
    [ "$width" -eq "$interior_w" ] || fail "window width $width"
    menu_h=$((height - interior_h))
    [ "$menu_h" -ge 10 ] && [ "$menu_h" -le 60 ] || fail "window height $height leaves $menu_h for the menu bar"
    sleep 0.3   # the first activation puts the focus on the first row
}
win_id="" menu_h=0
start_program() {
    "$prog" "$@" >"$work/prog.log" 2>&1 &
    prog_pid=$!
    local id
    id="$(wait_window "$main_title")" && take_window "$id" || fail "no main window appeared"
}
close_program() { wmctrl -i -c "$win_id" && expect_exit_0 "$prog_pid" "closing the window" && prog_pid="" || fail "wmctrl could not close the window"; }
# The main window (with $2 = root the screen) as $outdir/$1.
shot() {
    sleep 0.3
    import -window "${2:-$win_id}" "$outdir/$1" 2>/dev/null || import -window root "$outdir/$1"
    [ -s "$outdir/$1" ] || fail "no screenshot $1"
}

# Clicks the middle of rectangle "left top width height" ($2) of window $1,
# shifted down by $3 pixels.
click_rect() {
    local l t w h
    read -r l t w h <<<"$2"
    xdotool mousemove --window "$1" $((l + w / 2)) $((t + h / 2 + $3)) click 1 && sleep 0.03
}
# Keypad keys by index (0-9 figures, 10 decimal point, 12 +, 13 -, 14 x, 15 /,
# 17 Del, 18 ^, 19 +/-, 20 %).
keypad() {
    local rects key
    mapfile -t rects < <(sed -n '/Keypad{{/,/^}};/p' "$design_h" | tr -d '\n' \
        | grep -oE '\{[0-9]+, *[0-9]+, *[0-9]+, *[0-9]+\}' | tr -d '{},')
    [ "${#rects[@]}" -eq 21 ] || fail "keypad table has ${#rects[@]} keys"
    for key in "$@"; do click_rect "$win_id" "${rects[$key]}" "$menu_h"; done
}
# Function button $1 (0-23; 23 is "Edit").
function_button() {
    local lefts tops
    mapfile -t lefts < <(design_list "$design_h" FunctionPadLefts)
    mapfile -t tops < <(design_list "$design_h" FunctionPadTops)
    click_rect "$win_id" "${lefts[$(($1 % 3))]} ${tops[$(($1 / 3))]} $(design_int "$design_h" FunctionPadWidth) $(design_int "$design_h" FunctionPadHeight)" "$menu_h"
}
row_rect() {   # "left top width height" of screen row $1
    local l t w h
    read -r l t w h <<<"$(design_list "$design_h" FirstRowValueBox | paste -sd' ')"
    echo "$l $((t + $1 * h)) $w $h"
}
click_row() { click_rect "$win_id" "$(row_rect "$1")" "$menu_h"; }

popup_shown() { xdotool search --onlyvisible --pid "$prog_pid" 2>/dev/null | grep -vx "$win_id" >/dev/null; }
no_popup() { ! popup_shown; }

# Opens a menu by its access key ($1) and takes the item reached by keys $2...
menu_keys() {
    local letter="$1"
    shift
    xdotool key "alt+$letter"
    wait_for popup_shown || fail "menu alt+$letter did not open"
    xdotool key --delay 40 "$@"
    wait_for no_popup || fail "menu alt+$letter did not close"
}

# Puts text $2 (a printf format, arguments follow) on selection $1; xclip
# serves it from the background until another owner takes it.
# shellcheck disable=SC2059
set_selection() { local sel="$1" fmt="$2"; shift 2; printf "$fmt" "$@" | xclip -selection "$sel" -i >/dev/null 2>&1; }
# Waits until selection $1 no longer holds the marker $2; prints its text
# without carriage returns.
selection_changed() { [ "$(xclip -o -selection "$1" 2>/dev/null | tee "$work/selection.raw")" != "$2" ]; }
wait_selection_change() { wait_for selection_changed "$1" "$2" && tr -d '\r' <"$work/selection.raw"; }
copy_numbers() {
    local marker="before copy $RANDOM"
    set_selection clipboard '%s' "$marker"
    menu_keys o c
    wait_selection_change clipboard "$marker" || fail "Copy Numbers left the clipboard unchanged"
}
# The grand total as shown: a triple click on the box's left part (the layout
# stretches it) selects it into the primary selection.
read_total() {
    local marker="before total $RANDOM" l t w h
    set_selection primary '%s' "$marker"
    read -r l t w h <<<"$(design_list "$design_h" TotalBox | paste -sd' ')"
    xdotool mousemove --window "$win_id" $((l + 40)) $((t + h / 2 + menu_h)) click --repeat 3 --delay 60 1
    wait_selection_change primary "$marker" || fail "the grand total could not be selected"
}
total_is() { [ "$(read_total)" = "$1" ]; }
expect_total() { wait_for total_is "$1" || fail "$2: the total reads '$(read_total)', expected '$1'"; }
