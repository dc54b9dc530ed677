#!/bin/sh
# Lays every skin image out on one sheet, each labelled with its resource id
# and pixel size, so the whole look can be reviewed at a glance.
# Needs ImageMagick (convert, montage). Writes docs/contact-sheet.png.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
out="${1:-$root/docs/contact-sheet.png}"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
bg='#4a5059'
label() { # image, text, tile width, tile height, output
  convert -size "$3x$4" "xc:$bg" \( "$1" \) -gravity center -composite \
    \( -size "$3x18" "xc:$bg" -fill '#eef0f3' -font DejaVu-Sans -pointsize 11 \
       -gravity center -annotate +0+0 "$2" \) -append "$5"
}

# Large pictures at their true size in one row; every other image shown at
# twice its size on an equal tile (the label keeps the true size).
large=""
small=""
for png in $(ls "$root/res/png/"*.png | sort -V); do
  id=$(basename "$png" .png)
  size=$(identify -format '%wx%h' "$png")
  w=${size%x*}
  h=${size#*x}
  if [ "$w" -gt 100 ]; then
    label "$png" "$id  $size" "$((w + 16))" "$((h + 12))" "$tmp/L$id.png"
    large="$large $tmp/L$id.png"
  else
    if [ "$w" -le 50 ] && [ "$h" -le 50 ]; then scale=200%; else scale=100%; fi
    convert "$png" -filter point -resize "$scale" "$tmp/s$id.png"
    label "$tmp/s$id.png" "$id  $size" 110 104 "$tmp/S$id.png"
    small="$small $tmp/S$id.png"
  fi
done
# shellcheck disable=SC2086
montage -background "$bg" $small -tile 14x -geometry +0+0 "$tmp/small.png"
# shellcheck disable=SC2086
convert -background "$bg" $large -gravity south +append "$tmp/large.png"
mkdir -p "$(dirname "$out")"
convert -background "$bg" "$tmp/large.png" "$tmp/small.png" -gravity west -append \
  -bordercolor "$bg" -border 10 -strip "$out"
echo "wrote $out"
