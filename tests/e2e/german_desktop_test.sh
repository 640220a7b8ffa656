#!/usr/bin/env bash
# The program under LANG=de_DE.UTF-8 as a screen reader reads it (AT-SPI on
# a private session bus): every control named, keypad buttons pressed through
# their accessible action with the decimal comma, F1 and Ctrl+Q.
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

# A session bus of the test's own; the accessibility bus keeps its socket in
# the test's runtime folder.
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
dbus-daemon --session --fork --print-address=3 --print-pid=4 3>"$work/bus" 4>"$work/bus.pid"
bus_pid="$(cat "$work/bus.pid")"
export DBUS_SESSION_BUS_ADDRESS="$(head -n1 "$work/bus")"
trap 'stop_bus; cleanup' EXIT
stop_bus() { kill "$bus_pid" 2>/dev/null || true; }

# Only the program runs in German; Qt reads the locale from these variables,
# so de_DE need not be generated on the machine.
settings="$work/Einstellungen.cal"
LC_ALL= LANG=de_DE.UTF-8 QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 start_program "$settings"

tree() { "$python" "$here/atspi.py" quillmate 20 tree >"$work/tree.txt" || fail "the window is not on the accessibility bus"; }
tree && cp "$work/tree.txt" "$outdir/german_atspi_tree.txt"

# Nothing a user can press or type into is nameless.
unnamed="$(awk -F'\t' '($2 == "push button" || $2 == "text" || $2 == "scroll bar" || $2 == "menu item") && $3 == ""' "$work/tree.txt")"
[ -z "$unnamed" ] || fail "unnamed elements: $unnamed"
for name in "Zeile 1" "Zeile 15" "Gesamtsumme" "Bildlaufleiste des Streifens"; do
    grep -qP "\t\Q$name\E\t" "$work/tree.txt" || fail "no element named '$name'"
done

# What the element named $1 shows in column $2 (5 text, 6 description).
shown() { tree; awk -F'\t' -v n="$1" -v c="$2" '$3 == n {print $c}' "$work/tree.txt"; }
shown_is() { [ "$(shown "$1" "$2")" = "$3" ]; }
expect_shown() { wait_for shown_is "$@" || fail "$1 shows '$(shown "$1" "$2")', expected '$3'"; }

# 12,5 x 4 through the keypad buttons' accessible action.
"$python" "$here/atspi.py" quillmate 5 press 1 2 , 5 x 4 || fail "the keypad could not be pressed"
expect_shown Gesamtsumme 5 50
expect_shown "Zeile 1" 5 "12,5"
# M= stores the total; the memory display says what it holds.
"$python" "$here/atspi.py" quillmate 5 press "M=" || fail "M= could not be pressed"
expect_shown Speicher 6 50

xdotool windowactivate --sync "$win_id" >/dev/null 2>&1 || true
xdotool key F1
wait_window '^Tastenk.*rzel$' >/dev/null || fail "F1 showed no window 'Tastenkürzel'"
shot german_e2e.png root
wmctrl -c 'Tastenk' || true

# Ctrl+Q quits through the normal close.
xdotool windowactivate --sync "$win_id" >/dev/null 2>&1 || true
xdotool key --clearmodifiers ctrl+q
expect_exit_0 "$prog_pid" "Ctrl+Q" && prog_pid=""
[ -s "$settings" ] || fail "no settings file written on Ctrl+Q"

echo "PASS: e2e German desktop (screenshot $outdir/german_e2e.png, tree $outdir/german_atspi_tree.txt)"
