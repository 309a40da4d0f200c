#!/usr/bin/env bash
# Refreshes i18n/trazen_en.ts from the sources and forms (keeps the translations already made).
# tools/ is left out: trzn-plot speaks English in its sources already.
set -euo pipefail
cd "$(dirname "$0")/.."
/usr/lib/qt6/bin/lupdate -I . -locations none -no-obsolete -source-language ja -target-language en \
  settings platform sender preview config -ts i18n/trazen_en.ts
