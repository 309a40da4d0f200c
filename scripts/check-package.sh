#!/usr/bin/env bash
# Builds the .deb from build/, checks its file list and dependencies, and (as root, on a
# machine without the package) installs and removes it to see that both work cleanly.
set -euo pipefail
cd "$(dirname "$0")/.."
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
(cd build && cpack -G DEB -B "$out" >/dev/null)
deb=$(ls "$out"/*.deb)
echo "Package: $(basename "$deb")"

files=$(dpkg-deb -c "$deb" | awk '{print $6}')
for want in ./usr/bin/TRZNSerConfig ./usr/bin/TRZNSerSend ./usr/bin/trzn-plot \
            ./usr/bin/trzn-render ./usr/share/applications/trzn-serconfig.desktop ./usr/share/applications/trzn-plot.desktop \
            ./usr/share/icons/hicolor/scalable/apps/trzn-serconfig.svg \
            ./usr/share/mime/packages/trazen-hpgl.xml \
            ./usr/share/inkscape/extensions/trazen_plot.inx \
            ./usr/share/inkscape/extensions/trazen_plot_output.inx \
            ./usr/share/inkscape/extensions/trazen_plot.py \
            ./usr/share/inkscape/extensions/trazen_plot_effect.py \
            ./usr/share/inkscape/extensions/trazen_plot_output.py; do
  grep -qx "$want" <<<"$files" || { echo "missing from the package: $want" >&2; exit 1; }
done
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for want in libqt6widgets6 libqt6svg6 libcurl4 libcups2 qt6-qpa-plugins fonts-noto-cjk; do
  grep -q "$want" <<<"$depends" || { echo "dependency missing: $want" >&2; exit 1; }
done
desktop-file-validate packaging/*.desktop
# Inkscape reads only well-formed extension descriptions, and says nothing when one isn't.
for inx in packaging/inkscape/*.inx; do
  python3 -c 'import sys, xml.dom.minidom; xml.dom.minidom.parse(sys.argv[1])' "$inx"
done

if [ "$(id -u)" -eq 0 ] && ! dpkg-query -W trazen >/dev/null 2>&1; then
  dpkg -i "$deb" >/dev/null
  installed=$(dpkg -L trazen)
  test -x /usr/bin/TRZNSerConfig && test -x /usr/bin/trzn-plot
  /usr/bin/trzn-plot --help >/dev/null
  if command -v inkscape >/dev/null; then
    # Inkscape finds the installed extension, and it finds the installed trzn-plot.
    ink=$(mktemp -d)
    printf '<svg xmlns="http://www.w3.org/2000/svg" width="20mm" height="20mm"><path d="M1 1H19" stroke="black"/></svg>' >"$ink/a.svg"
    # A failed check still removes the package: left installed, its copy of the extension would
    # sit beside any in a user's extension folder, where Inkscape's menu item then fails.
    if ! (cd "$ink" && HOME="$ink" XDG_CONFIG_HOME="$ink/.config" env -u TRZN_PLOT timeout 120 \
          inkscape a.svg --export-filename=a.plt --export-extension=org.trazen.output.plot >/dev/null 2>&1) ||
       ! head -c 3 "$ink/a.plt" | grep -qx IW0; then
      dpkg -r trazen >/dev/null
      echo "Inkscape's Save a Copy as Trazen plot failed" >&2; exit 1
    fi
    rm -rf "$ink"
  fi
  dpkg -r trazen >/dev/null
  for f in /usr/bin/TRZNSerConfig /usr/bin/TRZNSerSend /usr/bin/trzn-plot; do
    [ ! -e "$f" ] || { echo "left behind after removal: $f" >&2; exit 1; }
  done
  echo "Installed and removed cleanly ($(grep -c . <<<"$installed") paths)"
fi
echo "package check passed"
