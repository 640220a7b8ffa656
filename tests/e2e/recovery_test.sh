#!/usr/bin/env bash
# The recovery copy of the tape across a SIGKILL while typing (the next start
# offers it, "Yes" by default), per window, and a SIGTERM that closes as the
# close button does. Usage: recovery_test.sh PROGRAM OUTPUT_DIR
set -euo pipefail

. "$(dirname "$0")/session.sh"
. "$(dirname "$0")/window.sh"

data="$XDG_DATA_HOME/quillmate" typer_pid=""
copy="$data/recovery.Clc"

mkdir -p "$work/bin" && cp "$prog" "$work/bin/quillmate" && prog="$work/bin/quillmate"

stop_typer() { stop "$typer_pid"; typer_pid=""; }
trap 'stop_typer; cleanup' EXIT

lines_of() { tail -n +2 "$1" | tr -d '\r'; }

# Waits up to $2 tenths of a second for file $1 to start with the tape lines $3...
wait_copy() {
    local file="$1" tenths="$2" want
    shift 2
    want="$(printf 'Ferrowick 6\r\n'; printf '%s\r\n' "$@")"
    for _ in $(seq "$tenths"); do
        [ "$(head -c ${#want} "$file" 2>/dev/null)" = "$want" ] && return 0
        sleep 0.1
    done
    return 1
}

# The visible window of program $1 of kind $2 (main or question, by width).
window_of() {
    local w width kind
    for w in $(xdotool search --all --onlyvisible --pid "$1" --name '^Quillmate' 2>/dev/null || true); do
        width="$(xwininfo -id "$w" | sed -n 's/^ *Width: *//p')"
        [ -n "$width" ] || continue
        kind=question; [ "$width" -ne "$interior_w" ] || kind=main
        [ "$kind" = "$2" ] && { echo "$w"; return 0; }
    done
    return 1
}
no_question() { ! window_of "$1" question >/dev/null; }
take_main_of() {
    local id
    id="$(wait_for window_of "$1" main)" || fail "no main window of process $1"
    take_window "$id"
}

# Starts the program and answers the crash question with Return.
start_recovering() {
    "$prog" >"$work/prog.log" 2>&1 &
    prog_pid=$!
    local box
    box="$(wait_for window_of "$prog_pid" question)" || fail "no question after the crash"
    xdotool windowactivate --sync "$box" >/dev/null 2>&1 || xdotool windowfocus --sync "$box"
    xdotool key Return
    wait_for no_question "$prog_pid" || fail "the question stayed open"
    shot recovery_e2e_question.png root
    take_main_of "$prog_pid"
}

# 1. Killed while typing.
start_program
(for n in $(seq 9) $(seq 9) $(seq 9); do for k in "$n" +; do xdotool type "$k"; sleep 0.2; done; done) &
typer_pid=$!
# Lines 1 to 3 are typed within 1.2 s; the copy holds them while the keys go on.
wait_copy "$copy" 30 +1 +2 +3 || fail "no copy of lines 1-3 while typing: $(lines_of "$copy" 2>&1 | paste -sd' ')"
kill -0 "$typer_pid" 2>/dev/null || fail "the typing ended before the copy came"
wait_copy "$copy" 30 +1 +2 +3 +4 +5 +6 || fail "the copy stopped following the typing"
kill -KILL "$prog_pid"
kill -0 "$typer_pid" 2>/dev/null || fail "the typing ended before the kill"
wait "$prog_pid" 2>/dev/null || true
stop_typer
cp "$copy" "$work/before-kill.Clc"
[ -f "$data/running.lock" ] || fail "no lock left behind by the killed program"

start_recovering
clip="$(copy_numbers)"
want="$(lines_of "$work/before-kill.Clc" | tr -d '+')"
[ "$(head -n "$(wc -l <<<"$want")" <<<"$clip")" = "$want" ] \
    || fail "after reopening the tape is '$(paste -sd' ' <<<"$clip")', the copy held '$(paste -sd' ' <<<"$want")'"
first_pid="$prog_pid" first_win="$win_id"

# 2. A second window, killed.
"$prog" >"$work/prog2.log" 2>&1 &
second_pid=$!
take_main_of "$second_pid"
is_active() { [ "$(xdotool getactivewindow 2>/dev/null)" = "$win_id" ] || { xdotool windowactivate "$win_id"; false; }; }
wait_for is_active 2>/dev/null || fail "the second window could not be activated"
xdotool type --delay 40 '99+1'
wait_copy "$data/recovery 2.Clc" 50 +99 +1 || fail "no copy of the second window: $(ls "$data" | paste -sd,)"
kill -KILL "$second_pid" && { wait "$second_pid" 2>/dev/null || true; }
wmctrl -i -c "$first_win"
expect_exit_0 "$first_pid" "the first window"
[ "$(lines_of "$data/last tape.Clc" | head -n1)" = "+1" ] || fail "the first window's tape is not the last tape"

start_recovering && clip="$(copy_numbers)"
[ "$(head -n2 <<<"$clip" | paste -sd' ')" = "99 1" ] || fail "the second window's tape came back as '$(paste -sd' ' <<<"$clip")'"

# 3. SIGTERM.
kill -TERM "$prog_pid"
expect_exit_0 "$prog_pid" "SIGTERM" && prog_pid=""
[ -z "$(find "$data" -name '*.lock')" ] || fail "a lock stayed after SIGTERM: $(ls "$data")"
[ "$(lines_of "$data/last tape.Clc" | head -n2 | paste -sd' ')" = "+99 +1" ] || fail "SIGTERM did not keep the tape as the last tape"
# No question: the menu answers at once, and the tape is empty.
start_program
[ "$(copy_numbers | head -n1)" = "0" ] || fail "after SIGTERM the next start does not show an empty tape"
close_program

echo "PASS: e2e recovery while typing, per window, after SIGTERM (screenshots $outdir/recovery_e2e*.png)"
