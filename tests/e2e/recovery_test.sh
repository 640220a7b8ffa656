#!/usr/bin/env bash
# The recovery copy of the tape across a SIGKILL while typing (the next start
# offers it, "Yes" by default), and a SIGTERM that closes as the close button
# does. (A copy per window: the widget tests.) Usage: recovery_test.sh PROGRAM OUTPUT_DIR
set -euo pipefail

. "$(dirname "$0")/session.sh"
. "$(dirname "$0")/window.sh"

data="$XDG_DATA_HOME/quillmate" typer_pid=""
copy="$data/recovery.Clc"

mkdir -p "$work/bin" && cp "$prog" "$work/bin/quillmate" && prog="$work/bin/quillmate"

stop_typer() { stop "$typer_pid"; typer_pid=""; }
trap 'stop_typer; cleanup' EXIT

lines_of() { tail -n +2 "$1" | tr -d '\r'; }
# Whether the copy starts with the tape lines $1...
copy_starts() {
    local want
    want="$(printf 'Ferrowick 6\r\n'; printf '%s\r\n' "$@")"
    [ "$(head -c ${#want} "$copy" 2>/dev/null)" = "$want" ]
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

# 1. Killed while typing.
start_program
(for n in $(seq 9) $(seq 9) $(seq 9); do for k in "$n" +; do xdotool type "$k"; sleep 0.2; done; done) &
typer_pid=$!
# Lines 1 to 3 are typed within 1.2 s; the copy holds them while the keys go on.
wait_for copy_starts +1 +2 +3 || fail "no copy of lines 1-3 while typing: $(lines_of "$copy" 2>&1 | paste -sd' ')"
kill -0 "$typer_pid" 2>/dev/null || fail "the typing ended before the copy came"
wait_for copy_starts +1 +2 +3 +4 +5 +6 || fail "the copy stopped following the typing"
kill -KILL "$prog_pid"
kill -0 "$typer_pid" 2>/dev/null || fail "the typing ended before the kill"
wait "$prog_pid" 2>/dev/null || true
stop_typer
cp "$copy" "$work/before-kill.Clc"
[ -f "$data/running.lock" ] || fail "no lock left behind by the killed program"

# The next start asks; Return takes the copy.
"$prog" >"$work/prog.log" 2>&1 &
prog_pid=$!
box="$(wait_for window_of "$prog_pid" question)" || fail "no question after the crash"
xdotool windowactivate --sync "$box" >/dev/null 2>&1 || xdotool windowfocus --sync "$box"
xdotool key Return
wait_for no_question "$prog_pid" || fail "the question stayed open"
shot recovery_e2e_question.png root
take_window "$(wait_for window_of "$prog_pid" main)" || fail "no main window after the question"
clip="$(copy_numbers)"
want="$(lines_of "$work/before-kill.Clc" | tr -d '+')"
[ "$(head -n "$(wc -l <<<"$want")" <<<"$clip")" = "$want" ] \
    || fail "after reopening the tape is '$(paste -sd' ' <<<"$clip")', the copy held '$(paste -sd' ' <<<"$want")'"

# 2. SIGTERM.
kill -TERM "$prog_pid"
expect_exit_0 "$prog_pid" "SIGTERM" && prog_pid=""
[ -z "$(find "$data" -name '*.lock')" ] || fail "a lock stayed after SIGTERM: $(ls "$data")"
[ "$(lines_of "$data/last tape.Clc" | head -n2 | paste -sd' ')" = "+1 +2" ] || fail "SIGTERM did not keep the tape as the last tape"
# No question: the menu answers at once, and the tape is empty.
start_program
[ "$(copy_numbers | head -n1)" = "0" ] || fail "after SIGTERM the next start does not show an empty tape"
close_program

echo "PASS: e2e recovery while typing and after SIGTERM (screenshots $outdir/recovery_e2e*.png)"
