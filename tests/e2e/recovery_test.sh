#!/usr/bin/env bash
# The recovery copy of the tape survives a crash of the real program: a tape
# typed into the window is written to the user's data folder a moment after
# the typing stops; the program is then killed with SIGKILL. The copy must be
# whole, and the next start without an argument must offer it ("Yes" by
# default) and bring the tape back, which "Copy Numbers..." shows.
#
# Usage: recovery_test.sh PROGRAM OUTPUT_DIR
set -euo pipefail

. "$(dirname "$0")/session.sh"
. "$(dirname "$0")/window.sh"

data="$XDG_DATA_HOME/quillmate"
copy="$data/recovery.Clc"
last="$data/last tape.Clc"

# The program in a folder of its own, so that its settings file goes there.
mkdir -p "$work/bin"
cp "$prog" "$work/bin/quillmate"
prog="$work/bin/quillmate"

start_program
xdotool type --delay 40 '12.5+30-2'

# The copy follows once the typing has paused.
want="$(printf 'Ferrowick 6\r\n+12.5\r\n+30\r\n-2\r\n')"
for _ in $(seq 200); do
    [ "$(head -c ${#want} "$copy" 2>/dev/null)" = "$want" ] && break
    sleep 0.05
done
[ "$(head -c ${#want} "$copy" 2>/dev/null)" = "$want" ] || fail "no recovery copy of the typed tape in $data: $(ls -A "$data" 2>&1)"
cp "$copy" "$work/before-kill.Clc"

kill -KILL "$prog_pid"
wait "$prog_pid" 2>/dev/null || true
prog_pid=""
cmp "$copy" "$work/before-kill.Clc" || fail "the recovery copy changed when the program was killed"
[ -f "$data/running.lock" ] || fail "no lock left behind by the killed program"
leftovers="$(find "$data" -name '*.tmp')"
[ -z "$leftovers" ] || fail "temporary files left: $leftovers"

# The next start offers the tape: a second window of the program, smaller
# than the main window, asks; Return answers "Yes".
"$prog" >"$work/prog.log" 2>&1 &
prog_pid=$!
main_w="$(design_int "$design_h" InteriorWidth)"
box=""
for _ in $(seq 400); do
    for w in $(xdotool search --onlyvisible --pid "$prog_pid" --name '^Quillmate 8\.1' 2>/dev/null || true); do
        width="$(xwininfo -id "$w" | sed -n 's/^ *Width: *//p')"
        [ -n "$width" ] && [ "$width" -ne "$main_w" ] && box="$w"
    done
    [ -n "$box" ] && break
    kill -0 "$prog_pid" 2>/dev/null || fail "the program ended at start"
    sleep 0.05
done
[ -n "$box" ] || fail "no question after the crash"
shot_screen recovery_e2e_question.png
cmp "$last" "$work/before-kill.Clc" || fail "the copy was not kept as the last tape"
xdotool windowactivate --sync "$box" >/dev/null 2>&1 || xdotool windowfocus --sync "$box"
xdotool key Return
for _ in $(seq 200); do
    xdotool search --onlyvisible --pid "$prog_pid" --name '^Quillmate 8\.1' 2>/dev/null | grep -qx "$box" || break
    sleep 0.05
done

win_id="$(wait_window '^Quillmate 8\.1')" || fail "no main window"
geometry="$(xwininfo -id "$win_id")"
menu_h=$(($(sed -n 's/^ *Height: *//p' <<<"$geometry") - $(design_int "$design_h" InteriorHeight)))
xdotool windowactivate --sync "$win_id" >/dev/null 2>&1 || xdotool windowfocus --sync "$win_id"

clip="$(copy_numbers)"
first4="$(head -n4 <<<"$clip" | paste -sd' ')"
[ "$first4" = "12.5 30 2 0" ] || fail "after reopening the tape starts '$first4'"
total="$(read_total)"
[ "$total" = "40.5" ] || fail "grand total after reopening '$total'"
shot recovery_e2e.png

# A normal close gives the lock back.
close_program
[ ! -e "$data/running.lock" ] || fail "the lock stayed after a normal close"

echo "PASS: e2e recovery after SIGKILL (screenshots $outdir/recovery_e2e*.png)"
