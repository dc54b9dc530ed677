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

# reliability_private_kb: the anonymous memory the program's process holds
# (Wine answers GetProcessMemoryInfo for another process with zeros).
reliability_private_kb() {
  local pid
  pid=$(pgrep -n -f 'Vantor3\.exe') || { echo -1; return; }
  awk '$1 == "RssAnon:" { print $2 }' "/proc/$pid/status"
}

# reliability_soak_figures FILE: from samples "SECONDS private_kb N handles N
# gdi N windows N", for each measure the growth (the mean of the
# last three samples less the mean of the first three after the first minute)
# and the noise (the largest fall between two samples after the first minute:
# what a measure moves by itself, since a leak only ever climbs).
reliability_soak_figures() {
  awk '
    $1 >= 60 {
      n++
      v[n, 1] = $3; v[n, 2] = $5; v[n, 3] = $7; v[n, 4] = $9
    }
    END {
      split("private_kb handle gdi user", name, " ")
      for (m = 1; m <= 4; m++) {
        first = 0; last = 0
        for (i = 1; i <= 3; i++) { first += v[i, m]; last += v[n - 3 + i, m] }
        top = v[1, m]; fall = 0
        for (i = 1; i <= n; i++) {
          if (v[i, m] > top) top = v[i, m]
          if (top - v[i, m] > fall) fall = top - v[i, m]
        }
        printf "soak_%s_growth: %.0f\nsoak_%s_noise: %.0f\n", name[m], (last - first) / 3, name[m], fall
      }
      printf "soak_samples: %d\n", n
    }' "$1"
}

# The window runs for SOAK_SECONDS (600 unless set) while the simulated hand
# loops a macro, changes levels and unplugs and replugs the mouse, and the
# pointer switches tabs and hides the window to the tray and brings it back.
# Every 10 s the program's private memory, handles, GDI objects and windows
# (the USER objects that grow with use) are counted from outside.
scenario_soak_the_running_window_holds_no_more_after_the_first_minute() {
  local seconds=${SOAK_SECONDS:-600}
  write_playback_library
  python3 - "$seconds" > "$LOGS/script.txt" <<'PY'
import sys
seconds = int(sys.argv[1])
print("ready")
elapsed, i = 0, 0
while elapsed < seconds * 1000:
    print("buttons 0 0x1\nwait 30\nbuttons 0 0\nwait 400\nbuttons 0 0x1\nwait 30\nbuttons 0 0\nwait 200")
    print("level 0 %d\nwait 300" % (i % 4))
    elapsed += 960
    if i % 8 == 7:
        print("unplug 0\nwait 1500\nreplug 0\nwait 3000")
        elapsed += 4500
    i += 1
PY
  VANTOR_SIM_SCRIPT="$LOGS/script.txt" skin_start
  local start now tab=0 round=0 next_sample=0
  start=$(date +%s)
  : > "$LOGS/resources.txt"
  while :; do
    now=$(($(date +%s) - start))
    [ "$now" -lt "$seconds" ] || break
    if [ "$now" -ge "$next_sample" ]; then
      echo "$now private_kb $(reliability_private_kb) $("$WINE" "$PROCESS_WATCH" resources "$TITLE" | tr -d '\r')" \
        >> "$LOGS/resources.txt"
      next_sample=$((next_sample + 10))
    fi
    round=$((round + 1))
    tab=$(((tab + 1) % 4))
    skin_click_tab "$tab"
    if [ $((round % 4)) -eq 0 ]; then
      post_to_program 16
      expect_windows "windows=1 visible=0"
      sleep 1
      tray_click 1 2
      expect_windows "windows=1 visible=1"
      skin_window_origin
    fi
    sleep 1
  done
  wait_log "$LOGS/program.log" "simulator script done" 60
  end_program "$LOGS/program.log" "$PID"
  # Everything the soak is for happened, more than once.
  [ "$(grep -c "the current mouse is gone" "$LOGS/program.log")" -ge 2 ]
  [ "$(grep -c "window hidden to the tray" "$LOGS/program.log")" -ge 2 ]
  [ "$(grep -c "tray double click: restore" "$LOGS/program.log")" -ge 2 ]
  reliability_soak_figures "$LOGS/resources.txt" | tee "$LOGS/figures.txt"
  [ "$(awk '$1 == "soak_samples:" { print $2 }' "$LOGS/figures.txt")" -ge 6 ]
  # Growth beyond what a measure moves by itself, with a margin of a few
  # objects (or a megabyte), is a leak.
  awk '
    { value[$1] = $2 }
    END {
      split("private_kb:1024 handle:5 gdi:5 user:2", limits, " ")
      for (i in limits) {
        split(limits[i], part, ":")
        growth = value["soak_" part[1] "_growth:"]; noise = value["soak_" part[1] "_noise:"]
        if (growth > noise + part[2]) { printf "[e2e] %s grew by %d (noise %d)\n", part[1], growth, noise; bad = 1 }
      }
      exit bad
    }' "$LOGS/figures.txt"
}
