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

# The same shapes for rsvg, in trzn-render's frame: a picture of the plot's size with the
# drawing's canvas where the plot puts it, every visible shape unfilled and stroked black as wide
# as trzn-render's lines, nothing the plot leaves out either (images, clips, masks, filters,
# markers, dashes). What the drawing hides stays hidden: display and visibility are left alone,
# shapes with neither fill nor stroke get neither, a zero opacity stays zero.
cat >"$work/strokes.py" <<'PY'
import copy, math, re, sys, xml.etree.ElementTree as ET
src, dst = sys.argv[1], sys.argv[2]
iw, ih, cx, cy, cw, ch, line, wmm, hmm = (float(v) for v in sys.argv[3:12])
XLINK = '{http://www.w3.org/1999/xlink}href'
tree = ET.parse(src)
root = tree.getroot()
ns = root.tag[:-3] if root.tag.endswith('svg') else ''
local = lambda e: e.tag.split('}')[-1] if isinstance(e.tag, str) else ''
ids = {e.get('id'): e for e in root.iter() if e.get('id')}

def strip(e):
    for child in list(e):
        if local(child) in ('image', 'foreignObject'):
            e.remove(child)
        else:
            strip(child)
    for a in ('clip-path', 'mask', 'filter'):
        e.attrib.pop(a, None)
    if e.get('style'):
        e.set('style', re.sub(r'(clip-path|mask|filter)\s*:[^;]*;?', '', e.get('style')))
strip(root)

# <use> becomes a copy of what it names, so that each instance gets its own line width and
# inherits from its own place, as rendered.
def expand(e, depth=0):
    for i, child in enumerate(list(e)):
        if local(child) == 'use' and depth < 32:
            ref = ids.get((child.get(XLINK) or child.get('href') or '').lstrip('#'))
            if ref is None:
                e.remove(child)
                continue
            g = ET.Element(ns + 'g', {k: v for k, v in child.attrib.items()
                                      if k not in ('x', 'y', 'width', 'height', 'href', XLINK, 'id')})
            g.set('transform', (child.get('transform', '') + ' translate(%s %s)' % (
                child.get('x', '0'), child.get('y', '0'))).strip())
            body = copy.deepcopy(ref)
            if local(body) == 'symbol':
                body.tag = ns + 'g'
            body.attrib.pop('id', None)
            for d in body.iter():
                d.attrib.pop('id', None)
            g.append(body)
            e.remove(child)
            e.insert(i, g)
            expand(g, depth + 1)
        elif local(child) not in ('defs', 'symbol', 'clipPath', 'mask', 'marker', 'pattern'):
            expand(child, depth)
expand(root)

def props(e):
    p = {k: v for k, v in e.attrib.items() if '}' not in k}
    for part in (e.get('style') or '').split(';'):
        if ':' in part:
            k, v = part.split(':', 1)
            p[k.strip()] = v.strip()
    return p

def number(text, default):
    m = re.match(r'\s*([-+]?(?:\d+\.?\d*|\.\d+)(?:[eE][-+]?\d+)?)', text or '')
    return float(m.group(1)) if m else default

def det(transform):
    d = 1.0
    for name, args in re.findall(r'(\w+)\s*\(([^)]*)\)', transform or ''):
        v = [float(x) for x in re.split(r'[\s,]+', args.strip()) if x]
        if name == 'matrix' and len(v) == 6:
            d *= v[0] * v[3] - v[1] * v[2]
        elif name == 'scale' and v:
            d *= v[0] * (v[1] if len(v) > 1 else v[0])
    return abs(d)

SHAPES = {'path', 'rect', 'circle', 'ellipse', 'line', 'polyline', 'polygon', 'text', 'tspan',
          'textPath'}

def paint(e, inherited, scale):
    p = props(e)
    mine = dict(inherited)
    for k in ('fill', 'stroke', 'fill-opacity', 'stroke-opacity', 'stroke-width'):
        if k in p and p[k] != 'inherit':
            mine[k] = p[k]
    scale *= math.sqrt(det(e.get('transform')))
    style = e.get('style') or ''
    if number(p.get('opacity'), 1) > 0:
        style += ';opacity:1'
    if local(e) in SHAPES:
        filled = mine['fill'] != 'none' and number(mine['fill-opacity'], 1) > 0
        stroked = (mine['stroke'] != 'none' and number(mine['stroke-opacity'], 1) > 0
                   and number(mine['stroke-width'], 1) > 0)
        if filled or stroked:
            style += ';fill:none;stroke:#000;stroke-opacity:1;stroke-width:%g' % (
                line / scale if scale > 0 else 0)
        else:
            style += ';fill:none;stroke:none'
    e.set('style', style.lstrip(';'))
    for child in e:
        if local(child) not in ('defs', 'clipPath', 'mask', 'marker', 'pattern', 'symbol'):
            paint(child, mine, scale)

box = root.get('viewBox')
if box:
    vb = [float(v) for v in re.split(r'[\s,]+', box.strip())]
else:
    # Without a viewBox the user units are px, 96 to the inch.
    vb = [0, 0, wmm * 96 / 25.4, hmm * 96 / 25.4]
    box = '%g %g %g %g' % tuple(vb)
inner = ET.Element(ns + 'svg', {'x': '%g' % cx, 'y': '%g' % cy, 'width': '%g' % cw,
                                'height': '%g' % ch, 'viewBox': box})
if root.get('preserveAspectRatio'):
    inner.set('preserveAspectRatio', root.get('preserveAspectRatio'))
for child in list(root):
    root.remove(child)
    inner.append(child)
for k in list(root.attrib):
    if k not in ('version',):
        del root.attrib[k]
root.set('width', '%d' % iw)
root.set('height', '%d' % ih)
sheet = ET.Element(ns + 'style')
sheet.text = '* { stroke-dasharray: none !important; marker: none !important; }'
root.append(sheet)
root.append(inner)
paint(inner, {'fill': '#000', 'stroke': 'none', 'fill-opacity': '1', 'stroke-opacity': '1',
              'stroke-width': '1'}, min(cw / vb[2], ch / vb[3]))
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
  # The canvas's top-left is the printable area's top-left: plotter (0, area height).
  read -r iw ih scale ox oy line < <("$bench" frame "$stem.plt" 1000)
  read -r cmw cmh < <(echo "$opt" | awk '{print $12, $13}')
  area_h=$(echo "$opt" | awk '{split($15, b, ","); print b[4]}')
  geom=$(python3 -c "
s, ox, oy, ah, w, h = $scale, $ox, $oy, $area_h, $cmw * 40, $cmh * 40
print('%.4f %.4f %.4f %.4f' % (ox, oy - ah * s, w * s, h * s))")
  read -r cx cy cw ch <<<"$geom"
  python3 "$work/strokes.py" "$stem.svg" "$stem-ref.svg" "$iw" "$ih" "$cx" "$cy" "$cw" "$ch" "$line" "$cmw" "$cmh"
  rsvg-convert -b white "$stem-ref.svg" -o "$stem-ref.png"
  box=$(python3 -c "import math; print(math.floor($cx), math.floor($cy), math.ceil($cw) + 1, math.ceil($ch) + 1)")
  read -r _ near _ back < <("$bench" compare "$stem-plot.png" "$stem-ref.png" $box)
  printf '%-28s %8s %8s %8.1f%% %11.1f%% %10s mm %9s mm\n' "$name" "$(echo "$opt" | awk '{print $4}')" \
    "$(echo "$opt" | awk '{print $2}')" "$(echo "$near*100" | bc -l)" "$(echo "$back*100" | bc -l)" \
    "$(echo "$opt" | awk '{print $6}')" "$(echo "$doc" | awk '{print $6}')"
  sed 's/^/    /' "$stem.notes"
done

# Big drawings: 10 MB of curved paths in groups, and a million short paths.
python3 bench/big_drawings.py "$work"
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
