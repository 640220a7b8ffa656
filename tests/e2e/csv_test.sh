#!/usr/bin/env bash
# "--csv": a calculation file with notes (commas, quotes, a cp1252 letter)
# read back by Python's csv module, to standard output and through --output;
# the export never replaces a calculation file.
# Usage: csv_test.sh PROGRAM OUTPUT_DIR
set -euo pipefail

prog="$1" work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
export LC_ALL=C.UTF-8 LANG=C.UTF-8 QT_QPA_PLATFORM=offscreen

printf 'Ferrowick 6\r\n+12.5\tLunch, "big" one\r\nx3\r\n--5\tCaf\xe9\r\n/0\r\n+Sqr(4)\tRoot\r\n' >"$work/t.Clc"
"$prog" --csv "$work/t.Clc" >"$work/out.csv"
"$prog" --csv "$work/t.Clc" --output "$work/file.csv"
cmp "$work/out.csv" "$work/file.csv"
cp "$work/t.Clc" "$work/keep.Clc"
if "$prog" --csv "$work/t.Clc" --output "$work/keep.Clc" 2>/dev/null; then
    echo "FAIL: a .Clc was replaced by the export" >&2
    exit 1
fi
cmp "$work/t.Clc" "$work/keep.Clc"

python3 - "$work/out.csv" <<'PY'
import csv, sys
with open(sys.argv[1], newline="", encoding="utf-8") as f:
    raw = f.read()
assert raw.endswith("\r\n") and "\n" not in raw.replace("\r\n", ""), "records end with CR LF"
rows = list(csv.reader(raw.splitlines(keepends=True)))
expected = [
    ["Operator", "Value", "Running total", "Note"],
    ["+", "12.5", "12.5", 'Lunch, "big" one'],
    ["x", "3", "37.5", ""],
    ["-", "-5", "42.5", "Café"],
    ["/", "0", "Error", ""],
    ["+", "Sqr(4)", "Error", "Root"],
    ["=", "", "Error", ""],
]
assert rows == expected, rows
PY
echo "csv ok"
