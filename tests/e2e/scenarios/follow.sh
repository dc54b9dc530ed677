# Software profiles that follow the program in front: two copies of the test
# tool under other names stand for two programs; a rule written with the
# companion tool maps the second to profile 3, whose row gives button 3 a
# library macro, so its button masks differ from the others'.

# follow_library: a library whose profile 3 plays macro 1 on button 3.
follow_library() {
  cat > "$LOGS/library.json" <<'JSON'
{
  "file": "library",
  "entries": [
    {"id": 1, "name": "type A", "commands": [{"bytes": "04"}, {"bytes": "83 04"}, {"bytes": "84 04"}]}
  ],
  "devices": [
    {"key": 1513881601, "profileCount": 7, "profiles": [{"slot": 3, "row": [0, 0, 0, 1]}]}
  ]
}
JSON
  "$NATIVE_TOOL" build "$LOGS/library.json" "$(dirname "$EXE")/macro.dat"
}

# follow_hook_heard: whether this Wine reports foreground changes to a hook
# at all (Wine 8.0 raises no EVENT_SYSTEM_FOREGROUND, even in-process).
follow_hook_heard() {
  if [ -z "${FOLLOW_HOOK:-}" ]; then
    "$WINE" "$TOOL" foregroundhook "$LOGS/hook.log" >/dev/null 2>&1 || true
    FOLLOW_HOOK=no
    grep -q "foreground event" "$LOGS/hook.log" && FOLLOW_HOOK=yes
    e2e_log "foreground hook heard: $FOLLOW_HOOK"
  fi
  [ "$FOLLOW_HOOK" = yes ]
}

# follow_front EXE TITLE: starts a copy of the test tool whose window comes to
# the front. Where the hook stays silent, a probe hands the program in front
# to the window's same entry, as the hook's report would.
follow_front() {
  "$WINE" "$1" frontwindow "$LOGS/$2.log" "$2" 60 >/dev/null 2>&1 &
  wait_log "$LOGS/$2.log" "ready"
  xdotool windowfocus --sync "$(wait_named "$2")"
  if ! follow_hook_heard; then "$WINE" "$TOOL" foreground "$TITLE" "$(windows_path "$1")"; fi
}

scenario_the_software_profile_follows_the_program_in_front() {
  follow_library
  local rules
  rules="$(dirname "$EXE")/profiles.rules"
  rm -f "$rules"
  "$NATIVE_TOOL" --rules="$rules" rules add beta.exe 3
  cp "$TOOL" "$LOGS/alpha.exe"
  cp "$TOOL" "$LOGS/beta.exe"
  VANTOR_SIM_LOG="$LOGS/simulator.log" skin_start
  wait_log "$LOGS/program.log" "rules: 0 .*1 in force"
  follow_front "$LOGS/beta.exe" beta
  wait_log "$LOGS/program.log" "foreground: beta.exe"
  wait_log "$LOGS/program.log" "software profile 3 in use"
  follow_front "$LOGS/alpha.exe" alpha
  wait_log "$LOGS/program.log" "foreground: alpha.exe"
  end_program "$LOGS/program.log" "$PID"
  rm -f "$rules"
  # Profile 3's masks leave button 3 to the program; with "stay" the other
  # program in front sends nothing after them.
  expect_equal "last mask A" "$(macro_last_mask_a "$LOGS/simulator.log")" EF
  expect_equal "profile switches" "$(grep -c 'software profile . in use' "$LOGS/program.log")" 1
}

scenario_without_rules_the_program_in_front_changes_nothing() {
  rm -f "$(dirname "$EXE")/profiles.rules"
  follow_library
  cp "$TOOL" "$LOGS/beta.exe"
  VANTOR_SIM_LOG="$LOGS/simulator.log" skin_start
  wait_log "$LOGS/program.log" "rules: 1 "
  follow_front "$LOGS/beta.exe" beta
  wait_log "$LOGS/program.log" "foreground: beta.exe"
  end_program "$LOGS/program.log" "$PID"
  expect_equal "last mask A" "$(macro_last_mask_a "$LOGS/simulator.log")" FF
  expect_absent "software profile . in use" "$LOGS/program.log"
}
