#!/usr/bin/env bash
# The program under LANG=de_DE.UTF-8, read the way a screen reader reads it
# (AT-SPI on a private session bus): German menu titles and items, named
# buttons and lines, keypad buttons pressed through their accessible action
# with the German decimal comma, F1 and Ctrl+Q from the keyboard.
#
# Usage: german_desktop_test.sh PROGRAM OUTPUT_DIR
set -euo pipefail

. "$(dirname "$0")/session.sh"
. "$(dirname "$0")/window.sh"

here="$(cd "$(dirname "$0")" && pwd)"
python=/usr/bin/python3
"$python" -c 'import gi; gi.require_version("Atspi", "2.0")' 2>/dev/null \
    || { echo "SKIP: the AT-SPI bindings are not installed (Debian packages python3-gi, gir1.2-atspi-2.0)"; exit 77; }
command -v dbus-daemon >/dev/null \
    || { echo "SKIP: dbus-daemon is not installed (Debian package dbus-daemon)"; exit 77; }

# A session bus of this test's own; the accessibility bus it starts on demand
# keeps its socket in this test's runtime folder.
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
dbus-daemon --session --fork --print-address=3 --print-pid=4 3>"$work/bus" 4>"$work/bus.pid"
bus_pid="$(cat "$work/bus.pid")"
export DBUS_SESSION_BUS_ADDRESS="$(head -n1 "$work/bus")"
trap 'stop_bus; cleanup' EXIT
stop_bus() { kill "$bus_pid" 2>/dev/null || true; }

# The program alone runs in German, texts and numbers (the decimal separator
# is the comma); the tools around it keep the C locale. Qt reads the locale
# from these variables, so de_DE need not be generated on the machine.
settings="$work/Einstellungen.cal"
LC_ALL= LANG=de_DE.UTF-8 QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 start_program "$settings"

tree() { "$python" "$here/atspi.py" quillmate 20 tree >"$work/tree.txt" || fail "the window is not on the accessibility bus"; }
tree
cp "$work/tree.txt" "$outdir/german_atspi_tree.txt"

# The menu bar's titles, in order, and items of each menu.
titles="$(awk -F'\t' '$2 == "menu item" && $4 == "ShowMenu" {print $3}' "$work/tree.txt" | paste -sd'|')"
[ "$titles" = "Optionen|Bearbeiten|Dezimalstellen|Summe|Spiele|Hilfe" ] || fail "menu titles '$titles'"
for item in "Alles löschen..." "Zahlen kopieren..." "Zahlen einfügen..." "Zahlen sortieren..." \
            "Variabel" "Durchschnitt..." "Nixie Invaders starten..." "Tastenkürzel" "Über Quillmate"; do
    awk -F'\t' -v n="$item" '$2 == "menu item" && $3 == n {found = 1} END {exit !found}' "$work/tree.txt" \
        || fail "no menu item '$item'"
done
grep -qP '^1\tframe\tQuillmate 8\.1    \(Lernausgabe\)' "$work/tree.txt" || fail "window title not German"

# Nothing a user can press or type into is nameless.
unnamed="$(awk -F'\t' '($2 == "push button" || $2 == "text" || $2 == "scroll bar" || $2 == "menu item") && $3 == ""' "$work/tree.txt")"
[ -z "$unnamed" ] || fail "unnamed elements: $unnamed"
for name in "Zeile 1" "Zeile 15" "Gesamtsumme" "Bildlaufleiste des Streifens"; do
    grep -qP "\t\Q$name\E\t" "$work/tree.txt" || fail "no element named '$name'"
done

# 12,5 x 4 through the keypad buttons' accessible action.
"$python" "$here/atspi.py" quillmate 5 press 1 2 , 5 x 4 || fail "the keypad could not be pressed"
total=""
for _ in $(seq 100); do
    tree
    total="$(awk -F'\t' '$3 == "Gesamtsumme" {print $5}' "$work/tree.txt")"
    [ "$total" = "50" ] && break
    sleep 0.1
done
[ "$total" = "50" ] || fail "grand total '$total' after 12,5 x 4, expected 50"
line1="$(awk -F'\t' '$3 == "Zeile 1" {print $5}' "$work/tree.txt")"
[ "$line1" = "12,5" ] || fail "line 1 shows '$line1'"

# M= stores the total; the memory display says what it holds.
"$python" "$here/atspi.py" quillmate 5 press "M=" || fail "M= could not be pressed"
memory=""
for _ in $(seq 100); do
    tree
    memory="$(awk -F'\t' '$3 == "Speicher" {print $6}' "$work/tree.txt")"
    [ "$memory" = "50" ] && break
    sleep 0.1
done
[ "$memory" = "50" ] || fail "the memory describes itself as '$memory' after M=, expected 50"

# F1 opens the German Keyboard Shortcuts window.
xdotool windowactivate --sync "$win_id" >/dev/null 2>&1 || true
xdotool key F1
wait_window '^Tastenk.*rzel$' >/dev/null || fail "F1 showed no window 'Tastenkürzel'"
shot_screen german_e2e.png
wmctrl -c 'Tastenk' || true

# Ctrl+Q quits through the normal close: exit code 0, settings written.
xdotool windowactivate --sync "$win_id" >/dev/null 2>&1 || true
xdotool key --clearmodifiers ctrl+q
for _ in $(seq 200); do
    kill -0 "$prog_pid" 2>/dev/null || break
    sleep 0.05
done
kill -0 "$prog_pid" 2>/dev/null && fail "Ctrl+Q did not end the program"
rc=0
wait "$prog_pid" || rc=$?
prog_pid=""
[ "$rc" -eq 0 ] || fail "exit code $rc after Ctrl+Q"
[ -s "$settings" ] || fail "no settings file written on Ctrl+Q"

echo "PASS: e2e German desktop (screenshot $outdir/german_e2e.png, tree $outdir/german_atspi_tree.txt)"
