#!/usr/bin/env bash
# Refreshes i18n/trazen_en.ts from the sources and forms (keeps the translations already made).
set -euo pipefail
cd "$(dirname "$0")/.."
/usr/lib/qt6/bin/lupdate -locations none -no-obsolete -source-language ja -target-language en \
  settings platform sender config tools -ts i18n/trazen_en.ts
