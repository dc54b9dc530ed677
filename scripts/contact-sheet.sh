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

# Large pictures at their true size in two rows; every other image at twice
# its size on an equal tile (the label keeps the true size). Beside the
# button-page mouse, the same picture with each button's marker on its spot.
row1=""
row2=""
small=""
for png in $(ls "$root/res/png/"*.png | sort -V); do
  id=$(basename "$png" .png)
  size=$(identify -format '%wx%h' "$png")
  w=${size%x*}
  h=${size#*x}
  if [ "$w" -gt 100 ]; then
    label "$png" "$id  $size" "$((w + 16))" "$((h + 12))" "$tmp/L$id.png"
    case "$id" in
      132|161|182) row1="$row1 $tmp/L$id.png" ;;
      *) row2="$row2 $tmp/L$id.png" ;;
    esac
  else
    if [ "$w" -le 50 ] && [ "$h" -le 50 ]; then scale=200%; else scale=100%; fi
    convert "$png" -filter point -resize "$scale" "$tmp/s$id.png"
    label "$tmp/s$id.png" "$id  $size" 110 104 "$tmp/S$id.png"
    small="$small $tmp/S$id.png"
  fi
done

# Marker of button k, centred on its spot as the window's layout places it.
markers="130 131 145 146 144 147 156 179 180 129 233 234"
set -- $markers
composite="convert $root/res/png/182.png"
for spot in $(sed -n 's/^ *{\([0-9]*\), \([0-9]*\)},  \/\/ [0-9]* .*/\1,\2/p' "$root/ui/MouseButtonSpots.h" | head -12); do
  x=${spot%,*}
  y=${spot#*,}
  marker="$root/res/png/$1.png"
  shift
  mw=$(identify -format '%w' "$marker")
  mh=$(identify -format '%h' "$marker")
  composite="$composite $marker -geometry +$((x - mw / 2))+$((y - mh / 2)) -composite"
done
$composite "$tmp/marked.png"
label "$tmp/marked.png" "182 with markers 1-12" 225 352 "$tmp/L182b.png"
row1=$(echo "$row1" | sed "s|$tmp/L182.png|$tmp/L182.png $tmp/L182b.png|")

# shellcheck disable=SC2086
montage -background "$bg" $small -tile 14x -geometry +0+0 "$tmp/small.png"
# shellcheck disable=SC2086
convert -background "$bg" $row1 -gravity south +append "$tmp/row1.png"
# shellcheck disable=SC2086
convert -background "$bg" $row2 -gravity south +append "$tmp/row2.png"
mkdir -p "$(dirname "$out")"
convert -background "$bg" "$tmp/row1.png" "$tmp/row2.png" "$tmp/small.png" -gravity west -append \
  -bordercolor "$bg" -border 10 -strip -depth 8 "$out"
echo "wrote $out"
