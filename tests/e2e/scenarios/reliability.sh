# The program under hard conditions: ended by TerminateProcess in the middle
# of a library save, and a long soak of the running window. The soak runs
# only when named (scripts/reliability.sh), not with every scenario.

PROCESS_WATCH="$BUILD/tests/process_watch.exe"

# reliability_library_names: the names of the library's entries, in order.
reliability_library_names() {
  "$NATIVE_TOOL" show "$(dirname "$EXE")/macro.dat" | python3 -c '
import json, sys
print("\n".join(e["name"] for e in json.load(sys.stdin)["entries"]))'
}

# reliability_temporaries: the library's temporaries beside the program.
reliability_temporaries() { find "$(dirname "$EXE")" -maxdepth 1 -name 'macro.dat.tmp-*' | sort; }

scenario_a_program_ended_during_a_save_leaves_the_old_or_the_new_library() {
  # 2000 macros, so a save takes long enough to be caught in the middle.
  python3 - "$LOGS/library.json" <<'PY'
import json, sys
entries = [{"id": i + 1, "name": "m%04d" % i,
            "commands": [{"bytes": "04"}] + [{"bytes": "83 %02X" % (4 + (i + c) % 26)} for c in range(12)]}
           for i in range(2000)]
json.dump({"file": "library", "entries": entries, "devices": []}, open(sys.argv[1], "w"))
PY
  local library
  library="$(dirname "$EXE")/macro.dat"
  "$NATIVE_TOOL" build "$LOGS/library.json" "$library"
  cp "$library" "$LOGS/old.dat"
  reliability_library_names > "$LOGS/old-names.txt"
  expect_equal "entries before" "$(wc -l < "$LOGS/old-names.txt")" 2000
  skin_start
  skin_click_tab 2
  skin_point 160 156
  xdotool click 1
  sleep 0.3
  "$WINE" "$PROCESS_WATCH" terminateonfile "$TITLE" "$(windows_path "$(dirname "$library")")" macro.dat.tmp- 60 \
    > "$LOGS/watch.log" 2>&1 &
  local watch=$!
  wait_log "$LOGS/watch.log" "watching"
  press_in "$TITLE" Delete
  press_in "Remove" y
  wait "$watch"
  grep -q "terminated: 1 while macro.dat.tmp-" "$LOGS/watch.log"
  wait_exit "$PID" 10

  # The library is the old one byte for byte, or the new one: whole, and
  # every entry but the removed one.
  "$NATIVE_TOOL" check "$library"
  if cmp -s "$library" "$LOGS/old.dat"; then
    e2e_log "the old library stands"
  else
    reliability_library_names > "$LOGS/new-names.txt"
    expect_equal "entries after" "$(diff "$LOGS/old-names.txt" "$LOGS/new-names.txt" | grep -c '^<')" 1
    expect_equal "entries added" "$(diff "$LOGS/old-names.txt" "$LOGS/new-names.txt" | grep -c '^>' || true)" 0
    e2e_log "the new library stands"
  fi
  cp "$library" "$LOGS/kept.dat"

  # The next start clears what the ended save left beside the library, once
  # it is old enough not to belong to a save still running, and keeps the
  # library as it is.
  reliability_temporaries > "$LOGS/temporaries.txt"
  e2e_log "temporaries left: $(wc -l < "$LOGS/temporaries.txt")"
  while read -r temporary; do touch -d '2 minutes ago' "$temporary"; done < "$LOGS/temporaries.txt"
  start_program "$LOGS/second.log" /simulate
  PID=$PROGRAM_PID
  wait_log "$LOGS/second.log" "button lists filled"
  expect_equal "temporaries after the next start" "$(reliability_temporaries)" ""
  cmp "$library" "$LOGS/kept.dat"
  end_program "$LOGS/second.log" "$PID"
}
