#!/usr/bin/env bash
# Renders dist/icons/kavir.svg into the PNG sizes desktops ask for
# (dist/icons/NxN/kavir.png, checked in so a build needs no SVG renderer).
#
#   scripts/make_icons.sh           write them
#   scripts/make_icons.sh --check   only say whether they are current
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh package
svg=dist/icons/kavir.svg
stale=0
for size in 16 22 24 32 48 64 128 256; do
  png=dist/icons/${size}x${size}/kavir.png
  tmp=$(mktemp)
  rsvg-convert -w "$size" -h "$size" "$svg" -o "$tmp"
  if cmp -s "$tmp" "$png"; then
    rm -f "$tmp"
  elif [ "${1:-}" = --check ]; then
    echo "make_icons.sh: $png is not what $svg gives; run scripts/make_icons.sh" >&2
    rm -f "$tmp"
    stale=1
  else
    mkdir -p "$(dirname "$png")"
    mv "$tmp" "$png"
    chmod 644 "$png"
  fi
done
exit $stale
