#!/usr/bin/env bash
# The recovery copy of the tape survives a crash of the real program:
# 1. keys typed one every 0.2 s reach the copy while the typing goes on; the
#    program is killed with SIGKILL in mid-typing, and the next start offers
#    the tape ("Yes" by default) and brings back what the copy held;
# 2. a second window keeps a copy of its own: killed, its tape is offered at
#    the next start, while the first window's tape goes on as the last tape;
# 3. SIGTERM closes as the window's close button does: exit code 0, no lock
#    left, and the next start asks nothing.
#
# Usage: recovery_test.sh PROGRAM OUTPUT_DIR
set -euo pipefail

. "$(dirname "$0")/session.sh"
. "$(dirname "$0")/window.sh"

data="$XDG_DATA_HOME/quillmate"
copy="$data/recovery.Clc"
typer_pid=""

# The program in a folder of its own, so that its settings file goes there.
mkdir -p "$work/bin"
cp "$prog" "$work/bin/quillmate"
prog="$work/bin/quillmate"

stop_typer() {
    [ -n "$typer_pid" ] && kill "$typer_pid" 2>/dev/null && wait "$typer_pid" 2>/dev/null || true
    typer_pid=""
}
trap 'stop_typer; cleanup' EXIT

# The tape lines of a calculation file, one a line, without the header.
lines_of() { tail -n +2 "$1" | tr -d '\r'; }

# Waits up to $2 tenths of a second for file $1 to hold lines starting with $3.
wait_copy() {
    for _ in $(seq "$2"); do
        [ "$(head -c ${#3} "$1" 2>/dev/null)" = "$3" ] && return 0
        sleep 0.1
    done
    return 1
}

# Waits for the crash question of program $1 (a window smaller than the main
# window), answers it with Return, and waits for it to go.
answer_question() {
    local main_w box="" width
    main_w="$(design_int "$design_h" InteriorWidth)"
    for _ in $(seq 400); do
        for w in $(xdotool search --all --onlyvisible --pid "$1" --name '^Quillmate' 2>/dev/null || true); do
            width="$(xwininfo -id "$w" | sed -n 's/^ *Width: *//p')"
            [ -n "$width" ] && [ "$width" -ne "$main_w" ] && box="$w"
        done
        [ -n "$box" ] && break
        kill -0 "$1" 2>/dev/null || fail "the program ended at start"
        sleep 0.05
    done
    [ -n "$box" ] || fail "no question after the crash"
    xdotool windowactivate --sync "$box" >/dev/null 2>&1 || xdotool windowfocus --sync "$box"
    xdotool key Return
    for _ in $(seq 200); do
        xdotool search --all --onlyvisible --pid "$1" --name '^Quillmate' 2>/dev/null | grep -qx "$box" || return 0
        sleep 0.05
    done
    fail "the question stayed open"
}

# The main window of program $1, activated; sets win_id and menu_h.
main_window_of() {
    local main_w width
    main_w="$(design_int "$design_h" InteriorWidth)"
    win_id=""
    for _ in $(seq 200); do
        for w in $(xdotool search --all --onlyvisible --pid "$1" --name '^Quillmate' 2>/dev/null || true); do
            width="$(xwininfo -id "$w" | sed -n 's/^ *Width: *//p')"
            [ "$width" = "$main_w" ] && win_id="$w"
        done
        [ -n "$win_id" ] && break
        sleep 0.05
    done
    [ -n "$win_id" ] || fail "no main window of process $1"
    menu_h=$(($(xwininfo -id "$win_id" | sed -n 's/^ *Height: *//p') - $(design_int "$design_h" InteriorHeight)))
    xdotool windowactivate --sync "$win_id" >/dev/null 2>&1 || xdotool windowfocus --sync "$win_id"
}

# ---- 1. Killed while typing ---------------------------------------------------
start_program
(
    for n in 1 2 3 4 5 6 7 8 9 1 2 3 4 5 6 7 8 9 1 2 3 4 5 6 7 8 9; do
        for k in "$n" +; do
            xdotool type "$k"
            sleep 0.2
        done
    done
) &
typer_pid=$!
# Lines 1 to 3 are typed within 1.2 s; the copy holds them while the keys go on.
wait_copy "$copy" 30 "$(printf 'Ferrowick 6\r\n+1\r\n+2\r\n+3\r\n')" || fail "no copy of lines 1-3 while typing: $(lines_of "$copy" 2>&1 | paste -sd' ')"
kill -0 "$typer_pid" 2>/dev/null || fail "the typing ended before the copy came"
# Later keys follow in later copies, still while typing.
wait_copy "$copy" 30 "$(printf 'Ferrowick 6\r\n+1\r\n+2\r\n+3\r\n+4\r\n+5\r\n+6\r\n')" || fail "the copy stopped following the typing"
kill -KILL "$prog_pid"
kill -0 "$typer_pid" 2>/dev/null || fail "the typing ended before the kill"
wait "$prog_pid" 2>/dev/null || true
prog_pid=""
stop_typer
cp "$copy" "$work/before-kill.Clc"
[ -f "$data/running.lock" ] || fail "no lock left behind by the killed program"
leftovers="$(find "$data" -name '*.tmp')"
[ -z "$leftovers" ] || fail "temporary files left: $leftovers"

"$prog" >"$work/prog.log" 2>&1 &
prog_pid=$!
answer_question "$prog_pid"
shot_screen recovery_e2e_question.png
main_window_of "$prog_pid"
clip="$(copy_numbers)"
want="$(lines_of "$work/before-kill.Clc" | tr -d '+')"
[ "$(head -n "$(wc -l <<<"$want")" <<<"$clip")" = "$want" ] \
    || fail "after reopening the tape is '$(paste -sd' ' <<<"$clip")', the copy held '$(paste -sd' ' <<<"$want")'"
shot recovery_e2e.png
first_pid="$prog_pid"
first_win="$win_id"

# ---- 2. A second window, killed -------------------------------------------------
"$prog" >"$work/prog2.log" 2>&1 &
second_pid=$!
main_window_of "$second_pid"
for _ in $(seq 100); do
    [ "$(xdotool getactivewindow 2>/dev/null)" = "$win_id" ] && break
    xdotool windowactivate "$win_id" >/dev/null 2>&1 || true
    sleep 0.05
done
[ "$(xdotool getactivewindow 2>/dev/null)" = "$win_id" ] || fail "the second window could not be activated"
sleep 0.3   # the first activation puts the focus on the first row
xdotool type --delay 40 '99+1'
wait_copy "$data/recovery 2.Clc" 50 "$(printf 'Ferrowick 6\r\n+99\r\n+1\r\n')" || fail "no copy of the second window: $(ls "$data" | paste -sd,)"
kill -KILL "$second_pid"
wait "$second_pid" 2>/dev/null || true
win_id="$first_win"
wmctrl -i -c "$first_win"
for _ in $(seq 200); do
    kill -0 "$first_pid" 2>/dev/null || break
    sleep 0.05
done
wait "$first_pid" || fail "the first window's program did not end with 0"
[ "$(lines_of "$data/last tape.Clc" | head -n1)" = "+1" ] || fail "the first window's tape is not the last tape"

"$prog" >"$work/prog.log" 2>&1 &
prog_pid=$!
answer_question "$prog_pid"
main_window_of "$prog_pid"
clip="$(copy_numbers)"
[ "$(head -n2 <<<"$clip" | paste -sd' ')" = "99 1" ] || fail "the second window's tape came back as '$(paste -sd' ' <<<"$clip")'"

# ---- 3. SIGTERM ------------------------------------------------------------------
kill -TERM "$prog_pid"
for _ in $(seq 200); do
    kill -0 "$prog_pid" 2>/dev/null || break
    sleep 0.05
done
rc=0
wait "$prog_pid" || rc=$?
prog_pid=""
[ "$rc" -eq 0 ] || fail "exit code $rc after SIGTERM"
[ -z "$(find "$data" -name '*.lock')" ] || fail "a lock stayed after SIGTERM: $(ls "$data")"
[ "$(lines_of "$data/last tape.Clc" | head -n2 | paste -sd' ')" = "+99 +1" ] || fail "SIGTERM did not keep the tape as the last tape"
# No question: the menu answers at once, and the tape is empty.
start_program
clip="$(copy_numbers)"
[ "$(head -n1 <<<"$clip")" = "0" ] || fail "after SIGTERM the next start shows '$(head -n1 <<<"$clip")'"
close_program

echo "PASS: e2e recovery while typing, per window, after SIGTERM (screenshots $outdir/recovery_e2e*.png)"
