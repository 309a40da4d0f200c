#!/usr/bin/env bash
# Every test: installs what is missing, builds, runs the unit and integration tests, then runs
# each fuzz target (settings file, drawings) for a bounded time.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
# No include circles.
python3 scripts/check-includes.py
# No function over 80 lines outside tests; the settings store's key table is one table.
python3 scripts/check-function-length.py --allow Layout
python3 scripts/check-doc-links.py
ctest --test-dir build --output-on-failure --timeout 600 -j "$(nproc)"

# Fuzzing needs clang's libFuzzer with AddressSanitizer and UBSan: a build of its own. Each
# target starts from its corpus (the seeds and every input that once failed, kept as
# regression inputs) with a fixed seed, so that a run here does what the run before it did;
# scripts/fuzz-explore.sh searches with fresh seeds.
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTRZN_FUZZ=ON -DBUILD_TESTING=OFF -DTRZN_BENCH=OFF >/dev/null
cmake --build build-fuzz --parallel "$(nproc)" --target fuzzers
declare -A seeds=([fuzz_settings]=1101 [fuzz_drawing]=2203 [fuzz_dxf]=3307 [fuzz_pdf]=4409)
for target in build-fuzz/fuzz/fuzz_*; do
  [ -x "$target" ] || continue
  name=$(basename "$target")
  corpus=$(mktemp -d)
  cp fuzz/corpus/"${name#fuzz_}"/* "$corpus"/ 2>/dev/null || true
  echo "Fuzzing $name for ${FUZZ_SECONDS:-60} s (seed ${seeds[$name]:-1})"
  "$target" -seed="${seeds[$name]:-1}" -max_total_time="${FUZZ_SECONDS:-60}" -max_len=8192 \
    "$corpus" 2>&1 | tail -n 3
  rm -rf "$corpus"
done

# The Debian package: file list, dependencies, and a clean install and removal.
bash scripts/check-package.sh
