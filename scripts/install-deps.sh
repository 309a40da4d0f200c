#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the tests and the main job need. Installs only what
# is missing, so a second run installs nothing.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config       # compiler and build tools
  qt6-base-dev qt6-base-dev-tools libgl-dev          # Qt 6 Widgets, moc/uic
  qt6-svg-dev                                        # QSvgRenderer: reads drawings for plotting
  qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools   # Qt Linguist: lupdate/lrelease for translations
  libcurl4-openssl-dev                               # FTP upload
  libpoppler-qt6-dev                                 # PDF (and Illustrator) pages painted for plotting
  ghostscript                                        # EPS and PostScript made into PDF, run with -dSAFER
  libdxflib-dev                                      # DXF drawings read for plotting
  libqpdf-dev                                        # PDF pictures made one pixel before poppler paints (it decodes them whole)
  fonts-dejavu-core                                  # the outline font of DXF text
  libhersheyfont-dev hershey-fonts-data              # DXF text in the CAD stroke fonts: the Hershey designs and their reader
  libfontconfig-dev                                  # DXF text in TrueType fonts: the file a style names, or its match
  libcups2-dev                                       # printer queues through libcups
  cups-daemon cups cups-client                       # a private cupsd, its backends and lpadmin for tests
  libgtest-dev libgmock-dev                          # unit tests
  libbenchmark-dev                                   # benchmarks
  clang libclang-rt-14-dev                           # libFuzzer with ASan/UBSan
  python3-pyftpdlib                                  # a real FTP server on loopback for tests
  dbus-daemon python3-dbus python3-gi               # tests: a session bus with a notification service
  python3-ezdxf                                      # tests: DXF drawings written by an independent writer
  python3-scipy python3-pil                          # tests: the fidelity benchmark's measure of visible lines
  fonts-noto-cjk                                     # Japanese glyphs in the windows and pictures
  hp2xx                                              # independent HP-GL renderer the preview is checked against
  inkscape librsvg2-bin                              # tests: the Inkscape extension run for real; an independent SVG renderer
  libpolyclipping-dev                                # Clipper: cuts open lines and areas to a drawing's clip
  librsvg2-dev libcairo2-dev                         # librsvg: reads SVG that Qt's SVG module can't (clips, markers, symbols), into PDF
  xvfb xauth                                         # a virtual display for the main job's window
  dpkg-dev fakeroot file desktop-file-utils          # the .deb package and its checks
  lintian appstream                                  # the package's checks: Debian's rules, the AppStream metadata
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
  echo "These Debian packages are missing: ${missing[*]}" >&2
  echo "Run this command as root (for example with sudo) so they can be installed." >&2
  exit 1
fi

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}"
