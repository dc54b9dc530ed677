# The "Button settings" page on a simulated mouse that holds four macros
# ("Zoom in", "Copy", "burst fire" in firekey mode, "alt tab"): real picks in
# the function lists, the profile colour palette, the profile button, and
# the lists without a mouse. The simulator's request log shows what was sent.

# buttons_pick BUTTON ENTRY: opens button BUTTON's list with a click and
# picks entry ENTRY (0 is the first) with another; keys do nothing there.
buttons_pick() {
  skin_point 420 $((128 + 40 * $1))
  xdotool click 1
  local at id=$((1004 + $1))
  [ "$1" -ge 10 ] && id=$((1019 + $1))
  for at in $(seq 1 50); do
    at=$("$WINE" "$TOOL" dropitem "$TITLE" "$id" "$2" 2>/dev/null | tr -d '\r') && break
    sleep 0.1
  done
  [ -n "$at" ] || { e2e_log "list $id did not open"; return 1; }
  # shellcheck disable=SC2086
  xdotool mousemove $at
  xdotool click 1
  sleep 0.4
  skin_pointer_away
}

# buttons_last_parameter LOG KIND: the setting last sent for parameter KIND
# (a value sequence for KIND, then "str 250", then "str 90+setting").
buttons_last_parameter() {
  awk -v kind=$((60 + $2)) '
    $1 == 0 && $2 == "str" { seq[n++] = $3 }
    END { for (i = 0; i + 3 < n; i++) if (seq[i] == 76 && seq[i+1] == kind && seq[i+2] == 250) last = seq[i+3] - 90; print last }
  ' "$1"
}

scenario_button_lists_offer_the_mouse_macros_and_send_the_choice() {
  VANTOR_SIM_LOG="$LOGS/simulator.log" skin_start
  wait_log "$LOGS/program.log" "button lists filled: 5 entries each, enabled"
  # Case-blind order: own function, alt tab, burst fire, Copy, Zoom in. In
  # byte order the fourth entry would be "alt tab".
  buttons_pick 3 3
  wait_log "$LOGS/program.log" "button 3 assigned 7$"
  # The wheel's lists leave the firekey macro out: the third entry is "Copy"
  # there, "burst fire" elsewhere.
  buttons_pick 8 2
  wait_log "$LOGS/program.log" "button 8 assigned"
  buttons_pick 0 2
  wait_log "$LOGS/program.log" "button 0 assigned"
  buttons_pick 3 0
  wait_log "$LOGS/program.log" "button 3 assigned 65535"
  skin_shot page-0
  end_program "$LOGS/program.log" "$PID"
  # Button 3 goes to the mouse as 4: kind 0x80 and Copy's start, then its own function.
  expect_request "$LOGS/simulator.log" 0 "set 01 85 00 04 80 07 00 12"
  expect_request "$LOGS/simulator.log" 0 "set 01 85 00 04 00 FF FF 12"
  expect_request "$LOGS/simulator.log" 0 "set 01 85 00 08 80 07 00 12"
  expect_request "$LOGS/simulator.log" 0 "set 01 85 00 00 80 13 00 12"
  expect_absent "^0 set 01 85 00 08 80 13 00 12$" "$LOGS/simulator.log"
  # The directory was read: 293 reads, and one for each macro's mode byte.
  expect_request "$LOGS/simulator.log" 0 "set 02 00 FC 07 00 00 00 12"
  expect_request "$LOGS/simulator.log" 0 "set 02 00 1B 08 00 00 00 12"
}

# Each list's numbered badge shows its own artwork, uncovered: the badges
# of the last two buttons are theirs, not copies of the second and fifth.
scenario_every_badge_shows_its_own_number_beside_its_list() {
  local images=(184 185 187 188 186 189 190 191 192 183 229 230) b size
  skin_start
  skin_shot badges
  for b in $(seq 0 11); do
    size=$(identify -format '%w %h' "$SKIN_PNG/${images[$b]}.png")
    # shellcheck disable=SC2086
    skin_patch_matches "${images[$b]}" 0 0 $size 312 $((118 + 40 * b))
  done
  end_program "$LOGS/program.log" "$PID"
}

scenario_keys_aimed_at_a_function_list_change_nothing() {
  VANTOR_SIM_LOG="$LOGS/simulator.log" skin_start
  wait_log "$LOGS/program.log" "button lists filled: 5 entries each, enabled"
  local focus before
  focus=$("$WINE" "$TOOL" focus "$TITLE" | tr -d '\r')
  e2e_log "focus on control $focus"
  expect_equal "focus at start" "$focus" 1004
  before=$("$WINE" "$TOOL" selection "$TITLE" 1004 | tr -d '\r')
  # The keys go to the window as a user's would, with the first list focused.
  press_in "$TITLE" Down Next End Down
  wait_times "$LOGS/program.log" "kept from list 1004" 4
  expect_equal "focus after the keys" "$("$WINE" "$TOOL" focus "$TITLE" | tr -d '\r')" 1004
  expect_equal "selection after the keys" "$("$WINE" "$TOOL" selection "$TITLE" 1004 | tr -d '\r')" "$before"
  # The pointer still picks: the fourth entry of the left button's list.
  buttons_pick 0 3
  wait_log "$LOGS/program.log" "button 0 assigned 7$"
  expect_equal "selection after the pick" "$("$WINE" "$TOOL" selection "$TITLE" 1004 | tr -d '\r')" 3
  end_program "$LOGS/program.log" "$PID"
  expect_equal "functions sent" "$(grep -c '^0 set 01 85 ' "$LOGS/simulator.log")" 1
  expect_request "$LOGS/simulator.log" 0 "set 01 85 00 00 80 07 00 12"
}

scenario_palette_swatch_stores_saves_and_sends_the_profile_colour() {
  VANTOR_SIM_LOG="$LOGS/simulator.log" skin_start
  wait_log "$LOGS/program.log" "button lists filled"
  # The current profile's colour opens the palette; swatch 20 is red and blue at the top level.
  skin_point 614 222
  xdotool click 1
  sleep 0.6
  skin_point $((581 + 18 * 2 + 6)) $((175 + 18 * 2 + 6))
  xdotool click 1
  wait_log "$LOGS/program.log" "profile colour 8 0 8"
  skin_shot palette
  end_program "$LOGS/program.log" "$PID"
  expect_equal "last blue" "$(buttons_last_parameter "$LOGS/simulator.log" 2)" 8
  "$NATIVE_TOOL" show "$(dirname "$EXE")/macro.dat" > "$LOGS/library.json"
  grep -q '"valueC": 8' "$LOGS/library.json"
  grep -q '"valueA": 8' "$LOGS/library.json"
}

scenario_profile_button_sends_the_next_profiles_colour() {
  cat > "$LOGS/script.txt" <<'SCRIPT'
ready
wait 500
buttons 0 0x8000
wait 30
buttons 0 0
wait 300
SCRIPT
  VANTOR_SIM_SCRIPT="$LOGS/script.txt" VANTOR_SIM_LOG="$LOGS/simulator.log" \
    start_program "$LOGS/program.log" /simulate /hide
  local pid=$PROGRAM_PID
  wait_log "$LOGS/program.log" "simulator script done" 60
  end_program "$LOGS/program.log" "$pid"
  # The first profile is red (8, 0, 0); the profile button selects the green one.
  expect_equal "last red" "$(buttons_last_parameter "$LOGS/simulator.log" 0)" 0
  expect_equal "last green" "$(buttons_last_parameter "$LOGS/simulator.log" 1)" 8
  [ "$(grep -c '^0 str 108$' "$LOGS/simulator.log")" -ge 2 ]
}

scenario_button_lists_are_disabled_without_a_mouse_and_read_again_after_replug() {
  cat > "$LOGS/script.txt" <<'SCRIPT'
ready
wait 300
unplug 0
wait 5000
replug 0
wait 300
SCRIPT
  VANTOR_SIM_SCRIPT="$LOGS/script.txt" start_program "$LOGS/program.log" /simulate /hide
  local pid=$PROGRAM_PID
  wait_log "$LOGS/program.log" "simulator: mouse 0 replugged" 60
  wait_log "$LOGS/program.log" "button lists filled: 1 entries each, disabled"
  sleep 4
  end_program "$LOGS/program.log" "$pid"
  [ "$(grep -c 'button page: 4 macros read' "$LOGS/program.log")" -eq 2 ]
  [ "$(grep -c 'button lists filled: 5 entries each, enabled' "$LOGS/program.log")" -eq 2 ]
}
