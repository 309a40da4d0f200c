#!/usr/bin/env bash
# Dashes, clips, markers, symbols and the canvas, from SVG and from the PDF rsvg-convert makes
# of it: the pen-down runs each plots (count, length, box along x, in plotter units at 100 %);
# then the 10 MB drawing of the README's figures converted on one core, by this build and by a
# build before (time, peak RSS), and the same drawing dashed and clipped throughout (read by
# librsvg into the PDF route). Strokes 0.4 mm wide: one line each with the bench's 0.3 mm pens.
#   bash bench/svg_pdf_figures.sh [build] [build before]
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(cd "${1:-build}" && pwd)
before=${2:-}
work=$(mktemp -d /tmp/trzn-svgpdf-XXXXXX)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/home"
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_RUNTIME_DIR="$work/home"
export QT_QPA_PLATFORM=offscreen LANG=C.UTF-8

python3 - "$work" <<'PY'
import sys
w = sys.argv[1]
s = "stroke='black' stroke-width='0.2'"
cases = {
    "dash_5_2": f"<line x1='0' y1='10' x2='100' y2='10' {s} stroke-dasharray='5,2'/>",
    "dash_5_2_offset_3": f"<line x1='0' y1='10' x2='100' y2='10' {s} stroke-dasharray='5,2' stroke-dashoffset='3'/>",
    "dash_2.5_1_group_scaled_2x": "<g transform='scale(2)'><line x1='0' y1='5' x2='50' y2='5' stroke='black' stroke-width='0.1' stroke-dasharray='2.5,1'/></g>",
    "square_40_dashed_10_10": f"<rect x='0' y='10' width='40' height='40' fill='none' {s} stroke-dasharray='10,10'/>",
    "line_across_circular_clip_r20": f"<clipPath id='c'><circle cx='50' cy='10' r='20'/></clipPath><line x1='0' y1='10' x2='100' y2='10' {s} clip-path='url(#c)'/>",
    "circle_r30_right_half": f"<clipPath id='h'><rect x='50' y='0' width='100' height='100'/></clipPath><circle cx='50' cy='40' r='30' fill='none' {s} clip-path='url(#h)'/>",
    "arrow_marker_line_10_60": f"<marker id='m' viewBox='0 0 10 10' refX='10' refY='5' markerWidth='4' markerHeight='4' orient='auto'><path d='M0 0 L10 5 L0 10 z'/></marker><line x1='10' y1='10' x2='60' y2='10' {s} marker-end='url(#m)'/>",
    "symbol_used_at_20mm": "<symbol id='y' viewBox='0 0 10 10'><rect width='10' height='10' fill='none' stroke='black' stroke-width='0.1'/></symbol><use href='#y' x='30' y='10' width='20' height='20'/>",
    "line_-50_50_beyond_canvas": f"<line x1='-50' y1='10' x2='50' y2='10' {s}/>",
}
for name, body in cases.items():
    open(f"{w}/{name}.svg", "w").write("<svg xmlns='http://www.w3.org/2000/svg' width='200mm' height='100mm' viewBox='0 0 200 100'>" + body + "</svg>")
PY
runs() {  # the pen-down runs of a plot: count, length, x from .. to
  python3 - "$1" <<'PY'
import re, sys, math
body = open(sys.argv[1]).read()
x = y = 0; n = 0; length = 0; xs = []
for op, args in re.findall(r'(PU|PD)([-0-9,]*)', body):
    v = [int(a) for a in args.split(',') if a]
    if op == 'PD' and v: n += 1
    for i in range(0, len(v) - 1, 2):
        if op == 'PD':
            length += math.hypot(v[i] - x, v[i + 1] - y); xs += [x, v[i]]
        x, y = v[i], v[i + 1]
print(f"{n:4d} runs {length:8.0f} long  x {min(xs)}..{max(xs)}")
PY
}
printf '%-32s %-44s %s\n' case SVG PDF
for f in "$work"/*.svg; do
  rsvg-convert -f pdf -o "${f%.svg}.pdf" "$f"
  a=$("$build/tools/trzn-plot" --output "$work/a.plt" "$f" 2>/dev/null && runs "$work/a.plt")
  b=$("$build/tools/trzn-plot" --output "$work/b.plt" "${f%.svg}.pdf" 2>/dev/null && runs "$work/b.plt")
  printf '%-32s %-44s %s\n' "$(basename "${f%.svg}")" "$a" "$b"
done

# The 10 MB drawing, as drawing_figures.sh writes it, and the same dashed and clipped.
python3 - "$work" <<'PY'
import random, sys
w = sys.argv[1]
for name, extra in (("big-10mb", ""), ("big-dashed-clipped", " stroke-dasharray=\"3,1\" clip-path=\"url(#c)\"")):
    random.seed(7)
    with open(f"{w}/{name}.svg", "w") as f:
        f.write('<svg xmlns="http://www.w3.org/2000/svg" width="1000mm" height="1000mm" viewBox="0 0 1000 1000">\n')
        if extra:
            f.write('<defs><clipPath id="c" clipPathUnits="objectBoundingBox"><circle cx="0.5" cy="0.5" r="0.45"/></clipPath></defs>\n')
        size = 0
        while size < 10 * 1024 * 1024:
            x, y = random.uniform(0, 950), random.uniform(0, 950)
            g = '<g transform="translate(%.2f %.2f)" stroke="#%06x" stroke-width="0.4" fill="none"%s>' % (x, y, random.randrange(1 << 24), extra)
            for _ in range(8):
                pts = ' '.join('%.2f,%.2f' % (random.uniform(0, 50), random.uniform(0, 50)) for _ in range(6))
                g += '<path d="M%.2f,%.2f C%s"/>' % (random.uniform(0, 50), random.uniform(0, 50), pts)
            g += '</g>\n'
            f.write(g)
            size += len(g)
        f.write('</svg>\n')
PY
echo
printf '%-22s %-8s %8s %10s %12s\n' drawing build paths seconds "peak RSS MB"
measure() {  # build, drawing, label: trzn_bench_drawing's conversion (the README's figures)
  local out
  out=$( { /usr/bin/time -f 'rss %M' taskset -c 0 "$1/bench/trzn_bench_drawing" convert \
          "$work/$2.svg" "$work/big.plt" 1; } 2>&1 ) || true
  printf '%-22s %-8s %8s %10s %12.0f\n' "$2" "$3" "$(echo "$out" | awk '/^seconds/{print $4}')" \
    "$(echo "$out" | awk '/^seconds/{print $2}')" \
    "$(echo "$(echo "$out" | awk '/^rss/{print $2}')/1024" | bc -l)"
}
for i in 1 2 3; do
  measure "$build" big-10mb after
  [ -n "$before" ] && measure "$(cd "$before" && pwd)" big-10mb before
done
measure "$build" big-dashed-clipped after
