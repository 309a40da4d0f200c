#!/usr/bin/env bash
# The plots of a fixed set of drawings under every plotting option, as checksums: run it before
# and after a change that must not change any plot, and compare the two lists.
#   bash bench/plot_guard.sh [build dir] >before.txt   ...   diff before.txt after.txt
# Drawings: an SVG written here (fills, strokes, curves, text), two of Inkscape's examples, a
# three-page PDF and an EPS made of them by rsvg-convert, a DXF written by ezdxf, and the sample
# HP-GL plot delivered through the sender into a local shared folder.
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$PWD
build=$(cd "${1:-build}" && pwd)
plot="$build/tools/trzn-plot"
py=/usr/bin/python3  # the Debian interpreter, where python3-ezdxf is
work=$(mktemp -d /tmp/trzn-guard-XXXXXX)
[ -n "${KEEP:-}" ] || trap 'rm -rf "$work"' EXIT
mkdir -p "$work/home/Documents" "$work/in" "$work/out" "$work/shared"
chmod 700 "$work/home"
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_RUNTIME_DIR="$work/home"
export QT_QPA_PLATFORM=offscreen LANG=C.UTF-8

# --- drawings -----------------------------------------------------------------------------
in="$work/in"
cat >"$in/shapes.svg" <<'SVG'
<svg xmlns="http://www.w3.org/2000/svg" width="200mm" height="150mm" viewBox="0 0 200 150">
  <rect x="10" y="10" width="60" height="40" fill="#ff0000" stroke="#000000" stroke-width="0.5"/>
  <circle cx="120" cy="40" r="25" fill="none" stroke="#0000ff" stroke-width="2"/>
  <path d="M10 80 C 40 60, 70 120, 100 80 S 160 60, 190 90" fill="none" stroke="#00ff00" stroke-width="1.5"/>
  <path d="M20 100 L60 140 L100 100 Z M40 110 L60 130 L80 110 Z" fill="#ff00ff" fill-rule="evenodd"/>
  <ellipse cx="150" cy="120" rx="30" ry="15" fill="#0000ff" stroke="none"/>
  <g transform="translate(110,70) rotate(20)">
    <line x1="0" y1="0" x2="60" y2="0" stroke="#000000" stroke-width="4" stroke-linecap="round"/>
    <polyline points="0,10 10,20 20,10 30,20 40,10" fill="none" stroke="#ff0000"/>
  </g>
  <text x="10" y="145" font-family="DejaVu Sans" font-size="8" fill="#000000">Plot 123</text>
  <line x1="5" y1="5" x2="195" y2="5" stroke="#000000"/>
  <line x1="5" y1="5" x2="195" y2="5" stroke="#000000"/>
</svg>
SVG
for ex in car.svgz tesselation-P3.svg; do
  src=/usr/share/inkscape/examples/$ex
  [ -f "$src" ] || continue
  case "$ex" in *.svgz) gzip -dc "$src" >"$in/${ex%.svgz}.svg" ;; *) cp "$src" "$in/$ex" ;; esac
done
svgs=("$in"/*.svg)
rsvg-convert -f pdf -o "$in/pages.pdf" "${svgs[@]}"
rsvg-convert -f eps -o "$in/shapes.eps" "$in/shapes.svg"
"$py" - "$in/drawing.dxf" <<'PY'
import sys, ezdxf
doc = ezdxf.new("R2010")
doc.units = ezdxf.units.MM
msp = doc.modelspace()
msp.add_line((0, 0), (100, 0), dxfattribs={"color": 1})
msp.add_circle((50, 50), 25, dxfattribs={"color": 5})
msp.add_arc((150, 50), 30, 10, 250, dxfattribs={"color": 3})
msp.add_lwpolyline([(0, 100), (40, 140), (80, 100), (120, 140)], dxfattribs={"color": 6})
msp.add_ellipse((150, 130), major_axis=(30, 10), ratio=0.4)
msp.add_spline([(0, 160), (30, 190), (60, 150), (90, 180)])
msp.add_text("DXF 42", dxfattribs={"height": 8, "insert": (100, 160)})
block = doc.blocks.new("MARK")
block.add_line((-5, 0), (5, 0))
block.add_line((0, -5), (0, 5))
for x in range(0, 200, 40):
    msp.add_blockref("MARK", (x, 220), dxfattribs={"rotation": x / 4})
doc.saveas(sys.argv[1])
PY

# --- settings -----------------------------------------------------------------------------
# The settings file as the window writes it (key = value, CR LF); $@ are extra "key = value".
product="$HOME/Documents/Adobe/Illustrator/Trazen"
mkdir -p "$product"
settings() {
  local extra=("$@")
  {
    printf 'THSrConfig.port = 0\r\nTHSrConfig.shared_folder = "%s"\r\n' "$work/shared"
    printf 'THSrConfig.port_name = "%s"\r\n' "Shared Folder(Trazen Server)"
    local n=1
    for rgb in "0 0 0" "10000 0 0" "0 0 10000" "0 10000 0" "10000 0 10000"; do
      set -- $rgb
      printf 'THPrConfig.toollist_%02d.tpenid = %d\r\n' "$n" "$n"
      printf 'THPrConfig.toollist_%02d.red = %d\r\nTHPrConfig.toollist_%02d.green = %d\r\n' "$n" "$1" "$n" "$2"
      printf 'THPrConfig.toollist_%02d.blue = %d\r\nTHPrConfig.toollist_%02d.fcolor = 1\r\n' "$n" "$3" "$n"
      n=$((n + 1))
    done
  } >"$product/TRZNSerConfig.ini"
  local line
  for line in "${extra[@]}"; do printf '%s\r\n' "$line" >>"$product/TRZNSerConfig.ini"; done
}
# A3 (842 x 1191 points) at a scale: the print record the window keeps for it.
page() {  # scale [roll]
  local s=$1 roll=${2:-0} f v h
  f=$(awk -v s="$s" 'BEGIN { print (s < 0 ? -s : s) / 100 }')
  if [ "$s" -ge 0 ]; then v=1191; h=842; else v=842; h=1191; fi
  v=$(awk -v a="$v" -v f="$f" 'BEGIN { print int(a / f) }')
  h=$(awk -v a="$h" -v f="$f" 'BEGIN { print int(a / f) }')
  echo "THPrint.prInfo.rPage = 0,0,$h,$v"
  echo "THPrint.prXInfo.iBandV = $s"
  echo "THPrint.prXInfo.iBandH = $s"
  echo "THPrint.prStl.feed = $roll"
  echo "THPrint.prJob.iFstPage = 1"
  echo "THPrint.prJob.iLstPage = 9999"
}
mapfile -t a3 < <(page 100)
mapfile -t turned < <(page -100)
mapfile -t half < <(page 50)
mapfile -t roll < <(page 100 1)
declare -A options=(
  [base]=""
  [unoptimised]="THPrConfig.foptln = 1"
  [thick]="THPrConfig.toollist_01.thick = 30|THPrConfig.toollist_02.thick = 50|THPrConfig.toollist_03.thick = 20"
  [extended]="THPrConfig.foptEx = 1"
  [sortB]="THPrConfig.fsort = 1"
  [sortC]="THPrConfig.fsort = 2"
  [extended-sortC-thick]="THPrConfig.foptEx = 1|THPrConfig.fsort = 2|THPrConfig.toollist_02.thick = 40"
  [turned]="@turned"
  [half]="@half"
  [roll-panels]="@roll|THPrConfig.rlength = 288|THPrConfig.fautosep = 1"
  [roll-one]="@roll|THPrConfig.rlength = 288|THPrConfig.fautosep = 0"
  [range2-3]="THPrConfig.iFstPage = 2|THPrConfig.iLstPage = 3"
  # The cutting and output options: each shapes or encodes every line of its pen.
  [frame]="THPrConfig.fusekstm = 1|THPrConfig.ktoolid = 2|THPrConfig.kmargin = 20,10,30,40"
  [perforated]="THPrConfig.fusezfcut = 1|THPrConfig.zftoolid = 1|THPrConfig.zfcleng = 50|THPrConfig.zfsleng = 20"
  [perforated-pressed]="THPrConfig.fusezfcut = 1|THPrConfig.zftoolid = 3|THPrConfig.zfcleng = 30|THPrConfig.zfsleng = 10|THPrConfig.zfcpress = 30|THPrConfig.zfspress = 5"
  [knife]="@knife"
  [knife-perforated-frame]="@knife|THPrConfig.fusezfcut = 1|THPrConfig.zftoolid = 1|THPrConfig.zfcleng = 80|THPrConfig.zfsleng = 15|THPrConfig.fusekstm = 1|THPrConfig.ktoolid = 1|THPrConfig.kmargin = 5,5,5,5"
  [knife-extended-sortB]="@knife|THPrConfig.foptEx = 1|THPrConfig.fsort = 1"
  [output]="THSrConfig.prunit = 400|THSrConfig.pdlmopt = 17105196|THSrConfig.prheader = \"IN;VS10;\"|THSrConfig.prfooter = \"PG;\""
  [output-frame-roll]="@roll|THPrConfig.rlength = 288|THPrConfig.fautosep = 1|THSrConfig.prunit = 2540|THSrConfig.pdlmopt = 16843012|THPrConfig.fusekstm = 1|THPrConfig.ktoolid = 1"
)

drawings=("${svgs[@]}" "$in/pages.pdf" "$in/shapes.eps" "$in/drawing.dxf")
for name in $(printf '%s\n' "${!options[@]}" | sort); do
  IFS='|' read -r -a extra <<<"${options[$name]}"
  lines=()
  pagelines=("${a3[@]}")
  knife=0
  for e in "${extra[@]}"; do
    case "$e" in
      @turned) pagelines=("${turned[@]}") ;;
      @half) pagelines=("${half[@]}") ;;
      @roll) pagelines=("${roll[@]}") ;;
      @knife) knife=1 ;;
      "") ;;
      *) lines+=("$e") ;;
    esac
  done
  settings "${pagelines[@]}" "${lines[@]}"
  # The drag knife's own file: pen 1, 0.5 mm blade offset, 2 mm overcut.
  rm -f "$product/TRZNKnife.ini"
  [ "$knife" = 0 ] ||
    printf 'knife.use = 1\r\nknife.tool = 1\r\nknife.offset = 50\r\nknife.overcut = 200\r\n' >"$product/TRZNKnife.ini"
  for d in "${drawings[@]}"; do
    out="$work/out/$name-$(basename "$d").plt"
    rc=0
    "$plot" --output "$out" "$d" >/dev/null 2>"$out.notes" || rc=$?
    # What trzn-plot said belongs to the result too (the work folder's name taken out).
    said=$({ grep -v '^QStandardPaths' "$out.notes" || true; } | sed "s|$work||g" | sha256sum | cut -c1-8)
    # A cut drawing leaves one file a panel beside the name asked for.
    sums=$(cd "$work/out" && find . -name "$name-$(basename "$d")*" -type f ! -name '*.notes' | sort | xargs -r sha256sum | cut -c1-16 | tr '\n' ' ')
    printf '%-22s %-20s exit %d said %s  %s\n' "$name" "$(basename "$d")" "$rc" "$said" "${sums:-none}"
  done
done

# The HP-GL sample through the sender into the shared folder.
settings "${a3[@]}"
rm -f "$product/TRZNKnife.ini"
rc=0
"$plot" "$repo/bench/data/sample-plot.hpgl" >/dev/null 2>&1 || rc=$?
sum=$(find "$work/shared" -type f -name '*.plt' | xargs -r cat | sha256sum | cut -c1-16)
printf '%-22s %-22s exit %d  %s\n' hpgl sample-plot.hpgl "$rc" "$sum"
