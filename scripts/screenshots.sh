#!/usr/bin/env bash
# Renders a screenshot of each page of the main window into docs/screenshots/
# (page-0.png, page-1.png, page-2.png): the real program under Wine in a
# virtual display, on the simulated mouse, cut out along the window's outline.
# Usage: scripts/screenshots.sh
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh test
cmake --preset windows >/dev/null
cmake --build --preset windows -j2 --target Vantor3 e2e_tool >/dev/null
cmake --preset native >/dev/null
cmake --build --preset native -j2 --target vantor-tool >/dev/null

BUILD=$PWD/build/windows
OUT=$BUILD/screenshots
TARGET=$PWD/docs/screenshots
rm -rf "$OUT"
mkdir -p "$OUT" "$TARGET"
# shellcheck source=../tests/e2e/lib.sh
source tests/e2e/lib.sh
trap 'stop_display; "$WINESERVER" -k 2>/dev/null' EXIT
start_display
make_template_prefix
new_prefix screenshots

# A small library, so that the panes show groups, macros and a macro in the editor.
"$NATIVE_TOOL" build docs/screenshots/library.json "$(dirname "$EXE")/macro.dat" >/dev/null
log="$OUT/program.log"
start_program "$log" /simulate
wait_log "$log" "fade-in complete"
# Tabs take clicks once the mouse's arrival is over.
wait_log "$log" "device controls enabled"
# The button lists show the mouse's macros once its directory is read.
wait_log "$log" "button lists filled: 5 entries each, enabled"
read -r _ wx wy width height < <("$WINE" "$TOOL" children "$TITLE" | tr -d '\r' | grep '^window ')

for page in 0 1 2; do
  xdotool mousemove $((wx + 47 + 168 * page + 83)) $((wy + 86)) click 1
  # The pointer leaves, so no tab shows the function bar.
  xdotool mousemove 1270 1010
  if [ "$page" -eq 2 ]; then
    # "Copy", the group's first macro, dragged from the library into the editor.
    xdotool mousemove $((wx + 160)) $((wy + 196)) mousedown 1
    for step in 1 2 3 4 5 6; do xdotool mousemove $((wx + 160 + 65 * step)) $((wy + 196 - 6 * step)); sleep 0.05; done
    xdotool mouseup 1
    wait_log "$log" "library row 1 loaded"
    xdotool mousemove 1270 1010
  fi
  sleep 0.5
  import -display "$DISPLAY" -window root "$OUT/screen-$page.png"
  # Outside the outline the screen shows through: keep the outline's alpha.
  convert "$OUT/screen-$page.png" -crop "${width}x${height}+${wx}+${wy}" +repage \
    \( res/png/132.png -alpha extract \) -alpha off -compose CopyOpacity -composite \
    -strip "$TARGET/page-$page.png"
  echo "docs/screenshots/page-$page.png"
done
end_program "$log" "$PROGRAM_PID"
