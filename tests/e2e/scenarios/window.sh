# The skinned main window: its artwork inside its outline, page tabs that
# show and hide real controls, the function bar over the tab under the
# pointer, and skin keys of the language file.

SKIN_PNG="$HERE/../../res/png"
SKIN_INI=e2e-skin.ini

# The window and its children as the probe lists them (see e2e_tool children).
skin_children() { "$WINE" "$TOOL" children "$TITLE" 2>/dev/null | tr -d '\r'; }

# skin_window_origin: sets WX, WY to the window's place on the screen.
skin_window_origin() {
  local line
  line=$(skin_children | grep '^window ')
  [ -n "$line" ] || { e2e_log "no window to probe"; return 1; }
  read -r _ WX WY _ _ <<< "$line"
}

# skin_expect_controls SHOWN|HIDDEN ID...: each control is in that state.
skin_expect_controls() {
  local want=1 id state listing
  [ "$1" = HIDDEN ] && want=0
  shift
  listing=$(skin_children)
  for id in "$@"; do
    state=$(awk -v id="$id" '$1 == "child" && $2 == id { print $3 }' <<< "$listing")
    if [ "$state" != "$want" ]; then
      e2e_log "control $id: visible=${state:-missing}, expected $want"
      return 1
    fi
  done
}

# skin_point X Y: moves the pointer to a point of the window's client area.
skin_point() { xdotool mousemove $((WX + $1)) $((WY + $2)); }

# The pointer rests outside the window, so nothing is under it.
skin_pointer_away() { xdotool mousemove 1270 1010; }

# skin_shot NAME: a screenshot once the window has painted what it was asked to.
skin_shot() {
  sleep 0.4
  screenshot "$1"
  SHOT="$OUT/screens/$1.png"
  [ -s "$SHOT" ] || { e2e_log "no screenshot $1"; return 1; }
}

# skin_rgb X Y: "R G B" of the last shot at a point of the window's client area.
skin_rgb() {
  local x=$((WX + $1)) y=$((WY + $2))
  convert "$SHOT" -format "%[fx:int(255*p{$x,$y}.r+0.5)] %[fx:int(255*p{$x,$y}.g+0.5)] %[fx:int(255*p{$x,$y}.b+0.5)]" info:
}

# skin_background_rgb X Y: "R G B" of the background image at a point.
skin_background_rgb() {
  convert "$SKIN_PNG/132.png" -background black -flatten \
    -format "%[fx:int(255*p{$1,$2}.r+0.5)] %[fx:int(255*p{$1,$2}.g+0.5)] %[fx:int(255*p{$1,$2}.b+0.5)]" info:
}

# skin_patch_matches IMAGE IX IY W H X Y: the shot's W x H patch at (X, Y)
# of the client area shows part (IX, IY) of image IMAGE over the background,
# within a small tolerance. IMAGE 132 checks the bare background.
skin_patch_matches() {
  local image=$1 ix=$2 iy=$3 w=$4 h=$5 x=$6 y=$7 name differing
  name="$LOGS/patch-$image-$x-$y"
  convert "$SKIN_PNG/132.png" -crop "${w}x${h}+${x}+${y}" +repage \
    \( "$SKIN_PNG/$image.png" -crop "${w}x${h}+${ix}+${iy}" +repage \) -composite \
    -background black -flatten "$name-expected.png"
  convert "$SHOT" -crop "${w}x${h}+$((WX + x))+$((WY + y))" +repage "$name-shown.png"
  differing=$(compare -metric AE -fuzz 6% "$name-shown.png" "$name-expected.png" null: 2>&1 || true)
  # A few pixels may differ where GDI+ and ImageMagick round alpha apart.
  if ! awk -v d="$differing" -v n=$((w * h / 50)) 'BEGIN { exit !(d + 0 <= n) }'; then
    e2e_log "patch of image $image at ($x, $y): $differing of $((w * h)) pixels differ"
    return 1
  fi
}

skin_start() {
  start_program "$LOGS/program.log" /simulate "$@"
  PID=$PROGRAM_PID
  wait_log "$LOGS/program.log" "fade-in complete"
  # Tabs ignore clicks while the mouse's arrival keeps the window busy.
  wait_log "$LOGS/program.log" "device controls enabled"
  # The arrival ends after it has read the mouse's macros into the lists.
  wait_log "$LOGS/program.log" "button lists filled"
  skin_window_origin
  skin_pointer_away
}

# The tab centres, from the tab row at y 70: 167 wide, 168 apart.
skin_tab_x() { echo $((47 + 168 * $1 + 83)); }
SKIN_TAB_Y=86

skin_click_tab() {
  skin_point "$(skin_tab_x "$1")" "$SKIN_TAB_Y"
  xdotool click 1
  sleep 0.3
  skin_pointer_away
}

scenario_skinned_window_shows_its_artwork_inside_its_outline() {
  # Magenta behind the window shows wherever its outline leaves the screen alone.
  "$WINE" "$TOOL" backdrop 0 0 802 614 60 >/dev/null 2>&1 &
  sleep 1
  skin_start
  skin_children > "$LOGS/children.log"
  grep -q '^window [0-9]* [0-9]* 802 614$' "$LOGS/children.log"
  skin_shot artwork
  [ "$(skin_rgb 801 613)" = "255 0 255" ]
  [ "$(skin_rgb 0 613)" = "255 0 255" ]
  [ "$(skin_rgb 400 300)" != "255 0 255" ]
  # The current tab's left end, clear of its caption; the close button; a
  # stretch of the title strip that nothing paints over.
  skin_patch_matches 255 0 0 20 33 47 70
  skin_patch_matches 141 0 0 31 32 752 26
  skin_patch_matches 132 400 15 100 30 400 15
  end_program "$LOGS/program.log" "$PID"
}

scenario_tabs_show_their_pages_controls_and_hide_the_others() {
  local lists=(1004 1005 1006 1007 1008 1009 1010 1011 1012 1013 1029 1030)
  local levels=(1000 1016 1017 1026 1027 1028)
  local macros=(1001 1022 1024 1025)
  skin_start
  skin_expect_controls SHOWN "${lists[@]}"
  skin_expect_controls HIDDEN "${levels[@]}" "${macros[@]}" 1018 1019

  skin_click_tab 1
  skin_expect_controls SHOWN "${levels[@]}"
  # Enable stays hidden: it would cover the version label.
  skin_expect_controls HIDDEN "${lists[@]}" "${macros[@]}" 1002
  skin_shot page-1
  skin_patch_matches 256 0 0 20 33 215 70
  skin_patch_matches 132 47 70 20 33 47 70
  # The version label is drawn there, and nothing covers it.
  if skin_patch_matches 132 638 562 60 16 638 562; then e2e_log "no version label on page 1"; return 1; fi

  skin_click_tab 2
  skin_expect_controls SHOWN "${macros[@]}"
  skin_expect_controls HIDDEN "${lists[@]}" "${levels[@]}"
  skin_shot page-2
  skin_patch_matches 254 0 0 20 33 383 70
  skin_patch_matches 132 215 70 20 33 215 70

  skin_click_tab 0
  skin_expect_controls SHOWN "${lists[@]}"
  skin_expect_controls HIDDEN "${levels[@]}" "${macros[@]}"
  end_program "$LOGS/program.log" "$PID"
}

scenario_language_file_recolours_the_function_bar_and_renames_export() {
  local ini
  ini="$(dirname "$EXE")/$SKIN_INI"
  printf '[MISC]\r\nfunction_bar_color=16711680\r\n[BUTTON 3]\r\nstr=Send\r\n' > "$ini"
  "$WINE" reg add 'HKLM\SOFTWARE\Wendral Mouse' /v Language /t REG_SZ /d "$SKIN_INI" /f >/dev/null 2>&1
  skin_start
  rm -f "$ini"
  skin_children > "$LOGS/children.log"
  grep -q '^child 1024 [01] 675 466 100 30 Send$' "$LOGS/children.log"

  # Over the macro tab the bar adds red and nothing else to the background.
  skin_point "$(skin_tab_x 2)" 100
  skin_shot bar-over-tab-2
  local r g b br bg bb
  read -r r g b <<< "$(skin_rgb 390 75)"
  read -r br bg bb <<< "$(skin_background_rgb 390 75)"
  e2e_log "function bar $r $g $b over background $br $bg $bb"
  [ "$r" -ge $((br + 30)) ]
  [ "$g" -le $((bg + 3)) ]
  [ "$b" -le $((bb + 3)) ]

  # Never over the current tab; gone from a tab the pointer left.
  skin_point "$(skin_tab_x 0)" 100
  skin_shot bar-over-current-tab
  skin_patch_matches 255 0 0 20 33 47 70
  skin_patch_matches 132 383 70 20 33 383 70
  end_program "$LOGS/program.log" "$PID"
}
