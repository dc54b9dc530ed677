# Backup, Restore and Reset from the main window on a simulated mouse that
# keeps its memory in a file between runs: real clicks, the real file dialogs
# and message boxes; the files written, the simulator's requests and its
# memory are checked afterwards.

# A memory with an empty macro directory (its first 2048 bytes) and a
# different byte at almost every address after it, so that a backup of it is
# sound to the companion tool's check.
write_memory() {
  LC_ALL=C awk 'BEGIN { for (i = 0; i < 8192; i++) printf "%c", i < 2048 ? 255 : (i * 7 + 3) % 256 }' > "$1"
}

# The bytes of a file, one upper-case hex byte a line.
file_bytes() { od -An -v -tx1 "$1" | tr -s ' ' '\n' | sed '/^$/d' | tr a-f A-F; }

# The memory image of a backup file as the companion tool reads it, likewise.
backup_image_bytes() { "$NATIVE_TOOL" show "$1" | sed -nE 's/^ *"[0-9A-F]{4}: ([0-9A-F ]+)",?$/\1/p' | tr ' ' '\n'; }

# write_backup FILE MEMORY [MAGIC]: a backup file put together byte by byte
# from the file format, apart from the program's own writer: the magic as a
# wide archive string, the image size, the image, four levels and seven empty
# profile names.
write_backup() {
  local i
  {
    printf '\xFF\xFE\xFF\x08'
    printf '%s' "${3:-_@_MBF1_}" | iconv -f ASCII -t UTF-16LE
    printf '\x00\x20\x00\x00'
    cat "$2"
    printf '\x06\x06\x0C\x0C\x18\x18\x30\x30'
    for i in 1 2 3 4 5 6 7; do printf '\xFF\xFE\xFF\x00'; done
  } > "$1"
}

# A path as the program's file dialogs take it.
windows_path() { echo "Z:${1//\//\\}"; }

# wait_named NAME: prints the visible X window whose name is exactly NAME.
wait_named() {
  local i window
  for i in $(seq 1 200); do
    window=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n1)
    [ -n "$window" ] && { echo "$window"; return 0; }
    sleep 0.05
  done
  e2e_log "no window named '$1'"
  return 1
}

# press_in NAME KEY...: focuses the window named NAME and presses the keys.
press_in() {
  local window
  window=$(wait_named "$1")
  shift
  xdotool windowfocus --sync "$window"
  xdotool key "$@"
}

# choose_file DIALOG PATH: types a full path into the file dialog's name box,
# which has the focus, and presses Return.
choose_file() {
  local dialog
  dialog=$(wait_named "$1")
  xdotool windowfocus --sync "$dialog"
  xdotool type "$(windows_path "$2")"
  xdotool key Return
}

# click_operation ID: a real click on Backup, Restore or Reset.
click_operation() {
  local at="" i
  for i in $(seq 1 30); do
    at=$("$WINE" "$TOOL" control "$TITLE" "$1" 2>/dev/null | tr -d '\r')
    [ -n "$at" ] && break
    sleep 0.1
  done
  [ -n "$at" ] || { e2e_log "control $1 not found"; return 1; }
  xdotool mousemove $at click 1
}

# start_operations_program RUN LATENCY_US: the program on a simulated mouse
# whose memory is $LOGS/memory.bin, logging to $LOGS/program-RUN.log and
# $LOGS/simulator-RUN.log; sets PROGRAM_PID once the mouse is set up and the
# page with Backup, Restore and Reset ("DPI & Tools") shows. The skin_
# helpers are window.sh's.
start_operations_program() {
  VANTOR_SIM_MEMORY="$LOGS/memory.bin" VANTOR_SIM_LATENCY_US="$2" VANTOR_SIM_LOG="$LOGS/simulator-$1.log" \
    start_program "$LOGS/program-$1.log" /simulate
  wait_log "$LOGS/program-$1.log" "fade-in complete"
  # The tabs wait for the arrival, which ends with the button page's read.
  wait_log "$LOGS/program-$1.log" "button lists filled" 60
  skin_window_origin
  skin_click_tab 1
  skin_expect_controls SHOWN 1026 1027 1028
}

# wait_times FILE PATTERN N: polls until N lines of FILE match PATTERN.
wait_times() {
  local i
  for i in $(seq 1 600); do
    [ "$(grep -c -- "$2" "$1")" -ge "$3" ] && return 0
    sleep 0.1
  done
  e2e_log "'$2' seen fewer than $3 times in $(basename "$1")"
  return 1
}

# expect_sound BACKUP: the companion tool finds nothing wrong with the file.
expect_sound() {
  local verdict
  verdict=$("$NATIVE_TOOL" check "$1")
  case $verdict in
    *": ok "*) return 0 ;;
  esac
  e2e_log "check of $1: $verdict"
  return 1
}

# expect_enabled 0|1 ID...: each control takes input (1) or not (0).
expect_enabled() {
  local want=$1 id
  shift
  for id in "$@"; do
    expect_equal "control $id enabled" "$("$WINE" "$TOOL" enabled "$TITLE" "$id" 2>/dev/null | tr -d '\r')" "$want"
  done
}

# expect_rgb X Y LOW HIGH: each colour channel of the last shot (skin_shot)
# at point (X, Y) of the client area lies between LOW and HIGH.
expect_rgb() {
  local rgb channel
  rgb=$(skin_rgb "$1" "$2")
  for channel in $rgb; do
    if [ "$channel" -lt "$3" ] || [ "$channel" -gt "$4" ]; then
      e2e_log "pixel ($1, $2) of $(basename "$SHOT") is '$rgb', expected $3 to $4"
      return 1
    fi
  done
}

# The progress panel: 300 x 140 centred in the 802 x 614 window, outlined in
# light grey over a dark fill, its bar 30 pixels in from either side.
kPanelLeft=251 kPanelTop=237 kPanelRight=551

# Every request that changes something on the mouse: memory writes, level
# steps and ratios, names, button functions, profile values and the commit.
kMouseChanges='^0 set (02 0[1-9A]|01 (02|83|84|85|86|89)) '

scenario_backup_through_the_save_dialog_holds_the_mouse_memory() {
  write_memory "$LOGS/memory.bin"
  # The save dialog opens in the working folder, which takes the default name.
  cd "$LOGS"
  start_operations_program 1 1000
  local pid=$PROGRAM_PID

  click_operation 1026
  choose_file "Save As" "$LOGS/typed.mbf"
  wait_log "$LOGS/program-1.log" "backup started"
  # A second second into the read: the panel is up, its bar part way.
  sleep 1
  skin_shot backup_reading
  expect_rgb $((kPanelLeft + 150)) $kPanelTop 150 230
  expect_rgb $kPanelLeft 300 150 230
  expect_rgb $kPanelRight 300 150 230
  expect_rgb 270 300 0 15
  expect_rgb 285 347 150 230
  expect_rgb 515 347 0 15
  skin_expect_controls HIDDEN 1000 1016 1017
  expect_enabled 0 1026 1027 1028
  # A second click on Backup while the read runs opens nothing.
  click_operation 1026
  sleep 0.5
  expect_absent . <(xdotool search --onlyvisible --name '^Save As$' 2>/dev/null)
  wait_log "$LOGS/program-1.log" "backup ended: done" 60
  wait_log "$LOGS/program-1.log" "message box: Completed !!"
  press_in "Backup" Return
  # The panel is gone and the level controls are back.
  skin_shot backup_done
  expect_rgb 270 300 20 45
  skin_expect_controls SHOWN 1000 1016 1017
  expect_enabled 1 1026 1027 1028

  # Return alone takes the default name and extension.
  click_operation 1026
  press_in "Save As" Return
  wait_times "$LOGS/program-1.log" "message box: Completed !!" 2
  press_in "Backup" Return
  end_program "$LOGS/program-1.log" "$pid"

  local default="$LOGS/backup_$(date +%Y-%m-%d).mbf"
  [ -f "$default" ] || { e2e_log "no $default"; return 1; }
  expect_sound "$LOGS/typed.mbf"
  # The memory file holds the simulated mouse's memory as the program left it.
  expect_equal "typed backup's image" "$(backup_image_bytes "$LOGS/typed.mbf" | md5sum)" \
    "$(file_bytes "$LOGS/memory.bin" | md5sum)"
  expect_equal "default-named backup" "$(md5sum < "$default")" "$(md5sum < "$LOGS/typed.mbf")"
  expect_absent "$kMouseChanges" "$LOGS/simulator-1.log"
}

scenario_restore_writes_a_changed_byte_and_refuses_a_wrong_magic() {
  write_memory "$LOGS/original.bin"
  cp "$LOGS/original.bin" "$LOGS/changed.bin"
  printf '\xA5' | dd of="$LOGS/changed.bin" bs=1 seek=$((0x1234)) conv=notrunc 2>/dev/null
  write_backup "$LOGS/changed.mbf" "$LOGS/changed.bin"
  write_backup "$LOGS/wrong.mbf" "$LOGS/changed.bin" "_@_MBF2_"
  expect_sound "$LOGS/changed.mbf"

  # A sound file: every byte of the mouse's memory is the file's.
  cp "$LOGS/original.bin" "$LOGS/memory.bin"
  start_operations_program 1 0
  local pid=$PROGRAM_PID
  click_operation 1027
  press_in "Restore" y
  choose_file "Open" "$LOGS/changed.mbf"
  wait_log "$LOGS/program-1.log" "restore ended: done" 60
  wait_log "$LOGS/program-1.log" "message box: Completed !!"
  press_in "Restore" Return
  end_program "$LOGS/program-1.log" "$pid"
  expect_equal "byte 0x1234" "$(od -An -tx1 -j $((0x1234)) -N1 "$LOGS/memory.bin")" " a5"
  cmp "$LOGS/memory.bin" "$LOGS/changed.bin"
  # Every page went to the mouse, not only the one that differs.
  expect_equal "pages committed" "$(grep -E '^0 set 02 0A ' "$LOGS/simulator-1.log" | cut -d' ' -f5,6 | sort -u | wc -l)" 256

  # One wrong character of the magic: nothing is written, and the user hears why.
  cp "$LOGS/original.bin" "$LOGS/memory.bin"
  start_operations_program 2 0
  pid=$PROGRAM_PID
  click_operation 1027
  press_in "Restore" y
  choose_file "Open" "$LOGS/wrong.mbf"
  wait_log "$LOGS/program-2.log" "restore ended: failed" 60
  wait_log "$LOGS/program-2.log" "message box: This is not a backup file"
  wait_named "Restore" > /dev/null
  screenshot restore_refused
  press_in "Restore" Return
  end_program "$LOGS/program-2.log" "$pid"
  expect_absent "$kMouseChanges" "$LOGS/simulator-2.log"
  cmp "$LOGS/memory.bin" "$LOGS/original.bin"
}

scenario_reset_answered_no_sends_nothing_and_yes_sends_the_reset() {
  write_memory "$LOGS/original.bin"
  cp "$LOGS/original.bin" "$LOGS/memory.bin"
  start_operations_program 1 0
  local pid=$PROGRAM_PID
  click_operation 1028
  press_in "Reset" n
  wait_log "$LOGS/program-1.log" "operation question answered no"
  end_program "$LOGS/program-1.log" "$pid"
  expect_absent "$kMouseChanges" "$LOGS/simulator-1.log"
  expect_absent "reset started" "$LOGS/program-1.log"

  start_operations_program 2 0
  pid=$PROGRAM_PID
  click_operation 1028
  press_in "Reset" y
  wait_log "$LOGS/program-2.log" "reset ended: done" 60
  wait_log "$LOGS/program-2.log" "message box: Completed !!"
  press_in "Reset" Return
  end_program "$LOGS/program-2.log" "$pid"

  local log="$LOGS/simulator-2.log" level step entry
  # Every button of profiles 0 to 4 back to its own function (buttons 3 and 4
  # trade places on the wire, so together they cover 0 to 11), every name
  # byte cleared.
  expect_equal "button functions" "$(grep -cE '^0 set 01 85 0[0-4] 0[0-9AB] 00 FF FF 12$' "$log")" 60
  expect_equal "distinct button functions" "$(grep -E '^0 set 01 85 ' "$log" | sort -u | wc -l)" 60
  expect_equal "name bytes" "$(grep -E '^0 set 01 89 0[0-4] 0[0-9A-F] 00 00 00 12$' "$log" | sort -u | wc -l)" 80
  # Levels 4, 8, 12 and 16 on both axes, each at ratio 1.
  for level in 0 1 2 3; do
    step=$(printf '%02X' $(((level + 1) * 4)))
    expect_request "$log" 0 "set 01 83 00 0$level $step 00 00 12"
    expect_request "$log" 0 "set 01 83 01 0$level $step 00 00 12"
  done
  expect_request "$log" 0 "set 01 86 00 02 00 00 00 12"
  expect_request "$log" 0 "set 01 86 01 00 02 00 00 12"
  expect_request "$log" 0 "set 01 86 02 00 00 02 00 12"
  expect_request "$log" 0 "set 01 86 03 02 00 02 00 12"
  expect_request "$log" 0 "set 01 86 04 00 02 02 00 12"
  # The commit comes after the last profile value.
  local lastValues commit
  lastValues=$(grep -nE '^0 set 01 86 ' "$log" | tail -n1 | cut -d: -f1)
  commit=$(grep -nxF '0 set 01 02 00 00 00 00 00 12' "$log" | tail -n1 | cut -d: -f1)
  [ -n "$commit" ] && [ "$commit" -gt "$lastValues" ] || { e2e_log "no commit after the profile values"; return 1; }
  # The 64 directory entries are empty: both address words 0xFFFF and the
  # last four name bytes 0; the rest of each old name stays.
  local now before got want
  now=$(file_bytes "$LOGS/memory.bin")
  before=$(file_bytes "$LOGS/original.bin")
  for entry in $(seq 0 63); do
    got=$(sed -n "$((32 * entry + 1)),$((32 * entry + 32))p" <<<"$now" | tr '\n' ' ')
    want="FF FF FF FF $(sed -n "$((32 * entry + 5)),$((32 * entry + 28))p" <<<"$before" | tr '\n' ' ')00 00 00 00 "
    expect_equal "directory entry $entry" "$got" "$want"
  done
  # Past the directory the memory is as it was.
  expect_equal "macro data" "$(tail -n +2049 <<<"$now" | md5sum)" "$(tail -n +2049 <<<"$before" | md5sum)"
}

scenario_ending_the_program_during_a_restore_lets_the_restore_finish() {
  write_memory "$LOGS/original.bin"
  write_backup "$LOGS/full.mbf" "$LOGS/original.bin"
  head -c 8192 /dev/zero > "$LOGS/memory.bin"
  start_operations_program 1 1000
  local pid=$PROGRAM_PID
  click_operation 1027
  press_in "Restore" y
  choose_file "Open" "$LOGS/full.mbf"
  wait_log "$LOGS/program-1.log" "restore started"
  sleep 1
  end_program "$LOGS/program-1.log" "$pid"
  # The worker was waited for: the mouse holds the whole file, and a window
  # on its way out showed no closing message.
  cmp "$LOGS/memory.bin" "$LOGS/original.bin"
  expect_absent "message box" "$LOGS/program-1.log"
}

scenario_a_backup_cut_short_by_an_unplugged_mouse_leaves_no_file_and_says_so() {
  write_memory "$LOGS/memory.bin"
  # The read takes about ten seconds at this latency; the mouse goes seven
  # seconds after it is set up, a few seconds into the read.
  printf 'ready\nwait 7000\nunplug 0\n' > "$LOGS/script.txt"
  VANTOR_SIM_SCRIPT="$LOGS/script.txt" start_operations_program 1 2000
  local pid=$PROGRAM_PID
  click_operation 1026
  choose_file "Save As" "$LOGS/cut.mbf"
  wait_log "$LOGS/program-1.log" "backup started"
  wait_log "$LOGS/program-1.log" "backup ended: failed" 60
  wait_log "$LOGS/program-1.log" "message box: The mouse was unplugged"
  press_in "Backup" Return
  end_program "$LOGS/program-1.log" "$pid"
  # The read really was cut short, and nothing of it reached the disk.
  grep -q "backup ended: failed (memory [1-9][0-9]* bytes" "$LOGS/program-1.log"
  expect_absent "memory 8192 bytes" "$LOGS/program-1.log"
  expect_absent . <(ls -A "$LOGS" | grep '\.mbf')
}

scenario_a_backup_of_the_tool_restores_in_the_window_and_the_other_way_round() {
  # A mouse for the tool, holding a backup put together byte by byte.
  write_memory "$LOGS/pattern.bin"
  printf '\x5A' | dd of="$LOGS/pattern.bin" bs=1 seek=$((0x0C00)) conv=notrunc 2>/dev/null
  write_backup "$LOGS/start.mbf" "$LOGS/pattern.bin"
  "$NATIVE_TOOL" --simulate="$LOGS/tool.state" restore "$LOGS/start.mbf" > /dev/null
  "$NATIVE_TOOL" --simulate="$LOGS/tool.state" backup "$LOGS/tool.mbf" > /dev/null

  # The window restores the tool's backup onto a mouse holding something else,
  # then backs that mouse up again.
  LC_ALL=C awk 'BEGIN { for (i = 0; i < 8192; i++) printf "%c", 255 }' > "$LOGS/memory.bin"
  start_operations_program 1 0
  local pid=$PROGRAM_PID
  click_operation 1027
  press_in "Restore" y
  choose_file "Open" "$LOGS/tool.mbf"
  wait_log "$LOGS/program-1.log" "restore ended: done" 60
  wait_log "$LOGS/program-1.log" "message box: Completed !!"
  press_in "Restore" Return
  # The restore ends with a new arrival; Backup takes clicks after it.
  wait_times "$LOGS/program-1.log" "button lists filled" 2
  click_operation 1026
  choose_file "Save As" "$LOGS/window.mbf"
  wait_log "$LOGS/program-1.log" "backup ended: done" 60
  wait_log "$LOGS/program-1.log" "message box: Completed !!"
  press_in "Backup" Return
  end_program "$LOGS/program-1.log" "$pid"
  cmp "$LOGS/memory.bin" "$LOGS/pattern.bin"
  cmp "$LOGS/window.mbf" "$LOGS/tool.mbf"

  # The window's backup restores with the tool on a fresh mouse, byte for byte.
  "$NATIVE_TOOL" --simulate="$LOGS/fresh.state" restore "$LOGS/window.mbf" > /dev/null
  "$NATIVE_TOOL" --simulate="$LOGS/fresh.state" backup "$LOGS/again.mbf" > /dev/null
  cmp "$LOGS/again.mbf" "$LOGS/window.mbf"
}
