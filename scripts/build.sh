#!/usr/bin/env bash
# Configures and builds into build/ (incremental on later runs). With target names, builds only
# those and what they need (the main job builds its four programs, not the tests and
# benchmarks); without, everything.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
targets=()
for t in "$@"; do targets+=(--target "$t"); done
cmake --build build --parallel "$(nproc)" "${targets[@]}"
