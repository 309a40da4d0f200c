#!/usr/bin/env bash
# DXF text in its styles' fonts, plotted at 100 %:
# - a TEXT of height 10 in each of the stroke fonts and in two TrueType fonts (one installed,
#   one that fontconfig matches): its pen-down runs, the share of them closed on themselves
#   (a letter's outline closes, a stroke doesn't), and the height of its capitals;
# - a stroke-font text with Japanese in it (drawn as outlines, with a note);
# - time and peak memory for what a hostile file may hold: an MTEXT of a million characters in
#   a stroke font and in Japanese, and a style whose font name is 1000 characters long.
# Usage: bash bench/dxf_text_figures.sh [build dir]   (needs trzn_bench_readers built there)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
bench="$build/bench/trzn_bench_readers"
py=/usr/bin/python3  # the Debian interpreter, where python3-ezdxf is
work=$(mktemp -d /tmp/trzn-dxf-text-XXXXXX)
[ -n "${KEEP:-}" ] || trap 'rm -rf "$work"' EXIT; echo "work: $work" >&2
mkdir -p "$work/home"; chmod 700 "$work/home"
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR="$work/home"

fonts="txt romans simplex isocp romand isoct romanc romant italic scripts greeks gothice \
DejaVuSans.ttf arial.ttf"
$py - "$work" $fonts <<'PY'
import ezdxf, sys
w = sys.argv[1]
for font in sys.argv[2:]:
    d = ezdxf.new('R2010'); d.header['$INSUNITS'] = 4
    d.styles.new('S', dxfattribs={'font': font if '.' in font else font + '.shx'})
    # Capitals and digits only: the box's height is the capitals'.
    d.modelspace().add_text('ROMANS 10 MM 0123', dxfattribs={'height': 10, 'style': 'S'})
    d.saveas('%s/%s.dxf' % (w, font))
d = ezdxf.new('R2010'); d.header['$INSUNITS'] = 4
d.styles.new('S', dxfattribs={'font': 'romans.shx'})
d.modelspace().add_text('PLAN \u56f3\u9762 1', dxfattribs={'height': 10, 'style': 'S'})
d.saveas(w + '/japanese.dxf')
PY

# Pen-down runs, the share closed, and the lines' height in mm.
cat >"$work/runs.py" <<'PY'
import re, sys
runs, at, down = [], (0, 0), False
for m in re.finditer(r'(SP|PU|PD)([-0-9,]*)', open(sys.argv[1]).read()):
    n = [int(v) for v in m.group(2).split(',') if v]
    points = list(zip(n[0::2], n[1::2]))
    if m.group(1) == 'PD':
        if not down:
            runs.append([at])
        runs[-1] += points
    down = m.group(1) == 'PD'
    if points:
        at = points[-1]
ys = [p[1] for r in runs for p in r]
closed = sum(1 for r in runs if r[0] == r[-1])
print('%5d %8.0f %% %9.2f' % (len(runs), 100 * closed / max(1, len(runs)), (max(ys) - min(ys)) / 40))
PY
printf '%-16s %5s %10s %9s\n' font runs closed "height mm"
for font in $fonts japanese; do
  "$bench" convert "$work/$font.dxf" "$work/$font.plt" 300 100 >/dev/null 2>"$work/notes"
  printf '%-16s %s\n' "$font" "$($py "$work/runs.py" "$work/$font.plt")"
  sed 's/^/    /' "$work/notes"
done

$py - "$work" <<'PY'
import sys
w = sys.argv[1]
def dxf(entities, tables=''):
    return (tables + '  0\nSECTION\n  2\nHEADER\n  9\n$INSUNITS\n 70\n4\n  0\nENDSEC\n'
            '  0\nSECTION\n  2\nENTITIES\n' + entities + '  0\nENDSEC\n  0\nEOF\n')
def mtext(piece):
    return ('  0\nMTEXT\n  8\n0\n 10\n0\n 20\n0\n 40\n5\n' + (' 3\n' + piece * 250 + '\n') * 4000
            + '  1\nH\n')
style = ('  0\nSECTION\n  2\nTABLES\n  0\nTABLE\n  2\nSTYLE\n  0\nSTYLE\n  2\nLONG\n 70\n0\n'
         ' 40\n0\n 41\n1\n 50\n0\n 71\n0\n 42\n2.5\n  3\n' + 'r' * 996 + '.shx\n  4\n\n'
         '  0\nENDTAB\n  0\nENDSEC\n')
for name, body in (('mtext-million.dxf', dxf(mtext('H'))),
                   ('mtext-million-japanese.dxf', dxf(mtext('\u65e5'))),
                   ('font-name-1000.dxf',
                    dxf('  0\nTEXT\n  8\n0\n  7\nLONG\n 10\n0\n 20\n0\n 40\n5\n  1\nHH\n', style))):
    open(w + '/' + name, 'w', encoding='utf-8').write(body)
PY
echo
printf '%-28s %8s %9s %10s %12s\n' drawing MB paths seconds "peak RSS MB"
for big in mtext-million.dxf mtext-million-japanese.dxf font-name-1000.dxf; do
  f="$work/$big"
  out=$( { /usr/bin/time -f 'rss %M' taskset -c 0 "$bench" convert "$f" "$work/$big.plt" 1000 1000; } 2>&1 ) || true
  printf '%-28s %8.1f %9s %10s %12.0f\n' "$big" "$(echo "$(stat -c %s "$f")/1048576" | bc -l)" \
    "$(echo "$out" | awk '/^seconds/{print $4}')" "$(echo "$out" | awk '/^seconds/{print $2}')" \
    "$(echo "$(echo "$out" | awk '/^rss/{print $2}')/1024" | bc -l)"
  echo "$out" | grep -v '^seconds\|^rss' | sed 's/^/    /' || true
done
