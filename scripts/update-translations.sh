#!/usr/bin/env bash
# Refreshes the translations from the sources and forms (keeps the translations already made):
# i18n/trazen_en.ts for the windows and the sender, written in Japanese; i18n/trazen_ja.ts for
# trzn-plot and the notes of a drawing's reading, written in English.
set -euo pipefail
cd "$(dirname "$0")/.."
/usr/lib/qt6/bin/lupdate -I . -locations none -no-obsolete -source-language ja -target-language en \
  settings platform sender preview config -ts i18n/trazen_en.ts
/usr/lib/qt6/bin/lupdate -I . -locations none -no-obsolete -source-language en -target-language ja \
  tools plotjob/plot_notes.cpp -ts i18n/trazen_ja.ts
