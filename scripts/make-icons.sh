#!/usr/bin/env bash
# Renders the application icon pictures/icons/calidor.svg to the PNG sizes
# that the hicolor icon theme and the window icon use.
#   scripts/make-icons.sh
# The PNGs are committed, so building Calidor needs no image tool; run this
# only after changing the SVG. Needs rsvg-convert (Debian: librsvg2-bin).
set -euo pipefail
cd "$(dirname "$0")/.."

if ! command -v rsvg-convert >/dev/null; then
  echo "rsvg-convert is needed: sudo apt-get install librsvg2-bin" >&2
  exit 1
fi

for size in 16 22 24 32 48 64 128 256; do
  rsvg-convert --width "$size" --height "$size" --format png \
    --output "pictures/icons/calidor-$size.png" pictures/icons/calidor.svg
done
echo "Icons written to pictures/icons/"
