#!/usr/bin/env bash
# Builds the Windows program and runs it under Wine on the simulated mouse.
# With no display it runs in a virtual one, saves a screenshot and stops
# after RUN_SECONDS (default 20); on a real display it stays open.
# BUILD_LOCK may name a file that the build holds locked, for machines where
# several people build at once.
set -euo pipefail
cd "$(dirname "$0")/.."

fail() {
  echo "run.sh: $*" >&2
  exit 1
}
trap 'echo "run.sh: line $LINENO: \"$BASH_COMMAND\" failed" >&2' ERR

scripts/deps.sh run
cmake --preset windows >/dev/null
${BUILD_LOCK:+flock "$BUILD_LOCK"} cmake --build --preset windows -j2 --target Vantor3

export WINEPREFIX=${WINEPREFIX:-$HOME/.local/share/vantor-wine}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export VANTOR_LOG=${VANTOR_LOG:-$PWD/build/windows/run.log}
WINE=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "Making the Wine prefix $WINEPREFIX"
  # wineboot fails when the prefix's parent folder is missing.
  mkdir -p "$(dirname "$WINEPREFIX")"
  if ! "$WINE" wineboot -i >build/windows/wineboot.log 2>&1 || ! "$WINESERVER" -w; then
    tail -n 20 build/windows/wineboot.log >&2
    fail "wineboot could not make the Wine prefix $WINEPREFIX"
  fi
  mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
  # Without Tahoma, Wine's text drawing falls back to other families.
  cp /usr/share/wine/fonts/tahoma*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null ||
    echo "run.sh: Wine's Tahoma fonts are missing; texts fall back to other families" >&2
fi

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  exec "$WINE" build/windows/Vantor3.exe /simulate "$@"
fi

seconds=${RUN_SECONDS:-20}
echo "No display: running in a virtual one for $seconds s."
: > build/windows/run.display
# A black root window, so that the screenshot shows what the program drew.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -br -nolisten tcp 3>build/windows/run.display >/dev/null 2>&1 &
xvfb=$!
cleanup() {
  local status=$?
  "$WINESERVER" -k 2>/dev/null || true
  kill "$xvfb" 2>/dev/null || true
  exit "$status"
}
trap cleanup EXIT
for _ in $(seq 1 100); do [ -s build/windows/run.display ] && break; sleep 0.1; done
[ -s build/windows/run.display ] || fail "Xvfb did not start"
export DISPLAY=":$(tr -d '\n' < build/windows/run.display)"

: > "$VANTOR_LOG"
"$WINE" build/windows/Vantor3.exe /simulate "$@" &
program=$!
shown=""
for _ in $(seq 1 300); do
  if grep -q "fade-in complete" "$VANTOR_LOG"; then shown=yes; break; fi
  kill -0 "$program" 2>/dev/null || break
  sleep 0.1
done
if [ -z "$shown" ]; then
  tail -n 20 "$VANTOR_LOG" >&2
  fail "the window did not show; the program's log is $VANTOR_LOG"
fi
# The simulated mouse's arrival fills the button lists; the screenshot
# shows them filled.
filled=""
for _ in $(seq 1 300); do
  if grep -q "button lists filled: .*, enabled" "$VANTOR_LOG"; then filled=yes; break; fi
  kill -0 "$program" 2>/dev/null || break
  sleep 0.1
done
if [ -z "$filled" ]; then
  tail -n 20 "$VANTOR_LOG" >&2
  fail "the mouse's arrival did not fill the button lists; the program's log is $VANTOR_LOG"
fi
# The fade has ended and the lists are filled; the screenshot waits until the
# window's pixels reach the screen.
shot=build/windows/screenshot.png
painted=""
for _ in $(seq 1 50); do
  import -display "$DISPLAY" -window root "$shot"
  painted=$(convert "$shot" -fill white +opaque black -format '%[fx:mean > 0.05 ? 1 : 0]' info:)
  [ "$painted" = 1 ] && break
  sleep 0.1
done
[ "$painted" = 1 ] || fail "the screenshot $shot shows no window"
echo "Screenshot: $shot; log: $VANTOR_LOG"
sleep "$seconds"

# The program's own /close switch ends it as a user's second launch would.
"$WINE" build/windows/Vantor3.exe /close
for _ in $(seq 1 300); do kill -0 "$program" 2>/dev/null || break; sleep 0.1; done
kill -0 "$program" 2>/dev/null && fail "the program did not end after /close; its log is $VANTOR_LOG"
code=0
wait "$program" || code=$?
[ "$code" -eq 0 ] || fail "the program ended with exit code $code; its log is $VANTOR_LOG"
echo "The program ended normally."
