#!/usr/bin/env bash
# Makes the README's picture from the real window: the program under a
# virtual X server and a window manager (those of the end-to-end tests), the
# README's tape of five lines typed in, the window captured once its total
# reads 125.
#
# Usage: bash scripts/screenshot.sh [PROGRAM] [OUTPUT.png]
#        (defaults: build/src/app/quillmate and docs/main-window.png)
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
program="$(realpath "${1:-$root/build/src/app/quillmate}")"
target="$(realpath -m "${2:-$root/docs/main-window.png}")"
[ -x "$program" ] || { echo "no program $program: build it first (bash scripts/start.sh)" >&2; exit 1; }

set -- "$program" "$(dirname "$target")"
. "$root/tests/e2e/session.sh"
. "$root/tests/e2e/window.sh"

start_program "$work/settings.cal"
xdotool type --delay 40 '12.5+2*40-80/4'
shot screenshot.png
total="$(read_total)"
[ "$total" = "125" ] || fail "the tape's total is '$total', expected 125"
close_program
mv "$outdir/screenshot.png" "$target"
echo "written: $target"
