#!/usr/bin/env bash
# DXF linetypes, dimensions and solids to plots:
# - exact cases, to the plotter unit at 100 %: a 100 mm line of linetype DASHED (1.27 down,
#   0.254 up) at $LTSCALE 10; a linear DIMENSION of 50 mm, from the picture the file holds and
#   from its definition points alone; a SOLID triangle. Each plot is listed as its pen-down
#   runs: straight lines with their ends and lengths, closed shapes (arrowheads, outlines) and
#   the rest (glyphs of the text);
# - time and peak memory on one core for a DXF of a million entities (lines, circles, arcs,
#   polylines) plotted solid and the same with every entity in a linetype (dashes, centre
#   lines, dots).
# Usage: bash bench/dxf_figures.sh [build dir]   (needs trzn_bench_readers built there)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
bench="$build/bench/trzn_bench_readers"
py=/usr/bin/python3  # the Debian interpreter, where python3-ezdxf is
work=$(mktemp -d /tmp/trzn-dxf-XXXXXX)
[ -n "${KEEP:-}" ] || trap 'rm -rf "$work"' EXIT; echo "work: $work" >&2
mkdir -p "$work/home"; chmod 700 "$work/home"
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR="$work/home"

$py - "$work" <<'PY'
import ezdxf, sys
w = sys.argv[1]
def new():
    d = ezdxf.new('R2010'); d.header['$INSUNITS'] = 4
    return d, d.modelspace()
d, m = new(); d.header['$LTSCALE'] = 10
d.linetypes.add('DASHED', [1.524, 1.27, -0.254])
m.add_line((0, 0), (100, 0), dxfattribs={'linetype': 'DASHED'})
d.saveas(w + '/dashed.dxf')
look = {'dimtxt': 5, 'dimasz': 5, 'dimexo': 0.625, 'dimexe': 1.25}
d, m = new()
m.add_linear_dim(base=(0, 20), p1=(0, 0), p2=(50, 0), dimstyle='Standard', override=look).render()
d.saveas(w + '/dimension-picture.dxf')
d, m = new()
for k, v in look.items(): d.header['$' + k.upper()] = v
r = m.add_linear_dim(base=(0, 20), p1=(0, 0), p2=(50, 0), dimstyle='Standard')
r.render(); r.dimension.dxf.discard('geometry')
d.saveas(w + '/dimension-points.dxf')
d, m = new()
m.add_solid([(0, 0), (30, 0), (0, 40)])
d.saveas(w + '/solid.dxf')
PY

# The pen-down runs of a plot, in mm from the lines' box's bottom-left corner.
cat >"$work/runs.py" <<'PY'
import math, re, sys
runs = []
for m in re.finditer(r'PU(-?\d+),(-?\d+);PD([-0-9,]*)', open(sys.argv[1]).read()):
    n = [int(m.group(1)), int(m.group(2))] + [int(v) for v in m.group(3).split(',') if v]
    runs.append(list(zip(n[0::2], n[1::2])))
x0 = min(p[0] for r in runs for p in r); y0 = min(p[1] for r in runs for p in r)
mm = lambda p: '(%.2f, %.2f)' % ((p[0] - x0) / 40, (p[1] - y0) / 40)
length = lambda r: sum(math.dist(a, b) for a, b in zip(r, r[1:])) / 40
lines = [r for r in runs if len(r) == 2]
closed = [r for r in runs if len(r) > 2 and r[0] == r[-1] and len(r) <= 5]
other = [r for r in runs if r not in lines and r not in closed]
print('  %d pen-down runs, %.2f mm drawn' % (len(runs), sum(length(r) for r in runs)))
for r in lines:
    print('  line %s to %s: %.2f mm' % (mm(r[0]), mm(r[1]), length(r)))
for r in closed:
    print('  closed, %d corners: %s' % (len(r) - 1, ' '.join(mm(p) for p in r[:-1])))
if other:
    print('  %d other runs (glyphs, hatching), within %s to %s' % (len(other),
          mm((min(p[0] for r in other for p in r), min(p[1] for r in other for p in r))),
          mm((max(p[0] for r in other for p in r), max(p[1] for r in other for p in r)))))
PY
for case in dashed dimension-picture dimension-points solid; do
  "$bench" convert "$work/$case.dxf" "$work/$case.plt" 300 300 >/dev/null
  echo "$case.dxf"
  $py "$work/runs.py" "$work/$case.plt"
done

# A million entities, as bench/reader_figures.sh writes them, solid and in linetypes.
$py - "$work" <<'PY'
import sys
w = sys.argv[1]
def ltype(name, elements):
    return ('  0\nLTYPE\n  2\n%s\n 70\n0\n 72\n65\n 73\n%d\n 40\n%g\n' % (name, len(elements), sum(map(abs, elements)))
            + ''.join(' 49\n%g\n 74\n0\n' % e for e in elements))
tables = ('  0\nSECTION\n  2\nTABLES\n  0\nTABLE\n  2\nLTYPE\n' + ltype('DASHED', [12.7, -2.54]) +
          ltype('CENTER', [31.75, -6.35, 6.35, -6.35]) + ltype('DOT', [0, -6.35]) + '  0\nENDTAB\n  0\nENDSEC\n')
for name, typed in (('million.dxf', False), ('million-linetypes.dxf', True)):
    with open(w + '/' + name, 'w') as f:
        f.write('  0\nSECTION\n  2\nHEADER\n  9\n$INSUNITS\n 70\n4\n')
        # Dashes a fiftieth of their size, so that entities under a millimetre are cut.
        f.write('  9\n$LTSCALE\n 40\n0.02\n  0\nENDSEC\n' + tables if typed else '  0\nENDSEC\n')
        f.write('  0\nSECTION\n  2\nENTITIES\n')
        for i in range(1000000):
            x, y, k = (i % 1000) * 0.9, (i // 1000) * 0.9, i % 4
            lt = '  6\n%s\n' % ('DASHED', 'CENTER', 'DOT')[i % 3] if typed else ''
            if k == 0: f.write('  0\nLINE\n  8\n0\n%s 10\n%.2f\n 20\n%.2f\n 11\n%.2f\n 21\n%.2f\n' % (lt, x, y, x + 0.5, y + 0.5))
            elif k == 1: f.write('  0\nCIRCLE\n  8\n0\n%s 10\n%.2f\n 20\n%.2f\n 40\n0.3\n' % (lt, x, y))
            elif k == 2: f.write('  0\nARC\n  8\n0\n%s 10\n%.2f\n 20\n%.2f\n 40\n0.4\n 50\n10\n 51\n200\n' % (lt, x, y))
            else: f.write('  0\nLWPOLYLINE\n  8\n0\n%s 90\n3\n 70\n0\n 10\n%.2f\n 20\n%.2f\n 42\n0.5\n 10\n%.2f\n 20\n%.2f\n 10\n%.2f\n 20\n%.2f\n' % (lt, x, y, x + 0.4, y, x + 0.4, y + 0.4))
        f.write('  0\nENDSEC\n  0\nEOF\n')
PY
echo
printf '%-22s %8s %10s %10s %8s %12s\n' drawing MB paths seconds "CPU s" "peak RSS MB"
for big in ${BIG-million.dxf million-linetypes.dxf}; do
  f="$work/$big"
  out=$( { /usr/bin/time -f 'rss %M cpu %U %S' taskset -c 0 "$bench" convert "$f" "$work/$big.plt" 1000 1000; } 2>&1 )
  printf '%-22s %8.1f %10s %10s %8.1f %12.0f\n' "$big" "$(echo "$(stat -c %s "$f")/1048576" | bc -l)" \
    "$(echo "$out" | awk '/^seconds/{print $4}')" "$(echo "$out" | awk '/^seconds/{print $2}')" \
    "$(echo "$out" | awk '/^rss/{print $4 + $5}')" \
    "$(echo "$(echo "$out" | awk '/^rss/{print $2}')/1024" | bc -l)"
  echo "$out" | grep -v '^seconds\|^rss' | sed 's/^/    /' || true
done
