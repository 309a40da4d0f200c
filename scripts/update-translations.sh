#!/usr/bin/env bash
# Refreshes i18n/trazen_ja.ts from the sources and forms (keeps the translations already made).
# Every text is written in English; the file gives the Japanese of the windows, the sender,
# trzn-plot and the notes of a drawing's reading.
set -euo pipefail
cd "$(dirname "$0")/.."
/usr/lib/qt6/bin/lupdate -I . -locations none -no-obsolete -source-language en -target-language ja \
  settings platform sender preview config tools plotjob -ts i18n/trazen_ja.ts
