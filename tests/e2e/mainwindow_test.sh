#!/usr/bin/env bash
# The main window under a virtual X server and a window manager: it starts,
# shows its title, is closed through the window manager, and writes the
# settings file it was given; a second run reads that file back.
#
# Usage: mainwindow_test.sh PROGRAM OUTPUT_DIR
set -euo pipefail

prog="$1"
outdir="${2:-.}"
. "$(dirname "$0")/session.sh"

export QT_QPA_PLATFORM=xcb
settings="$work/my settings.cal"

# Starts the program with the settings file as its quoted argument and waits
# for its window; sets prog_pid and win_id.
win_id=""
start_program() {
    "$prog" "\"$settings\"" >"$work/prog.log" 2>&1 &
    prog_pid=$!
    win_id=""
    for _ in $(seq 200); do
        win_id="$(xdotool search --onlyvisible --name '^Quillmate 8\.1' 2>/dev/null | head -n1 || true)"
        [ -n "$win_id" ] && break
        kill -0 "$prog_pid" 2>/dev/null || fail "program ended early: $(cat "$work/prog.log")"
        sleep 0.05
    done
    [ -n "$win_id" ] || fail "no window appeared"
}

# Closes the window through the window manager and waits for the program.
close_program() {
    wmctrl -c "Quillmate" || fail "wmctrl could not close the window"
    for _ in $(seq 200); do
        kill -0 "$prog_pid" 2>/dev/null || break
        sleep 0.05
    done
    if kill -0 "$prog_pid" 2>/dev/null; then
        fail "program did not end after closing its window"
    fi
    local rc=0
    wait "$prog_pid" || rc=$?
    prog_pid=""
    [ "$rc" -eq 0 ] || fail "program exit code $rc"
}

# ---- Run 1: no settings file yet; the design-time buttons are written. ----
start_program
id="$win_id"
title="$(xdotool getwindowname "$id")"
expected_title="Quillmate 8.1    (Educational Version)$settings"
[ "$title" = "$expected_title" ] || fail "title '$title', expected '$expected_title'"

# Interior and menu bar: the window is the design's 671 pixels wide.
geometry="$(xwininfo -id "$id")"
width="$(sed -n 's/^ *Width: *//p' <<<"$geometry")"
height="$(sed -n 's/^ *Height: *//p' <<<"$geometry")"
[ "$width" -eq 671 ] || fail "window width $width, expected 671"
[ "$height" -ge 480 ] && [ "$height" -le 520 ] || fail "window height $height"

sleep 0.5   # let the first paint finish
import -window root "$outdir/mainwindow_e2e.png"
[ -s "$outdir/mainwindow_e2e.png" ] || fail "no screenshot"

[ ! -e "$settings" ] || fail "settings file written before shutdown"
close_program
[ -f "$settings" ] || fail "no settings file after closing"

# The first field: type 8, length 3, "Exp"; the high-score table at the end is
# 40 empty names (type 0) with score 0, 4 bytes each.
head_hex="$(od -An -tx1 -N7 "$settings" | tr -d ' \n')"
[ "$head_hex" = "08000300457870" ] || fail "settings file starts with $head_hex"
tail_hex="$(tail -c 160 "$settings" | od -An -tx1 -v | tr -d ' \n')"
[ "$tail_hex" = "$(printf '0%.0s' $(seq 320))" ] || fail "high-score table not empty"
grep -q "Specifying the sine of an angle" "$settings" || fail "tooltip of Sin missing"
size1="$(stat -c %s "$settings")"

# ---- Run 2: the file is read back: a changed caption survives the run. ----
printf 'Zed' | dd of="$settings" bs=1 seek=4 conv=notrunc status=none
chmod a-w "$settings"   # a read-only file is still rewritten at shutdown
start_program
close_program
[ "$(dd if="$settings" bs=1 skip=4 count=3 status=none)" = "Zed" ] \
    || fail "caption read from the settings file was not written back"
[ "$(stat -c %s "$settings")" -eq "$size1" ] || fail "settings file changed size"
[ "$(stat -c %A "$settings" | cut -c3)" = "w" ] || fail "settings file still read-only"

echo "PASS: e2e main window (screenshot $outdir/mainwindow_e2e.png)"
