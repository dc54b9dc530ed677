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
  # No memory file to start from: the simulated mouse's own four macros, and
  # its memory kept in the file at the end.
  VANTOR_SIM_MEMORY="$LOGS/memory.bin" VANTOR_SIM_LOG="$LOGS/simulator.log" skin_start
  wait_log "$LOGS/program.log" "button lists filled: 5 entries each, enabled"
  # The simulated mouse holds four macros: "type A" is the fifth.
  macro_drag 160 156 420 $((128 + 40 * 5))
  wait_log "$LOGS/program.log" "library row 0 dropped on function list 5"
  wait_log "$LOGS/program.log" "button lists filled: 6 entries each, enabled"
  wait_log "$LOGS/program.log" "macro operation 0 ended: done (entry 4 "
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
  # Entry 4, where "type A" went, is empty again.
  expect_equal "entry 4" "$(od -An -tx1 -j 128 -N4 "$LOGS/memory.bin")" " ff ff ff ff"
}

# mousemacros_scattered_memory FILE GAP: a simulated mouse's memory whose
# free bytes lie in two runs of GAP bytes: "first" fills the area up to the
# first, the 4-byte "second" sits between them.
mousemacros_scattered_memory() {
  python3 - "$1" "$2" <<'PY'
import sys
path, gap = sys.argv[1], int(sys.argv[2])
memory = bytearray(8192)
memory[0:2048] = b"\xff" * 2048
def place(entry, start, body, name):
    end = start + len(body) - 1
    memory[entry * 32:entry * 32 + 32] = bytes([start & 255, start >> 8, end & 255, end >> 8]) + name.encode("utf-16-le").ljust(28, b"\0")
    memory[2048 + start:2048 + end + 1] = body
first = b"\x04" + b"\x60" * (5888 - 4 - 2 * gap - 2) + b"\x00"
place(0, 0, first, "first")
place(1, len(first) + gap, b"\x04\x60\x60\x00", "second")
open(path, "wb").write(memory)
PY
}

scenario_scattered_space_is_packed_under_the_whole_window_overlay_after_the_defrag_question() {
  macro_write_library "type A"
  # "type A" takes 8 bytes in the mouse: each free run is one short.
  mousemacros_scattered_memory "$LOGS/memory.bin" 7
  VANTOR_SIM_MEMORY="$LOGS/memory.bin" VANTOR_SIM_LATENCY_US=5000 VANTOR_SIM_LOG="$LOGS/simulator.log" skin_start
  wait_log "$LOGS/program.log" "button lists filled: 3 entries each, enabled" 60
  macro_drag 160 156 420 $((128 + 40 * 5))
  wait_log "$LOGS/program.log" "macro operation 0 ended: failed"
  press_in "Defrag" y
  wait_log "$LOGS/program.log" "macro operation 2 started"
  skin_shot packing
  # The top strip and the place of a function list, hidden meanwhile, are
  # shaded over.
  local spot shaded background
  for spot in "400 20" "420 528"; do
    # shellcheck disable=SC2086
    shaded=$(skin_rgb $spot | awk '{ print $1 + $2 + $3 }')
    # shellcheck disable=SC2086
    background=$(skin_background_rgb $spot | awk '{ print $1 + $2 + $3 }')
    e2e_log "($spot) while packing: $shaded against $background"
    [ $((shaded * 2)) -lt "$background" ] || { e2e_log "no overlay at ($spot) while packing"; return 1; }
  done
  skin_expect_controls HIDDEN 1009
  wait_log "$LOGS/program.log" "macro operation 2 ended: done" 120
  wait_times "$LOGS/program.log" "button lists filled: 4 entries each, enabled" 2
  skin_expect_controls SHOWN 1009
  end_program "$LOGS/program.log" "$PID"

  # The memory the simulated mouse kept: "second" moved down to the end of
  # "first", "type A" right after it, and button 5 plays it there (5874).
  python3 - "$LOGS/memory.bin" <<'PY'
import sys
memory = open(sys.argv[1], "rb").read()
def entry(n):
    at = memory[n * 32:n * 32 + 32]
    return at[0] | at[1] << 8, at[2] | at[3] << 8, at[4:32].decode("utf-16-le").rstrip("\0")
assert entry(0) == (0, 5869, "first"), entry(0)
assert entry(1) == (5870, 5873, "second"), entry(1)
assert entry(2) == (5874, 5881, "type A"), entry(2)
assert memory[2048 + 5870:2048 + 5874] == b"\x04\x60\x60\x00"
assert memory[2048 + 5874:2048 + 5882] == bytes.fromhex("04 83 04 88 0A 84 04 00"), memory[2048 + 5874:2048 + 5882].hex()
PY
  expect_request "$LOGS/simulator.log" 0 "set 01 85 00 05 80 F2 16 12"
}
