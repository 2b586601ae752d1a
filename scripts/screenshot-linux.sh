#!/usr/bin/env bash
# scripts/screenshot-linux.sh OUT.png [warning]: runs the built Linux program on a private Xvfb
# display with a throw-away HOME, waits for the main window, saves a picture of the screen, ends both.
# With "warning", a copy of the program starts with settings that activate a 10-second countdown
# and a 10-second warning (scripts/warning-settings.sh) against a mock logind on a private system
# bus; the picture shows the warning window, which is then cancelled with Esc.
# The program is taken from $QS_BUILD (a build folder), else build/linux.
set -euo pipefail
out="${1:?usage: screenshot-linux.sh OUT.png [warning]}"
mode="${2:-main}"
repo="$(cd "$(dirname "$0")/.." && pwd)"
build="${QS_BUILD:-$repo/build/linux}"
program="$build/src/platform/linux/qshutdown"
title=":: Quorrel Shutdown 2.2 ::"
[ -x "$program" ] || { echo "no program at $program (build it, or set QS_BUILD)" >&2; exit 1; }
for tool in Xvfb xdotool import; do
  command -v "$tool" >/dev/null || { echo "missing $tool" >&2; exit 1; }
done

scratch="$(mktemp -d)"
program_pid=""
bus_pid=""
mock_pid=""
# shellcheck source=screen-lib.sh
. "$repo/scripts/screen-lib.sh"
cleanup() {
  [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null && wait "$program_pid" 2>/dev/null || true
  [ -n "$mock_pid" ] && kill "$mock_pid" 2>/dev/null || true
  [ -n "$bus_pid" ] && kill "$bus_pid" 2>/dev/null || true
  stop_screen
  rm -rf "$scratch"
}
trap cleanup EXIT
start_screen

system_bus="${DBUS_SYSTEM_BUS_ADDRESS:-}"
if [ "$mode" = warning ]; then
  # A harmless logind: the shutdown, should the cancel miss, goes to the mock.
  dbus-daemon --session --nofork --nopidfile --print-address=3 3>"$scratch/bus" >/dev/null 2>&1 &
  bus_pid=$!
  for _ in $(seq 50); do [ -s "$scratch/bus" ] && break; sleep 0.1; done
  system_bus="$(head -n1 "$scratch/bus")"
  DBUS_SYSTEM_BUS_ADDRESS="$system_bus" /usr/bin/python3 -m dbusmock --system --template logind \
    --logfile "$scratch/logind.calls" >/dev/null 2>&1 &
  mock_pid=$!
  sleep 1
  mkdir -p "$scratch/app"
  cp "$program" "$scratch/app/"
  program="$scratch/app/$(basename "$program")"
  "$repo/scripts/warning-settings.sh" "$scratch/app"
fi

# Nothing of the user's: settings, autostart entry, lock file and session bus are all private.
mkdir -p "$scratch/home" "$scratch/config" "$scratch/runtime"
chmod 700 "$scratch/runtime"
(
  cd "$scratch/home"
  exec \
  env -u DBUS_SESSION_BUS_ADDRESS -u XDG_SESSION_ID DBUS_SYSTEM_BUS_ADDRESS="$system_bus" HOME="$scratch/home" XDG_CONFIG_HOME="$scratch/config" \
    XDG_RUNTIME_DIR="$scratch/runtime" QT_QPA_PLATFORM=xcb "$program"
) >"$scratch/program.log" 2>&1 &
program_pid=$!

wait_for_window "$title" 30 >/dev/null
if [ "$mode" = warning ]; then
  picture_warning "$out"
  if ! program_ends_within 5; then
    echo "the program did not end after the cancel" >&2
  elif grep -q PowerOff "$scratch/logind.calls" 2>/dev/null; then
    echo "the cancel came too late: logind was asked to power off" >&2
  else
    echo "cancelled: the program ended without asking logind to power off"
  fi
else
  sleep 1 # let it paint
  import -window root "$out"
fi
echo "saved $out"
