#!/usr/bin/env bash
# What the plotting options cost on the 10 MB drawing, each against the plain conversion in the
# same run, on one core (taskset), with peak RSS (/usr/bin/time):
# - plain: outlines, nearest-next order;
# - extended optimisation ("拡張最適化": shared stretches once, touching lines joined);
# - the drawing filled and stroked 1 mm with a 0.5 mm pen, whose hatching can't fit a plot.
# Usage: bash bench/option_costs.sh [build dir] [core]   (needs trzn_bench_options)
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(cd "${1:-build}" && pwd)
core=${2:-1}
bench="$build/bench/trzn_bench_options"
work=$(mktemp -d /tmp/trzn-costs-XXXXXX)
[ -n "${KEEP:-}" ] || trap 'rm -rf "$work"' EXIT
export HOME="$work" XDG_CONFIG_HOME="$work/.config" XDG_RUNTIME_DIR="$work" QT_QPA_PLATFORM=offscreen
chmod 700 "$work"
python3 bench/big_drawings.py "$work"
# Every group filled with its stroke's colour, stroked 1 mm wide (the drawing's unit is a mm).
sed 's/stroke="\(#[0-9a-f]*\)" fill="none"/stroke="\1" fill="\1" stroke-width="1"/' \
  "$work/big-10mb.svg" >"$work/big-filled.svg"

# name, drawing, pen thickness (1/100 mm), sort, extended
runs=("plain big-10mb 0 0 0" "extended big-10mb 0 0 1" "hatched big-filled 50 0 0")
printf '%-10s %9s %7s %12s   %s\n' option seconds "x plain" "peak RSS MB" "result"
plain=""
for run in "${runs[@]}"; do
  read -r name drawing thick sort extended <<<"$run"
  out=$({ /usr/bin/time -f 'rss %M' taskset -c "$core" "$bench" convert "$work/$drawing.svg" \
    "$thick" "$sort" "$extended" "$work/$name.plt"; } 2>&1 || true)
  seconds=$(awk '/^seconds/{print $2}' <<<"$out")
  rss=$(awk '/^rss/{printf "%.0f", $2 / 1024}' <<<"$out")
  [ -n "$plain" ] || plain=$seconds
  printf '%-10s %9s %7.1f %12s   %s\n' "$name" "$seconds" "$(echo "$seconds / $plain" | bc -l)" "$rss" \
    "$(awk '/^seconds/{$1 = $2 = ""; print}' <<<"$out" | sed 's/^ *//')"
done
