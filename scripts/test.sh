#!/usr/bin/env bash
# Builds everything twice and runs every test:
#   build/       GCC, optimised (Release): unit, widget and end-to-end tests (benchmarks are built, not run)
#   build-asan/  clang-14 with AddressSanitizer + UndefinedBehaviorSanitizer: the same tests
#                plus the libFuzzer targets replaying their stored corpora
set -uo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh test || exit 1

jobs=$(nproc)
status=0
passed=0
failed=0

run_suite() {
  local dir=$1; shift
  cmake -S . -B "$dir" -G Ninja "$@" >/dev/null || { status=1; return; }
  cmake --build "$dir" -j "$jobs" || { status=1; failed=$((failed + 1)); return; }
  local log="$dir/ctest.log"
  (cd "$dir" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$jobs" --timeout 600) 2>&1 | tee "$log"
  [ "${PIPESTATUS[0]}" -eq 0 ] || status=1
  local line total bad
  line=$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -n 1)
  if [ -n "$line" ]; then
    total=$(sed -E 's/.*out of ([0-9]+).*/\1/' <<<"$line")
    bad=$(sed -E 's/.*, ([0-9]+) tests? failed.*/\1/' <<<"$line")
    passed=$((passed + total - bad))
    failed=$((failed + bad))
  fi
}

run_suite build -DCMAKE_BUILD_TYPE=Release
run_suite build-asan -DCMAKE_BUILD_TYPE= -DCMAKE_CXX_COMPILER=clang++-14 \
  -DQM_SANITIZE=ON -DQM_FUZZ=ON -DQM_BENCH=OFF

echo "total: $passed passed, $failed failed"
exit $status
