#!/usr/bin/env bash
# Exploratory fuzzing, outside the test command: every fuzz target (or those named) with a fresh
# random seed for FUZZ_SECONDS each (default 600), from a working corpus kept in
# build-fuzz/explore/NAME that grows from run to run. An input that fails is left in
# build-fuzz/explore/crashes/ and named at the end: mend the fault, then copy the input into
# fuzz/corpus/NAME/ so that scripts/run-tests.sh runs it every time.
#
#   bash scripts/fuzz-explore.sh                 # all targets
#   FUZZ_SECONDS=3600 bash scripts/fuzz-explore.sh fuzz_dxf fuzz_pdf
set -uo pipefail
cd "$(dirname "$0")/.."
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTRZN_FUZZ=ON -DBUILD_TESTING=OFF -DTRZN_BENCH=OFF >/dev/null || exit 1
cmake --build build-fuzz --parallel "$(nproc)" --target fuzzers || exit 1
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(fuzz_settings fuzz_drawing fuzz_dxf fuzz_pdf)
crashes=build-fuzz/explore/crashes
mkdir -p "$crashes"
failed=0
for name in "${targets[@]}"; do
  work=build-fuzz/explore/$name
  mkdir -p "$work"
  cp -n fuzz/corpus/"${name#fuzz_}"/* "$work"/ 2>/dev/null || true
  seed=$(od -An -N4 -tu4 /dev/urandom | tr -d ' ')
  echo "Fuzzing $name for ${FUZZ_SECONDS:-600} s, seed $seed"
  if ! build-fuzz/fuzz/"$name" -seed="$seed" -max_total_time="${FUZZ_SECONDS:-600}" \
      -max_len=8192 -artifact_prefix="$crashes/$name-" "$work" 2>&1 | tail -n 5; then
    failed=1
  fi
done
if [ -n "$(ls -A "$crashes")" ]; then
  echo "Inputs that failed (replay one with build-fuzz/fuzz/NAME FILE):"
  ls -1 "$crashes"
fi
exit "$failed"
