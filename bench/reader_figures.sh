#!/usr/bin/env bash
# PDF, EPS, PostScript and DXF drawings to plots:
# - fidelity: real drawings (Inkscape's shipped examples) made into PDF, EPS and PostScript by
#   rsvg-convert, each plotted and set against the plot of the SVG it came from: how far the box
#   of the plotted lines moved (mm; an EPS is laid by its bounding box, so only its size counts)
#   and, drawn by trzn-render at 1000 px, the share of either plot's line pixels within 2 px of
#   the other's;
# - a DXF with a 50 mm circle and a 100 x 50 mm rectangle: their plotted sizes in plotter units;
# - time and peak memory on one core for a 10 MB PDF, a 10 MB EPS and a DXF of a million
#   entities.
# Usage: bash bench/reader_figures.sh [build dir]
#        (needs trzn_bench_readers, trzn_bench_drawing and trzn-render built there)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
bench="$build/bench/trzn_bench_readers"
compare="$build/bench/trzn_bench_drawing"
render="$build/preview/trzn-render"
py=/usr/bin/python3  # the Debian interpreter, where python3-ezdxf is
work=$(mktemp -d /tmp/trzn-readers-XXXXXX)
[ -n "${KEEP:-}" ] || trap 'rm -rf "$work"' EXIT; echo "work: $work" >&2
mkdir -p "$work/home"; chmod 700 "$work/home"
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR="$work/home"

# The box of a plot's lines in mm: x0 y0 x1 y1.
cat >"$work/box.py" <<'PY'
import re, sys
xs, ys = [], []
for m in re.finditer(r'P[UD]([-0-9,]*)', open(sys.argv[1]).read()):
    n = [int(v) for v in m.group(1).split(',') if v]
    xs += n[0::2]; ys += n[1::2]
print(' '.join('%.3f' % (v / 40) for v in (min(xs), min(ys), max(xs), max(ys))))
PY

drawings=(
  /usr/share/inkscape/examples/tiger.svgz
  /usr/share/inkscape/examples/car.svgz
  /usr/share/inkscape/examples/l-systems.svgz
  /usr/share/inkscape/examples/tesselation-P3.svg
  /usr/share/inkscape/examples/art-nouveau-P3.svg
  /usr/share/inkscape/examples/text-on-path.svg
)
printf '%-22s %-4s %9s %10s %9s %9s\n' drawing kind seconds "box moved" "plot~svg" "svg~plot"
for d in "${drawings[@]}"; do
  [ -f "$d" ] || continue
  name=$(basename "$d"); stem="$work/${name%.*}"
  case "$d" in *.svgz) gzip -dc "$d" >"$stem.svg" ;; *) cp "$d" "$stem.svg" ;; esac
  rsvg-convert -f pdf -o "$stem.pdf" "$stem.svg"
  rsvg-convert -f eps -o "$stem.eps" "$stem.svg"
  rsvg-convert -f ps -o "$stem.ps" "$stem.svg"
  # One sheet for every kind: the PDF page, a millimetre larger.
  read -r pw ph < <(pdfinfo "$stem.pdf" | awk '/^Page size/{printf "%.1f %.1f\n", $3*25.4/72+1, $5*25.4/72+1}')
  svgout=$("$bench" convert "$stem.svg" "$stem-svg.plt" "$pw" "$ph" 2>/dev/null) || { echo "$name: SVG not plotted"; continue; }
  read -r sx0 sy0 sx1 sy1 < <($py "$work/box.py" "$stem-svg.plt")
  # A dot just beyond two corners of the sheet (where no plot reaches) in every picture of this
  # drawing: one frame for all.
  corners=$(echo "$svgout" | awk '{split($10, b, ","); printf "SP1;PU-40,-40;PD-40,-40;PU%d,%d;PD%d,%d;PU;SP0;", b[3] + 40, b[4] + 40, b[3] + 40, b[4] + 40}')
  picture() { { cat "$1"; echo "$corners"; } >"$1.framed"; "$render" "$1.framed" "$2" 1000 >/dev/null; }
  picture "$stem-svg.plt" "$stem-svg.png"
  for kind in pdf eps ps; do
    out=$("$bench" convert "$stem.$kind" "$stem-$kind.plt" "$pw" "$ph" 2>"$stem-$kind.notes") || { echo "$name $kind: $out"; continue; }
    read -r x0 y0 x1 y1 < <($py "$work/box.py" "$stem-$kind.plt")
    moved=$($py -c "
k, a, b = '$kind', ($sx0, $sy0, $sx1, $sy1), ($x0, $y0, $x1, $y1)
if k == 'eps': print('%.2f' % max(abs((b[2]-b[0])-(a[2]-a[0])), abs((b[3]-b[1])-(a[3]-a[1]))))
else: print('%.2f' % max(abs(p - q) for p, q in zip(a, b)))")
    picture "$stem-$kind.plt" "$stem-$kind.png"
    near=-1
    if [ "$kind" != eps ]; then
      read -r _ near _ back < <("$compare" compare "$stem-$kind.png" "$stem-svg.png" 0 0 100000 100000 || echo x -1 x -1)
    fi
    if [ "$kind" = eps ] || [ "$near" = -1 ]; then near=" - "; back=" - "; else
      near=$(printf '%.1f%%' "$(echo "$near*100" | bc -l)"); back=$(printf '%.1f%%' "$(echo "$back*100" | bc -l)")
    fi
    printf '%-22s %-4s %9s %7s mm %9s %9s\n' "$name" "$kind" "$(echo "$out" | awk '{print $2}')" "$moved" "$near" "$back"
    sed 's/^/    /' "$stem-$kind.notes" | sort -u
  done
done

echo
$py - "$work" <<'PY'
import ezdxf, sys
d = ezdxf.new('R2010'); d.header['$INSUNITS'] = 4; m = d.modelspace()
m.add_circle((150, 25), 25, dxfattribs={'color': 5})
m.add_lwpolyline([(0, 0), (100, 0), (100, 50), (0, 50)], close=True, dxfattribs={'color': 1})
d.saveas(sys.argv[1] + '/exact.dxf')
PY
"$bench" convert "$work/exact.dxf" "$work/exact.plt" 300 300 >/dev/null
$py - "$work/exact.plt" <<'PY'
import re, sys
boxes, pen = {}, None
for m in re.finditer(r'(SP|PU|PD)([-0-9,]*)', open(sys.argv[1]).read()):
    if m.group(1) == 'SP': pen = int(m.group(2)); continue
    n = [int(v) for v in m.group(2).split(',') if v]
    b = boxes.setdefault(pen, [10**9, 10**9, -10**9, -10**9])
    for x, y in zip(n[0::2], n[1::2]):
        b[:] = [min(b[0], x), min(b[1], y), max(b[2], x), max(b[3], y)]
for pen, what, w, h in ((2, 'rectangle 100 x 50 mm', 4000, 2000), (4, 'circle 50 mm', 2000, 2000)):
    b = boxes[pen]
    print('DXF %-22s plotted %d x %d units (exact: %d x %d)' % (what, b[2] - b[0], b[3] - b[1], w, h))
PY

# Big files, written here: a PDF whose compressed page content is 10 MB of curves, an EPS of
# 10 MB of curves, a DXF of a million entities (lines, circles, arcs, polylines).
$py - "$work" <<'PY'
import random, sys, zlib
w = sys.argv[1]; random.seed(7)
def curves(limit, unit):
    out, size = [], 0
    while size < limit:
        x, y = random.uniform(0, 2700), random.uniform(0, 2700)
        s = '%.2f %.2f %s ' % (x, y, unit[0]) + ' '.join('%.2f' % (v + random.uniform(0, 140)) for v in (x, y, x, y, x, y)) + ' %s %s\n' % (unit[1], unit[2])
        out.append(s); size += len(s)
    return ''.join(out)
# PDF: grow the content until its compressed stream is 10 MB.
content, packed = '', b''
while len(packed) < 10 * 1024 * 1024:
    content += curves(4 * 1024 * 1024, ('m', 'c', 'S'))
    packed = zlib.compress(content.encode(), 6)
objs = [b'<< /Type /Catalog /Pages 2 0 R >>', b'<< /Type /Pages /Count 1 /Kids [3 0 R] >>',
        b'<< /Type /Page /Parent 2 0 R /MediaBox [0 0 2835 2835] /Contents 4 0 R >>',
        b'<< /Length %d /Filter /FlateDecode >>\nstream\n' % len(packed) + packed + b'\nendstream']
pdf, offs = b'%PDF-1.4\n', []
for i, o in enumerate(objs):
    offs.append(len(pdf)); pdf += b'%d 0 obj\n' % (i + 1) + o + b'\nendobj\n'
x = len(pdf)
pdf += b'xref\n0 %d\n0000000000 65535 f \n' % (len(objs) + 1) + b''.join(b'%010d 00000 n \n' % o for o in offs)
pdf += b'trailer\n<< /Size %d /Root 1 0 R >>\nstartxref\n%d\n%%%%EOF\n' % (len(objs) + 1, x)
open(w + '/big-10mb.pdf', 'wb').write(pdf)
with open(w + '/big-10mb.eps', 'w') as f:
    f.write('%!PS-Adobe-3.0 EPSF-3.0\n%%BoundingBox: 0 0 2835 2835\n%%EndComments\n0 setlinewidth\n')
    f.write(curves(10 * 1024 * 1024, ('moveto', 'curveto', 'stroke')))
    f.write('showpage\n%%EOF\n')
with open(w + '/million.dxf', 'w') as f:
    f.write('  0\nSECTION\n  2\nHEADER\n  9\n$INSUNITS\n 70\n4\n  0\nENDSEC\n  0\nSECTION\n  2\nENTITIES\n')
    for i in range(1000000):
        x, y, k = (i % 1000) * 0.9, (i // 1000) * 0.9, i % 4
        if k == 0: f.write('  0\nLINE\n  8\n0\n 10\n%.2f\n 20\n%.2f\n 11\n%.2f\n 21\n%.2f\n' % (x, y, x + 0.5, y + 0.5))
        elif k == 1: f.write('  0\nCIRCLE\n  8\n0\n 10\n%.2f\n 20\n%.2f\n 40\n0.3\n' % (x, y))
        elif k == 2: f.write('  0\nARC\n  8\n0\n 10\n%.2f\n 20\n%.2f\n 40\n0.4\n 50\n10\n 51\n200\n' % (x, y))
        else: f.write('  0\nLWPOLYLINE\n  8\n0\n 90\n3\n 70\n0\n 10\n%.2f\n 20\n%.2f\n 42\n0.5\n 10\n%.2f\n 20\n%.2f\n 10\n%.2f\n 20\n%.2f\n' % (x, y, x + 0.4, y, x + 0.4, y + 0.4))
    f.write('  0\nENDSEC\n  0\nEOF\n')
PY
echo
printf '%-16s %8s %10s %10s %12s\n' drawing MB paths seconds "peak RSS MB"
for big in big-10mb.pdf big-10mb.eps million.dxf; do
  f="$work/$big"
  out=$( { /usr/bin/time -f 'rss %M' taskset -c 0 "$bench" convert "$f" "$work/$big.plt" 1000 1000; } 2>&1 )
  printf '%-16s %8.1f %10s %10s %12.0f\n' "$big" "$(echo "$(stat -c %s "$f")/1048576" | bc -l)" \
    "$(echo "$out" | awk '/^seconds/{print $4}')" "$(echo "$out" | awk '/^seconds/{print $2}')" \
    "$(echo "$(echo "$out" | awk '/^rss/{print $2}')/1024" | bc -l)"
  echo "$out" | grep -v '^seconds\|^rss' | sed 's/^/    /' || true
done
