# The program finds simulated mice and gives each its device number.

scenario_simulated_mouse_is_discovered() {
  start_program "$LOGS/program.log" /simulate /hide
  local pid=$PROGRAM_PID
  wait_log "$LOGS/program.log" "Discover: 1 mouse record"
  grep -q "Discover: mouse number 2 identity [0-9A-F]\{8\}" "$LOGS/program.log"
  wait_log "$LOGS/program.log" "level steps shown"
  end_program "$LOGS/program.log" "$pid"
}

scenario_two_simulated_mice_get_numbers_two_and_three() {
  start_program "$LOGS/program.log" /simulate2 /hide
  local pid=$PROGRAM_PID
  wait_log "$LOGS/program.log" "Discover: 2 mouse record"
  grep -q "Discover: mouse number 2 identity" "$LOGS/program.log"
  grep -q "Discover: mouse number 3 identity" "$LOGS/program.log"
  [ "$(grep -o 'identity [0-9A-F]*' "$LOGS/program.log" | sort -u | wc -l)" -eq 2 ]
  end_program "$LOGS/program.log" "$pid"
}
