# Helpers for the end-to-end scenarios: a virtual display, one template Wine
# prefix per run with a copy per scenario, the program's diagnostic log as the
# clock, and screenshots kept beside the results.
# Expects BUILD (the Windows build folder) and OUT (where results go).

WINE=${WINE:-/usr/lib/wine/wine64}
WINESERVER=${WINESERVER:-/usr/lib/wine/wineserver}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
EXE="$BUILD/Vantor3.exe"
TOOL="$BUILD/tests/e2e_tool.exe"
NATIVE_TOOL=${NATIVE_TOOL:-$(dirname "$BUILD")/native/tools/vantor-tool}
TITLE="Vantor 3"
XVFB_PID=""

e2e_log() { echo "[e2e] $*"; }

start_display() {
  local fdfile="$OUT/display.num"
  : > "$fdfile"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fdfile" >/dev/null 2>&1 &
  XVFB_PID=$!
  local i
  for i in $(seq 1 100); do
    [ -s "$fdfile" ] && break
    sleep 0.1
  done
  [ -s "$fdfile" ] || { e2e_log "Xvfb did not start"; return 1; }
  export DISPLAY=":$(tr -d '\n' < "$fdfile")"
  e2e_log "display $DISPLAY"
}

stop_display() {
  [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null
  XVFB_PID=""
}

make_template_prefix() {
  TEMPLATE="$OUT/prefix-template"
  rm -rf "$TEMPLATE"
  WINEPREFIX="$TEMPLATE" "$WINE" wineboot -i >/dev/null 2>&1
  WINEPREFIX="$TEMPLATE" "$WINESERVER" -w
  mkdir -p "$TEMPLATE/drive_c/windows/Fonts"
  cp /usr/share/wine/fonts/tahoma*.ttf "$TEMPLATE/drive_c/windows/Fonts/" 2>/dev/null || true
}

# new_prefix NAME: a fresh copy of the template for one scenario.
new_prefix() {
  export WINEPREFIX="$OUT/prefix-$1"
  rm -rf "$WINEPREFIX"
  cp -a "$TEMPLATE" "$WINEPREFIX"
  # Scenarios that prepare a library leave it beside the program.
  rm -f "$(dirname "$EXE")"/macro.dat*
}

stop_prefix() {
  "$WINESERVER" -k 2>/dev/null || true
  "$WINESERVER" -w 2>/dev/null || true
  rm -rf "$WINEPREFIX"
}

# start_program LOG ARGS...: starts the program in the background; sets PROGRAM_PID.
start_program() {
  local log=$1
  shift
  VANTOR_LOG="$log" "$WINE" "$EXE" "$@" >/dev/null 2>&1 &
  PROGRAM_PID=$!
}

# wait_log FILE PATTERN [SECONDS]: polls the log for a line matching PATTERN.
wait_log() {
  local file=$1 pattern=$2 seconds=${3:-30} i
  for i in $(seq 1 $((seconds * 10))); do
    grep -q -- "$pattern" "$file" 2>/dev/null && return 0
    sleep 0.1
  done
  e2e_log "timed out waiting for '$pattern' in $(basename "$file")"
  return 1
}

# wait_exit PID [SECONDS]
wait_exit() {
  local pid=$1 seconds=${2:-30} i
  for i in $(seq 1 $((seconds * 10))); do
    kill -0 "$pid" 2>/dev/null || return 0
    sleep 0.1
  done
  e2e_log "process $pid still runs"
  return 1
}

# windows_state: prints "windows=N visible=M" for the program's title.
windows_state() { "$WINE" "$TOOL" windows "$TITLE" 2>/dev/null | tr -d '\r'; }

expect_windows() {
  local want=$1 got i
  for i in $(seq 1 30); do
    got=$(windows_state)
    [ "$got" = "$want" ] && return 0
    sleep 0.1
  done
  e2e_log "expected '$want', found '$got'"
  return 1
}

post_to_program() { "$WINE" "$TOOL" post "$TITLE" "$@" >/dev/null 2>&1; }

screenshot() {
  mkdir -p "$OUT/screens"
  import -display "$DISPLAY" -window root "$OUT/screens/$1.png" 2>/dev/null || e2e_log "no screenshot for $1"
}

# expect_exit PID [CODE]: waits for a program started here to end and checks
# its exit code (default 0).
expect_exit() {
  local pid=$1 want=${2:-0} code=0
  wait_exit "$pid" 30 || return 1
  wait "$pid" || code=$?
  if [ "$code" -ne "$want" ]; then
    e2e_log "process $pid ended with code $code, expected $want"
    return 1
  fi
}

# end_program LOG PID [CODE]: asks the program to end, waits for it and checks
# its exit code.
end_program() {
  post_to_program 11889 || true
  expect_exit "$2" "${3:-0}"
}

# expect_absent PATTERN FILE...: fails when a line matches the extended
# PATTERN ("-" reads standard input). A negated grep would not do: `set -e`
# never ends a scenario on a command that starts with "!".
expect_absent() {
  local pattern=$1 status=0
  shift
  grep -nE -- "$pattern" "$@" || status=$?
  case $status in
    0) e2e_log "unexpected '$pattern' in $*"; return 1 ;;
    1) return 0 ;;
    *) e2e_log "cannot read $*"; return 1 ;;
  esac
}

# expect_request LOG MOUSE REQUEST: the simulator's log (VANTOR_SIM_LOG, written
# when the program ends) shows that simulated MOUSE received REQUEST, such as
# "str 32" or "set 09 00 1A 00 00 00 00 00".
expect_request() {
  grep -qxF -- "$2 $3" "$1" && return 0
  e2e_log "mouse $2 never received '$3'"
  return 1
}

# numbers_told LOG MOUSE: the device numbers that MOUSE was told, one a line;
# a mouse learns number N from a read of string descriptor 30 + N (1..19).
numbers_told() {
  sed -nE "s/^$2 str (3[1-9]|4[0-9])$/\1/p" "$1" | while read -r descriptor; do echo $((descriptor - 30)); done
}

# expect_equal WHAT GOT WANT
expect_equal() {
  [ "$2" = "$3" ] && return 0
  e2e_log "$1: got '$2', expected '$3'"
  return 1
}
