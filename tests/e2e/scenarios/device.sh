# The program finds simulated mice and tells each its device number; the
# simulator's request log, written when the program ends, shows what each
# mouse was asked.

scenario_simulated_mouse_is_discovered() {
  VANTOR_SIM_LOG="$LOGS/simulator.log" start_program "$LOGS/program.log" /simulate /hide
  local pid=$PROGRAM_PID
  wait_log "$LOGS/program.log" "level steps shown"
  end_program "$LOGS/program.log" "$pid"
  expect_request "$LOGS/simulator.log" 0 "set 09 00 1A 00 00 00 00 00"
  expect_equal "numbers told to mouse 0" "$(numbers_told "$LOGS/simulator.log" 0)" 2
  # Its four levels were read, X and Y steps of each.
  local level
  for level in 0 1 2 3; do
    expect_request "$LOGS/simulator.log" 0 "set 01 03 00 0$level 00 00 00 12"
    expect_request "$LOGS/simulator.log" 0 "set 01 04 00 0$level 00 00 00 12"
  done
}

scenario_two_simulated_mice_get_numbers_two_and_three() {
  VANTOR_SIM_LOG="$LOGS/simulator.log" start_program "$LOGS/program.log" /simulate2 /hide
  local pid=$PROGRAM_PID
  wait_log "$LOGS/program.log" "Discover: 2 mouse record"
  wait_log "$LOGS/program.log" "level steps shown"
  end_program "$LOGS/program.log" "$pid"
  expect_request "$LOGS/simulator.log" 0 "set 09 00 1A 00 00 00 00 00"
  expect_request "$LOGS/simulator.log" 1 "set 09 00 1A 00 00 00 00 00"
  expect_equal "numbers told to mouse 0" "$(numbers_told "$LOGS/simulator.log" 0)" 2
  expect_equal "numbers told to mouse 1" "$(numbers_told "$LOGS/simulator.log" 1)" 3
}
