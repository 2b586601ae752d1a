#!/usr/bin/env bash
# scripts/screenshot-win32.sh OUT.png [warning]: runs a copy of the built QShutdown.exe under Wine
# on a private Xvfb display, waits for the main window, saves a picture of the screen, ends both.
# With "warning", the copy starts with settings that activate a 10-second countdown and a
# 10-second warning (scripts/warning-settings.sh); the picture shows the warning window, whose
# Cancel button is then pressed, so no shutdown is asked for.
# The program is taken from $QS_BUILD (a build folder), else build/win32.
set -euo pipefail
out="${1:?usage: screenshot-win32.sh OUT.png [warning]}"
mode="${2:-main}"
repo="$(cd "$(dirname "$0")/.." && pwd)"
build="${QS_BUILD:-$repo/build/win32}"
program="$build/src/platform/win32/QShutdown.exe"
title=":: Quorrel Shutdown 2.2 ::"
[ -f "$program" ] || { echo "no program at $program (build it, or set QS_BUILD)" >&2; exit 1; }
for tool in Xvfb xdotool import wine; do
  command -v "$tool" >/dev/null || { echo "missing $tool" >&2; exit 1; }
done

display=94
while [ -e "/tmp/.X$display-lock" ] || [ -e "/tmp/.X11-unix/X$display" ]; do display=$((display + 1)); done

scratch="$(mktemp -d)"
export WINEPREFIX="$scratch/wineprefix"
xvfb_pid=""
program_pid=""
cleanup() {
  wineserver -k 2>/dev/null || true
  [ -n "$program_pid" ] && wait "$program_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null || true
  rm -rf "$scratch"
}
trap cleanup EXIT

Xvfb ":$display" -screen 0 1024x768x24 -nolisten tcp >"$scratch/xvfb.log" 2>&1 &
xvfb_pid=$!
export DISPLAY=":$display"
for _ in $(seq 50); do
  xdotool getdisplaygeometry >/dev/null 2>&1 && break
  sleep 0.1
done

# A copy in a folder of its own: its settings file and log stay in the scratch folder.
mkdir -p "$scratch/app"
cp "$program" "$scratch/app/"
[ "$mode" = warning ] && "$repo/scripts/warning-settings.sh" "$scratch/app"
"$repo/scripts/wine-run.sh" "$scratch/app/QShutdown.exe" >"$scratch/program.log" 2>&1 &
program_pid=$!

if ! timeout 120 xdotool search --sync --onlyvisible --name "$title" >/dev/null; then
  echo "the window \"$title\" did not appear; program output:" >&2
  cat "$scratch/program.log" >&2
  exit 1
fi
if [ "$mode" = warning ]; then
  if ! warning="$(timeout 30 xdotool search --sync --onlyvisible --name "Warning!" | head -n1)"; then
    echo "the warning window did not appear; program output:" >&2
    cat "$scratch/program.log" >&2
    exit 1
  fi
  sleep 2 # two seconds into the warning
  import -window root "$out"
  xdotool windowfocus --sync "$warning" key Escape 2>/dev/null || true
  sleep 1
  xdotool key Return 2>/dev/null || true # the cancel message's OK
  # Ending within four seconds is the cancel: the shutdown would have come six seconds later.
  for _ in $(seq 40); do kill -0 "$program_pid" 2>/dev/null || break; sleep 0.1; done
  if kill -0 "$program_pid" 2>/dev/null; then
    echo "the program did not end after the cancel" >&2
  else
    echo "cancelled: the program ended before the shutdown was due"
  fi
else
  sleep 2 # let it paint
  import -window root "$out"
fi
echo "saved $out"
