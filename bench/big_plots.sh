#!/usr/bin/env bash
# Big plots side by side in one run: the sender's shared-folder delivery of a real plot (hp2xx's
# acad.hp repeated to size) against two plain copies of the same file, long crossing strokes,
# the event loop while the preview is drawn, and trzn-render's time and peak memory.
# Usage: bash bench/big_plots.sh [build dir]   (release build: RelWithDebInfo)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
bench="$build/bench/bench_big_plots"
render="$build/preview/trzn-render"
work=$(mktemp -d /tmp/trzn-big-XXXXXX)
trap 'rm -rf "$work"' EXIT

repeat_to() {  # repeat_to SOURCE MB OUT
  local src=$1 mb=$2 out=$3
  : >"$out"
  while [ "$(stat -c %s "$out")" -lt $((mb * 1048576)) ]; do cat "$src" "$src" "$src" "$src" >>"$out"; done
}
gzip -dc /usr/share/doc/hp2xx/hp-tests/acad.hp.gz >"$work/acad.hp"
for i in $(seq 64); do cat "$work/acad.hp"; done >"$work/acad-64.hp"
repeat_to "$work/acad-64.hp" 50 "$work/real-50.plt"
repeat_to "$work/real-50.plt" 200 "$work/real-200.plt"
printf 'PU0,0;PD20000,10000;PU20000,0;PD0,10000;%.0s' $(seq 4096) >"$work/cross-unit"
repeat_to "$work/cross-unit" 20 "$work/cross-20.plt"
cp bench/data/sample-plot.hpgl "$work/tiny.plt"
# One pen-down list that never ends (40 MB): the reader must hand it over in batches and the
# drawing must stay within its stroke budget.
{ printf 'IN;SP1;PU0,0;PD'; head -c 40000000 < <(yes '1,1,2,2,' | tr -d '\n'); } >"$work/list-40.plt"
# A plot that never repeats itself: a random walk of short strokes in eight pens, so nothing is
# recognised as drawn before.
/usr/bin/python3 - "$work/walk-50.plt" <<'PY'
import random, sys
random.seed(42)
x, y, out, size = 8000, 5500, [], 0
while size < 50 * 1048576:
    parts = []
    for _ in range(1 + random.randrange(8)):
        x = abs(x + random.randrange(-200, 201)) % 16000
        y = abs(y + random.randrange(-200, 201)) % 11000
        parts.append("%d,%d" % (x, y))
    s = "PU%d,%d;PD%s;" % (x, y, ",".join(parts))
    if random.randrange(500) == 0:
        s += "SP%d;" % (1 + random.randrange(8))
    out.append(s)
    size += len(s)
open(sys.argv[1], "w").write("".join(out))
PY

peak() {  # peak LABEL COMMAND...: runs it, prints its output and peak RSS
  local label=$1; shift
  local out
  out=$( { /usr/bin/time -f "__rss %M" "$@" >"$work/out" 2>"$work/err"; } 2>&1 || true)
  local rss
  rss=$(grep -h "__rss" "$work/err" | awk '{print $2}')
  printf '%-34s %-70s peak RSS %5d MB\n' "$label" "$(grep -v __rss "$work/out" | head -1)" $((rss / 1024))
}

copies() {  # two plain copies of a file, as framing and delivery make
  sync
  local t0 t1
  t0=$(date +%s.%N)
  cp "$1" "$work/copy1"; cp "$work/copy1" "$work/copy2"
  t1=$(date +%s.%N)
  rm -f "$work/copy1" "$work/copy2"
  awk "BEGIN {print $t1 - $t0}"
}

echo "== shared folder (page cache warm) =="
peak "tiny plot" "$bench" shared "$work/tiny.plt"
peak "real plot 50 MB" "$bench" shared "$work/real-50.plt"
printf '%-34s %.3f s\n' "two plain copies of 50 MB" "$(copies "$work/real-50.plt")"
peak "random walk 50 MB" "$bench" shared "$work/walk-50.plt"
peak "real plot 200 MB" "$bench" shared "$work/real-200.plt"
printf '%-34s %.3f s\n' "two plain copies of 200 MB" "$(copies "$work/real-200.plt")"
peak "crossing strokes 20 MB" "$bench" shared "$work/cross-20.plt"
peak "one PD list 40 MB" "$bench" shared "$work/list-40.plt"
echo "== serial, Stop after 3 s while the preview is drawn =="
peak "real plot 200 MB" "$bench" serial "$work/real-200.plt" 3
peak "random walk 50 MB" "$bench" serial "$work/walk-50.plt" 3
peak "crossing strokes 20 MB" "$bench" serial "$work/cross-20.plt" 3
peak "one PD list 40 MB" "$bench" serial "$work/list-40.plt" 3
echo "== trzn-render, 1200 pixels wide =="
for plot in real-50 real-200 walk-50 cross-20 list-40; do
  t0=$(date +%s.%N)
  peak "$plot" "$render" "$work/$plot.plt" "$work/$plot.png" 1200
  t1=$(date +%s.%N)
  size=$(stat -c %s "$work/$plot.plt")
  printf '%-34s %.2f s, %.1f MB/s\n' "" "$(awk "BEGIN {print $t1 - $t0}")" \
    "$(awk "BEGIN {print $size / 1048576 / ($t1 - $t0)}")"
done
