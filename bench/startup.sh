#!/usr/bin/env bash
# Start-up cost of the main window beside a bare Qt window and two desktop
# calculators: time from process start until its window is mapped, and the
# resident memory (VmRSS) 1.5 s after that. Runs under its own Xvfb without a
# window manager; one warm-up run, then the median of 5 runs each.
#
# Usage: bench/startup.sh [BUILD_DIR] [PROGRAM]
#   BUILD_DIR  build tree holding bench/bench_ui_emptywindow (default: build)
#   PROGRAM    the program to measure (default: BUILD_DIR/src/app/quillmate,
#              or the end-to-end launcher of the main window when that is
#              not built)
set -euo pipefail

build="${1:-build}"
program="${2:-$build/src/app/quillmate}"
[ -n "${2:-}" ] || [ -x "$program" ] || program="$build/tests/e2e/mainwindow_launcher"
empty="$build/bench/bench_ui_emptywindow"
runs=5

for tool in Xvfb xdotool xdpyinfo; do
    command -v "$tool" >/dev/null || { echo "missing: $tool" >&2; exit 1; }
done

work="$(mktemp -d)"
xvfb_pid=""
app_pid=""
cleanup() {
    for pid in "$app_pid" "$xvfb_pid"; do
        if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then
            kill "$pid" 2>/dev/null || true
            wait "$pid" 2>/dev/null || true
        fi
    done
    rm -rf "$work"
}
trap cleanup EXIT

# Xvfb picks a display number nobody uses and reports it.
Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 200); do
    [ -s "$work/display" ] && break
    kill -0 "$xvfb_pid" 2>/dev/null || break
    sleep 0.05
done
disp="$(head -n1 "$work/display" 2>/dev/null || true)"
[ -n "$disp" ] || { echo "Xvfb did not start: $(cat "$work/xvfb.log")" >&2; exit 1; }
export DISPLAY=":$disp"

# Peers keep their settings in a scratch folder, not in the user's.
export XDG_CONFIG_HOME="$work/config"
export XDG_DATA_HOME="$work/data"
export XDG_CACHE_HOME="$HOME/.cache"
mkdir -p "$XDG_CONFIG_HOME" "$XDG_DATA_HOME"

# One run: prints "milliseconds kilobytes".
one_run() {
    local start end rss
    start="$(date +%s%N)"
    "$@" >"$work/app.log" 2>&1 &
    app_pid=$!
    for _ in $(seq 2000); do
        if xdotool search --onlyvisible --pid "$app_pid" >/dev/null 2>&1; then
            break
        fi
        if ! kill -0 "$app_pid" 2>/dev/null; then
            echo "ended before showing a window: $*" >&2
            cat "$work/app.log" >&2
            return 1
        fi
    done
    end="$(date +%s%N)"
    sleep 1.5
    rss="$(awk '/^VmRSS:/ {print $2}' "/proc/$app_pid/status")"
    kill "$app_pid" 2>/dev/null || true
    wait "$app_pid" 2>/dev/null || true
    app_pid=""
    echo "$(( (end - start) / 1000000 )) $rss"
}

median() { sort -n | awk '{v[NR] = $1} END {print v[int((NR + 1) / 2)]}'; }

measure() {
    local name="$1"
    shift
    if ! command -v "$1" >/dev/null && [ ! -x "$1" ]; then
        printf '%-14s not installed\n' "$name"
        return
    fi
    one_run "$@" >/dev/null   # warm-up: font and icon caches
    : >"$work/times"
    : >"$work/rss"
    for _ in $(seq "$runs"); do
        read -r ms kb < <(one_run "$@")
        echo "$ms" >>"$work/times"
        echo "$kb" >>"$work/rss"
    done
    local t r
    t="$(median <"$work/times")"
    r="$(median <"$work/rss")"
    printf '%-14s %6d ms %8s MB   runs: %s\n' "$name" "$t" \
        "$(awk -v kb="$r" 'BEGIN { printf "%.1f", kb / 1024 }')" "$(tr '\n' ' ' <"$work/times")"
    echo "$name $t $r" >>"$work/summary"
}

: >"$work/summary"
echo "start-up to mapped window, median of $runs (resident memory 1.5 s later)"
measure quillmate "$program"
measure empty-window "$empty"
measure galculator galculator
measure speedcrunch speedcrunch

awk '$1 == "quillmate" {q = $2} $1 == "empty-window" {e = $2}
     END { if (q && e) printf "quillmate / empty window: %.2f\n", q / e }' "$work/summary"
