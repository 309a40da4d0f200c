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
            ./usr/share/mime/packages/trazen-hpgl.xml ./usr/share/trazen/TRZNSerConfig.ini \
            ./usr/share/inkscape/extensions/trazen_plot.inx \
            ./usr/share/inkscape/extensions/trazen_plot_output.inx \
            ./usr/share/inkscape/extensions/trazen_plot.py \
            ./usr/share/inkscape/extensions/trazen_plot_effect.py \
            ./usr/share/inkscape/extensions/trazen_plot_output.py \
            ./usr/share/metainfo/org.trazen.serconfig.metainfo.xml \
            ./usr/share/metainfo/org.trazen.sersend.metainfo.xml \
            ./usr/share/doc/trazen/copyright ./usr/share/doc/trazen/changelog.gz \
            ./usr/share/man/man1/trzn-plot.1.gz ./usr/share/man/man1/trzn-render.1.gz \
            ./usr/share/man/man1/TRZNSerSend.1.gz ./usr/share/man/man1/TRZNSerConfig.1.gz; do
  grep -qx "$want" <<<"$files" || { echo "missing from the package: $want" >&2; exit 1; }
done
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for want in libqt6widgets6 libqt6svg6 libcurl4 libcups2 qt6-qpa-plugins fonts-noto-cjk; do
  grep -q "$want" <<<"$depends" || { echo "dependency missing: $want" >&2; exit 1; }
done
desktop-file-validate packaging/*.desktop
# A new version without its changelog entry would ship the old release's notes under the new number.
logged=$(dpkg-parsechangelog -l packaging/changelog -S Version)
[ "$logged" = "$(dpkg-deb -f "$deb" Version)" ] ||
  { echo "packaging/changelog's latest entry is $logged, the package is $(dpkg-deb -f "$deb" Version)" >&2; exit 1; }
appstreamcli validate --no-net packaging/*.metainfo.xml >/dev/null ||
  { appstreamcli validate --no-net packaging/*.metainfo.xml >&2; exit 1; }
# The metadata against the installed tree: each launchable names a desktop entry in the package.
tree=$(mktemp -d)
dpkg-deb -x "$deb" "$tree"
appstreamcli validate-tree --no-net "$tree" >/dev/null ||
  { appstreamcli validate-tree --no-net "$tree" >&2; rm -rf "$tree"; exit 1; }
rm -rf "$tree"
# Debian's own rules: no error may be left; the warnings kept are explained in the README.
lintian --fail-on error --tag-display-limit 0 "$deb" >"$out/lintian.txt" 2>&1 ||
  { cat "$out/lintian.txt" >&2; echo "lintian found errors in the package" >&2; exit 1; }
echo "lintian: $(grep -c '^E:' "$out/lintian.txt" || true) errors, $(grep -c '^W:' "$out/lintian.txt" || true) warnings"
# Inkscape reads only well-formed extension descriptions, and says nothing when one isn't.
for inx in packaging/inkscape/*.inx; do
  python3 -c 'import sys, xml.dom.minidom; xml.dom.minidom.parse(sys.argv[1])' "$inx"
done

if [ "$(id -u)" -eq 0 ] && ! dpkg-query -W trazen >/dev/null 2>&1; then
  dpkg -i "$deb" >/dev/null
  # However a check below fails, the package does not stay installed: its copy of the Inkscape
  # extension would sit beside any in a user's extension folder, where the menu item then fails.
  trap 'rm -rf "$out"; dpkg -r trazen >/dev/null 2>&1 || true' EXIT
  installed=$(dpkg -L trazen)
  test -x /usr/bin/TRZNSerConfig && test -x /usr/bin/trzn-plot
  # Every option trzn-plot knows is in its installed manual page.
  manual=$(zcat /usr/share/man/man1/trzn-plot.1.gz | sed 's/\\-/-/g')
  for option in $(/usr/bin/trzn-plot --help | grep -o -- '--[a-z][a-z-]*' | sort -u); do
    grep -q -- "$option" <<<"$manual" || { echo "trzn-plot(1) does not describe $option" >&2; exit 1; }
  done
  if command -v inkscape >/dev/null; then
    # Inkscape finds the installed extension, and it finds the installed trzn-plot.
    ink=$(mktemp -d)
    printf '<svg xmlns="http://www.w3.org/2000/svg" width="20mm" height="20mm"><path d="M1 1H19" stroke="black"/></svg>' >"$ink/a.svg"
    if ! (cd "$ink" && HOME="$ink" XDG_CONFIG_HOME="$ink/.config" env -u TRZN_PLOT timeout 120 \
          inkscape a.svg --export-filename=a.plt --export-extension=org.trazen.output.plot >/dev/null 2>&1) ||
       ! head -c 3 "$ink/a.plt" | grep -qx IW0; then
      rm -rf "$ink"
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
