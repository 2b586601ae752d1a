# Sourced by the screenshot scripts: a private Xvfb display and the steps of taking a picture.
# The caller sets $scratch (a folder) and $program_pid once the program runs.

# Starts Xvfb on a free display and exports DISPLAY; sets xvfb_pid.
start_screen() {
  local display=94
  while [ -e "/tmp/.X$display-lock" ] || [ -e "/tmp/.X11-unix/X$display" ]; do display=$((display + 1)); done
  Xvfb ":$display" -screen 0 1024x768x24 -nolisten tcp >"$scratch/xvfb.log" 2>&1 &
  xvfb_pid=$!
  export DISPLAY=":$display"
  for _ in $(seq 50); do
    xdotool getdisplaygeometry >/dev/null 2>&1 && break
    sleep 0.1
  done
}

stop_screen() {
  [ -n "${xvfb_pid:-}" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null || true
}

# wait_until SECONDS COMMAND...: runs COMMAND every tenth of a second until it succeeds; false
# when it has not by then.
wait_until() {
  local deadline=$((SECONDS + $1))
  shift
  until "$@"; do
    [ "$SECONDS" -lt "$deadline" ] || return 1
    sleep 0.1
  done
}

# wait_for_window TITLE SECONDS: prints the window's id; fails with the program's output.
# Asked again and again rather than with "search --sync": xdotool dies of a BadWindow error when a
# window goes away while it looks at it, as some of Wine's do while a program starts.
wait_for_window() {
  window_title="$1"
  if ! wait_until "$2" window_found; then
    echo "the window \"$1\" did not appear; program output:" >&2
    cat "$scratch/program.log" >&2
    return 1
  fi
  echo "$found_window"
}
window_found() {
  found_window="$(xdotool search --onlyvisible --name "$window_title" 2>/dev/null | head -n1)" && [ -n "$found_window" ]
}

# picture_warning OUT: two seconds into the warning, a picture; then Esc cancels it and Enter
# answers the message that follows.
picture_warning() {
  local warning
  warning="$(wait_for_window "Warning!" 30)" || return 1
  sleep 2
  import -window root "$1"
  xdotool windowfocus --sync "$warning" key Escape 2>/dev/null || true
  sleep 1
  xdotool key Return 2>/dev/null || true
}

# picture_dialog OUT WINDOW TITLE KEYS...: the keys, typed into WINDOW, open the dialog called
# TITLE; once it is up and painted, a picture of the screen, then Esc closes the dialog.
picture_dialog() {
  local out="$1" window="$2" title="$3" dialog
  shift 3
  xdotool windowactivate --sync "$window" 2>/dev/null || xdotool windowfocus --sync "$window"
  for key in "$@"; do
    xdotool key --window "$window" "$key"
    sleep 0.3 # the menu opens before the next key
  done
  dialog="$(wait_for_window "^$title\$" 30)" || return 1
  sleep 1 # let it paint
  import -window root "$out"
  xdotool windowfocus --sync "$dialog" key Escape 2>/dev/null || true
}

# program_ends_within SECONDS: true when the program has ended by then.
program_ends_within() {
  for _ in $(seq $(($1 * 10))); do kill -0 "$program_pid" 2>/dev/null || return 0; sleep 0.1; done
  ! kill -0 "$program_pid" 2>/dev/null
}

# window_box ID: the window's place on the screen and its size, "X Y WIDTH HEIGHT".
window_box() {
  xwininfo -id "$1" | awk '/Absolute upper-left X:/ {x = $NF} /Absolute upper-left Y:/ {y = $NF}
    /Width:/ {w = $NF} /Height:/ {h = $NF} END {print x, y, w, h}'
}

# The ids of the windows on the screen now, sorted. A search that a window going away cut short
# (see wait_for_window) is made again.
visible_windows() {
  local ids
  for _ in $(seq 10); do
    ids="$(xdotool search --onlyvisible --name '' 2>/dev/null)" && break
  done
  sort <<<"$ids"
}

# The windows that have come up since $windows_before was taken; those of the program's $classname.
new_windows() { comm -13 <(echo "$windows_before") <(visible_windows); }
new_program_windows() {
  comm -12 <(new_windows) <(xdotool search --onlyvisible --classname "^$classname\$" 2>/dev/null | sort)
}
menu_opened() { [ -n "$(new_program_windows)" ]; }
only_menu_new() { [ "$(new_windows)" = "$menu" ]; }
nothing_new() { [ -z "$(new_windows)" ]; }

# picture_tray_menu OUT X Y CLASSNAME: a right click on the tray icon at X,Y opens the program's
# pop-up menu, a new window of the program's CLASSNAME (WM_CLASS instance). The pointer then moves
# off the icon beside the menu, so that no tooltip of the icon covers the menu, and once nothing
# but the menu has come up since the click, a picture; then Esc closes the menu.
picture_tray_menu() {
  local out="$1" x y w h
  classname="$4"
  windows_before="$(visible_windows)"
  xdotool mousemove "$2" "$3" click 3
  if ! wait_until 10 menu_opened; then
    echo "no pop-up menu opened after the right click on the icon at $2,$3; program output:" >&2
    cat "$scratch/program.log" >&2
    return 1
  fi
  # Should a tooltip of the program's have come up too, the menu is the tallest.
  menu="$(for id in $(new_program_windows); do echo "$(window_box "$id" | cut -d' ' -f4) $id"; done |
    sort -n | tail -n1 | cut -d' ' -f2)"
  read -r x y w h < <(window_box "$menu")
  if [ "$x" -ge 40 ]; then x=$((x - 40)); else x=$((x + w + 40)); fi
  xdotool mousemove "$x" $((y + h / 2))
  wait_until 5 only_menu_new ||
    echo "besides the menu, windows still came up after the click: $(new_windows | tr '\n' ' ')" >&2
  import -window root "$out"
  xdotool key Escape
  if wait_until 5 nothing_new; then
    echo "Esc closed the menu"
  else
    echo "the menu was still open after Esc" >&2
  fi
}
