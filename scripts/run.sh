#!/usr/bin/env bash
# Builds the Windows program and runs it under Wine on the simulated mouse.
# With no display it runs in a virtual one, saves a screenshot and stops
# after RUN_SECONDS (default 20); on a real display it stays open.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh run
cmake --preset windows >/dev/null
cmake --build --preset windows -j2 --target Vantor3

export WINEPREFIX=${WINEPREFIX:-$HOME/.local/share/vantor-wine}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export VANTOR_LOG=${VANTOR_LOG:-$PWD/build/windows/run.log}
WINE=/usr/lib/wine/wine64
if [ ! -d "$WINEPREFIX" ]; then
  "$WINE" wineboot -i >/dev/null 2>&1
  /usr/lib/wine/wineserver -w
  mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
  cp /usr/share/wine/fonts/tahoma*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
fi

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  exec "$WINE" build/windows/Vantor3.exe /simulate "$@"
fi

echo "No display: running in a virtual one for ${RUN_SECONDS:-20} s."
: > build/windows/run.display
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>build/windows/run.display >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; /usr/lib/wine/wineserver -k 2>/dev/null' EXIT
for _ in $(seq 1 100); do [ -s build/windows/run.display ] && break; sleep 0.1; done
export DISPLAY=":$(tr -d '\n' < build/windows/run.display)"
: > "$VANTOR_LOG"
"$WINE" build/windows/Vantor3.exe /simulate "$@" &
program=$!
for _ in $(seq 1 300); do grep -q "fade-in complete" "$VANTOR_LOG" && break; sleep 0.1; done
sleep 1
import -display "$DISPLAY" -window root build/windows/screenshot.png
echo "Screenshot: build/windows/screenshot.png; log: $VANTOR_LOG"
sleep "${RUN_SECONDS:-20}"
/usr/lib/wine/wineserver -k 2>/dev/null || true
wait "$program" 2>/dev/null || true
