# The "DPI & Tools" page on the simulated mouse: dragging a slider, clicking
# a level, the mouse changing its level itself, and the mouse unplugged.

dpi_start() {
  VANTOR_SIM_LOG="$LOGS/simulator.log" VANTOR_SIM_TIMES="$LOGS/simulator-times.log" \
    start_program "$LOGS/program.log" /simulate
  PID=$PROGRAM_PID
  wait_log "$LOGS/program.log" "fade-in complete"
  wait_log "$LOGS/program.log" "device controls enabled"
  wait_log "$LOGS/program.log" "level steps shown"
  skin_window_origin
  skin_pointer_away
  skin_click_tab 1
}

scenario_dpi_explore() {
  dpi_start
  skin_shot explore
  e2e_log "origin $WX $WY"
  cp "$SHOT" "$LOGS/explore.png"
  end_program "$LOGS/program.log" "$PID"
}
