#!/usr/bin/env bash
# The main window under a virtual X server and a window manager: it starts,
# shows its title, is closed through the window manager, and writes the
# settings file it was given; a second run reads that file back.
#
# Usage: mainwindow_test.sh PROGRAM OUTPUT_DIR
set -euo pipefail

. "$(dirname "$0")/session.sh"

. "$(dirname "$0")/window.sh"

settings="$work/my settings.cal"

# ---- Run 1: no settings file yet; the design-time buttons are written. ----
# start_program also checks the window is the design's width.
start_program "\"$settings\""
title="$(xdotool getwindowname "$win_id")"
version="$(sed -n -E 's/^project\(Quillmate VERSION ([0-9.]+).*/\1/p' "$(dirname "$0")/../../CMakeLists.txt")"
expected_title="Quillmate $version    (Educational Version)$settings"
[ "$title" = "$expected_title" ] || fail "title '$title', expected '$expected_title'"

sleep 0.2   # let the first paint finish
shot_screen mainwindow_e2e.png

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
start_program "\"$settings\""
close_program
[ "$(dd if="$settings" bs=1 skip=4 count=3 status=none)" = "Zed" ] \
    || fail "caption read from the settings file was not written back"
[ "$(stat -c %s "$settings")" -eq "$size1" ] || fail "settings file changed size"
[ "$(stat -c %A "$settings" | cut -c3)" = "w" ] || fail "settings file still read-only"

echo "PASS: e2e main window (screenshot $outdir/mainwindow_e2e.png)"
