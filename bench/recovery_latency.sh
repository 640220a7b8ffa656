#!/usr/bin/env bash
# Time from a key to the recovery copy on disk while the user keeps typing:
# the real program under its own Xvfb (with openbox), digits typed at 5 keys a
# second (a Return after every 5 digits), the copy polled every 5 ms. For each
# digit key, the time from sending it until the copy first holds it. Prints
# the median and the largest delay of each run and of all runs together.
#
# Usage: bench/recovery_latency.sh [PROGRAM] [RUNS] [SECONDS]
#   PROGRAM  default build/src/app/quillmate
set -euo pipefail

program="$(realpath "${1:-build/src/app/quillmate}")"
runs="${2:-3}"
seconds="${3:-12}"
for tool in Xvfb openbox xdotool xdpyinfo wmctrl python3; do
    command -v "$tool" >/dev/null || { echo "missing: $tool" >&2; exit 1; }
done

# The e2e session gives the X server, the window manager, a data folder of
# its own and the cleanup; window.sh starts and closes the program.
. "$(dirname "$0")/../tests/e2e/session.sh" "$program" "$(mktemp -d)"
. "$(dirname "$0")/../tests/e2e/window.sh"
mkdir -p "$work/bin"
cp "$program" "$work/bin/quillmate"
prog="$work/bin/quillmate"

all="$work/all.txt"
: >"$all"
for run in $(seq "$runs"); do
    rm -rf "$XDG_DATA_HOME"
    start_program
    python3 - "$XDG_DATA_HOME/quillmate/recovery.Clc" "$seconds" "$run" >>"$all" <<'EOF'
import subprocess, sys, threading, time

copy, seconds, run = sys.argv[1], float(sys.argv[2]), sys.argv[3]
seen = []          # (time, digits in the copy)
stop = False

def digits():
    try:
        with open(copy, 'rb') as f:
            text = f.read()
    except OSError:
        return 0
    body = text.split(b'\n', 1)[1] if b'\n' in text else b''   # past the header
    return sum(body.count(bytes([c])) for c in b'123456789')

def poll():
    last = -1
    while not stop:
        n = digits()
        if n != last:
            seen.append((time.monotonic(), n))
            last = n
        time.sleep(0.005)

poller = threading.Thread(target=poll)
poller.start()
sent = []          # (time, digits typed so far) after each digit key
count = 0
start = time.monotonic()
k = 0
while time.monotonic() - start < seconds:
    key = 'Return' if k % 6 == 5 else str(k % 9 + 1)
    t = time.monotonic()
    subprocess.run(['xdotool', 'key', key], check=True)
    if key != 'Return':
        count += 1
        sent.append((t, count))
    k += 1
    time.sleep(max(0.0, 0.2 - (time.monotonic() - t)))
time.sleep(2.5)
stop = True
poller.join()
delays = []
for t, n in sent:
    hit = next((s for s, m in seen if s >= t and m >= n), None)
    if hit is not None:
        delays.append(hit - t)
missed = len(sent) - len(delays)
delays.sort()
print(f"run {run}: {len(sent)} keys, median {delays[len(delays)//2]*1000:.0f} ms, "
      f"max {delays[-1]*1000:.0f} ms, missed {missed}", file=sys.stderr)
for d in delays:
    print(f"{d*1000:.1f}")
EOF
    close_program
done
python3 - "$all" <<'EOF'
import sys
d = sorted(float(x) for x in open(sys.argv[1]) if x.strip())
print(f"all runs: {len(d)} keys, median {d[len(d)//2]:.0f} ms, 90% {d[int(len(d)*0.9)]:.0f} ms, max {d[-1]:.0f} ms")
EOF
