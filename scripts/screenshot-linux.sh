#!/usr/bin/env bash
# scripts/screenshot-linux.sh OUT.png [warning|tray|options|about]: runs the built Linux program
# on a private Xvfb display with a throw-away HOME, waits for the main window, saves a picture of
# the screen, ends both.
# With "warning", a copy of the program starts with settings that activate a 10-second countdown
# and a 10-second warning (scripts/warning-settings.sh) against a mock logind on a private system
# bus; the picture shows the warning window, which is then cancelled with Esc.
# With "tray", trayer (an XEmbed tray) runs along the bottom edge; once the program's icon is in
# it, a right click opens the pop-up menu, the picture shows it, and Esc closes it.
# With "options" or "about", the menu's keys (Alt+T then O; Alt+H then A) open that dialog and the
# picture shows it over the main window.
# The program is taken from $QS_BUILD (a build folder), else build/linux.
set -euo pipefail
usage="usage: screenshot-linux.sh OUT.png [warning|tray|options|about]"
out="${1:?$usage}"
mode="${2:-main}"
case "$mode" in main | warning | tray | options | about) ;; *) echo "$usage" >&2; exit 2 ;; esac
repo="$(cd "$(dirname "$0")/.." && pwd)"
build="${QS_BUILD:-$repo/build/linux}"
program="$build/src/platform/linux/qshutdown"
title=":: Quorrel Shutdown 2.2 ::"
[ -x "$program" ] || { echo "no program at $program (build it, or set QS_BUILD)" >&2; exit 1; }
tools=(Xvfb xdotool xwininfo import)
[ "$mode" = tray ] && tools+=(trayer)
for tool in "${tools[@]}"; do
  command -v "$tool" >/dev/null || { echo "missing $tool" >&2; exit 1; }
done

scratch="$(mktemp -d)"
program_pid=""
bus_pid=""
mock_pid=""
trayer_pid=""
# shellcheck source=screen-lib.sh
. "$repo/scripts/screen-lib.sh"
cleanup() {
  [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null && wait "$program_pid" 2>/dev/null || true
  [ -n "$mock_pid" ] && kill "$mock_pid" 2>/dev/null || true
  [ -n "$trayer_pid" ] && kill "$trayer_pid" 2>/dev/null && wait "$trayer_pid" 2>/dev/null || true
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

if [ "$mode" = tray ]; then
  # A strip along the bottom edge with the icons at its right end, as a task bar has them.
  trayer --edge bottom --align right --height 32 >"$scratch/trayer.log" 2>&1 &
  trayer_pid=$!
  if ! timeout 10 xdotool search --sync --onlyvisible --pid "$trayer_pid" >/dev/null; then
    echo "trayer did not come up:" >&2
    cat "$scratch/trayer.log" >&2
    exit 1
  fi
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

main_window="$(wait_for_window "$title" 30)"
if [ "$mode" = options ]; then
  picture_dialog "$out" "$main_window" "Options" alt+t o
elif [ "$mode" = about ]; then
  picture_dialog "$out" "$main_window" "About" alt+h a
elif [ "$mode" = warning ]; then
  picture_warning "$out"
  if ! program_ends_within 5; then
    echo "the program did not end after the cancel" >&2
  elif grep -q PowerOff "$scratch/logind.calls" 2>/dev/null; then
    echo "the cancel came too late: logind was asked to power off" >&2
  else
    echo "cancelled: the program ended without asking logind to power off"
  fi
elif [ "$mode" = tray ]; then
  # The tray takes the icon's window into its own: the program's window whose parent is not the root.
  icon=""
  icon_place=""
  icon_settled() {
    local id place
    for id in $(xdotool search --onlyvisible --classname '^qshutdown$'); do
      xwininfo -id "$id" -children | grep -q '^ *Parent window id: .*(the root window)' && continue
      place="$(window_box "$id")"
      # The same place twice running: the tray has finished laying it out.
      [ "$id $place" = "$icon $icon_place" ] && return 0
      icon="$id"
      icon_place="$place"
      return 1
    done
    return 1
  }
  if ! wait_until 20 icon_settled; then
    echo "the icon did not appear in the tray; program output:" >&2
    cat "$scratch/program.log" >&2
    exit 1
  fi
  read -r x y w _ <<<"$icon_place"
  # Clicked just below its top edge: the menu opens upwards from the pointer and leaves the icon
  # in sight.
  picture_tray_menu "$out" $((x + w / 2)) $((y + 2)) qshutdown
else
  sleep 1 # let it paint
  import -window root "$out"
fi
echo "saved $out"
