#!/usr/bin/env bash
# Line and branch coverage of src/core and src/ui by the whole test suite
# (unit, widget and end-to-end tests; the package tests are left out).
#
#   bash scripts/coverage.sh              build-coverage/, summary + coverage.json
#   bash scripts/coverage.sh compare A B  lines and branches covered in A but not in B
#
# Compare two runs over the same sources: it matches lines by file and number.
set -uo pipefail
cd "$(dirname "$0")/.."

if [ "${1:-}" = "compare" ]; then
  exec python3 - "$2" "$3" <<'PY'
import json, sys

def covered(path):
    lines, branches = set(), set()
    for f in json.load(open(path))["files"]:
        for l in f["lines"]:
            if l.get("gcovr/noncode"):
                continue
            if l["count"] > 0:
                lines.add((f["file"], l["line_number"]))
            for k, b in enumerate(l.get("branches", [])):
                if b["count"] > 0:
                    branches.add((f["file"], l["line_number"], k))
    return lines, branches

a_lines, a_branches = covered(sys.argv[1])
b_lines, b_branches = covered(sys.argv[2])
lost_lines = sorted(a_lines - b_lines)
lost_branches = sorted(a_branches - b_branches)
print(f"lines covered:    {len(a_lines)} -> {len(b_lines)} ({len(lost_lines)} lost, {len(b_lines - a_lines)} gained)")
print(f"branches covered: {len(a_branches)} -> {len(b_branches)} ({len(lost_branches)} lost, {len(b_branches - a_branches)} gained)")
for f, n in lost_lines:
    print(f"lost line   {f}:{n}")
for f, n, k in lost_branches:
    print(f"lost branch {f}:{n} #{k}")
sys.exit(1 if lost_lines or lost_branches else 0)
PY
fi

bash scripts/deps.sh test || exit 1
dir=build-coverage
cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQM_BENCH=OFF \
  -DCMAKE_CXX_FLAGS="--coverage -O0" -DCMAKE_EXE_LINKER_FLAGS=--coverage >/dev/null || exit 1
cmake --build "$dir" -j "$(nproc)" || exit 1
find "$dir" -name '*.gcda' -delete
(cd "$dir" && QT_QPA_PLATFORM=offscreen ctest -j "$(nproc)" --timeout 900 -E '^package_' >ctest.log 2>&1)
grep -E 'tests passed' "$dir/ctest.log"
# Exception edges and branches the compiler cannot take only add noise.
gcovr -r . --object-directory "$dir" --filter 'src/core/' --filter 'src/ui/' \
  --exclude-throw-branches --exclude-unreachable-branches \
  --json "$dir/coverage.json" --txt "$dir/coverage.txt" --print-summary 2>/dev/null | tail -n 3
