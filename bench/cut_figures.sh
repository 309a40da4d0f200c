#!/usr/bin/env bash
# The cutting and output options on small drawings, each converted by trzn-plot --output with
# the option set in a settings file of a throwaway home:
# - the weeding frame's rectangle for K margins of 10 / 5 / 15 / 20 mm (left, right, bottom,
#   top) around a 20 mm square;
# - a 100 mm line perforated in 5 mm cuts and 2 mm skips: its cut runs and gaps;
# - the header "VS10;FS30;" and the footer "PG;" around the plot;
# - a 100 mm line at 2540 steps an inch;
# - a 1,000-point circle under the PD limit 30 / 512, against the same plot without it;
# - a 20 mm square cut with a 0.25 mm blade offset and a 1 mm overcut, drawn by trzn-render
#   into docs/knife-square.png.
# Usage: bash bench/cut_figures.sh [build dir]   (needs trzn-plot and trzn-render)
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$PWD
build=$(cd "${1:-build}" && pwd)
plot="$build/tools/trzn-plot"
render="$build/preview/trzn-render"
work=$(mktemp -d /tmp/trzn-cut-XXXXXX)
[ -n "${KEEP:-}" ] || trap 'rm -rf "$work"' EXIT
mkdir -p "$work/home/Documents"
chmod 700 "$work/home"
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_RUNTIME_DIR="$work/home"
export QT_QPA_PLATFORM=offscreen LANG=C.UTF-8
product="$HOME/Documents/Adobe/Illustrator/Trazen"
mkdir -p "$product"

# A3 upright at 100 %, black is pen 1.
source bench/throwaway_settings.sh
svg() {  # name, shapes
  printf '%s' "<svg xmlns='http://www.w3.org/2000/svg' width='297mm' height='420mm' \
viewBox='0 0 297 420'><g fill='none' stroke='black'>$2</g></svg>" >"$work/$1.svg"
}
convert() {  # name -> $work/name.plt
  "$plot" --output "$work/$1.plt" "$work/$1.svg" 2>"$work/$1.notes"
}
# A kept plot without the input window it starts with.
body() { sed 's/^IW[^;]*;//' "$1"; }
# The pen-down runs of a plot: one line per PD instruction, its pairs.
runs() { body "$1" | grep -o 'PD[-0-9,]*' | sed 's/^PD//'; }

svg square "<rect x='50' y='50' width='20' height='20'/>"
svg line "<path d='M20 200 H120'/>"
python3 - "$work/circle.svg" <<'PY'
import math, sys
pts = " ".join(f"{100 + 40 * math.cos(2 * math.pi * i / 1000):.4f},"
               f"{200 + 40 * math.sin(2 * math.pi * i / 1000):.4f}" for i in range(1000))
open(sys.argv[1], "w").write(
    "<svg xmlns='http://www.w3.org/2000/svg' width='297mm' height='420mm' viewBox='0 0 297 420'>"
    f"<polygon points='{pts}' fill='none' stroke='black'/></svg>")
PY

echo "== weeding frame: K margins 10 / 5 / 15 / 20 mm (left, right, bottom, top) =="
# Points, as the window stores the margins: 28, 14, 43, 57 (left, top, right, bottom order).
settings 'THPrConfig.fusekstm = 1' 'THPrConfig.ktoolid = 2' 'THPrConfig.kmargin = 28,57,14,43'
convert square
box=$(body "$work/square.plt" | sed -n '/SP1;/,/SP2;/p' | grep -oE '[0-9]+,[0-9]+' | awk -F, \
  'NR==1{x0=x1=$1;y0=y1=$2} {if($1<x0)x0=$1; if($1>x1)x1=$1; if($2<y0)y0=$2; if($2>y1)y1=$2}
   END{print x0, y0, x1, y1}')
frame=$(body "$work/square.plt" | sed -n '/SP2;/,$p' | grep -oE '[0-9]+,[0-9]+' | awk -F, \
  'NR==1{x0=x1=$1;y0=y1=$2} {if($1<x0)x0=$1; if($1>x1)x1=$1; if($2<y0)y0=$2; if($2>y1)y1=$2}
   END{print x0, y0, x1, y1}')
echo "square's line box (units): $box"
echo "frame (units):             $frame"
read -r bx0 by0 bx1 by1 <<<"$box"; read -r fx0 fy0 fx1 fy1 <<<"$frame"
awk -v l=$((bx0 - fx0)) -v r=$((fx1 - bx1)) -v b=$((by0 - fy0)) -v t=$((fy1 - by1)) \
  'BEGIN { printf "margins: left %.2f mm, right %.2f mm, bottom %.2f mm, top %.2f mm\n",
           l / 40, r / 40, b / 40, t / 40 }'
grep -A1 '^SP2;' "$work/square.plt"

echo "== perforation: 100 mm line, cut 5 mm, skip 2 mm =="
settings 'THPrConfig.fusezfcut = 1' 'THPrConfig.zftoolid = 1' 'THPrConfig.zfcleng = 50' \
  'THPrConfig.zfsleng = 20'
convert line
cuts=$(body "$work/line.plt" | grep -c '^PU[0-9]')
echo "cut runs: $cuts, gaps: $((cuts - 1))"
body "$work/line.plt" | grep '^PU[0-9]' | tr -c '0-9\n' ' ' | \
  awk '{ printf "%s%.1f", (NR > 1 ? " " : "cut lengths (mm): "), ($(NF - 1) - $1) / 40 } END { print "" }'
settings 'THPrConfig.fusezfcut = 1' 'THPrConfig.zftoolid = 1' 'THPrConfig.zfcleng = 50' \
  'THPrConfig.zfsleng = 20' 'THPrConfig.zfcpress = 30' 'THPrConfig.zfspress = 5'
convert line
echo "pressed (FS30 cut, FS5 skip): $(grep -o 'FS30;' "$work/line.plt" | wc -l) x FS30, \
$(grep -o 'FS5;' "$work/line.plt" | wc -l) x FS5, $(body "$work/line.plt" | grep -c '^PU[0-9]') pen-down run(s)"
head -c 160 "$work/line.plt"; echo " ..."

echo "== header VS10;FS30; and footer PG; =="
settings 'THSrConfig.prheader = "VS10;FS30;"' 'THSrConfig.prfooter = "PG;"'
convert line
echo "starts: $(head -c 40 "$work/line.plt" | tr '\n' ' ')"
echo "ends:   $(tail -c 16 "$work/line.plt" | tr '\n' ' ')"

echo "== plotter unit 2540 steps an inch: 100 mm line =="
settings 'THSrConfig.prunit = 2540'
convert line
grep -o '^IW[^;]*;' "$work/line.plt"
body "$work/line.plt" | grep -o 'PU[0-9]*,[0-9]*;PD[0-9]*,[0-9]*' | tr 'PUD;' '   ' | awk -F'[ ,]+' \
  '{ print "from x", $2, "to x", $4, "=", $4 - $2, "steps" }'

echo "== PD limit 30 / 512: 1,000-point circle =="
settings
convert circle
cp "$work/circle.plt" "$work/circle-plain.plt"
settings "THSrConfig.pdlmopt = $(((1 << 24) | (30 << 16) | 512))"
convert circle
for f in circle-plain circle; do
  runs "$work/$f.plt" | awk -F, -v name="$f" '{ pairs = NF / 2; bytes = length($0) + 3;
    if (pairs > mp) mp = pairs; if (bytes > mb) mb = bytes; n++; total += pairs }
    END { printf "%-13s %3d PD instructions, %4d pairs, at most %3d pairs and %4d bytes in one\n",
          name, n, total, mp, mb }'
done
same() { tr ';' '\n' <"$1" | sed -n 's/^P[UD]//p' | tr ',' '\n' | grep -v '^$' | paste -d, - -; }
if [ "$(same "$work/circle-plain.plt")" = "$(same "$work/circle.plt")" ]; then
  echo "points and pen lifts: the same as without the limit"
else
  echo "points and pen lifts: DIFFERENT"
fi

echo "== drag knife: 20 mm square, offset 0.25 mm, overcut 1 mm =="
settings
printf 'knife.use = 1\r\nknife.tool = 1\r\nknife.offset = 25\r\nknife.overcut = 100\r\n' \
  >"$product/TRZNKnife.ini"
convert square
body "$work/square.plt" | grep '^PU[0-9]' | tr ';PUD' ' ' | tr ',' ' ' | \
  awk '{ print "holder points:", NF / 2 }'
body "$work/square.plt" | grep '^PU[0-9]'
"$render" "$work/square.plt" "$repo/docs/knife-square.png" 600
