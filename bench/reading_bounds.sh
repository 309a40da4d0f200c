#!/usr/bin/env bash
# Hostile drawings through trzn-plot's reading process, and what the reading process costs:
# - small files made to crash a reader, exhaust its memory or keep it busy for ever (a PDF
#   picture declaring 46342 x 46342 pixels in 100 bytes, the same at 20000 x 20000, Form
#   XObjects nested 30 deep drawing each other 10 times, the PostScript imagemask of the same
#   size, a DXF line of 1024 characters, a DXF spline declaring 666666666666666666 knots): exit
#   status, what trzn-plot said, seconds and the peak memory of the largest process;
# - `trzn-plot --output` on a small and on the 10 MB drawing of drawing_figures.sh, the median
#   of five runs; with a second build directory (made of the commit before the reading process)
#   the same for it, side by side.
# Usage: bash bench/reading_bounds.sh [build dir] [build dir before]
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(cd "${1:-build}" && pwd)
before=${2:+$(cd "$2" && pwd)}
py=/usr/bin/python3
work=$(mktemp -d /tmp/trzn-bounds-XXXXXX)
[ -n "${KEEP:-}" ] || trap 'rm -rf "$work"' EXIT; echo "work: $work" >&2
mkdir -p "$work/home" "$work/tmp"; chmod 700 "$work/home"
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_RUNTIME_DIR="$work/home"
export QT_QPA_PLATFORM=offscreen LANG=C.UTF-8 TMPDIR="$work/tmp"

"$py" - "$work" <<'PY'
import random, sys
w = sys.argv[1]
def pdf(objs):
    b, offs = b'%PDF-1.4\n', []
    for i, o in enumerate(objs):
        offs.append(len(b)); b += b'%d 0 obj\n' % (i + 1) + o + b'\nendobj\n'
    x = len(b)
    b += b'xref\n0 %d\n0000000000 65535 f \n' % (len(objs) + 1)
    b += b''.join(b'%010d 00000 n \n' % o for o in offs)
    return b + b'trailer\n<< /Size %d /Root 1 0 R >>\nstartxref\n%d\n%%%%EOF\n' % (len(objs) + 1, x)
def stream(d, data):
    return b'<< ' + d + b' /Length %d >>\nstream\n' % len(data) + data + b'\nendstream'
def page(resources, content):
    return [b'<< /Type /Catalog /Pages 2 0 R >>', b'<< /Type /Pages /Count 1 /Kids [3 0 R] >>',
            b'<< /Type /Page /Parent 2 0 R /MediaBox [0 0 595 842] /Resources ' + resources +
            b' /Contents 4 0 R >>', stream(b'', content)]
def picture(n):
    image = stream(b'/Type /XObject /Subtype /Image /Width %d /Height %d /ColorSpace /DeviceGray '
                   b'/BitsPerComponent 8' % (n, n), b'\0' * 100)
    return pdf(page(b'<< /XObject << /Im0 5 0 R >> >>',
                    b'0 0 m 100 100 l S q 100 0 0 100 0 0 cm /Im0 Do Q') + [image])
def nested(depth, fan):
    objs = page(b'<< /XObject << /F 5 0 R >> >>', b'/F Do')
    for k in range(depth):
        last = k == depth - 1
        res = b'' if last else b'/Resources << /XObject << /F %d 0 R >> >>' % (6 + k)
        body = b'0 0 m 10 10 l S' if last else b' '.join([b'/F Do'] * fan)
        objs.append(stream(b'/Type /XObject /Subtype /Form /BBox [0 0 595 842] ' + res, body))
    return pdf(objs)
open(w + '/picture-46342.pdf', 'wb').write(picture(46342))
open(w + '/picture-20000.pdf', 'wb').write(picture(20000))
open(w + '/nested-forms.pdf', 'wb').write(nested(30, 10))
open(w + '/imagemask-46342.ps', 'w').write(
    '%!PS\n/s 100 string def\n0 0 moveto 100 100 lineto stroke\n100 100 scale\n'
    '46342 46342 true [46342 0 0 46342 0 0] {s} imagemask\nshowpage\n')
dxf = lambda body: '  0\nSECTION\n  2\nENTITIES\n' + body + '  0\nENDSEC\n  0\nEOF\n'
open(w + '/long-line.dxf', 'w').write(
    dxf('999\n' + 'x' * 1024 + '\n  0\nLINE\n  8\n0\n 10\n0\n 20\n0\n 11\n10\n 21\n10\n'))
open(w + '/spline-count.dxf', 'w').write(dxf('  0\nSPLINE\n  8\n0\n 72\n666666666666666666\n'))
random.seed(7)
with open(w + '/big-10mb.svg', 'w') as f:
    f.write('<svg xmlns="http://www.w3.org/2000/svg" width="1000mm" height="1000mm" '
            'viewBox="0 0 1000 1000">\n')
    size = 0
    while size < 10 * 1024 * 1024:
        x, y = random.uniform(0, 950), random.uniform(0, 950)
        g = '<g transform="translate(%.2f %.2f)" stroke="#%06x" fill="none">' % (
            x, y, random.randrange(1 << 24))
        for _ in range(8):
            pts = ' '.join('%.2f,%.2f' % (random.uniform(0, 50), random.uniform(0, 50))
                           for _ in range(6))
            g += '<path d="M%.2f,%.2f C%s"/>' % (random.uniform(0, 50), random.uniform(0, 50), pts)
        g += '</g>\n'
        f.write(g)
        size += len(g)
    f.write('</svg>\n')
open(w + '/small.svg', 'w').write(
    "<svg xmlns='http://www.w3.org/2000/svg' width='100mm' height='100mm' viewBox='0 0 100 100'>"
    "<rect x='10' y='10' width='50' height='50' fill='none' stroke='black'/>"
    "<text x='70' y='30' font-size='20'>A</text></svg>\n")
PY

# A 1000 x 1000 mm sheet, so that the 10 MB drawing is plotted whole.
product="$HOME/Documents/Adobe/Illustrator/Trazen"
mkdir -p "$product"
printf 'THSrConfig.port = 0\r\nTHPrint.prInfo.rPage = 0,0,2835,2835\r\nTHPrint.prXInfo.iBandV = 100\r\nTHPrint.prXInfo.iBandH = 100\r\nTHPrint.prJob.iFstPage = 1\r\nTHPrint.prJob.iLstPage = 9999\r\n' \
  >"$product/TRZNSerConfig.ini"

echo "| file | size | exit | said | seconds | peak memory |"
echo "|---|---|---|---|---|---|"
for f in picture-46342.pdf picture-20000.pdf nested-forms.pdf imagemask-46342.ps long-line.dxf spline-count.dxf; do
  out=$( { /usr/bin/time -f 'measured %e %M' "$build/tools/trzn-plot" --output "$work/out.plt" "$work/$f"; } 2>&1 ) && rc=0 || rc=$?
  said=$(echo "$out" | grep -v '^measured\|^Command ' | sed 's/^trzn-plot: //; s|'"$work"'/||' | tr '\n' ' ')
  read -r _ seconds kb < <(echo "$out" | grep '^measured')
  printf '| %s | %s B | %d | %s | %.2f | %d MB |\n' "$f" "$(stat -c %s "$work/$f")" "$rc" "$said" "$seconds" $((kb / 1024))
done
left=$(find "$work/tmp" -maxdepth 1 -name 'trzn-plot-*' | wc -l)
echo "temporary folders left: $left"

# The median of five conversions of $2 by the trzn-plot of build $1.
median() {
  for _ in 1 2 3 4 5; do
    /usr/bin/time -f '%e' "$1/tools/trzn-plot" --output "$work/out.plt" "$2" 2>&1 >/dev/null | tail -1
  done | sort -n | sed -n 3p
}
echo
echo "| drawing | seconds | before (in-process) |"
echo "|---|---|---|"
for f in small.svg big-10mb.svg; do
  printf '| %s | %s | %s |\n' "$f" "$(median "$build" "$work/$f")" "${before:+$(median "$before" "$work/$f")}"
done
