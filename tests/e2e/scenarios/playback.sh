# Macros of the library play on the simulated mouse when its buttons are pressed.

# A library with a loop macro on button 0 and a one-time macro (with a wheel
# step) on button 1 of the simulated mouse's first software profile.
write_playback_library() {
  cat > "$LOGS/library.json" <<'JSON'
{
  "file": "library",
  "entries": [
    {"id": 1, "name": "loop A", "commands": [
      {"bytes": "05"}, {"bytes": "83 04"}, {"bytes": "88 0A"}, {"bytes": "84 04"}, {"bytes": "88 0A"}]},
    {"id": 2, "name": "once B", "commands": [
      {"bytes": "04"}, {"bytes": "83 05"}, {"bytes": "88 05"}, {"bytes": "84 05"}, {"bytes": "61"}]}
  ],
  "devices": [
    {"key": 1513881601, "profileCount": 7, "profiles": [{"slot": 0, "row": [1, 2]}]}
  ]
}
JSON
  "$NATIVE_TOOL" build "$LOGS/library.json" "$(dirname "$EXE")/macro.dat"
}

scenario_loop_and_once_macros_play_and_release_everything() {
  write_playback_library
  cat > "$LOGS/script.txt" <<'SCRIPT'
ready
wait 300
buttons 0 0x1   # button 0 starts the loop
wait 30
buttons 0 0
wait 250
buttons 0 0x1   # the next press stops it
wait 30
buttons 0 0
wait 200
buttons 0 0x2   # button 1 plays once
wait 30
buttons 0 0
wait 400
SCRIPT
  "$WINE" "$TOOL" scrollprobe "$LOGS/probe.log" plain 60 >/dev/null 2>&1 &
  local probe=$!
  wait_log "$LOGS/probe.log" "ready focus"
  xdotool mousemove 250 250
  VANTOR_SIM_SCRIPT="$LOGS/script.txt" VANTOR_SIM_LOG="$LOGS/simulator.log" start_program "$LOGS/program.log" /simulate /hide
  local pid=$PROGRAM_PID
  wait_log "$LOGS/program.log" "simulator script done" 60
  wait_log "$LOGS/probe.log" "ProbePlain got 0x020A wParam 0x780000 .* extra 0x4C2" 10
  end_program "$LOGS/program.log" "$pid"
  kill "$probe" 2>/dev/null || true
  # Live input of the mouse: 0D 01 key down, 0D 02 key up.
  local keys
  keys=$(grep -E '^0 set 0D 0[12] ' "$LOGS/simulator.log" | awk '{print $4 $5}')
  # The loop pressed and released A more than once, then B came after it.
  [ "$(grep -c '^0104$' <<<"$keys")" -ge 2 ]
  [ "$(grep -n '^0105$' <<<"$keys" | head -n1 | cut -d: -f1)" -gt "$(grep -n '^0204$' <<<"$keys" | tail -n1 | cut -d: -f1)" ]
  # The loop stopped: no A after B started.
  sed -n "/^0105$/,\$p" <<<"$keys" | expect_absent '^0104$' -
  # Nothing is left held: the last word on every key is a release.
  local code
  for code in 04 05; do
    [ "$(grep -E "^0[12]$code$" <<<"$keys" | tail -n1)" = "02$code" ]
  done
}
