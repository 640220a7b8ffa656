#!/usr/bin/env bash
# Start-up cost of the main window beside a bare Qt window: time from process
# start until its window is mapped, and the resident memory (VmRSS) 1.5 s
# after that. Runs under its own Xvfb without a window manager; the map is
# seen as an event by one client that listens all along, so no polling
# process competes with the program for the processor. After one warm-up run
# of each, the two are started alternately, 21 pairs, so that a machine whose
# speed drifts slows both alike; the figure that counts is the median of the
# per-pair ratios.
#
# Usage: bench/startup.sh [BUILD_DIR] [PROGRAM]
#   BUILD_DIR  build tree holding bench/bench_ui_emptywindow (default: build)
#   PROGRAM    the program to measure (default: BUILD_DIR/src/app/quillmate)
set -euo pipefail

build="${1:-build}"
program="${2:-$build/src/app/quillmate}"
empty="$build/bench/bench_ui_emptywindow"

for tool in Xvfb xev xdpyinfo stdbuf; do
    command -v "$tool" >/dev/null || { echo "missing: $tool" >&2; exit 1; }
done

work="$(mktemp -d)"
xvfb_pid=""
xev_pid=""
app_pid=""
cleanup() {
    for pid in "$app_pid" "$xev_pid" "$xvfb_pid"; do
        if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then
            kill "$pid" 2>/dev/null || true
            wait "$pid" 2>/dev/null || true
        fi
    done
    rm -rf "$work"
}
trap cleanup EXIT

# Xvfb picks a display number nobody uses and reports it.
Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp -noreset 3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 200); do
    [ -s "$work/display" ] && break
    kill -0 "$xvfb_pid" 2>/dev/null || break
    sleep 0.05
done
disp="$(head -n1 "$work/display" 2>/dev/null || true)"
[ -n "$disp" ] || { echo "Xvfb did not start: $(cat "$work/xvfb.log")" >&2; exit 1; }
export DISPLAY=":$disp"
for _ in $(seq 200); do
    xdpyinfo >/dev/null 2>&1 && break
    sleep 0.05
done

# Peers keep their settings in a scratch folder, not in the user's.
export XDG_CONFIG_HOME="$work/config"
export XDG_DATA_HOME="$work/data"
export XDG_CACHE_HOME="$HOME/.cache"
mkdir -p "$XDG_CONFIG_HOME" "$XDG_DATA_HOME"

# Every window mapped on the root, one line each, as it happens.
mkfifo "$work/events"
stdbuf -oL xev -root -event substructure >"$work/events" 2>/dev/null &
xev_pid=$!
exec 4<"$work/events"
sleep 0.5   # time to select the events; the warm-up runs would hang without them

# One run: prints "microseconds kilobytes".
one_run() {
    local start end rss line mapped=""
    start="${EPOCHREALTIME//[!0-9]/}"   # any locale's decimal sign goes
    "$@" >"$work/app.log" 2>&1 &
    app_pid=$!
    while read -r -t 20 line <&4; do
        if [[ "$line" == MapNotify* ]]; then
            mapped=yes
            break
        fi
    done
    end="${EPOCHREALTIME//[!0-9]/}"
    if [ -z "$mapped" ] || ! kill -0 "$app_pid" 2>/dev/null; then
        echo "did not show a window: $*" >&2
        cat "$work/app.log" >&2
        return 1
    fi
    sleep 1.5
    rss="$(awk '/^VmRSS:/ {print $2}' "/proc/$app_pid/status")"
    kill "$app_pid" 2>/dev/null || true
    wait "$app_pid" 2>/dev/null || true
    app_pid=""
    echo "$(( end - start )) $rss"
}

median() { sort -g | awk '{v[NR] = $1} END {print v[int((NR + 1) / 2)]}'; }

pairs=21
for tool in "$program" "$empty"; do
    [ -x "$tool" ] || { echo "not built: $tool" >&2; exit 1; }
done
one_run "$program" >/dev/null   # warm-up: font and icon caches
one_run "$empty" >/dev/null
: >"$work/pairs"
for _ in $(seq "$pairs"); do
    read -r qus qkb < <(one_run "$program")
    read -r eus ekb < <(one_run "$empty")
    echo "$qus $qkb $eus $ekb" >>"$work/pairs"
done
echo "start-up to mapped window, $pairs alternating pairs (resident memory 1.5 s later)"
q="$(awk '{print $1}' "$work/pairs" | median)"
e="$(awk '{print $3}' "$work/pairs" | median)"
qkb="$(awk '{print $2}' "$work/pairs" | median)"
ekb="$(awk '{print $4}' "$work/pairs" | median)"
ms() { awk '{printf "%.0f\n", $1 / 1000}'; }
printf '%-14s %6.1f ms %8.1f MB   runs: %s\n' quillmate "$(awk -v us="$q" 'BEGIN { print us / 1000 }')" "$(awk -v kb="$qkb" 'BEGIN { print kb / 1024 }')" "$(awk '{print $1}' "$work/pairs" | ms | paste -sd' ')"
printf '%-14s %6.1f ms %8.1f MB   runs: %s\n' empty-window "$(awk -v us="$e" 'BEGIN { print us / 1000 }')" "$(awk -v kb="$ekb" 'BEGIN { print kb / 1024 }')" "$(awk '{print $3}' "$work/pairs" | ms | paste -sd' ')"
ratio="$(awk '$3 > 0 {printf "%.3f\n", $1 / $3}' "$work/pairs" | median)"
echo "quillmate / empty window, median of per-pair ratios: $ratio"
