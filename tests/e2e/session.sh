# Sourced by the end-to-end scripts, whose arguments are PROGRAM OUTPUT_DIR:
# a work folder, a virtual X server (on a display number the server picks
# itself, so concurrent runs never collide) and a window manager, all stopped
# by PID on exit. The script sets prog_pid when it starts the program.

prog="$1" outdir="${2:-.}"
export QT_QPA_PLATFORM=xcb LC_ALL=C.UTF-8 LANG=C.UTF-8
mkdir -p "$outdir" && outdir="$(cd "$outdir" && pwd)"
work="$(mktemp -d)"
# The recovery copy goes to a data folder of the run's own.
export XDG_DATA_HOME="$work/data"
xvfb_pid="" wm_pid="" prog_pid=""

ended() { ! kill -0 "$1" 2>/dev/null; }
stop() {
    if [ -n "$1" ] && ! ended "$1"; then
        kill "$1" 2>/dev/null || true
        wait "$1" 2>/dev/null || true
    fi
}
cleanup() { stop "$prog_pid"; stop "$wm_pid"; stop "$xvfb_pid"; rm -rf "$work"; }
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    [ -f "$work/prog.log" ] && sed 's/^/  program: /' "$work/prog.log" >&2
    exit 1
}

# Runs "$@" until it succeeds, for up to 20 s (a loaded machine is slow).
wait_for() {
    local end=$((SECONDS + 20))
    until "$@"; do
        [ "$SECONDS" -lt "$end" ] || return 1
        sleep 0.05
    done
}

# -noreset: by default the server resets when its last client leaves, and
# refuses connections meanwhile; the check below is such a client, and the
# window manager started right after it would then find no display.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
display_or_end() { [ -s "$work/display" ] || ended "$xvfb_pid"; }
wait_for display_or_end || true
disp="$(head -n1 "$work/display" 2>/dev/null || true)"
[ -n "$disp" ] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
export DISPLAY=":$disp"
xdpyinfo >/dev/null 2>&1 || fail "Xvfb did not start"

openbox >"$work/openbox.log" 2>&1 &
wm_pid=$!
wm_or_end() { wmctrl -m >/dev/null 2>&1 || ended "$wm_pid"; }
wait_for wm_or_end || true
wmctrl -m >/dev/null 2>&1 || fail "openbox did not start: $(cat "$work/openbox.log")"
