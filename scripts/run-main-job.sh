#!/usr/bin/env bash
# The main job: installs what is missing, builds, and delivers a sample plot and a sample
# drawing end to end on a machine without plotter hardware: the sender frames each plot and
# copies it into a local folder standing in for the print server's shared folder. Everything happens in a throwaway
# home; the real user's files are never touched.
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$(pwd)
bash scripts/install-deps.sh
# Only the programs it runs: the tests and benchmarks are the test command's to build.
bash scripts/build.sh TRZNSerSend TRZNSerConfig trzn-plot trzn-render
echo "Built:"
find build -maxdepth 2 -type f -perm -u+x \( -name 'TRZN*' -o -name 'trzn-*' \) | sort

home=$(mktemp -d /tmp/trzn-main-job.XXXXXX)
export HOME="$home" XDG_CONFIG_HOME="$home/.config" XDG_RUNTIME_DIR="$home/.run"
mkdir -m 0700 "$XDG_RUNTIME_DIR"
unset XDG_DOCUMENTS_DIR
product="$home/Documents/Adobe/Illustrator/Trazen"
shared="$home/print-server/shared"
mkdir -p "$product" "$shared"

# What the plot plug-in leaves: the header lines (with the input window) and the plot body.
printf 'NAME:sample-plot\r\nBRC:0,0,16000,11000\r\n' >"$product/Trazen Sender Prefs"
cp bench/data/sample-plot.hpgl "$product/Trazen Prefs"

# The main settings file as the configuration window writes it (key = value, CR LF): the
# shared-folder destination, and a completion status left over from an earlier run.
{
  printf 'THSrConfig.port = %d\r\n' 0
  printf 'THSrConfig.baud = %d\r\n' 4
  printf 'THSrConfig.data = %d\r\n' 1
  printf 'THSrConfig.stop = %d\r\n' 1
  printf 'THSrConfig.parity = %d\r\n' 0
  printf 'THSrConfig.flctrl = %d\r\n' 0
  printf 'THSrConfig.ipaddr = "%s"\r\n' ""
  printf 'THSrConfig.shared_folder = "%s"\r\n' "$shared"
  printf 'THSrConfig.port_name = "%s"\r\n' "Shared Folder(Trazen Server)"
  # Pens 1 to 4 in red, blue, green and magenta (shares 0..10000, fcolor 1), for the previews.
  n=1
  for rgb in "10000 0 0" "0 0 10000" "0 10000 0" "10000 0 10000"; do
    set -- $rgb
    printf 'THPrConfig.toollist_%02d.tpenid = %d\r\n' "$n" "$n"
    printf 'THPrConfig.toollist_%02d.thick = %d\r\n' "$n" 30
    printf 'THPrConfig.toollist_%02d.red = %d\r\n' "$n" "$1"
    printf 'THPrConfig.toollist_%02d.green = %d\r\n' "$n" "$2"
    printf 'THPrConfig.toollist_%02d.blue = %d\r\n' "$n" "$3"
    printf 'THPrConfig.toollist_%02d.fcolor = %d\r\n' "$n" 1
    n=$((n + 1))
  done
  printf '\r\n'
  printf 'refine_con = %d\r\n' 2
  printf 'preset_name = "%s"\r\n' ""
} >"$product/TRZNSerConfig.ini"

if [ -n "${DISPLAY:-}" ]; then
  echo "Running the sender with a window on $DISPLAY"
else
  echo "No display: running the sender on the offscreen platform"
  export QT_QPA_PLATFORM=offscreen
fi
rc=0
timeout 120 "$repo/build/sender/TRZNSerSend" || rc=$?

echo
echo "Plot body:    $(stat -c %s "$product/Trazen Prefs") bytes"
echo "Framed plot:  $product/Trazen.tmp, $(stat -c %s "$product/Trazen.tmp" 2>/dev/null || echo '?') bytes"
delivered=$(find "$shared" -type f -name '*.plt' | sort)
if [ -n "$delivered" ]; then
  while read -r f; do
    echo "Delivered to: $f, $(stat -c %s "$f") bytes"
    cmp -s "$f" "$product/Trazen.tmp" && echo "              (identical to the framed plot)"
  done <<<"$delivered"
else
  echo "Delivered to: nothing arrived in $shared"
fi
# A picture of what was delivered, in the pens' colours of the settings file.
picture=""
first=$(head -n 1 <<<"$delivered")
if [ -n "$first" ]; then
  picture="$home/delivered-plot.png"
  if "$repo/build/preview/trzn-render" "$first" "$picture" 1200 >/dev/null; then
    echo "Picture:      $picture"
  else
    echo "Picture:      trzn-render could not draw $first"
    picture=""
  fi
fi
status=$(tr -d '\r' <"$product/TRZNSerConfig.ini" | sed -n 's/^refine_con = //p')
echo "Completion status (refine_con): ${status:-missing} (1 done, 2 stopped or failed)"
echo "Sender exit code: $rc (0 delivered, 1 stopped, 2 failed, 3 not started)"

# A drawing, as most users plot: trzn-plot turns an SVG into a plot laid on the page and hands
# it to the sender, which delivers it into the same shared folder. The settings are the default
# setup installed with the programs (A3, pens 1 to 8), with the shared folder chosen.
echo
drawing="$home/sample-sign.svg"
cat >"$drawing" <<'SVG'
<svg xmlns="http://www.w3.org/2000/svg" width="240mm" height="140mm" viewBox="0 0 240 140">
  <rect x="5" y="5" width="230" height="130" rx="12" fill="none" stroke="#d00000"/>
  <rect x="12" y="12" width="216" height="116" rx="8" fill="none" stroke="#d00000"/>
  <path d="M60 30 L71 58 L101 58 L77 76 L86 105 L60 88 L34 105 L43 76 L19 58 L49 58 Z"
        fill="none" stroke="#0000d0"/>
  <circle cx="170" cy="70" r="40" fill="none" stroke="#00a000"/>
  <path d="M140 70 Q155 40 170 70 T200 70" fill="none" stroke="#d000d0"/>
</svg>
SVG
sed -e 's/^THSrConfig\.port = .*/THSrConfig.port = 0\r/' \
  -e "s|^THSrConfig\\.shared_folder = .*|THSrConfig.shared_folder = \"$shared\"\r|" \
  -e 's/^THSrConfig\.port_name = .*/THSrConfig.port_name = "Shared Folder(Trazen Server)"\r/' \
  packaging/TRZNSerConfig.ini >"$product/TRZNSerConfig.ini"
before=$(find "$shared" -type f -name '*.plt' | sort)
drc=0
timeout 300 "$repo/build/tools/trzn-plot" "$drawing" || drc=$?
after=$(find "$shared" -type f -name '*.plt' | sort)
plotted=$(comm -13 <(echo "$before") <(echo "$after") | head -n 1)
drawing_picture=""
if [ -n "$plotted" ]; then
  echo "Drawing:      $drawing plotted to $plotted, $(stat -c %s "$plotted") bytes"
  drawing_picture="$home/delivered-drawing.png"
  if "$repo/build/preview/trzn-render" "$plotted" "$drawing_picture" 1200 >/dev/null; then
    echo "Picture:      $drawing_picture"
  else
    echo "Picture:      trzn-render could not draw $plotted"
    drawing_picture=""
  fi
else
  echo "Drawing:      nothing arrived in $shared for $drawing"
fi
echo "trzn-plot exit code: $drc (0 delivered)"
echo "The throwaway home is left for a look: $home"
[ "$rc" -eq 0 ] && [ "${status:-}" = "1" ] && [ -n "$delivered" ] && [ -n "$picture" ] &&
  [ "$drc" -eq 0 ] && [ -n "$plotted" ] && [ -n "$drawing_picture" ]
