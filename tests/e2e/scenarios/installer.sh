# The installer puts the program, its language files, the language value, a
# Start menu shortcut and the start with Windows in place; the uninstaller
# takes every one of them away again and leaves only the user's library.
# Both run silently, as an administrator would run them.

SETUP="$BUILD/vantor-setup.exe"
INSTALLED_FILES=(Vantor3.exe english.ini deutsch.ini chinese-traditional.ini uninstall.exe)
SETTINGS_KEY='HKLM\SOFTWARE\Wendral Mouse'
RUN_KEY='HKLM\Software\Microsoft\Windows\CurrentVersion\Run'
UNINSTALL_KEY='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Wendral Mouse'
INSTALLED_EXE='C:\Program Files\Wendral Mouse\Vantor3.exe'

install_dir() { echo "$WINEPREFIX/drive_c/Program Files/Wendral Mouse"; }
shortcut() { echo "$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Vantor 3.lnk"; }
user_library() { echo "$WINEPREFIX/drive_c/users/$(id -un)/AppData/Roaming/Wendral Mouse/macro.dat"; }

# reg_value KEY NAME: the string value as the 64-bit registry view holds it,
# the view that the 64-bit program reads; fails when it is not there.
reg_value() {
  local line
  line=$("$WINE" reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | grep -F "    $2    REG_") || return 1
  sed -E 's/.*    REG_[A-Z_]+    //' <<<"$line"
}

expect_value() {  # expect_value KEY NAME WANTED
  local got
  got=$(reg_value "$1" "$2") || { e2e_log "no value $2 under $1"; return 1; }
  [ "$got" = "$3" ] || { e2e_log "$1 $2 is '$got', not '$3'"; return 1; }
}

expect_no_key() {
  if "$WINE" reg query "$1" >/dev/null 2>&1; then
    e2e_log "$1 is still there"
    return 1
  fi
}

run_setup() {  # run_setup ARGS...: the installer, silent; fails on a non-zero exit
  [ -f "$SETUP" ] || { e2e_log "no $SETUP: build it with scripts/installer.sh"; return 1; }
  VANTOR_LOG="$LOGS/setup.log" "$WINE" "$SETUP" /S "$@" >/dev/null 2>&1
}

expect_installed() {
  local file
  for file in "${INSTALLED_FILES[@]}"; do
    [ -f "$(install_dir)/$file" ] || { e2e_log "$file not installed"; return 1; }
  done
  cmp -s "$(install_dir)/Vantor3.exe" "$EXE" || { e2e_log "the installed program is not the build's"; return 1; }
  cmp -s "$(install_dir)/deutsch.ini" "$HERE/../../res/lang/deutsch.ini"
  strings -a "$(shortcut)" | grep -qxF "$INSTALLED_EXE" || { e2e_log "no shortcut to the program"; return 1; }
  expect_value "$UNINSTALL_KEY" DisplayName "Wendral Mouse"
  expect_value "$UNINSTALL_KEY" QuietUninstallString "\"C:\\Program Files\\Wendral Mouse\\uninstall.exe\" /S"
}

# The uninstaller hands its work to a copy of itself and returns at once:
# wait for that copy's last step, the removal of its Programs and Features entry.
run_uninstaller() {
  local i
  "$WINE" "$(install_dir)/uninstall.exe" /S >/dev/null 2>&1
  for i in $(seq 1 60); do
    "$WINE" reg query "$UNINSTALL_KEY" >/dev/null 2>&1 || return 0
    sleep 0.5
  done
  e2e_log "the uninstaller did not finish"
  return 1
}

# Nothing of the installer's is left: what stays in the program's folder is
# listed in LEFT_BESIDE_PROGRAM (empty: the folder itself is gone).
expect_uninstalled() {
  if [ -z "${LEFT_BESIDE_PROGRAM:-}" ]; then
    [ ! -e "$(install_dir)" ] || { e2e_log "left behind: $(ls -A "$(install_dir)")"; return 1; }
  else
    [ "$(ls -A "$(install_dir)")" = "$LEFT_BESIDE_PROGRAM" ] || { e2e_log "left behind: $(ls -A "$(install_dir)")"; return 1; }
  fi
  [ ! -e "$(shortcut)" ] || { e2e_log "the shortcut is still there"; return 1; }
  if reg_value "$RUN_KEY" "Wendral Mouse" >/dev/null; then e2e_log "the Run entry is still there"; return 1; fi
  expect_no_key "$SETTINGS_KEY"
  expect_no_key "$UNINSTALL_KEY"
}

scenario_installer_sets_up_german_and_autostart_and_the_library_moves_to_the_user() {
  run_setup /LANG=deutsch.ini
  expect_installed
  expect_value "$SETTINGS_KEY" Language deutsch.ini
  expect_value "$RUN_KEY" "Wendral Mouse" "\"$INSTALLED_EXE\" /hide"

  # A library left beside the program by an earlier version, in a folder that
  # refuses an ordinary user's writes: as root that takes dropping the right
  # to pass over file permissions.
  cat > "$LOGS/library.json" <<'JSON'
{
  "file": "library",
  "entries": [{"id": 1, "name": "kept macro", "commands": [{"bytes": "04"}, {"bytes": "83 04"}, {"bytes": "84 04"}]}],
  "devices": [{"key": 1513881601, "profileCount": 7, "currentProfile": 0}]
}
JSON
  "$NATIVE_TOOL" build "$LOGS/library.json" "$(install_dir)/macro.dat" >/dev/null
  chmod 555 "$(install_dir)"
  # Wine's server opens the files, so it starts afresh without that right.
  "$WINESERVER" -k 2>/dev/null || true
  "$WINESERVER" -w 2>/dev/null || true
  # The profile button selects the next profile, which saves the library.
  printf 'ready\nbuttons 0 0x8000\nwait 50\nbuttons 0 0\nwait 300\n' > "$LOGS/script.txt"
  VANTOR_SIM_SCRIPT="$LOGS/script.txt" VANTOR_LOG="$LOGS/program.log" \
    setpriv --bounding-set=-dac_override,-dac_read_search "$WINE" "$INSTALLED_EXE" /simulate /hide >/dev/null 2>&1 &
  local pid=$!
  wait_log "$LOGS/program.log" "simulator script done" 60
  grep -q 'language: deutsch.ini$' "$LOGS/program.log"
  grep -qF 'language file: C:\Program Files\Wendral Mouse\deutsch.ini' "$LOGS/program.log"
  grep 'texts loaded' "$LOGS/program.log" | grep -q '"Beenden"'
  grep -qF 'library: program folder not writable; read from C:\Program Files\Wendral Mouse\macro.dat' "$LOGS/program.log"
  grep -q 'library: 0 ' "$LOGS/program.log"
  [ -f "$(user_library)" ] || { e2e_log "no library in the user's folder"; return 1; }
  "$NATIVE_TOOL" show "$(user_library)" > "$LOGS/user-library.json"
  grep -q '"kept macro"' "$LOGS/user-library.json"
  grep -q '"currentProfile": 1' "$LOGS/user-library.json"
  chmod 755 "$(install_dir)"

  # The uninstaller ends the running copy first.
  run_uninstaller
  wait_exit "$pid" 20
  grep -q 'close signal$' "$LOGS/program.log"
  LEFT_BESIDE_PROGRAM=macro.dat expect_uninstalled
  [ -f "$(user_library)" ] || { e2e_log "the uninstaller took the user's library"; return 1; }
}

scenario_installer_refuses_unknown_language_and_reinstall_closes_running_copy() {
  local code=0
  run_setup /LANG=klingon.ini || code=$?
  [ "$code" -eq 2 ] || { e2e_log "an unknown language file gave exit code $code"; return 1; }
  [ ! -e "$(install_dir)" ] || { e2e_log "installed despite the unknown language"; return 1; }

  run_setup /LANG=chinese-traditional.ini /AUTOSTART=no
  expect_installed
  expect_value "$SETTINGS_KEY" Language chinese-traditional.ini
  if reg_value "$RUN_KEY" "Wendral Mouse" >/dev/null; then e2e_log "a Run entry without autostart"; return 1; fi

  EXE="$(install_dir)/Vantor3.exe" start_program "$LOGS/installed.log" /simulate /hide
  local pid=$PROGRAM_PID
  wait_log "$LOGS/installed.log" "main window ready"
  grep -q 'language: chinese-traditional.ini$' "$LOGS/installed.log"

  # Again without /LANG: the earlier language stays, the running copy ends.
  run_setup /AUTOSTART=yes
  wait_exit "$pid" 20
  grep -q 'close signal$' "$LOGS/installed.log"
  expect_value "$SETTINGS_KEY" Language chinese-traditional.ini
  expect_value "$RUN_KEY" "Wendral Mouse" "\"$INSTALLED_EXE\" /hide"

  run_uninstaller
  LEFT_BESIDE_PROGRAM= expect_uninstalled
}
