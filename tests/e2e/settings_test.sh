#!/usr/bin/env bash
# The settings file and the command line in the real program, under a virtual
# X server and a window manager:
#  - budget.clc and BUDGET.CLC open as calculations and are byte-identical
#    after the window closed; the settings go beside the program;
#  - a truncated settings file leaves the design buttons (the file written at
#    close equals the one a fresh start writes) and is kept as ".damaged";
#  - an unknown option prints the usage, exits 2, shows no window and creates
#    no file;
#  - a settings file the user may not read is never replaced (run as
#    "nobody" with setpriv where the test runs as root).
#
# Usage: settings_test.sh PROGRAM OUTPUT_DIR
set -euo pipefail

. "$(dirname "$0")/session.sh"
. "$(dirname "$0")/window.sh"

# The program in a folder of its own, so that its default settings file is
# written there and nowhere else.
mkdir -p "$work/bin" "$work/calc"
cp "$prog" "$work/bin/quillmate"
prog="$work/bin/quillmate"
settings="$work/bin/Custom quillmate.cal"
cd "$work/calc"

# Waits up to 10 s for the log to hold $1.
wait_log() {
    for _ in $(seq 200); do
        grep -qF -- "$1" "$work/prog.log" 2>/dev/null && return 0
        sleep 0.05
    done
    return 1
}

# ---- Calculations in any letter case ------------------------------------------
for name in budget.clc BUDGET.CLC; do
    printf 'Ferrowick 6\r\n+12.5\r\nx3\r\n' >"$name"
    cp "$name" "$work/$name.orig"
    start_program "$work/calc/$name"
    close_program
    cmp "$name" "$work/$name.orig" || fail "$name was changed by a start and close"
done
[ -f "$settings" ] || fail "no settings file beside the program: $(ls -A "$work/bin")"
cp "$settings" "$work/design.cal"   # what the design buttons write

# ---- A truncated settings file ----------------------------------------------------
head -c 100 "$work/design.cal" >"$settings"
cp "$settings" "$work/truncated.cal"
start_program
wait_log "damaged settings file" || fail "no notice about the damaged settings file"
shot settings_e2e_damaged.png
close_program
cmp "$settings" "$work/design.cal" || fail "the design buttons were not kept"
cmp "$settings.damaged" "$work/truncated.cal" || fail "the damaged file was not kept as .damaged"
[ "$(grep -c '^quillmate: ' "$work/prog.log")" -eq 1 ] || fail "not one notice on standard error"

# ---- An unknown option ----------------------------------------------------------
before="$(ls -A "$work/calc" "$work/bin")"
for option in --nonsense -v; do
    rc=0
    "$prog" "$option" >"$work/out.txt" 2>"$work/prog.log" || rc=$?
    [ "$rc" -eq 2 ] || fail "$option: exit code $rc"
    grep -q "^Usage: quillmate" "$work/prog.log" || fail "$option: no usage printed"
    [ ! -s "$work/out.txt" ] || fail "$option: printed on standard output"
    xdotool search --name '^Quillmate' >/dev/null 2>&1 && fail "$option: a window appeared"
    [ "$(ls -A "$work/calc" "$work/bin")" = "$before" ] || fail "$option: a file was created"
done

# ---- A settings file the user may not read ------------------------------------------
runner=()
skip=""
if [ "$(id -u)" -eq 0 ]; then
    if command -v setpriv >/dev/null; then
        runner=(setpriv --reuid=65534 --regid=65534 --clear-groups)
    else
        skip="running as root without setpriv, so no ordinary user to be"
    fi
fi
if [ -n "$skip" ]; then
    echo "SKIP: unreadable settings file: $skip"
else
    chmod 755 "$work" "$work/bin"
    mkdir -m 777 "$work/open"
    locked="$work/open/locked.cal"
    cp "$work/design.cal" "$locked"
    chmod 200 "$locked"
    plain_prog="$prog"
    # exec: the program keeps the process id start_program waits for.
    as_ordinary_user() { exec "${runner[@]}" "$plain_prog" "$@"; }
    prog=as_ordinary_user
    start_program "$locked"
    wait_log "cannot be read (permission denied)" || fail "no notice about the unreadable settings file"
    close_program
    prog="$plain_prog"
    [ "$(stat -c %a "$locked")" = 200 ] || fail "the unreadable file's mode changed"
    chmod 600 "$locked"
    cmp "$locked" "$work/design.cal" || fail "the unreadable settings file was replaced"
    [ "$(ls -A "$work/open")" = "locked.cal" ] || fail "files left beside it: $(ls -A "$work/open")"
fi

echo "PASS: e2e settings file and command line (screenshot $outdir/settings_e2e_damaged.png)"
