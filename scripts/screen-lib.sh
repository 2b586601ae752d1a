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

# wait_for_window TITLE SECONDS: prints the window's id; fails with the program's output.
wait_for_window() {
  local found
  if ! found="$(timeout "$2" xdotool search --sync --onlyvisible --name "$1" | head -n1)" || [ -z "$found" ]; then
    echo "the window \"$1\" did not appear; program output:" >&2
    cat "$scratch/program.log" >&2
    return 1
  fi
  echo "$found"
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

# program_ends_within SECONDS: true when the program has ended by then.
program_ends_within() {
  for _ in $(seq $(($1 * 10))); do kill -0 "$program_pid" 2>/dev/null || return 0; sleep 0.1; done
  ! kill -0 "$program_pid" 2>/dev/null
}
