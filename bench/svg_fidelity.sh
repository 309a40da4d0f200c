#!/usr/bin/env bash
# Drawings from others' hands that dash, clip or use markers, against rsvg-convert: every
# drawing of openclipart-svg (/usr/share/openclipart) that gives a stroke-dasharray with a length
# above 0, a clip-path or a marker (attribute or style), in path order. Each is plotted at 100 %
# on a sheet its canvas's size (trzn_bench_drawing convert: pens of thickness 0), drawn by
# trzn-render at 1000 px with the sheet's corners marked, so that the frame is the sheet's and not
# the lines'; rsvg-convert draws the same drawing's strokes into that frame, at the canvas's
# place: every shape unfilled and stroked black as thin as trzn-render's lines, dashes, clips and
# markers kept, a filled shape's outline drawn whole. The share of either picture's line pixels
# within 2 px of the other's, within the canvas; then the median and the least of each.
# A drawing of known lines through each reading route comes first: there the two must coincide.
# Usage: bash bench/svg_fidelity.sh [build dir]   (needs trzn_bench_drawing and trzn-render)
#        ONLY=REGEX measures only the drawings whose path matches;
#        KEEP=1 keeps the pictures (NAME-plot.png, NAME-ref.png, NAME-both.png: plot red,
#        reference blue, both black).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
bench="$build/bench/trzn_bench_drawing"
render="$build/preview/trzn-render"
py=/usr/bin/python3  # the Debian interpreter, where python3-skimage's PIL is
clipart=${CLIPART:-/usr/share/openclipart}
work=$(mktemp -d /tmp/trzn-svgfid-XXXXXX)
[ -n "${KEEP:-}" ] || trap 'rm -rf "$work"' EXIT; echo "work: $work" >&2
mkdir -p "$work/home"; chmod 700 "$work/home"
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR="$work/home"

# The drawings: what each uses (dash, clip, marker), sorted by path.
cat >"$work/pick.py" <<'PY'
import os, re, sys
dash = re.compile(r'stroke-dasharray\s*[:=]\s*["\']?([^;"\'}<>]*)')
clip = re.compile(r'clip-path\s*[:=]\s*["\']?\s*url\(')
mark = re.compile(r'marker(?:-start|-mid|-end)?\s*[:=]\s*["\']?\s*url\(')
number = re.compile(r'\d+\.?\d*(?:[eE][-+]?\d+)?|\.\d+')
found = []
for d, _, files in os.walk(sys.argv[1]):
    for f in files:
        if not f.endswith('.svg'):
            continue
        p = os.path.join(d, f)
        t = open(p, encoding='utf-8', errors='replace').read()
        kinds = []
        # "none", "0" and "0,0" draw solid lines.
        if any(any(float(v) > 0 for v in number.findall(m)) for m in dash.findall(t)):
            kinds.append('dash')
        if clip.search(t):
            kinds.append('clip')
        if mark.search(t):
            kinds.append('marker')
        if kinds:
            found.append((p, ','.join(kinds)))
for p, k in sorted(found):
    print(k, p)
PY

# The drawing's strokes for rsvg, in the plot picture's frame. Each shape drawn (filled or
# stroked) becomes an unfilled black stroke `line` pixels wide, whatever transforms it lies
# under: trzn-render draws the plot's centre lines that wide. Thinned by the width each shape
# is given, not by vector-effect="non-scaling-stroke" (librsvg 2.54 ignores it) nor by
# skeletonising a picture at the drawing's own widths (wide strokes that lie close merge, and
# their ends shrink). A dash pattern is in user units, so a thinner stroke keeps its dashes; a
# marker sized by the stroke's width is sized in user units first, so it keeps its size. A
# filled shape's outline is drawn solid and closed (the plot draws it so, whatever dashes its
# stroke has). Clips are kept. Left out as the plot leaves them out: pictures, masks (drawn
# unmasked), filters; a pattern's tiles (fills become outlines). What the drawing hides stays
# hidden.
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
UNSEEN = ('defs', 'clipPath', 'mask', 'marker', 'pattern', 'symbol')
MARKERS = ('marker-start', 'marker-mid', 'marker-end')

def strip(e):
    for child in list(e):
        if local(child) in ('image', 'foreignObject'):
            e.remove(child)
        else:
            strip(child)
    for a in ('mask', 'filter'):
        e.attrib.pop(a, None)
    if e.get('style'):
        e.set('style', re.sub(r'(?<![-\w])(mask|filter)\s*:[^;]*;?', '', e.get('style')))
strip(root)

def number(text, default):
    m = re.match(r'\s*([-+]?(?:\d+\.?\d*|\.\d+)(?:[eE][-+]?\d+)?)\s*(px|pt|pc|mm|cm|in)?', text or '')
    if not m:
        return default
    per = {'pt': 96 / 72, 'pc': 16, 'mm': 96 / 25.4, 'cm': 96 / 2.54, 'in': 96}
    return float(m.group(1)) * per.get(m.group(2), 1)

# <use> becomes a copy of what it names, so that each instance gets its own line width; a
# symbol becomes the viewport it makes.
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
                number(child.get('x'), 0), number(child.get('y'), 0))).strip())
            body = copy.deepcopy(ref)
            if local(body) == 'symbol':
                body.tag = ns + 'svg'
                body.set('width', child.get('width', '100%'))
                body.set('height', child.get('height', '100%'))
            for d in body.iter():
                d.attrib.pop('id', None)
            g.append(body)
            e.remove(child)
            e.insert(i, g)
            expand(g, depth + 1)
        elif local(child) not in UNSEEN:
            expand(child, depth)
expand(root)

def props(e):
    p = {k: v for k, v in e.attrib.items() if '}' not in k}
    for part in (e.get('style') or '').split(';'):
        if ':' in part:
            k, v = part.split(':', 1)
            p[k.strip()] = v.strip()
    if 'marker' in p:
        for k in MARKERS:
            p.setdefault(k, p['marker'])
    return p

def det(transform):
    d = 1.0
    for name, args in re.findall(r'(\w+)\s*\(([^)]*)\)', transform or ''):
        v = [float(x) for x in re.split(r'[\s,]+', args.strip()) if x]
        if name == 'matrix' and len(v) == 6:
            d *= v[0] * v[3] - v[1] * v[2]
        elif name == 'scale' and v:
            d *= v[0] * (v[1] if len(v) > 1 else v[0])
    return abs(d)

def viewbox(e):
    try:
        vb = [float(v) for v in re.split(r'[\s,]+', (e.get('viewBox') or '').strip())]
        return vb if len(vb) == 4 and vb[2] > 0 and vb[3] > 0 else None
    except ValueError:
        return None

# Path data with every subpath closed, for a filled path: a fill's outline runs back to where
# the subpath began. A relative moveto after a subpath that gets closed is made absolute (it would
# count from the subpath's start instead of its end).
ARGS = {'m': 2, 'l': 2, 'h': 1, 'v': 1, 'c': 6, 's': 4, 'q': 4, 't': 2, 'a': 7, 'z': 0}
NUM = re.compile(r'[-+]?(?:\d+\.?\d*|\.\d+)(?:[eE][-+]?\d+)?')

def closed(d):
    out, i, x, y, sx, sy, open_, cmd = [], 0, 0.0, 0.0, 0.0, 0.0, False, None
    while i < len(d):
        c = d[i]
        if c.isspace() or c == ',':
            i += 1
            continue
        if c.lower() in ARGS:
            cmd, i = c, i + 1
            if cmd.lower() == 'z':
                out.append('Z'); x, y, open_ = sx, sy, False
                continue
        elif cmd is None:
            raise ValueError('path data without a command')
        v = []
        for k in range(ARGS[cmd.lower()]):
            while i < len(d) and (d[i].isspace() or d[i] == ','):
                i += 1
            if cmd.lower() == 'a' and k in (3, 4) and i < len(d) and d[i] in '01':
                v.append(float(d[i])); i += 1
                continue
            m = NUM.match(d, i)
            if not m:
                raise ValueError('bad path data')
            v.append(float(m.group())); i = m.end()
        rel = cmd.islower()
        low = cmd.lower()
        if low == 'm':
            nx, ny = (x + v[0], y + v[1]) if rel else (v[0], v[1])
            if open_:
                out.append('Z')
            out.append('M%.10g %.10g' % (nx, ny))
            x, y, sx, sy, open_ = nx, ny, nx, ny, True
            cmd = 'l' if rel else 'L'
            continue
        if low == 'h':
            x = x + v[0] if rel else v[0]
        elif low == 'v':
            y = y + v[0] if rel else v[0]
        else:
            x, y = (x + v[-2], y + v[-1]) if rel else (v[-2], v[-1])
        open_ = True
        # An arc's two flags are written as the digits they must be.
        out.append(cmd + ' '.join('%d' % a if low == 'a' and k in (3, 4) else '%.10g' % a
                                  for k, a in enumerate(v)))
    if open_:
        out.append('Z')
    return ' '.join(out)

SHAPES = {'path', 'rect', 'circle', 'ellipse', 'line', 'polyline', 'polygon', 'text', 'tspan',
          'textPath'}
INHERITED = ('fill', 'stroke', 'fill-opacity', 'stroke-opacity', 'stroke-width') + MARKERS
made = [0]

# A marker drawn for a stroke `width` user units wide, as a copy sized in user units; its
# content's scale to user units.
def sized_marker(ref, width):
    m = copy.deepcopy(ref)
    made[0] += 1
    m.set('id', 'trzn-marker-%d' % made[0])
    mw, mh = number(ref.get('markerWidth'), 3), number(ref.get('markerHeight'), 3)
    k = width if ref.get('markerUnits', 'strokeWidth') == 'strokeWidth' else 1
    vb = viewbox(ref)
    if not vb:
        m.set('viewBox', '0 0 %g %g' % (mw, mh))
        vb = [0, 0, mw, mh]
    m.set('markerUnits', 'userSpaceOnUse')
    m.set('markerWidth', '%g' % (mw * k))
    m.set('markerHeight', '%g' % (mh * k))
    for d in m.iter():
        if d is not m:
            d.attrib.pop('id', None)
    defs.append(m)
    return m, min(mw * k / vb[2], mh * k / vb[3])

def paint(e, inherited, scale):
    p = props(e)
    mine = dict(inherited)
    for k in INHERITED:
        if k in p and p[k] != 'inherit':
            mine[k] = p[k]
    scale *= math.sqrt(det(e.get('transform')))
    vb = viewbox(e) if local(e) == 'svg' else None
    if vb:
        w, h = number(e.get('width'), 0), number(e.get('height'), 0)
        if w > 0 and h > 0:
            scale *= min(w / vb[2], h / vb[3])
    style = e.get('style') or ''
    if number(p.get('opacity'), 1) > 0:
        style += ';opacity:1'
    if local(e) in SHAPES:
        filled = (local(e) != 'line' and mine['fill'] != 'none'
                  and number(mine['fill-opacity'], 1) > 0)
        stroked = (mine['stroke'] != 'none' and number(mine['stroke-opacity'], 1) > 0
                   and number(mine['stroke-width'], 1) > 0)
        if filled or stroked:
            style += ';fill:none;stroke:#000;stroke-opacity:1;stroke-width:%g' % (
                line / scale if scale > 0 else 0)
            if filled:
                style += ';stroke-dasharray:none'
                if local(e) == 'polyline':
                    e.tag = ns + 'polygon'
                elif local(e) == 'path' and e.get('d'):
                    try:
                        e.set('d', closed(e.get('d')))
                    except ValueError:
                        pass
        else:
            style += ';fill:none;stroke:none'
        for k in MARKERS:
            ref = ids.get(re.sub(r'^\s*url\(\s*#?([^)]*?)\s*\)\s*$', r'\1', mine[k]))
            if ref is not None and local(ref) == 'marker':
                m, k_scale = sized_marker(ref, number(mine['stroke-width'], 1))
                for child in m:
                    paint(child, BASE, scale * k_scale)
                style += ';%s:url(#%s)' % (k, m.get('id'))
    e.set('style', style.lstrip(';'))
    for child in e:
        if local(child) not in UNSEEN:
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
root.append(inner)
defs = ET.SubElement(inner, ns + 'defs')
BASE = {'fill': '#000', 'stroke': 'none', 'fill-opacity': '1', 'stroke-opacity': '1',
        'stroke-width': '1', 'marker-start': 'none', 'marker-mid': 'none', 'marker-end': 'none'}
paint(inner, BASE, 1)
tree.write(dst)
PY

# trzn-render draws pen 1 grey, and a line that thin straddling two rows of pixels fades above
# the comparison's threshold (the plot looks dotted there): the plot's greys are stretched so
# that its line colour is black, as rsvg's is.
cat >"$work/level.py" <<'PY'
import sys
import numpy as np
from PIL import Image
a = np.asarray(Image.open(sys.argv[1]).convert('L')).astype(float)
d = a.min()
out = np.clip((a - d) * 255 / max(255 - d, 1), 0, 255).astype(np.uint8)
Image.fromarray(out).save(sys.argv[1])
PY

# Both pictures over one another: the plot red, the reference blue, where both are black.
cat >"$work/both.py" <<'PY'
import sys
import numpy as np
from PIL import Image
def lines(path):
    a = np.asarray(Image.open(path).convert('RGBA')).astype(int)
    return (a[..., 3] > 128) & (a[..., :3].mean(axis=2) < 144)
p, r = lines(sys.argv[1]), lines(sys.argv[2])
out = np.full(p.shape + (3,), 255, np.uint8)
out[p] = (230, 0, 0); out[r] = (0, 60, 230); out[p & r] = (0, 0, 0)
Image.fromarray(out).save(sys.argv[3])
PY

# Drawings of known lines, one for each reading route: a frame inset 5 mm, diagonals, a dashed
# line, a circle clipped to its right half, an arrow marker (librsvg); the same without clip and
# marker (Qt's SVG module). A viewBox that is not the canvas's millimetres, and a transform.
for route in librsvg qt; do
  extra=""
  [ $route = librsvg ] && extra="<clipPath id='h'><rect x='100' y='0' width='100' height='150'/></clipPath>
<marker id='m' viewBox='0 0 10 10' refX='10' refY='5' markerWidth='6' markerHeight='6' orient='auto'><path d='M0 0 L10 5 L0 10 z'/></marker>
<circle cx='100' cy='75' r='40' fill='none' stroke='#000' clip-path='url(#h)'/>
<line x1='20' y1='120' x2='80' y2='120' stroke='#000' marker-end='url(#m)'/>"
  cat >"$work/known-$route.svg" <<SVG
<svg xmlns="http://www.w3.org/2000/svg" width="160mm" height="120mm" viewBox="0 0 200 150">
<g transform="translate(100 75) scale(2) translate(-50 -37.5)"><rect x="3.125" y="3.125" width="93.75" height="68.75" fill="#c00"/></g>
<path d="M6.25 6.25 L193.75 143.75 M6.25 143.75 L193.75 6.25" stroke="#000" stroke-width="3"/>
<line x1="20" y1="30" x2="180" y2="30" stroke="#000" stroke-width="2" stroke-dasharray="10,5"/>
$extra
</svg>
SVG
done

"$py" "$work/pick.py" "$clipart" | grep -E -- "${ONLY:-.}" >"$work/list.txt" || true
echo "drawings: $(wc -l <"$work/list.txt") ($(grep -c dash "$work/list.txt" || true) dash, \
$(grep -c '[a-z,]*clip[a-z,]* ' "$work/list.txt" || true) clip, $(grep -c marker "$work/list.txt" || true) use markers)"
{ echo "known $work/known-librsvg.svg"; echo "known $work/known-qt.svg"; cat "$work/list.txt"; } >"$work/all.txt"

printf '%-44s %-12s %9s %9s  %s\n' drawing uses "plot~ref" "ref~plot" notes
: >"$work/shares.txt"
n=0
while read -r kinds d; do
  n=$((n + 1))
  name=$(basename "${d%.svg}"); [ "$kinds" = known ] || name="$n-$name"
  stem="$work/$name"
  out=$("$bench" convert "$d" "$stem.plt" 1 2>"$stem.notes") || { echo "$name: $out"; continue; }
  notes=$(sed 's/^ *note: //' "$stem.notes" | paste -sd';' -)
  # The sheet's corners, a millimetre beyond it, make the frame the sheet's. Every line in pen
  # 1: trzn-render draws a pen in its colour, and a pale one would not count as a line.
  read -r aw ah < <(echo "$out" | awk '{split($15, b, ","); print b[3], b[4]}')
  { sed 's/SP[0-9]*;/SP1;/g' "$stem.plt"; echo "SP1;PU-40,-40;PD-40,-40;PU$((aw + 40)),$((ah + 40));PD$((aw + 40)),$((ah + 40));PU;SP0;"; } >"$stem.framed"
  "$render" "$stem.framed" "$stem-plot.png" 1000 >/dev/null
  "$py" "$work/level.py" "$stem-plot.png"
  read -r iw ih scale ox oy line <<<"$("$bench" frame "$stem.framed" 1000)"
  read -r cmw cmh < <(echo "$out" | awk '{print $12, $13}')
  # The canvas's top-left is the printable area's top-left, plotter (0, area height), and
  # trzn-render puts plotter (x, y) at pixel (ox + x scale, oy - y scale).
  read -r cx cy cw ch < <("$py" -c "
s, ox, oy, ah, w, h = $scale, $ox, $oy, $ah, $cmw * 40, $cmh * 40
print('%.4f %.4f %.4f %.4f' % (ox, oy - ah * s, w * s, h * s))")
  if ! "$py" "$work/strokes.py" "$d" "$stem-ref.svg" "$iw" "$ih" "$cx" "$cy" "$cw" "$ch" "$line" \
       "$cmw" "$cmh" 2>"$stem.err"; then
    echo "$name: no reference ($(tail -1 "$stem.err"))"; continue
  fi
  rsvg-convert -b white "$stem-ref.svg" -o "$stem-ref.png" 2>/dev/null || { echo "$name: rsvg-convert failed"; continue; }
  box=$("$py" -c "import math; print(math.floor($cx), math.floor($cy), math.ceil($cw) + 1, math.ceil($ch) + 1)")
  read -r _ near _ back < <("$bench" compare "$stem-plot.png" "$stem-ref.png" $box)
  [ -n "${KEEP:-}" ] && "$py" "$work/both.py" "$stem-plot.png" "$stem-ref.png" "$stem-both.png"
  printf '%-44s %-12s %8.1f%% %8.1f%%  %s\n' "$name" "$kinds" "$(echo "$near*100" | bc -l)" \
    "$(echo "$back*100" | bc -l)" "$notes"
  [ "$kinds" = known ] || echo "$name $kinds $near $back" >>"$work/shares.txt"
done <"$work/all.txt"

echo
"$py" - "$work/shares.txt" <<'PY'
import statistics, sys
rows = [l.split() for l in open(sys.argv[1])]
for label, want in (('all', None), ('dash', 'dash'), ('clip', 'clip'), ('marker', 'marker')):
    sel = [r for r in rows if want is None or want in r[1].split(',')]
    if not sel:
        continue
    a = [float(r[2]) * 100 for r in sel]; b = [float(r[3]) * 100 for r in sel]
    print('%-7s %4d drawings  plot near reference: median %5.1f %%, least %5.1f %%   '
          'reference near plot: median %5.1f %%, least %5.1f %%' % (
              label, len(sel), statistics.median(a), min(a), statistics.median(b), min(b)))
low = [r for r in rows if min(float(r[2]), float(r[3])) < 0.95]
print('below 95 %%: %d' % len(low))
for r in low:
    print('  %-44s %-12s %5.1f %% %5.1f %%' % (r[0], r[1], float(r[2]) * 100, float(r[3]) * 100))
PY
