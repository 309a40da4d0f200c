#!/usr/bin/env bash
# Refreshes i18n/trazen_en.ts from the sources and forms (keeps the translations already made).
# tools/ is left out: trzn-plot speaks English in its sources already.
set -euo pipefail
cd "$(dirname "$0")/.."

# lupdate can't follow a one-argument helper such as
#   QString Tr(const char* text) { return QCoreApplication::translate("TRZN_SerSend", text); }
# so it reads a copy of each such file with the helper's calls spelled out in full; the texts land
# in the helper's context, exactly where the running program looks them up.
spelled="$(mktemp -d)"
trap 'rm -rf "$spelled"' EXIT
grep -rlE 'QString Tr\(const char\* *[a-z]+\) *\{ *return QCoreApplication::translate\("' \
  --include='*.cpp' settings platform sender config | while read -r file; do
  context="$(sed -nE 's/.*QString Tr\(const char\* *[a-z]+\) *\{ *return QCoreApplication::translate\("([^"]+)".*/\1/p' "$file" | head -n1)"
  mkdir -p "$spelled/$(dirname "$file")"
  perl -pe 's/(?<![A-Za-z0-9_:])Tr\("/QCoreApplication::translate("'"$context"'", "/g' "$file" \
    > "$spelled/$file"
done

/usr/lib/qt6/bin/lupdate -I . -locations none -no-obsolete -source-language ja -target-language en \
  settings platform sender config "$spelled" -ts i18n/trazen_en.ts
