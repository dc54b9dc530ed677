# vantor-tool's mouse commands, the Windows build under Wine, on the simulated
# mouse whose state a file keeps from one run to the next; each scenario
# checks the simulator's log of requests and the files written.

WIN_TOOL="$BUILD/tools/vantor-tool.exe"

# mouse_tool ARGS...: runs the tool on the scenario's simulated mouse; output
# in $LOGS/out.txt and $LOGS/err.log, the requests of this run in
# $LOGS/sim.log; returns the tool's exit code.
mouse_tool() {
  VANTOR_SIM_LOG="$LOGS/sim.log" "$WINE" "$WIN_TOOL" "--simulate=Z:$LOGS/mouse.state" "$@" \
    >"$LOGS/out.txt" 2>"$LOGS/err.log"
}

# expect_code WANTED ARGS...: the tool ends with exit code WANTED.
expect_code() {
  local wanted=$1 code=0
  shift
  mouse_tool "$@" || code=$?
  [ "$code" -eq "$wanted" ] && return 0
  e2e_log "vantor-tool $* ended with $code, not $wanted: $(tr -d '\r' <"$LOGS/err.log")"
  return 1
}

# requests PREFIX: how many requests of the last run start with PREFIX.
requests() { grep -c "^0 $1" "$LOGS/sim.log" || true; }

# expect_count N PREFIX
expect_count() {
  local got
  got=$(requests "$2")
  [ "$got" -eq "$1" ] && return 0
  e2e_log "expected $1 requests '$2', found $got"
  return 1
}

# image_byte FILE ADDRESS: one byte of a backup's memory image, as hex.
image_byte() {
  "$NATIVE_TOOL" show "$1" | grep -o "\"$(printf '%04X' $(( $2 / 32 * 32 ))): [^\"]*\"" \
    | tr -d '"' | cut -d' ' -f$(( $2 % 32 + 2 ))
}

scenario_tool_devices_lists_each_mouse() {
  expect_code 0 --simulate2 --json devices
  grep -q '"number": 2' "$LOGS/out.txt"
  grep -q '"number": 3' "$LOGS/out.txt"
  grep -q '"identity": "5A3C0002"' "$LOGS/out.txt"
  grep -q '"dpiUnit": 100' "$LOGS/out.txt"
  # Each mouse was told its number.
  grep -q '^0 str 32$' "$LOGS/sim.log"
  grep -q '^1 str 33$' "$LOGS/sim.log"
  # Without --simulate the tool looks for real mice, and Wine has none of ours.
  local code=0
  "$WINE" "$WIN_TOOL" devices >"$LOGS/out.txt" 2>"$LOGS/err.log" || code=$?
  [ "$code" -eq 3 ]
  grep -q "no mouse found" "$LOGS/err.log"
}

scenario_tool_levels_reads_the_four_levels() {
  expect_code 0 levels
  grep -qx "level 3: 40 x 40 steps (4000 x 4000 DPI)" "$LOGS/out.txt"
  grep -qx "current level: 0" "$LOGS/out.txt"
  local level
  for level in 00 01 02 03; do
    expect_count 1 "set 01 03 00 $level"
    expect_count 1 "set 01 04 00 $level"
  done
}

scenario_tool_set_level_writes_and_commits() {
  expect_code 0 set-level 1 7 9
  expect_count 1 "set 01 83 00 01 07"
  expect_count 1 "set 01 83 01 01 09"
  expect_count 1 "set 01 02 00 00 00 00 00 12"
  expect_code 2 set-level 1 57 9
  expect_count 0 "set 01 83"
  # A later run finds the level in the mouse, and a backup holds it.
  expect_code 0 backup "Z:$LOGS/after.mbf"
  "$NATIVE_TOOL" show "$LOGS/after.mbf" | tr -d ' \n' | grep -q '"levels":\[\[5,5\],\[7,9\],'
}

scenario_tool_select_level_switches_levels() {
  expect_code 0 select-level 3
  expect_count 1 "set 01 87 03"
  expect_code 0 levels
  grep -qx "current level: 3" "$LOGS/out.txt"
}

scenario_tool_backup_reads_the_whole_mouse() {
  expect_code 0 backup "Z:$LOGS/first.mbf"
  expect_count 1171 "set 02 00"
  # Magic, size, image, levels and seven empty names.
  [ "$(stat -c %s "$LOGS/first.mbf")" -eq $((20 + 4 + 8192 + 8 + 7 * 4)) ]
  "$NATIVE_TOOL" check "$LOGS/first.mbf" >/dev/null
  [ "$(image_byte "$LOGS/first.mbf" 8191)" = "FF" ]
  # A folder that is not there: nothing is read.
  expect_code 2 backup "Z:$LOGS/none/second.mbf"
  expect_count 0 "set 02 00"
}

scenario_tool_restore_writes_a_backup_back() {
  expect_code 0 backup "Z:$LOGS/before.mbf"
  "$NATIVE_TOOL" show "$LOGS/before.mbf" >"$LOGS/before.json"
  sed -i 's/"1F00: FF FF FF/"1F00: FF 3C FF/' "$LOGS/before.json"
  "$NATIVE_TOOL" build "$LOGS/before.json" "$LOGS/changed.mbf" >/dev/null
  expect_code 0 restore "Z:$LOGS/changed.mbf"
  expect_count 256 "set 02 0A"
  expect_code 0 backup "Z:$LOGS/after.mbf"
  cmp "$LOGS/changed.mbf" "$LOGS/after.mbf"
  # A file with another magic is refused before anything is written.
  printf '\377\376\377\010_\0@\0_\0M\0B\0F\0X\0_\0' >"$LOGS/wrong.mbf"
  tail -c +21 "$LOGS/before.mbf" >>"$LOGS/wrong.mbf"
  expect_code 1 restore "Z:$LOGS/wrong.mbf"
  expect_count 0 "set 02"
  grep -q "nothing was written to the mouse" "$LOGS/err.log"
}

scenario_tool_reset_returns_the_defaults() {
  expect_code 0 set-level 0 30 30
  expect_code 0 reset
  expect_count 60 "set 01 85"
  expect_count 1 "set 01 86 04 00 02 02"
  expect_code 0 levels
  grep -qx "level 0: 4 x 4 steps (400 x 400 DPI)" "$LOGS/out.txt"
  grep -qx "level 3: 16 x 16 steps (1600 x 1600 DPI)" "$LOGS/out.txt"
}

scenario_tool_directory_lists_the_macros_in_the_mouse() {
  expect_code 0 backup "Z:$LOGS/empty.mbf"
  "$NATIVE_TOOL" show "$LOGS/empty.mbf" >"$LOGS/empty.json"
  # Entry 0: bytes 0 to 9 of the macro area, named "copy"; entry 1 ends past
  # the area; the simulated mouse's own entries 2 and 3 are emptied.
  local erased
  erased=$(printf 'FF %.0s' $(seq 1 31))FF
  sed -i 's/"0000: [^"]*"/"0000: 00 00 09 00 63 00 6F 00 70 00 79 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00"/;s/"0020: [^"]*"/"0020: 00 10 00 17 78 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00"/' "$LOGS/empty.json"
  sed -i "s/\"0040: [^\"]*\"/\"0040: $erased\"/;s/\"0060: [^\"]*\"/\"0060: $erased\"/" "$LOGS/empty.json"
  "$NATIVE_TOOL" build "$LOGS/empty.json" "$LOGS/macros.mbf" >/dev/null
  expect_code 0 restore "Z:$LOGS/macros.mbf"
  expect_code 0 --json directory
  # The directory, then the mode byte of the one macro listed.
  expect_count 294 "set 02 00"
  tr -d ' \n' <"$LOGS/out.txt" | grep -q '"macros":\[{"entry":0,"name":"copy","start":0,"end":9,"size":10,"mode":"'
  tr -d ' \n' <"$LOGS/out.txt" | grep -q '"leftOut":\[{"entry":1,"name":"x","start":4096,"end":5888,'
  grep -q '"freeBytes": 5878' "$LOGS/out.txt"
  grep -q "note: entry 1 (x) left out: 4096..5888 reaches past" "$LOGS/err.log"
}

# Both programs at once: the window plays a looping macro while the tool backs
# up a mouse; each logs when its exchanges held the mouse. No two intervals
# may overlap, and none of the window's may fall inside the tool's backup.
scenario_tool_and_window_never_interleave_on_the_wire() {
  write_playback_library
  cat > "$LOGS/script.txt" <<'SCRIPT'
ready
wait 200
buttons 0 0x1
wait 30
buttons 0 0
wait 8000
buttons 0 0x1
wait 30
buttons 0 0
wait 200
SCRIPT
  VANTOR_EXCHANGE_LOG="$LOGS/window-times.log" VANTOR_SIM_SCRIPT="$LOGS/script.txt" \
    start_program "$LOGS/program.log" /simulate /hide
  local pid=$PROGRAM_PID
  wait_log "$LOGS/program.log" "level steps shown" 60
  # The loop runs once the window keeps logging exchanges.
  local before i
  before=$(wc -l <"$LOGS/window-times.log")
  for i in $(seq 1 100); do
    [ "$(wc -l <"$LOGS/window-times.log")" -gt $((before + 50)) ] && break
    sleep 0.05
  done
  [ "$(wc -l <"$LOGS/window-times.log")" -gt $((before + 50)) ]
  VANTOR_EXCHANGE_LOG="$LOGS/tool-times.log" expect_code 0 backup "Z:$LOGS/shared.mbf"
  wait_log "$LOGS/program.log" "simulator script done" 60
  end_program "$LOGS/program.log" "$pid"
  [ "$(wc -l <"$LOGS/tool-times.log")" -ge 1171 ]
  awk '{print $1, $2, "window"}' "$LOGS/window-times.log" >"$LOGS/all-times.txt"
  awk '{print $1, $2, "tool"}' "$LOGS/tool-times.log" >>"$LOGS/all-times.txt"
  sort -n -k1,1 "$LOGS/all-times.txt" | awk '
    NR > 1 && $1 < lastEnd { print "overlap: " $3 " at " $1 " before " lastWho " ended at " lastEnd; bad = 1 }
    { if ($2 > lastEnd) { lastEnd = $2; lastWho = $3 } }
    END { exit bad }' >"$LOGS/overlaps.log"
  # The window went on with its macro before and after the tool, never during.
  local first last
  first=$(head -n1 "$LOGS/tool-times.log" | cut -d' ' -f1)
  last=$(tail -n1 "$LOGS/tool-times.log" | cut -d' ' -f2)
  awk -v a="$first" -v b="$last" '$2 < a {before++} $1 > b {after++} $2 >= a && $1 <= b {inside++}
    END { print before + 0, inside + 0, after + 0 }' "$LOGS/window-times.log" >"$LOGS/window-around-tool.txt"
  read -r before_tool inside_tool after_tool <"$LOGS/window-around-tool.txt"
  e2e_log "window exchanges before/inside/after the tool's backup: $before_tool $inside_tool $after_tool"
  [ "$before_tool" -gt 0 ] && [ "$inside_tool" -eq 0 ] && [ "$after_tool" -gt 0 ]
}
