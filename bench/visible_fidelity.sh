#!/usr/bin/env bash
# Drawings made as a new user makes them, with programs nobody here wrote (matplotlib, gnuplot,
# graphviz, cairo, reportlab, ezdxf: bench/visible_drawings.py), plotted with the pens of the
# setup a new user starts from and set against what each format's own renderer shows
# (rsvg-convert, pdftoppm, ghostscript, ezdxf's drawing add-on): the drawing rendered filled,
# its lines where the colour changes on white paper (bench/visible_lines.py). The share of the
# plot's line pixels within 0.5 mm of the reference's and of the reference's within 0.5 mm of
# the plot's, per drawing; the median and the least per format.
# - ours: trzn_bench_readers convert at 100 % on a sheet a millimetre larger than the drawing
#   (its top-left corner on the sheet's), the pens of the setup a new user starts from
#   ("setup"; a build from before that choice reads it as pens of thickness 0 with a white
#   one, which plot the same where white is plotted anyway), drawn by trzn-render with dots
#   beyond the sheet's corners, every pen black;
# - theirs: drawn into the plot picture's frame at its size, so nothing is aligned by guess; a
#   drawing of known lines per renderer comes first, and each row says the shift (px) that
#   would lay the reference's lines best on the plot's (0 0 when registered). A PDF or
#   PostScript page is drawn by cairo too (pdftocairo): the plot must show the lines both
#   renderers show, and may draw those either shows ("renderers part": the share of lines only
#   one shows); pictures, which no pen draws, are set aside ("pictures aside": their lines' share).
# Usage: bash bench/visible_fidelity.sh [build dir]   (needs trzn_bench_readers,
#        trzn_bench_drawing and trzn-render built there)
#        ONLY=REGEX measures only the drawings whose name matches; KEEP=1 keeps the pictures
#        (NAME-both.png: plot red, reference blue, both black, lines only one renderer shows
#        green).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
readers="$build/bench/trzn_bench_readers"
frame="$build/bench/trzn_bench_drawing"
render="$build/preview/trzn-render"
py=/usr/bin/python3  # the Debian interpreter, where matplotlib, cairo, reportlab and ezdxf are
per_mm=8             # picture pixels per millimetre: 0.5 mm is 4 pixels
work=$(mktemp -d /tmp/trzn-visfid-XXXXXX)
[ -n "${KEEP:-}" ] || trap 'rm -rf "$work"' EXIT; echo "work: $work" >&2
mkdir -p "$work/home" "$work/d"; chmod 700 "$work/home"
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR="$work/home" MPLCONFIGDIR="$work/home/mpl"

# Drawings of known lines: a frame inset 10 mm, two diagonals and a circle, as cairo writes
# them in each format and as ezdxf writes a DXF.
$py - "$work/d" >"$work/known.txt" <<'PY'
import math, sys
import cairo, ezdxf
for ext in ('svg', 'pdf', 'eps'):
    path = '%s/known.%s' % (sys.argv[1], ext)
    w, h = 200 * 72 / 25.4, 120 * 72 / 25.4
    s = {'svg': cairo.SVGSurface, 'pdf': cairo.PDFSurface, 'eps': cairo.PSSurface}[ext](path, w, h)
    if ext == 'eps':
        s.set_eps(True)
    cr = cairo.Context(s)
    cr.scale(72 / 25.4, 72 / 25.4)
    cr.set_line_width(0.3)
    cr.rectangle(10, 10, 180, 100); cr.move_to(10, 10); cr.line_to(190, 110)
    cr.move_to(10, 110); cr.line_to(190, 10); cr.stroke()
    cr.arc(100, 60, 30, 0, 2 * math.pi); cr.stroke()
    s.finish()
    print(ext, 'known', path)
d = ezdxf.new('R2010'); d.header['$INSUNITS'] = 4; m = d.modelspace()
m.add_lwpolyline([(0, 0), (180, 0), (180, 100), (0, 100)], close=True)
m.add_line((0, 0), (180, 100)); m.add_line((0, 100), (180, 0)); m.add_circle((90, 50), 30)
d.saveas(sys.argv[1] + '/known.dxf')
print('dxf known', sys.argv[1] + '/known.dxf')
PY
$py bench/visible_drawings.py "$work/d" 2>"$work/made.err" | grep -E -- "${ONLY:-.}" >"$work/list.txt" || true
echo "drawings: $(wc -l <"$work/list.txt") ($(awk '{print $1}' "$work/list.txt" | sort | uniq -c | awk '{print $1, $2}' | paste -sd, - | sed 's/,/, /g'))"
sed 's/^/  /' "$work/made.err" >&2

# Our plot of a drawing and its picture; the line of the job file for the reference.
plot() {
  local fmt=$1 name=$2 d=$3 stem="$work/$1-$2"
  local sw sh ex a b c e x0 y1 unit out aw ah fw fh s ox oy lw dot
  if [ "$fmt" = dxf ]; then
    ex=$("$readers" extents "$d") || return 1
    read -r _ x0 _ _ y1 _ unit <<<"$ex"
    read -r _ a b c e _ _ <<<"$ex"
    read -r sw sh < <($py -c "print('%.3f %.3f' % (($c - $a) * $unit + 1, ($e - $b) * $unit + 1))")
  else
    read -r sw sh < <($py bench/visible_lines.py size "$fmt" "$d" | awk '{print $1 + 1, $2 + 1}')
  fi
  # A refusal is said on the standard output.
  out=$("$readers" convert "$d" "$stem.plt" "$sw" "$sh" setup 2>"$stem.notes") ||
    { echo "$out" >>"$stem.notes"; return 1; }
  read -r aw ah < <(echo "$out" | awk '{split($10, b, ","); print b[3], b[4]}')
  # Every line in pen 1 (a pale pen would not count as a line); dots a millimetre beyond the
  # sheet's corners make the picture's frame the sheet's.
  dot=40
  { sed 's/SP[0-9]*;/SP1;/g' "$stem.plt"
    echo "SP1;PU-$dot,-$dot;PD-$dot,-$dot;PU$((aw + dot)),$((ah + dot));PD$((aw + dot)),$((ah + dot));PU;SP0;"
  } >"$stem.framed"
  local pixels=$(( (aw + 2 * dot) * per_mm / 40 ))
  "$render" "$stem.framed" "$stem.png" "$pixels" >/dev/null
  read -r fw fh s ox oy lw < <("$frame" frame "$stem.framed" "$pixels")
  echo "$fmt $d $stem.png $fw $fh $s $ox $oy $aw $ah${x0:+ $x0 $y1 $unit}" >>"$work/jobs"
}

printf '%-22s %-4s %8s %8s %8s %8s %6s  %s\n' drawing fmt "plot~ref" "ref~plot" "(no text" "of svg)" shift notes
pc() { printf '%7.1f%%' "$(echo "$1*100" | bc -l)"; }
for list in known list; do
  : >"$work/jobs"
  while read -r fmt name d; do
    plot "$fmt" "$name" "$d" || echo "$fmt $name: not plotted ($(head -c 200 "$work/$fmt-$name.notes" 2>/dev/null))"
  done <"$work/$list.txt"
  $py bench/visible_lines.py "$work/jobs" >"$work/$list.shares"
  while read -r png near back near_nt back_nt dx dy disputed pictures; do
    stem=${png%.png}; base=$(basename "$stem"); fmt=${base%%-*}; name=${base#*-}
    notes=$(sed 's/^ *note: //' "$stem.notes" | sort -u | paste -sd';' -)
    # What the measure set aside, before the plot's own notes.
    said() { [ "$near" != failed ] && awk -v v="${1:-0}" 'BEGIN { exit !(v >= 0.0005) }'; }
    ! said "$pictures" || notes="pictures aside: $(pc "$pictures" | tr -d ' ')${notes:+;$notes}"
    ! said "$disputed" || notes="renderers part: $(pc "$disputed" | tr -d ' ')${notes:+;$notes}"
    if [ "$near" = failed ]; then echo "$name $fmt: no reference ($back)"; continue; fi
    printf '%-22s %-4s %s %s %s %s %6s  %s\n' "$name" "$fmt" "$(pc "$near")" "$(pc "$back")" \
      "$(pc "$near_nt")" "$(pc "$back_nt")" "$dx,$dy" "${notes:0:100}"
    [ "$list" = known ] || echo "$fmt $name $near $back $near_nt $back_nt" >>"$work/shares.txt"
  done <"$work/$list.shares"
  [ "$list" = known ] && echo
done

echo
"$py" - "$work/shares.txt" <<'PY'
import statistics, sys
rows = [l.split() for l in open(sys.argv[1])]
def line(label, sel, i):
    a = [float(r[i]) * 100 for r in sel]
    b = [float(r[i + 1]) * 100 for r in sel]
    print('%-14s %3d  median %5.1f %%, least %5.1f %%   median %5.1f %%, least %5.1f %%' % (
        label, len(sel), statistics.median(a), min(a), statistics.median(b), min(b)))
print('%-14s %3s  %-28s  %-28s' % ('', '', 'plot near reference', 'reference near plot'))
for fmt in ('svg', 'pdf', 'eps', 'ps', 'dxf', 'all'):
    sel = [r for r in rows if fmt in (r[0], 'all')]
    if sel:
        line(fmt, sel, 2)
        if fmt == 'svg':
            line('svg, no text', sel, 4)
low = [r for r in rows if min(float(r[2]), float(r[3])) < 0.97]
print('below 97 %% either way: %d of %d' % (len(low), len(rows)))
PY
