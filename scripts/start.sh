#!/usr/bin/env bash
# Builds the program (release) and starts it; arguments go to the program.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build --target quillmate
exec ./build/src/app/quillmate "$@"
