# Macros in the mouse's own memory, put there from the window: a library
# macro dropped on a button's function list is stored in the simulated mouse
# and given to that button, the mouse plays it by itself when the button is
# pressed ("own" lines of the simulator's log), and Delete on that list takes
# it out of the mouse again.

# mousemacros_press_5: the simulated mouse reports button 5 pressed and let
# go. The simulator's log is written when the program ends.
mousemacros_press_5() {
  post_to_program 32770 2 32
  sleep 0.1
  post_to_program 32770 2 0
  sleep 0.5
}

scenario_a_library_macro_dropped_on_a_function_list_is_played_by_the_mouse_itself() {
  macro_write_library "type A"
  VANTOR_SIM_LOG="$LOGS/simulator.log" skin_start
  wait_log "$LOGS/program.log" "button lists filled: 5 entries each, enabled"
  # The simulated mouse holds four macros: "type A" is the fifth.
  macro_drag 160 156 420 $((128 + 40 * 5))
  wait_log "$LOGS/program.log" "library row 0 dropped on function list 5"
  wait_log "$LOGS/program.log" "button lists filled: 6 entries each, enabled"
  wait_log "$LOGS/program.log" "macro operation 0 ended: done"
  skin_shot stored
  expect_equal "list 5 shows it" "$("$WINE" "$TOOL" selection "$TITLE" 1009 | tr -d '\r')" 4
  # No software profile takes button 5: the mask leaves it to the mouse.
  mousemacros_press_5

  # Delete on the list (clicked open and shut, so it has the focus) asks first.
  skin_point 420 $((128 + 40 * 5))
  xdotool click 1
  sleep 0.4
  xdotool click 1
  sleep 0.4
  press_in "$TITLE" Delete
  press_in "Remove" y
  wait_log "$LOGS/program.log" "macro operation 1 ended: done"
  wait_times "$LOGS/program.log" "button lists filled: 5 entries each, enabled" 2
  mousemacros_press_5
  end_program "$LOGS/program.log" "$PID"

  # The simulator's log, in order: button 5 given the macro (kind 0x80 at
  # its start), the mouse playing A by itself, button 5 given its own
  # function back, and nothing played by the second press.
  local order
  order=$(awk '
    / set 01 85 00 05 80 / { given = NR }
    / set 01 85 00 05 00 FF FF 12$/ { back = NR }
    /^0 own 0D 01 04 / { if (!first) first = NR; last = NR }
    END {
      printf "given %d, played %d to %d, given back %d\n", given, first, last, back
      exit !(given && first > given && back > last)
    }' "$LOGS/simulator.log")
  e2e_log "$order"
}
