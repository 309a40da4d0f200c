#!/usr/bin/env bash
# What multiplies, through trzn-plot --output and its reading process (2 GB, 300 s): the
# multiplying files of tests/drawing/hostile_files.py, a 0.3 MB drawing perforated in 0.1 mm
# cuts and skips, a line too long for its perforation, and a plot body that fills a 1 MB
# temporary folder (a tmpfs: needs root). Exit status, seconds and peak memory of the run
# (/usr/bin/time -v: the largest of its processes), and what trzn-plot said. Given a second
# build directory, the same through it too as "before", each stopped after BEFORE_SECONDS (40).
# Usage: bash bench/multiplying_figures.sh [build dir] [build dir before]
set -uo pipefail
cd "$(dirname "$0")/.."
after=$(cd "${1:-build}" && pwd)/tools/trzn-plot
before=${2:+$(cd "$2" && pwd)/tools/trzn-plot}
work=$(mktemp -d /tmp/trzn-multiply-XXXXXX)
cleanup() { mountpoint -q "$work/small" && umount "$work/small"; rm -rf "$work"; }
[ -n "${KEEP:-}" ] || trap cleanup EXIT
mkdir -p "$work/home/Documents" "$work/files" "$work/tmp" "$work/small"
chmod 700 "$work/home"
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_RUNTIME_DIR="$work/home"
export QT_QPA_PLATFORM=offscreen LANG=C.UTF-8
product="$HOME/Documents/Adobe/Illustrator/Trazen"
mkdir -p "$product"
/usr/bin/python3 tests/drawing/hostile_files.py "$work/files"
/usr/bin/python3 - "$work/files" <<'PY'
import sys
# 10 000 runs of 560 mm (280 mm there and back): 5.6 km to perforate.
lines = "".join(f"<path d='M5 {5 + i * 0.04:.2f}H285H5'/>" for i in range(10000))
open(sys.argv[1] + "/perforated_10000_runs.svg", "w").write(
    "<svg xmlns='http://www.w3.org/2000/svg' width='297mm' height='420mm' viewBox='0 0 297 420'>"
    f"<g fill='none' stroke='black'>{lines}</g></svg>")
# One pen-down run of 120 m.
run = "M10 100" + " H210 H10" * 300
open(sys.argv[1] + "/perforated_120_m_run.svg", "w").write(
    "<svg xmlns='http://www.w3.org/2000/svg' width='297mm' height='420mm' viewBox='0 0 297 420'>"
    f"<path d='{run}' fill='none' stroke='black'/></svg>")
# 100 000 short lines: a 2.5 MB plot body.
many = "".join(f"<line x1='1' y1='{i % 19}' x2='19' y2='{i % 17}' stroke='black'/>"
               for i in range(100000))
open(sys.argv[1] + "/lines_100000_small_tmp.svg", "w").write(
    f"<svg xmlns='http://www.w3.org/2000/svg' width='20mm' height='20mm'>{many}</svg>")
PY

# A3 upright at 100 %, black is pen 1.
source bench/throwaway_settings.sh

# One run: "exit | said | seconds | MB".
measure() {
  local plot=$1 file=$2 tmp=$3 limit=$4
  TMPDIR=$tmp /usr/bin/time -v -o "$work/time" timeout "$limit" "$plot" --output "$work/out.plt" \
    "$file" 2>"$work/err" >/dev/null
  local status=$? said
  said=$(grep -v 'QStandardPaths\|nothing is set up' "$work/err" |
    sed "s|^trzn-plot: $file: ||; s|^trzn-plot: ||; s|$tmp|TMPDIR|" |
    paste -sd ';' | cut -c1-150)
  [ "$status" -eq 124 ] && said="still running after $limit s"
  local seconds mb
  seconds=$(awk -F': ' '/Elapsed/ {n = split($2, t, ":"); s = t[n] + (n > 1 ? 60 * t[n-1] : 0); print s}' "$work/time")
  mb=$(awk -F': ' '/Maximum resident/ {printf "%.0f", $2 / 1024}' "$work/time")
  rm -f "$work/out.plt"
  echo "$status | ${said:-plotted} | $seconds | $mb"
}

row() {  # file, temporary folder
  local file=$work/files/$1 tmp=$2
  local size
  size=$(stat -c %s "$file")
  if [ -n "$before" ]; then
    echo "| $1 | $size | $(measure "$before" "$file" "$tmp" "${BEFORE_SECONDS:-40}") | $(measure "$after" "$file" "$tmp" 400) |"
  else
    echo "| $1 | $size | $(measure "$after" "$file" "$tmp" 400) |"
  fi
}

if [ -n "$before" ]; then
  echo "| file | bytes | before: exit | said | s | MB | after: exit | said | s | MB |"
  echo "|---|---|---|---|---|---|---|---|---|---|"
else
  echo "| file | bytes | exit | said | seconds | peak MB |"
  echo "|---|---|---|---|---|---|"
fi
settings
for f in tiling_cell_0.01.pdf type3_draws_itself.pdf type3_6_deep.pdf page_tree_50000.pdf \
  dashed_insert_array.dxf block_100k_vertices_inserted_1000x1000.dxf \
  lines_2000_of_a_million_dashes.dxf; do
  row "$f" "$work/tmp"
done
settings 'THPrConfig.fusezfcut = 1' 'THPrConfig.zftoolid = 1' 'THPrConfig.zfcleng = 1' \
  'THPrConfig.zfsleng = 1'
row perforated_10000_runs.svg "$work/tmp"
row perforated_120_m_run.svg "$work/tmp"
settings
if mount -t tmpfs -o size=1m tmpfs "$work/small" 2>/dev/null; then
  row lines_100000_small_tmp.svg "$work/small"
fi
