# The "DPI & Tools" page on the simulated mouse: dragging a slider, clicking
# a level, the mouse changing its level itself, and the mouse unplugged.

# Simulator actions posted to the window as its script thread posts them
# (message WM_APP + 2, wParam the action, lParam the value for mouse 0).
DPI_SIM_ACTION=32770
DPI_ACTION_LEVEL=5
DPI_ACTION_UNPLUG=6
DPI_ACTION_REPLUG=7

dpi_start() {
  VANTOR_SIM_LOG="$LOGS/simulator.log" VANTOR_SIM_TIMES="$LOGS/simulator-times.log" \
    start_program "$LOGS/program.log" /simulate
  PID=$PROGRAM_PID
  wait_log "$LOGS/program.log" "fade-in complete"
  wait_log "$LOGS/program.log" "device controls enabled"
  # The arrival ends after it has read the mouse's macros into the lists.
  wait_log "$LOGS/program.log" "button lists filled"
  wait_log "$LOGS/program.log" "level steps shown"
  skin_window_origin
  skin_pointer_away
  skin_click_tab 1
}

# dpi_thumb_x STEP: where the X slider's thumb stands for STEP (range 1 to 50).
dpi_thumb_x() { echo $((119 + ($1 - 1) * 270 / 49)); }

# dpi_click_level K: a click on level K's button.
dpi_click_level() {
  skin_point $((110 + 63 * $1 + 21)) 169
  xdotool click 1
  sleep 0.4
  skin_pointer_away
}

# dpi_crop NAME X Y W H: part of the last shot, for comparing shots.
dpi_crop() { convert "$SHOT" -crop "$4x$5+$((WX + $2))+$((WY + $3))" +repage "$LOGS/$1.png"; }

# dpi_same A B: the two crops are identical.
dpi_same() { [ "$(compare -metric AE "$LOGS/$1.png" "$LOGS/$2.png" null: 2>&1)" = 0 ]; }

# dpi_enabled ID: 1 when the control takes input.
dpi_enabled() { "$WINE" "$TOOL" enabled "$TITLE" "$1" 2>/dev/null | tr -d '\r'; }

# dpi_times PATTERN: the times (us) of the simulator's requests matching PATTERN.
dpi_times() { grep -E "^0 [0-9]+ $1" "$LOGS/simulator-times.log" | cut -d' ' -f2; }

scenario_dpi_drag_sends_one_level_write_and_one_commit() {
  dpi_start
  [ "$(grep -c 'level steps shown: 5, 5' "$LOGS/program.log")" -ge 1 ]
  # Tick the box that ties Y to X.
  skin_point 421 301
  xdotool click 1
  skin_pointer_away
  expect_equal "Y slider while tied" "$(dpi_enabled 1016)" 0
  skin_point "$(dpi_thumb_x 5)" 271
  xdotool mousedown 1
  local i
  for i in $(seq 1 12); do
    xdotool mousemove_relative 10 0
    sleep 0.06
  done
  xdotool mouseup 1
  skin_pointer_away
  sleep 2
  end_program "$LOGS/program.log" "$PID"

  local moves last writes commits
  moves=$(grep -c 'slider moved' "$LOGS/program.log")
  e2e_log "slider positions reported: $moves"
  [ "$moves" -ge 5 ]
  last=$(grep 'slider moved' "$LOGS/program.log" | tail -n1 | sed -E 's/.* at ([0-9]+) us$/\1/')
  # One write of level 0: both axes' base steps, then both ratios, all equal.
  writes=$(dpi_times 'set 01 83 00 00')
  expect_equal "X step writes" "$(echo "$writes" | grep -c .)" 1
  expect_equal "Y step writes" "$(dpi_times 'set 01 83 01 00' | grep -c .)" 1
  local xstep ystep xratio yratio
  xstep=$(grep -E '^0 set 01 83 00 00' "$LOGS/simulator.log" | cut -c18-19)
  ystep=$(grep -E '^0 set 01 83 01 00' "$LOGS/simulator.log" | cut -c18-19)
  xratio=$(grep -E '^0 set 01 84 00 00' "$LOGS/simulator.log" | cut -c18-22)
  yratio=$(grep -E '^0 set 01 84 01 00' "$LOGS/simulator.log" | cut -c18-22)
  expect_equal "Y base step" "$ystep" "$xstep"
  expect_equal "Y ratio" "$yratio" "$xratio"
  commits=$(dpi_times 'set 01 02 00 00 00 00 00 12')
  expect_equal "commits" "$(echo "$commits" | grep -c .)" 1
  local after_write=$(( (writes - last) / 1000 )) after_commit=$(( (commits - last) / 1000 ))
  e2e_log "write ${after_write} ms, commit ${after_commit} ms after the last movement"
  [ "$after_write" -ge 280 ] && [ "$after_write" -le 600 ]
  [ "$after_commit" -ge 980 ] && [ "$after_commit" -le 1400 ]
}

scenario_dpi_level_clicks_select_and_the_mouse_level_change_moves_the_page() {
  dpi_start
  dpi_click_level 2
  wait_log "$LOGS/program.log" "level 2 selected"
  dpi_click_level 3
  skin_shot level-3-clicked
  dpi_crop labels-3 40 250 90 90
  dpi_crop sliders-3 110 259 288 82
  dpi_click_level 0
  skin_shot level-0-clicked
  dpi_crop labels-0 40 250 90 90
  dpi_crop sliders-0 110 259 288 82
  # The mouse's own key moves it to level 3: the labels and the sliders
  # show what a click on level 3 showed.
  post_to_program "$DPI_SIM_ACTION" "$DPI_ACTION_LEVEL" 3
  wait_log "$LOGS/program.log" "report [0-9A-F]* 0D 03"
  sleep 0.3
  skin_shot level-3-reported
  dpi_crop labels-reported 40 250 90 90
  dpi_crop sliders-reported 110 259 288 82
  if dpi_same labels-0 labels-3; then e2e_log "levels 0 and 3 label alike"; return 1; fi
  dpi_same labels-reported labels-3
  dpi_same sliders-reported sliders-3
  end_program "$LOGS/program.log" "$PID"
  expect_request "$LOGS/simulator.log" 0 "set 01 87 02 00 00 00 00 12"
}

# While a backup runs the page's resynchronisation waits for its end, so a
# level shown during the backup was shown at once, not by the resync. The
# labels only: the backup hides the sliders.
scenario_dpi_level_change_on_the_mouse_shows_at_once_without_the_resync() {
  write_memory "$LOGS/memory.bin"
  cd "$LOGS"
  start_operations_program 1 1500
  PID=$PROGRAM_PID
  wait_log "$LOGS/program-1.log" "level steps shown"
  dpi_click_level 3
  wait_log "$LOGS/program-1.log" "level 3 selected"
  skin_shot level-3-clicked
  dpi_crop labels-3 40 240 65 90
  dpi_click_level 0
  wait_log "$LOGS/program-1.log" "level 0 selected"
  skin_shot level-0-clicked
  dpi_crop labels-0 40 240 65 90
  if dpi_same labels-0 labels-3; then e2e_log "levels 0 and 3 label alike"; return 1; fi

  click_operation 1026
  choose_file "Save As" "$LOGS/during.mbf"
  wait_log "$LOGS/program-1.log" "backup started"
  post_to_program "$DPI_SIM_ACTION" "$DPI_ACTION_LEVEL" 3
  wait_log "$LOGS/program-1.log" "report [0-9A-F]* 0D 03"
  # Shown once by the click on level 3, once more at the mouse's report.
  wait_times "$LOGS/program-1.log" "level steps shown: 40, 40" 2
  skin_shot level-3-during-backup
  dpi_crop labels-reported 40 240 65 90
  if grep -q "backup ended" "$LOGS/program-1.log"; then e2e_log "the backup ended too soon to tell"; return 1; fi
  dpi_same labels-reported labels-3
  wait_log "$LOGS/program-1.log" "backup ended: done" 120
  end_program "$LOGS/program-1.log" "$PID"
}

scenario_dpi_page_without_a_mouse_is_disabled_until_it_comes_back() {
  dpi_start
  local id
  for id in 1000 1016 1017; do expect_equal "control $id" "$(dpi_enabled $id)" 1; done
  post_to_program "$DPI_SIM_ACTION" "$DPI_ACTION_UNPLUG" 0
  wait_log "$LOGS/program.log" "DPI controls disabled" 20
  for id in 1000 1016 1017; do expect_equal "control $id" "$(dpi_enabled $id)" 0; done
  skin_shot unplugged
  # No level picture and no pressed level: the bare background shows there.
  skin_patch_matches 132 503 125 95 90 503 125
  skin_patch_matches 159 0 0 42 42 110 148
  post_to_program "$DPI_SIM_ACTION" "$DPI_ACTION_REPLUG" 0
  for id in $(seq 1 200); do
    [ "$(grep -c 'DPI controls enabled' "$LOGS/program.log")" -ge 2 ] && break
    sleep 0.1
  done
  for id in 1000 1016 1017; do expect_equal "control $id" "$(dpi_enabled $id)" 1; done
  skin_shot replugged
  skin_patch_matches 163 0 0 95 90 503 125
  end_program "$LOGS/program.log" "$PID"
}
