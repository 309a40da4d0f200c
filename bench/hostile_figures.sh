#!/usr/bin/env bash
# Time and peak memory of each hostile file of tests/drawing/hostile_files.py converted by
# trzn_bench_readers (A3 sheet, automatic pens, line optimisation), one core, under 4 GB of
# address space and 60 s: what it said (the error or the notes), seconds and peak resident
# memory as /usr/bin/time -v reports them. Given a second build directory (say one of an older
# tree), the same files through it too, as "before".
# Usage: bash bench/hostile_figures.sh [build dir] [build dir before]
set -uo pipefail
cd "$(dirname "$0")/.."
after=${1:-build}/bench/trzn_bench_readers
before=${2:+$2/bench/trzn_bench_readers}
work=$(mktemp -d /tmp/trzn-hostile-XXXXXX)
[ -n "${KEEP:-}" ] || trap 'rm -rf "$work"' EXIT
mkdir -p "$work/home" "$work/files"
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_RUNTIME_DIR="$work/home"
export QT_QPA_PLATFORM=offscreen
/usr/bin/python3 tests/drawing/hostile_files.py "$work/files"

# One conversion: "said | seconds | MB".
measure() {
  local bench=$1 file=$2
  taskset -c 0 /usr/bin/time -v -o "$work/time" timeout 60 prlimit --as=4294967296 \
    "$bench" convert "$file" "$work/body" 420 297 >"$work/out" 2>"$work/err"
  local status=$? said
  said=$(grep -h '^error\|note:' "$work/out" "$work/err" | sed 's/^ *note: //; s/^error [0-9]*: //' |
    paste -sd ';' | cut -c1-90)
  if grep -q '^seconds' "$work/out" && [ -z "$said" ]; then said="plotted"; fi
  if [ "$status" -eq 124 ]; then said="stopped after 60 s"; fi
  if grep -q 'Command terminated by signal' "$work/time"; then
    said="crashed ($(grep -o 'signal [0-9]*' "$work/time"))"
  elif [ -z "$said" ]; then said="exit $status"; fi
  local seconds mb
  seconds=$(awk -F': ' '/Elapsed/ {n = split($2, t, ":"); s = t[n] + (n > 1 ? 60 * t[n-1] : 0); print s}' "$work/time")
  mb=$(awk -F': ' '/Maximum resident/ {printf "%.0f", $2 / 1024}' "$work/time")
  echo "$said | $seconds | $mb"
}

if [ -n "$before" ]; then
  echo "| file | bytes | before: said, s, MB | after: said, s, MB |"
  echo "|---|---|---|---|"
else
  echo "| file | bytes | said | seconds | peak MB |"
  echo "|---|---|---|---|---|"
fi
for file in "$work"/files/*; do
  name=$(basename "$file")
  size=$(stat -c %s "$file")
  if [ -n "$before" ]; then
    echo "| $name | $size | $(measure "$before" "$file" | sed 's/ | /, /g') | $(measure "$after" "$file" | sed 's/ | /, /g') |"
  else
    echo "| $name | $size | $(measure "$after" "$file") |"
  fi
done
