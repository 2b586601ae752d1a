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

scratch="$(mktemp -d)"
export WINEPREFIX="$scratch/wineprefix"
program_pid=""
# shellcheck source=screen-lib.sh
. "$repo/scripts/screen-lib.sh"
cleanup() {
  wineserver -k 2>/dev/null || true
  [ -n "$program_pid" ] && wait "$program_pid" 2>/dev/null || true
  stop_screen
  rm -rf "$scratch"
}
trap cleanup EXIT
start_screen

# A copy in a folder of its own: its settings file and log stay in the scratch folder.
mkdir -p "$scratch/app"
cp "$program" "$scratch/app/"
[ "$mode" = warning ] && "$repo/scripts/warning-settings.sh" "$scratch/app"
"$repo/scripts/wine-run.sh" "$scratch/app/QShutdown.exe" >"$scratch/program.log" 2>&1 &
program_pid=$!

wait_for_window "$title" 120 >/dev/null
if [ "$mode" = warning ]; then
  picture_warning "$out"
  # Ending within four seconds is the cancel: the shutdown would have come six seconds later.
  if program_ends_within 4; then
    echo "cancelled: the program ended before the shutdown was due"
  else
    echo "the program did not end after the cancel" >&2
  fi
else
  sleep 2 # let it paint
  import -window root "$out"
fi
echo "saved $out"
