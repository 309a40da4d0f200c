#!/usr/bin/env bash
# Drawings to plots, side by side in one run:
# - fidelity: real drawings (Inkscape's shipped examples, an icon, and drawings Inkscape's
#   command line makes) converted, drawn by trzn-render at 1000 px, against rsvg-convert's
#   drawing of the same shapes unfilled and stroked; the share of either's line pixels within
#   2 px of the other's;
# - pen-up travel with line optimisation against document order on the same drawings;
# - conversion time and peak memory for a 10 MB drawing and for a million paths.
# Usage: bash bench/drawing_figures.sh [build dir]   (needs trzn_bench_drawing and trzn-render)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-drawing}
bench="$build/bench/trzn_bench_drawing"
render="$build/preview/trzn-render"
work=$(mktemp -d /tmp/trzn-drawing-XXXXXX)
[ -n "${KEEP:-}" ] || trap 'rm -rf "$work"' EXIT; echo "work: $work" >&2
mkdir -p "$work/home"
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR="$work/home"
chmod 700 "$work/home"

# The same shapes for rsvg: no fill, black strokes of one thin width, nothing the plot leaves
# out either (images, clips, masks, filters, markers, dashes).
cat >"$work/strokes.py" <<'PY'
import re, sys, xml.etree.ElementTree as ET
src, dst = sys.argv[1], sys.argv[2]
tree = ET.parse(src)
root = tree.getroot()
ns = root.tag[:-3] if root.tag.endswith('svg') else ''
def strip(e):
    for child in list(e):
        if child.tag.split('}')[-1] in ('image', 'foreignObject'):
            e.remove(child)
        else:
            strip(child)
    for a in ('clip-path', 'mask', 'filter'):
        e.attrib.pop(a, None)
    st = e.get('style')
    if st:
        e.set('style', re.sub(r'(clip-path|mask|filter)\s*:[^;]*;?', '', st))
strip(root)
# 1.5 px at 1000 px across, in the root's user units (vector-effect is not applied by rsvg).
box = root.get('viewBox')
across = float(re.split(r'[\s,]+', box.strip())[2]) if box else float(re.match(r'[\d.]+', root.get('width', '1000')).group(0))
style = ET.Element(ns + 'style')
style.text = ('* { fill: none !important; stroke: #000 !important; stroke-opacity: 1 !important;'
              ' stroke-width: %gpx !important;'
              ' stroke-dasharray: none !important; marker: none !important; }' % (1.5 * across / 1000))
root.insert(0, style)
tree.write(dst)
PY

# Drawings made by Inkscape's command line: shapes, curves and text, exported as plain SVG with
# the text as paths, and as Inkscape SVG with the text kept as text.
cat >"$work/source.svg" <<'SVG'
<svg xmlns="http://www.w3.org/2000/svg" width="180mm" height="120mm" viewBox="0 0 180 120">
  <rect x="10" y="10" width="60" height="40" rx="6" fill="#e03030" stroke="#000" stroke-width="0.5"/>
  <circle cx="110" cy="35" r="25" fill="none" stroke="#2040d0" stroke-width="0.8"/>
  <ellipse cx="150" cy="80" rx="20" ry="12" transform="rotate(25 150 80)" fill="#30a030"/>
  <path d="M10 110 C 40 60, 70 140, 100 90 S 150 60, 170 110" fill="none" stroke="#000"/>
  <path d="M20 70 A 20 15 0 1 1 60 70 Z" fill="#ffd000" stroke="#806000"/>
  <text x="60" y="112" font-family="DejaVu Sans" font-size="12" fill="#000">Plot 123</text>
</svg>
SVG
inkscape "$work/source.svg" --export-plain-svg --export-text-to-path \
  --export-filename="$work/inkscape-paths.svg" >/dev/null 2>&1
inkscape "$work/source.svg" --export-type=svg --export-filename="$work/inkscape-text.svg" \
  >/dev/null 2>&1

drawings=(
  /usr/share/inkscape/examples/tiger.svgz
  /usr/share/inkscape/examples/car.svgz
  /usr/share/inkscape/examples/l-systems.svgz
  /usr/share/inkscape/examples/tesselation-P3.svg
  /usr/share/inkscape/examples/art-nouveau-P3.svg
  /usr/share/inkscape/examples/text-on-path.svg
  /usr/share/icons/hicolor/scalable/apps/org.inkscape.Inkscape.svg
  "$work/inkscape-paths.svg"
  "$work/inkscape-text.svg"
)

printf '%-28s %8s %8s %9s %12s %12s %7s\n' drawing paths seconds "plot~ref" "ref~plot" \
  "travel opt" "travel doc"
for d in "${drawings[@]}"; do
  [ -f "$d" ] || continue
  name=$(basename "$d"); stem="$work/${name%.*}"
  case "$d" in *.svgz) gzip -dc "$d" >"$stem.svg" ;; *) [ "$d" = "$stem.svg" ] || cp "$d" "$stem.svg" ;; esac
  opt=$("$bench" convert "$d" "$stem.plt" 1 2>"$stem.notes") || { echo "$name: $opt"; continue; }
  doc=$("$bench" convert "$d" "$stem-doc.plt" 0 2>/dev/null)
  "$render" "$stem.plt" "$stem-plot.png" 1000 >/dev/null
  python3 "$work/strokes.py" "$stem.svg" "$stem-ref.svg"
  rsvg-convert -w 1000 -b white "$stem-ref.svg" -o "$stem-ref0.png"
  # Scale rsvg's picture so that its lines span what trzn-render's span, then line them up.
  read -r _ _ pw _ < <("$bench" box "$stem-plot.png")
  read -r _ _ rw _ < <("$bench" box "$stem-ref0.png")
  width=$(( (1000 * pw + rw / 2) / rw ))
  rsvg-convert -w "$width" -b white "$stem-ref.svg" -o "$stem-ref.png"
  read -r _ near _ back < <("$bench" compare "$stem-plot.png" "$stem-ref.png")
  printf '%-28s %8s %8s %8.1f%% %11.1f%% %10s mm %9s mm\n' "$name" "$(echo "$opt" | awk '{print $4}')" \
    "$(echo "$opt" | awk '{print $2}')" "$(echo "$near*100" | bc -l)" "$(echo "$back*100" | bc -l)" \
    "$(echo "$opt" | awk '{print $6}')" "$(echo "$doc" | awk '{print $6}')"
  sed 's/^/    /' "$stem.notes"
done

# Big drawings: 10 MB of curved paths in groups, and a million short paths.
python3 - "$work" <<'PY'
import random, sys
w = sys.argv[1]
random.seed(7)
with open(w + '/big-10mb.svg', 'w') as f:
    f.write('<svg xmlns="http://www.w3.org/2000/svg" width="1000mm" height="1000mm" viewBox="0 0 1000 1000">\n')
    size = 0
    while size < 10 * 1024 * 1024:
        x, y = random.uniform(0, 950), random.uniform(0, 950)
        g = '<g transform="translate(%.2f %.2f)" stroke="#%06x" fill="none">' % (x, y, random.randrange(1 << 24))
        for _ in range(8):
            pts = ' '.join('%.2f,%.2f' % (random.uniform(0, 50), random.uniform(0, 50)) for _ in range(6))
            g += '<path d="M%.2f,%.2f C%s"/>' % (random.uniform(0, 50), random.uniform(0, 50), pts)
        g += '</g>\n'
        f.write(g)
        size += len(g)
    f.write('</svg>\n')
with open(w + '/million.svg', 'w') as f:
    f.write('<svg xmlns="http://www.w3.org/2000/svg" width="1000mm" height="1000mm" viewBox="0 0 1000 1000" stroke="#000">\n')
    for i in range(1000000):
        f.write('<path d="M%d.%d %d.%dl1 1"/>\n' % (i % 1000, i % 7, (i // 1000) % 1000, i % 3))
    f.write('</svg>\n')
PY
echo
printf '%-16s %8s %10s %10s %12s\n' drawing MB paths "seconds" "peak RSS MB"
for big in big-10mb million; do
  f="$work/$big.svg"
  for opt in 1 0; do
    out=$( { /usr/bin/time -f 'rss %M' "$bench" convert "$f" "$work/$big.plt" $opt; } 2>&1 )
    printf '%-16s %8.1f %10s %10s %12.0f   %s\n' "$big" "$(echo "$(stat -c %s "$f")/1048576" | bc -l)" \
      "$(echo "$out" | awk '/^seconds/{print $4}')" "$(echo "$out" | awk '/^seconds/{print $2}')" \
      "$(echo "$(echo "$out" | awk '/^rss/{print $2}')/1024" | bc -l)" \
      "$([ $opt = 1 ] && echo optimised || echo 'document order')"
  done
done
