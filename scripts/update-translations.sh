#!/usr/bin/env bash
# Brings the English catalogue up to date with the sources and lists every
# text still without a translation (exit 1 when there is one).
#   scripts/update-translations.sh           update translations/kavir_en.ts
#   scripts/update-translations.sh --check   leave it alone; only report
# The Chinese texts in the sources are the source texts. The core marks its
# texts with KAVIR_TR_NOOP and TrText, read here as Qt's own markers; keep the
# options in step with src/lang/CMakeLists.txt.
set -euo pipefail
cd "$(dirname "$0")/.."

lupdate=${LUPDATE:-}
if [ -z "$lupdate" ]; then
  for candidate in lupdate /usr/lib/qt6/bin/lupdate /usr/lib/qt6/libexec/lupdate; do
    if command -v "$candidate" >/dev/null 2>&1; then lupdate=$candidate; break; fi
  done
fi
if [ -z "$lupdate" ]; then
  echo "update-translations.sh: lupdate not found (Debian: qt6-l10n-tools)" >&2
  exit 2
fi

ts=translations/kavir_en.ts
target=$ts
if [ "${1:-}" = "--check" ]; then
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
  target=$work/kavir_en.ts
  cp "$ts" "$target"
fi

"$lupdate" -silent -tr-function-alias QT_TRANSLATE_NOOP+=KAVIR_TR_NOOP,translate+=TrText,translate+=TrCount \
  -source-language zh_CN -target-language en -locations none -no-obsolete \
  -extensions cpp,h src -ts "$target"

python3 - "$target" <<'PY'
import sys
import xml.etree.ElementTree as ET
root = ET.parse(sys.argv[1]).getroot()
left = []
for context in root.iter('context'):
    name = context.findtext('name')
    for message in context.iter('message'):
        tr = message.find('translation')
        forms = [f.text for f in tr.iter('numerusform')] if tr is not None else []
        filled = all((f or '').strip() for f in forms) if forms else (tr is not None and (tr.text or '').strip())
        if tr is None or tr.get('type') in ('unfinished', 'vanished', 'obsolete') or not filled:
            left.append(f"{name}: {message.findtext('source')!r}")
total = sum(1 for _ in root.iter('message'))
for line in left:
    print("untranslated", line)
print(f"{total} texts, {len(left)} without an English translation")
sys.exit(1 if left else 0)
PY
