# The registry names the language file; its texts replace the built-in ones.

scenario_german_language_file_is_loaded() {
  "$WINE" reg add 'HKLM\SOFTWARE\Wendral Mouse' /v Language /t REG_SZ /d deutsch.ini /f >/dev/null 2>&1
  start_program "$LOGS/program.log" /hide
  local pid=$PROGRAM_PID
  wait_log "$LOGS/program.log" "texts loaded"
  grep -q 'language: deutsch.ini' "$LOGS/program.log"
  grep -q 'language file: .*\\deutsch.ini' "$LOGS/program.log"
  grep 'texts loaded' "$LOGS/program.log" | grep -q 'Beenden'
  ! grep -q 'texts loaded: 0 ' "$LOGS/program.log"
  end_program "$LOGS/program.log" "$pid"
}

scenario_built_in_texts_without_language_setting() {
  start_program "$LOGS/program.log" /hide
  local pid=$PROGRAM_PID
  wait_log "$LOGS/program.log" "texts loaded"
  grep -q 'language: no registry key' "$LOGS/program.log"
  grep -q 'texts loaded: 0 from the language file' "$LOGS/program.log"
  end_program "$LOGS/program.log" "$pid"
}
