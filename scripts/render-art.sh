#!/bin/sh
# Renders the artwork: SVG sources from res/art/skinart.py, skin PNGs into
# res/png/, the program icon and the cursors, and the key-to-scan-code table.
# Also writes res/art.rc and ui/MouseButtonSpots.h. The outputs are committed, so only someone changing the artwork runs this.
# Needs python3, rsvg-convert (Debian package librsvg2-bin) and ImageMagick.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
art="$root/res/art"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

rm -rf "$art/svg"
python3 "$art/skinart.py" svg "$art/svg"

mkdir -p "$root/res/png"
rm -f "$root/res/png/"*.png
for src in "$art/svg/"*.svg; do
  name=$(basename "$src" .svg)
  case "$name" in
    icon-*|cursor-*) rsvg-convert -o "$tmp/$name.png" "$src" ;;
    *) rsvg-convert -o "$root/res/png/$name.png" "$src" ;;
  esac
done

# rsvg-convert drops the alpha channel of fully opaque images; the skin wants
# 32-bit RGBA everywhere, so those are rewritten with ImageMagick.
for png in "$root/res/png/"*.png; do
  if [ "$(identify -format '%[channels]' "$png")" != srgba ]; then
    convert "$png" -strip -define png:color-type=6 "$png"
  fi
done

python3 "$art/skinart.py" pack "$tmp" "$root/res/cursors"
mv "$root/res/cursors/app.ico" "$root/res/app.ico"
python3 "$art/skinart.py" keytable "$root/res/keytable217.txt"
python3 "$art/skinart.py" rc "$root/res/art.rc"
python3 "$art/skinart.py" spots "$root/ui/MouseButtonSpots.h"
echo "rendered $(ls "$root/res/png" | wc -l) skin images"
