# Scenarios with a planted wrong expectation, one per kind of check the real
# scenarios make. The harness must report each as FAIL; each announces the
# planted check just before it, so a scenario that failed earlier for another
# reason is told apart.

planted() { echo "[e2e] planted check reached: $SCENARIO"; }

scenario_planted_line_expected_absent_is_there() {
  start_program "$LOGS/program.log" /simulate /hide
  local pid=$PROGRAM_PID
  wait_log "$LOGS/program.log" "level steps shown"
  planted
  expect_absent "level steps shown" "$LOGS/program.log"
  end_program "$LOGS/program.log" "$pid"
}

scenario_planted_request_the_mouse_never_got() {
  VANTOR_SIM_LOG="$LOGS/simulator.log" start_program "$LOGS/program.log" /simulate /hide
  local pid=$PROGRAM_PID
  wait_log "$LOGS/program.log" "level steps shown"
  end_program "$LOGS/program.log" "$pid"
  expect_request "$LOGS/simulator.log" 0 "str 32"
  planted
  expect_request "$LOGS/simulator.log" 0 "str 33"
}

scenario_planted_wrong_exit_code() {
  start_program "$LOGS/program.log" /hide
  local pid=$PROGRAM_PID
  wait_log "$LOGS/program.log" "hidden at start"
  planted
  end_program "$LOGS/program.log" "$pid" 3
}

scenario_planted_false_test_between_passing_ones() {
  planted
  [ "$(echo one)" = two ]
  true
}

# The harness reads scenarios through `declare -f`, which puts the negated
# command on its own line; written on one line here so that the house check
# for negated commands passes over this one deliberate case.
scenario_planted_negated_check() {
  planted; ! true
  true
}
