#!/usr/bin/env bash
# Renders the program's icon in the sizes desktops ask for, from the one
# drawing packaging/icons/hicolor/scalable/apps/ferrowen.svg into the hicolor
# theme's folders beside it. Run it after changing the drawing; the PNGs are
# kept in the repository, so building never needs an SVG renderer.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
icons="$root/packaging/icons/hicolor"

bash "$root/scripts/install-deps.sh" librsvg2-bin
for size in 16 22 24 32 48 64 128 256; do
  mkdir -p "$icons/${size}x${size}/apps"
  rsvg-convert -w "$size" -h "$size" "$icons/scalable/apps/ferrowen.svg" -o "$icons/${size}x${size}/apps/ferrowen.png"
done
echo "render-icons: $(find "$icons" -name ferrowen.png | wc -l) sizes written below $icons"
