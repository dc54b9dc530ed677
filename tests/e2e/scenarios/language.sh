# The registry names the language file; its texts replace the built-in ones.
# The names a new mouse's profiles get come from the texts, and a press of the
# profile button saves them in the library beside the program.

# profile_names_after_profile_press: runs the program on a simulated mouse,
# presses the profile button once, ends the program (checking its exit code)
# and writes the profile names that the saved library holds to names.txt.
profile_names_after_profile_press() {
  cat > "$LOGS/script.txt" <<'SCRIPT'
ready
buttons 0 0x8000
wait 30
buttons 0 0
wait 100
SCRIPT
  VANTOR_SIM_SCRIPT="$LOGS/script.txt" start_program "$LOGS/program.log" /simulate /hide
  local pid=$PROGRAM_PID
  wait_log "$LOGS/program.log" "simulator script done" 60
  end_program "$LOGS/program.log" "$pid"
  "$NATIVE_TOOL" show "$(dirname "$EXE")/macro.dat" > "$LOGS/library.json"
  sed -nE 's/.*"name": "([^"]*)".*/\1/p' "$LOGS/library.json" > "$LOGS/names.txt"
}

scenario_german_language_file_is_loaded() {
  "$WINE" reg add 'HKLM\SOFTWARE\Wendral Mouse' /v Language /t REG_SZ /d deutsch.ini /f >/dev/null 2>&1
  profile_names_after_profile_press
  grep -qx 'Unbekannter Modus 1' "$LOGS/names.txt"
  grep -qx 'Unbekannter Modus 7' "$LOGS/names.txt"
  expect_absent 'Unknown' "$LOGS/names.txt"
}

scenario_built_in_texts_without_language_setting() {
  profile_names_after_profile_press
  grep -qx 'Unknown mode 1' "$LOGS/names.txt"
  grep -qx 'Unknown mode 7' "$LOGS/names.txt"
}
