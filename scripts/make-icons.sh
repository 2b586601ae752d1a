#!/usr/bin/env bash
# scripts/make-icons.sh: renders res/icons/*.svg into the PNG and ICO files checked in beside them
# (res/icons/png/NAME-SIZE.png, res/icons/NAME.ico). Run it after changing a drawing; the build uses
# the rendered files only. Needs rsvg-convert (librsvg2-bin) and icotool (icoutils).
set -euo pipefail
cd "$(dirname "$0")/../res/icons"
mkdir -p png
for svg in *.svg; do
  name="${svg%.svg}"
  for size in 16 22 24 32 48 256; do
    rsvg-convert --width "$size" --height "$size" --output "png/$name-$size.png" "$svg"
  done
  # Bitmaps up to 48 pixels for every Windows version; 256 stored as PNG, as Vista and later read it.
  icotool --create --output "$name.ico" "png/$name-16.png" "png/$name-24.png" "png/$name-32.png" \
    "png/$name-48.png" --raw="png/$name-256.png"
done
