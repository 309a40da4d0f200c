#!/usr/bin/env bash
# Real CAD drawings (DXF) from Debian packages, plotted and set against ezdxf's own drawing of
# them (its drawing add-on with matplotlib): the share of either picture's line pixels within
# 2 px of the other's, with the text and with the text left out of both.
# - ours: trzn_bench_readers convert at 100 % on a sheet a millimetre larger than the
#   drawing's extents, pens of thickness 0 (nothing hatched), drawn by trzn-render;
# - ezdxf's: model space, linetypes as they are, hatches, solids and text as outlines, lines
#   1 px, black on white, in the same frame at the same pixel size: our plot lays the extents'
#   top-left corner on the sheet's (trzn_bench_readers extents gives them in model space) and
#   trzn_bench_drawing frame says where trzn-render draws the sheet, so the matplotlib axes
#   get exactly the model-space window of the picture. A DXF of known lines checks that.
# With "layouts", the sheets instead: each layout of the real drawings that have one, plotted
# at 100 % on its paper (its top-left on the sheet's), against ezdxf's drawing of that layout
# with its viewports, in the paper's window.
# Usage: bash bench/dxf_fidelity.sh [build dir] [layouts]
#        (needs trzn_bench_readers, trzn_bench_drawing and trzn-render built there, and
#        librecad-data, openscad-testing-data, z88-data and python3-matplotlib installed)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
only=${2:-}
bench="$build/bench/trzn_bench_readers"
compare="$build/bench/trzn_bench_drawing"
render="$build/preview/trzn-render"
py=/usr/bin/python3  # the Debian interpreter, where python3-ezdxf is
pixels=1000
work=$(mktemp -d /tmp/trzn-dxffid-XXXXXX)
[ -n "${KEEP:-}" ] || trap 'rm -rf "$work"' EXIT; echo "work: $work" >&2
mkdir -p "$work/home"; chmod 700 "$work/home"
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR="$work/home" MPLCONFIGDIR="$work/home/mpl"

lib=/usr/share/librecad/library
scad=/usr/share/openscad/testdata
# Every DXF in Debian 12's packages whose paper space holds a view of the model (apt-file,
# then their VIEWPORT entities of id 2 or more): z88-data's, written by a drafting program as
# R12 and R14, before LAYOUT objects. assimp-testmodels' issue_2229.dxf has only its paper's
# own viewport, librecad-data's and openscad's layouts are empty.
sheets=(
  /usr/share/z88/b16_n.dxf
  /usr/share/z88/b16step1.dxf
  /usr/share/z88/b16step2.dxf
  /usr/share/z88/b16step3.dxf
  /usr/share/z88/b16step4.dxf
  /usr/share/z88/b16step5.dxf
)
# Sorted. librecad-data (1,272 drawings): every one with text, inserts or splines, with both of
# the two linetypes of its own that some vegetation parts use (they turn out to have no dashes),
# or with a header ezdxf reads only by recovering (misc),
# then every 20th of the rest in path order (hatches, ellipses, arcs and plain lines alike);
# not the two drawings longer than the largest sheet (11.3 m) nor the empty template.
# openscad-testing-data: every DXF of its tests.
drawings=(
  $lib/algoritm/alg1.dxf
  $lib/algoritm/alg28.dxf
  $lib/block/block14.dxf
  $lib/block/block7.dxf
  $lib/elektro/antenna/ant5.dxf
  $lib/elektro/audio/mg4.dxf
  $lib/elektro/capacitor-iso/Crystal.dxf
  $lib/elektro/coil-iso/Coil-iron-vert.dxf
  $lib/elektro/connector-iso/Jack-relay.dxf
  $lib/elektro/connector/c1.dxf
  $lib/elektro/dev/dev13.dxf
  $lib/elektro/dev/dev31.dxf
  $lib/elektro/diode-iso/Diode-LED.dxf
  $lib/elektro/diode/vd11.dxf
  $lib/elektro/electric_appliances/elk17.dxf
  $lib/elektro/electric_appliances/elk35.dxf
  $lib/elektro/electric_appliances/elk53.dxf
  $lib/elektro/electric_appliances/elk9.dxf
  $lib/elektro/electro-vacuum-iso/Valve-ECF80.dxf
  $lib/elektro/electro-vacuum-iso/Valve-ECL86.dxf
  $lib/elektro/electro-vacuum/evd14.dxf
  $lib/elektro/electro-vacuum/evd32.dxf
  $lib/elektro/electronics-iso/Logic-AND-IEC.dxf
  $lib/elektro/electronics-iso/Logic-NAND-IEC.dxf
  $lib/elektro/electronics-iso/Logic-NOR-IEC.dxf
  $lib/elektro/electronics-iso/Logic-NOT-IEC.dxf
  $lib/elektro/electronics-iso/Logic-OR-IEC.dxf
  $lib/elektro/electronics-iso/Logic-XNOR-IEC.dxf
  $lib/elektro/electronics-iso/Logic-XOR-IEC.dxf
  $lib/elektro/electronics-iso/Op-amp.dxf
  $lib/elektro/electronics/s.dxf
  $lib/elektro/electronics/trig.dxf
  $lib/elektro/filter-iso/Filter-SWAF.dxf
  $lib/elektro/fuse-iso/Spark-gap.dxf
  $lib/elektro/fuse/fv1.dxf
  $lib/elektro/grounding/arr1.dxf
  $lib/elektro/lamp-iso/Neon-lamp.dxf
  $lib/elektro/lamp/hl_27.dxf
  $lib/elektro/meter-iso/Tube-CRT-RGB.dxf
  $lib/elektro/motor/gen3.dxf
  $lib/elektro/opto/ve14.dxf
  $lib/elektro/opto/ve16.dxf
  $lib/elektro/power-iso/2wt-1.dxf
  $lib/elektro/power-iso/Gen.dxf
  $lib/elektro/power-iso/MCCB.dxf
  $lib/elektro/power-iso/Mot.dxf
  $lib/elektro/power/pe23.dxf
  $lib/elektro/relay-iso/Relay-2p2w.dxf
  $lib/elektro/relay-iso/Relay.dxf
  $lib/elektro/relay/n6.dxf
  $lib/elektro/relay/tt_3.dxf
  $lib/elektro/resistor/r3.dxf
  $lib/elektro/switch/s11.dxf
  $lib/elektro/switch/s3.dxf
  $lib/elektro/transformer/t3o.dxf
  $lib/elektro/transistor-iso/Transistor-JFET-Nc.dxf
  $lib/elektro/transistor-iso/Transistor-JFET-Pc.dxf
  $lib/elektro/transistor-iso/Transistor-Unijunc.dxf
  $lib/elektro/transistor/vt12.dxf
  $lib/elektro/transistor/vt31.dxf
  $lib/elektro/transistor/vt41.dxf
  $lib/elektro/triode/t10.dxf
  $lib/kinetics/kin108.dxf
  $lib/kinetics/kin116.dxf
  $lib/kinetics/kin127.dxf
  $lib/kinetics/kin145.dxf
  $lib/kinetics/kin21.dxf
  $lib/kinetics/kin39.dxf
  $lib/kinetics/kin40.dxf
  $lib/kinetics/kin59.dxf
  $lib/kinetics/kin77.dxf
  $lib/kinetics/kin95.dxf
  $lib/misc/a3.dxf
  $lib/misc/screw.dxf
  $lib/misc/t-part.dxf
  $lib/misc/tux.dxf
  $lib/plan/air_water/aw21.dxf
  $lib/plan/air_water/aw26.dxf
  $lib/plan/air_water/aw46.dxf
  $lib/plan/air_water/wt12.dxf
  $lib/plan/air_water/wt6.dxf
  $lib/plan/architect/Kitchen-sink-E.dxf
  $lib/plan/gasification/ga4.dxf
  $lib/plan/vegetation/v12.dxf
  $lib/plan/vegetation/v14.dxf
  $lib/plan/vegetation/v15.dxf
  $lib/plan/vegetation/v2.dxf
  $lib/plan/vegetation/v20.dxf
  $lib/plan/vegetation/v21.dxf
  $lib/plan/vegetation/v3.dxf
  $lib/plan/vegetation/v36.dxf
  $lib/plan/vegetation/v37.dxf
  $lib/plan/vegetation/v4.dxf
  $lib/plan/vegetation/v8.dxf
  $lib/power_station/ed1.dxf
  $lib/power_station/ed117.dxf
  $lib/power_station/ed135.dxf
  $lib/power_station/ed20.dxf
  $lib/power_station/ed39.dxf
  $lib/power_station/ed57.dxf
  $lib/power_station/ed75.dxf
  $lib/power_station/ed93.dxf
  $lib/sheets/A0H.dxf
  $lib/sheets/A0V.dxf
  $lib/sheets/A1H.dxf
  $lib/sheets/A1V.dxf
  $lib/sheets/A1_1_draw.dxf
  $lib/sheets/A1_2_draw.dxf
  $lib/sheets/A2H.dxf
  $lib/sheets/A2V.dxf
  $lib/sheets/A2_1_draw.dxf
  $lib/sheets/A2_2_draw.dxf
  $lib/sheets/A3H.dxf
  $lib/sheets/A3V.dxf
  $lib/sheets/A3_1_draw.dxf
  $lib/sheets/A3_2_draw.dxf
  $lib/sheets/A4.dxf
  $lib/sheets/A4H.dxf
  $lib/sheets/A4V.dxf
  $lib/sheets/A4_1_draw.dxf
  $lib/sheets/A4_1_text.dxf
  $lib/sheets/A4_2_draw.dxf
  $lib/sheets/A4_2_text.dxf
  $scad/dxf/arc.dxf
  $scad/dxf/circle-advanced.dxf
  $scad/dxf/circle-double.dxf
  $scad/dxf/circle-small.dxf
  $scad/dxf/circle.dxf
  $scad/dxf/ellipse-arc-rot.dxf
  $scad/dxf/ellipse-arc.dxf
  $scad/dxf/ellipse-reverse.dxf
  $scad/dxf/ellipse-rot.dxf
  $scad/dxf/ellipse.dxf
  $scad/dxf/lwpolyline-closed.dxf
  $scad/dxf/lwpolyline.dxf
  $scad/dxf/lwpolyline2.dxf
  $scad/dxf/multiple-layers.dxf
  $scad/dxf/nothing-decimal-comma-separated.dxf
  $scad/dxf/null-polygons.dxf
  $scad/dxf/open-polyline.dxf
  $scad/dxf/polygon-concave-hole.dxf
  $scad/dxf/polygon-concave-simple.dxf
  $scad/dxf/polygon-concave.dxf
  $scad/dxf/polygon-holes-touch.dxf
  $scad/dxf/polygon-intersect.dxf
  $scad/dxf/polygon-many-holes.dxf
  $scad/dxf/polygon-mesh.dxf
  $scad/dxf/polygon-overlap.dxf
  $scad/dxf/polygon-riser.dxf
  $scad/dxf/polygon-self-intersect.dxf
  $scad/dxf/polygon8.dxf
  $scad/dxf/polygons.dxf
  $scad/dxf/transform-insert.dxf
  $scad/dxf/triangle-with-duplicate-vertex.dxf
  $scad/scad/misc/dim-all.dxf
  $scad/scad/misc/localfiles_dir/localfile.dxf
)

# Text out of a DXF, byte for byte otherwise: the entities TEXT, MTEXT, ATTRIB and ATTDEF
# (also inside blocks and dimension pictures) are dropped up to the next entity.
cat >"$work/notext.py" <<'PY'
import sys
lines = open(sys.argv[1], 'rb').read().split(b'\n')
out, skip, i = [], False, 0
while i + 1 < len(lines):
    code, value = lines[i].strip(), lines[i + 1].strip()
    if code == b'0':
        skip = value in (b'TEXT', b'MTEXT', b'ATTRIB', b'ATTDEF')
    if not skip:
        out += lines[i:i + 2]
    i += 2
out += lines[i:]
open(sys.argv[2], 'wb').write(b'\n'.join(out))
PY

# ezdxf's drawings, one per line of the job file: DXF, our picture, ezdxf's picture, width,
# height and the model-space window x0 x1 y0 y1; also ezdxf's own extents of what is not text,
# to tell what lies beyond ours. Both pictures are made black on white: any ink is a line (trzn-render's thin
# lines are antialiased and pale, and coloured pens would be lighter than black).
cat >"$work/ezdxf_draw.py" <<'PY'
import itertools, logging, sys
import matplotlib
matplotlib.use('Agg')
import matplotlib.pyplot as plt
from matplotlib.patches import PathPatch
import numpy as np
from PIL import Image
import ezdxf, ezdxf.bbox, ezdxf.path
from ezdxf import recover
from ezdxf.addons.drawing import Frontend, RenderContext
from ezdxf.addons.drawing.config import Configuration, HatchPolicy, LinePolicy
from ezdxf.addons.drawing.matplotlib import MatplotlibBackend, _transform_path
from ezdxf.addons.drawing.backend import prepare_string_for_rendering
from ezdxf.addons.drawing.properties import LayoutProperties
from ezdxf.math import Matrix44

from ezdxf.tools import fonts
# ezdxf 0.18 fails on an MTEXT whose font it can't resolve: its default font then.
_find_ttf = fonts.find_ttf_path
fonts.find_ttf_path = lambda face, *a, **k: _find_ttf(face or fonts.FontFace(), *a, **k)

logging.getLogger('matplotlib.font_manager').setLevel(logging.ERROR)
matplotlib.rcParams['lines.antialiased'] = False
matplotlib.rcParams['patch.antialiased'] = False
DPI = 100

class Outlines(MatplotlibBackend):
    """As a pen plots: filled areas and glyphs as their outlines, every line black (a colour
    may be white: colour 7 written with its screen colour beside it). A viewport's view is
    clipped to its frame, which ezdxf 0.18's matplotlib backend leaves undone."""
    _clip = None
    def _artists(self):
        return list(self.ax.lines) + list(self.ax.patches) + list(self.ax.collections)
    def set_clipping_path(self, path=None, scale=1.0):
        if path:
            self._clip = (ezdxf.path.to_matplotlib_path([path]), len(self._artists()))
        elif self._clip:
            frame = PathPatch(self._clip[0], transform=self.ax.transData)
            for a in self._artists()[self._clip[1]:]:
                a.set_clip_path(frame)
            self._clip = None
        return True
    def draw_point(self, pos, properties):
        properties.color = '#000000'
        super().draw_point(pos, properties)
    def draw_line(self, start, end, properties):
        properties.color = '#000000'
        super().draw_line(start, end, properties)
    def draw_solid_lines(self, lines, properties):
        properties.color = '#000000'
        super().draw_solid_lines(lines, properties)
    def draw_path(self, path, properties):
        properties.color = '#000000'
        super().draw_path(path, properties)
    def draw_filled_polygon(self, points, properties):
        pts = list(points)
        if len(pts) > 1:
            self.draw_path(ezdxf.path.from_vertices(pts, close=True), properties)
    def draw_filled_paths(self, paths, holes, properties):
        for p in itertools.chain(paths, holes):
            self.draw_path(p, properties)
    def draw_text(self, text, transform, properties, cap_height):
        if not text.strip():
            return
        font = self._text_renderer.get_font_properties(properties.font)
        text = prepare_string_for_rendering(text, self.current_entity.dxftype())
        try:
            glyphs = self._text_renderer.get_text_path(text, font)
        except (RuntimeError, ValueError):
            return
        path = _transform_path(glyphs, Matrix44.scale(
            self._text_renderer.get_scale(cap_height, font)) @ transform)
        self.ax.add_patch(PathPatch(path, fill=False, edgecolor='#000000',
                                    linewidth=self.get_lineweight(properties), zorder=self._get_z()))

def read(name):
    try:
        doc = ezdxf.readfile(name)
    except ezdxf.DXFStructureError:
        doc = recover.readfile(name)[0]
    # Files before layouts (R12, R14) keep a viewport's view in its MVIEW data, which ezdxf
    # 0.18 loses: given to it here from the file's groups (target, twist, height, centre).
    views, handle, mview = {}, None, None
    lines = open(name, 'rb').read().decode('latin1').splitlines()
    for code, value in zip(lines[0::2], lines[1::2]):
        code, value = code.strip(), value.strip()
        if code == '0':
            handle, mview = None, None
        elif code == '5':
            handle = value.upper()
        elif code == '1000' and value == 'MVIEW':
            mview = views.setdefault(handle, [])
        elif mview is not None and code in ('1010', '1020', '1040'):
            mview.append(float(value))
    for vp in doc.query('VIEWPORT'):
        v = views.get(vp.dxf.handle.upper())
        if not vp.dxf.hasattr('view_height') and v and len(v) >= 8:
            # 1010/1020 target, 1010/1020 direction, 1040 twist, height, centre x, y
            vp.dxf.view_target_point = (v[0], v[1], 0)
            vp.dxf.view_twist_angle, vp.dxf.view_height = v[4], v[5]
            vp.dxf.view_center_point = (v[6], v[7])
    return doc

def ink(png):
    a = np.asarray(Image.open(png).convert('RGB'))
    Image.fromarray(np.where((a < 250).any(axis=2), 0, 255).astype(np.uint8)).save(png)
    return a.shape[1::-1]

for job in open(sys.argv[1]):
    name, ours, png, w, h, x0, x1, y0, y1, sheet = job.split('\t')[0].split() + [
        job.rstrip('\n').split('\t')[1] if '\t' in job else '']
    w, h = int(w), int(h)
    ink(ours)
    try:
        doc = read(name)
    except Exception as e:
        print(png, 'unread', type(e).__name__); continue
    msp = doc.layouts.get(sheet) if sheet else doc.modelspace()
    # A hair over the size: matplotlib rounds the pixels down.
    fig = plt.figure(figsize=((w + 0.01) / DPI, (h + 0.01) / DPI), dpi=DPI)
    ax = fig.add_axes([0, 0, 1, 1])
    config = Configuration.defaults().with_changes(
        line_policy=LinePolicy.ACCURATE, hatch_policy=HatchPolicy.SHOW_OUTLINE,
        lineweight_scaling=0, min_lineweight=72 / DPI)
    look = LayoutProperties.from_layout(msp)
    look.set_colors('#ffffff')
    try:
        Frontend(RenderContext(doc), Outlines(ax, adjust_figure=False), config=config).draw_layout(
            msp, finalize=True, layout_properties=look)
    except Exception as e:
        print(png, 'failed', type(e).__name__, str(e)[:80]); plt.close(fig); continue
    ax.set_autoscale_on(False)
    ax.set_aspect('auto')
    ax.set_xlim(float(x0), float(x1))
    ax.set_ylim(float(y0), float(y1))
    ax.set_facecolor('white')
    fig.savefig(png, dpi=DPI, facecolor='white')
    plt.close(fig)
    size = ink(png)
    try:
        # Text aside: ezdxf boxes an MTEXT by its set width, not by its glyphs.
        box = ezdxf.bbox.extents((e for e in msp if e.dxftype() not in ('TEXT', 'MTEXT')),
                                 flatten=0.01)
        has = box.has_data
    except Exception:  # a text style the file does not define
        has = False
    print(png, 'size %dx%d' % size, 'extents %.6g %.6g %.6g %.6g' % (
        (box.extmin.x, box.extmin.y, box.extmax.x, box.extmax.y) if has else (0, 0, 0, 0)))
PY

# How well two pictures of the same lines are registered: the shift (px) that lays most of
# ezdxf's line pixels on ours, and the share that lie on ours as they are.
cat >"$work/shift.py" <<'PY'
import sys
import numpy as np
from PIL import Image
x, y, w, h = map(int, open(sys.argv[1]).read().split())
ours, theirs = (np.asarray(Image.open(p).convert('L'))[y:y + h, x:x + w] < 144 for p in sys.argv[2:])
def on(dx, dy):
    return (np.roll(theirs, (dy, dx), axis=(0, 1)) & ours).sum() / theirs.sum()
best = max(((dx, dy) for dx in range(-3, 4) for dy in range(-3, 4)), key=lambda d: on(*d))
print('%d %d %.1f' % (best[0], best[1], 100 * on(0, 0)))
PY

# Our plot of a drawing, its picture, and the line of the job file for ezdxf's picture of it.
# Prints the compare window (x y w h, the sheet plus the line width) or fails. A layout comes
# with its name and its paper's box ("extents x0 y0 x1 y1 unit_mm 1"), which the plot lays
# where it lays a model's extents.
plot() {
  local dxf=$1 stem=$2 sheet=${3:-} ex=${4:-}
  local x0 y0 x1 y1 unit out sw sh d fw fh s ox oy lw
  [ -n "$ex" ] || ex=$("$bench" extents "$dxf") || return 1
  read -r _ x0 y0 x1 y1 _ unit <<<"$ex"
  read -r sw sh < <($py -c "print('%.3f %.3f' % (($x1 - $x0) * $unit + 1, ($y1 - $y0) * $unit + 1))")
  out=$("$bench" convert "$dxf" "$stem.plt" "$sw" "$sh" 0 2>"$stem.notes") || return 1
  # The sheet in plotter units, from the input window; a dot beyond two of its corners in the
  # plot's picture fixes trzn-render's frame.
  read -r sw sh < <(echo "$out" | awk '{split($10, b, ","); print b[3], b[4]}')
  d=$(( (sw > sh ? sw : sh) / 20 + 40 ))
  { cat "$stem.plt"; echo "SP1;PU-$d,-$d;PD-$d,-$d;PU$((sw + d)),$((sh + d));PD$((sw + d)),$((sh + d));PU;SP0;"; } >"$stem.framed"
  "$render" "$stem.framed" "$stem-ours.png" "$pixels" >/dev/null
  read -r fw fh s ox oy lw < <("$compare" frame "$stem.framed" "$pixels")
  # The picture's edges in model space: plotter x = (x - x0) k, y = sheet - (y1 - y) k.
  $py -c "
k, s, ox, oy, sh, w, h = $unit * 40, $s, $ox, $oy, $sh, $fw, $fh
print('$dxf $stem-ours.png $stem-ezdxf.png', w, h, '%.9g %.9g %.9g %.9g' % ($x0 + (-ox / s) / k, $x0 + ((w - ox) / s) / k,
      $y1 - (sh - (oy - h) / s) / k, $y1 - (sh - oy / s) / k), end='')
print('\t$sheet')" >>"$work/jobs"
  $py -c "
import math
pad = math.ceil($lw) + 1
print(math.floor($ox) - pad, math.floor($oy - $sh * $s) - pad, math.ceil($sw * $s) + 2 * pad, math.ceil($sh * $s) + 2 * pad)" >"$stem.window"
  echo "$ex" >"$stem.extents"
}

percent() { printf '%.1f' "$(echo "$1*100" | bc -l)"; }

# Registration: lines whose place is known, drawn by ezdxf; ezdxf's lines (1 px) must lie on
# ours (trzn-render's are wider) as they are, not shifted.
$py - "$work" <<'PY'
import ezdxf, sys
for name, unit, scale in (('known-mm', 4, 1), ('known-inch', 1, 1 / 25.4)):
    d = ezdxf.new('R2010'); d.header['$INSUNITS'] = unit; m = d.modelspace()
    s = lambda *p: tuple(v * scale for v in p)
    m.add_lwpolyline([s(0, 0), s(200, 0), s(200, 120), s(0, 120)], close=True)
    m.add_line(s(20, 20), s(180, 100)); m.add_line(s(20, 100), s(60, 20))
    m.add_circle(s(140, 40), 25 * scale); m.add_arc(s(60, 80), 15 * scale, 30, 250)
    d.saveas('%s/%s.dxf' % (sys.argv[1], name))
PY
: >"$work/jobs"
for k in known-mm known-inch; do plot "$work/$k.dxf" "$work/$k"; done
$py "$work/ezdxf_draw.py" "$work/jobs" >/dev/null
for k in known-mm known-inch; do
  read -r _ near _ back < <("$compare" compare "$work/$k-ours.png" "$work/$k-ezdxf.png" $(cat "$work/$k.window"))
  read -r dx dy on < <($py "$work/shift.py" "$work/$k.window" "$work/$k-ours.png" "$work/$k-ezdxf.png")
  echo "registration $k.dxf: line pixels near $(percent "$near")% / $(percent "$back")%;" \
    "ezdxf's on ours: $on%, best shift ($dx, $dy) px"
done
echo

# The layouts: each as a page of its own on its paper, against ezdxf's drawing of it. Ours is
# the first page of the file (these hold one layout each).
if [ "$only" = layouts ]; then
  $py - "${sheets[@]}" >"$work/sheets" <<'PY'
import sys, ezdxf
for name in sys.argv[1:]:
    doc = ezdxf.readfile(name)
    for layout in doc.layouts:
        if layout.name == 'Model' or not len(layout):
            continue
        old = doc.dxfversion <= 'AC1014'  # before LAYOUT objects: the header's paper limits
        lo, hi = ((doc.header['$PLIMMIN'], doc.header['$PLIMMAX']) if old
                  else (layout.dxf.limmin, layout.dxf.limmax))
        views = sum(1 for v in layout.query('VIEWPORT') if v.dxf.id > 1)
        print(name, layout.name, lo[0], lo[1], hi[0], hi[1], views, sep='\t')
PY
  : >"$work/jobs"
  n=0
  while IFS=$'\t' read -r d name x0 y0 x1 y1 _; do
    n=$((n + 1)); stem="$work/s$n"
    $py "$work/notext.py" "$d" "$stem-nt.dxf"
    plot "$d" "$stem" "$name" "extents $x0 $y0 $x1 $y1 unit_mm 1" || echo "$d" >"$stem.failed"
    plot "$stem-nt.dxf" "$stem-nt" "$name" "extents $x0 $y0 $x1 $y1 unit_mm 1" ||
      echo "$d" >"$stem-nt.failed"
  done <"$work/sheets"
  $py "$work/ezdxf_draw.py" "$work/jobs" >"$work/ezdxf.log" 2>"$work/ezdxf.err"
  printf '%-20s %-8s %5s %7s %7s %7s %7s  %s\n' drawing layout views ours ezdxf ours ezdxf \
    "(with text | text out)"
  n=0
  while IFS=$'\t' read -r d name _ _ _ _ views; do
    n=$((n + 1)); row=""
    for v in "" -nt; do
      stem="$work/s$n$v"
      if [ -f "$stem.failed" ] || ! grep -q "^$stem-ezdxf.png size" "$work/ezdxf.log"; then
        row="$row       -       -"; continue
      fi
      read -r _ near _ back < <("$compare" compare "$stem-ours.png" "$stem-ezdxf.png" $(cat "$stem.window"))
      row="$row $(printf '%7s %7s' "$(percent "$near")" "$(percent "$back")")"
    done
    printf '%-20s %-8s %5s%s\n' "${d#/usr/share/}" "$name" "$views" "$row"
    sed 's/^/  /' "$work/s$n.notes" | sort -u
  done <"$work/sheets"
  grep ' failed \| unread ' "$work/ezdxf.log" | sed "s|^$work/|ezdxf: |" || true
  exit 0
fi

# Every drawing with its text, and without (the same drawing, text entities taken out).
: >"$work/jobs"
n=0
for d in "${drawings[@]}"; do
  n=$((n + 1)); stem="$work/d$n"
  [ -f "$d" ] || { echo "missing: $d" >&2; continue; }
  $py "$work/notext.py" "$d" "$stem-nt.dxf"
  plot "$d" "$stem" || echo "$d" >"$stem.failed"
  plot "$stem-nt.dxf" "$stem-nt" || echo "$d" >"$stem-nt.failed"
done
$py "$work/ezdxf_draw.py" "$work/jobs" >"$work/ezdxf.log" 2>"$work/ezdxf.err"

printf '%-62s %7s %7s %7s %7s  %s\n' drawing "ours" "ezdxf" "ours" "ezdxf" "(with text | text out)"
: >"$work/shares"
n=0
for d in "${drawings[@]}"; do
  n=$((n + 1)); stem="$work/d$n"; row=""
  for v in "" -nt; do
    if [ -f "$stem$v.failed" ] || ! grep -q "^$stem$v-ezdxf.png size" "$work/ezdxf.log"; then row="$row       -       -"; continue; fi
    read -r _ near _ back < <("$compare" compare "$stem$v-ours.png" "$stem$v-ezdxf.png" $(cat "$stem$v.window") || echo x -1 x -1)
    echo "${v:-text} $near $back" >>"$work/shares"
    row="$row $(printf '%7s %7s' "$(percent "$near")" "$(percent "$back")")"
  done
  printf '%-62s%s\n' "${d#/usr/share/}" "$row"
  # ezdxf's extents (text aside) beyond ours by more than a thousandth of the drawing:
  # something we leave out.
  [ -f "$stem.extents" ] || continue
  read -r _ x0 y0 x1 y1 _ _ <"$stem.extents"
  grep "^$stem-ezdxf.png" "$work/ezdxf.log" | awk -v a="$x0" -v b="$y0" -v c="$x1" -v e="$y1" '
    { t = ((c - a) > (e - b) ? (c - a) : (e - b)) / 1000
      if (($5 != 0 || $7 != 0) && ($5 < a - t || $6 < b - t || $7 > c + t || $8 > e + t))
        printf "    ezdxf\047s extents beyond ours: %g %g %g %g (ours %g %g %g %g)\n", $5, $6, $7, $8, a, b, c, e }'
  sed 's/^/  /' "$stem.notes" | sort -u
done
grep ' failed \| unread ' "$work/ezdxf.log" | sed "s|^$work/|ezdxf: |" || true
echo
$py - "$work/shares" <<'PY'
import statistics, sys
rows = [l.split() for l in open(sys.argv[1])]
for kind, label in (('text', 'with text'), ('-nt', 'text out')):
    for i, who in ((1, 'ours near ezdxf'), (2, 'ezdxf near ours')):
        v = [float(r[i]) for r in rows if r[0] == kind and float(r[i]) >= 0]
        if v:
            print('%-10s %-16s drawings %3d  median %5.1f%%  minimum %5.1f%%  below 95%% %3d  below 80%% %3d'
                  % (label, who, len(v), 100 * statistics.median(v), 100 * min(v),
                     sum(x < 0.95 for x in v), sum(x < 0.8 for x in v)))
PY
