#!/usr/bin/env bash
# Draws the windows' pictures that docs/ holds again, from the programs and tests built with the
# tests (bash scripts/build.sh first), on the offscreen platform in a throwaway home, so that they
# show the windows as they are now. The programs draw more than docs/ shows; only the pictures
# docs/ already has are replaced.
set -euo pipefail
cd "$(dirname "$0")/.."
home=$(mktemp -d /tmp/trzn-pictures.XXXXXX)
trap 'rm -rf "$home"' EXIT
out="$home/pictures"
mkdir -p "$out"
export HOME="$home" XDG_CONFIG_HOME="$home/.config" QT_QPA_PLATFORM=offscreen
build/tests/config/config_picture "$out"
build/tests/config/config_picture "$out" --first-start ja
build/tests/config/config_picture "$out" --first-start en
build/tests/config_paper/config_paper_picture "$out/paper-editor.png"
build/tests/sender/serial_flow_picture "$out"
build/tests/tools/translation_picture "$out"
# The sender's windows and the printer queue's tab are drawn by the tests that drive them.
for t in sender/sender_preview_test sender/sender_network_test sender/sender_queue_test \
  config/config_window_tests; do
  TRZN_SENDER_PICTURES="$out" TRZN_CONFIG_PICTURES="$out" "build/tests/$t" >/dev/null
done
for picture in "$out"/*.png; do
  name=$(basename "$picture")
  if [ -e "docs/$name" ]; then cp "$picture" "docs/$name" && echo "docs/$name"; fi
done
