#!/usr/bin/env bash
# scripts/screenshot-win32.sh OUT.png [warning|tray]: runs a copy of the built QShutdown.exe under
# Wine on a private Xvfb display, waits for the main window, saves a picture of the screen, ends both.
# With "warning", the copy starts with settings that activate a 10-second countdown and a
# 10-second warning (scripts/warning-settings.sh); the picture shows the warning window, whose
# Cancel button is then pressed, so no shutdown is asked for.
# With "tray", the program runs on a Wine desktop as large as the screen with a taskbar; once its
# icon is in the taskbar's notification area, a right click opens the pop-up menu, the picture
# shows it, and Esc closes it.
# With "options" or "about", the menu's keys (Alt+T then O; Alt+H then A) open that dialog and the
# picture shows it over the main window.
# The program is taken from $QS_BUILD (a build folder), else build/win32. With $QS_DPI set (120, 144...),
# Wine gives the program a screen of that many dots per inch.
set -euo pipefail
usage="usage: screenshot-win32.sh OUT.png [warning|tray|options|about]"
out="${1:?$usage}"
mode="${2:-main}"
case "$mode" in main | warning | tray | options | about) ;; *) echo "$usage" >&2; exit 2 ;; esac
repo="$(cd "$(dirname "$0")/.." && pwd)"
build="${QS_BUILD:-$repo/build/win32}"
program="$build/src/platform/win32/QShutdown.exe"
title=":: Quorrel Shutdown 2.2 ::"
[ -f "$program" ] || { echo "no program at $program (build it, or set QS_BUILD)" >&2; exit 1; }
for tool in Xvfb xdotool xwininfo import convert wine; do
  command -v "$tool" >/dev/null || { echo "missing $tool" >&2; exit 1; }
done

scratch="$(mktemp -d)"
export WINEPREFIX="$scratch/wineprefix"
program_pid=""
# shellcheck source=wine-env.sh
. "$repo/scripts/wine-env.sh"
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
if [ -n "${QS_DPI:-}" ]; then
  ensure_wine_prefix
  set_wine_dpi "$QS_DPI"
fi

desktop="Screenshot"
if [ "$mode" = tray ]; then
  # Every program of the prefix runs on one Wine desktop whose explorer shows a taskbar. The
  # desktop becomes the default last: any Wine program started after that would make it at once,
  # with what it finds of its size and shell then.
  ensure_wine_prefix
  wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v "$desktop" /d "$(xdotool getdisplaygeometry | tr ' ' x)" /f >/dev/null
  wine reg add "HKCU\\Software\\Wine\\Explorer\\Desktops\\$desktop" /v EnableShell /t REG_DWORD /d 1 /f >/dev/null
  wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d "$desktop" /f >/dev/null
  wineserver -w
fi

# A copy in a folder of its own: its settings file and log stay in the scratch folder.
mkdir -p "$scratch/app"
cp "$program" "$scratch/app/"
[ "$mode" = warning ] && "$repo/scripts/warning-settings.sh" "$scratch/app"
"$repo/scripts/wine-run.sh" "$scratch/app/QShutdown.exe" >"$scratch/program.log" 2>&1 &
program_pid=$!

main_window="$(wait_for_window "$title" 120)"
if [ "$mode" = options ]; then
  picture_dialog "$out" "$main_window" "Options" alt+t o
elif [ "$mode" = about ]; then
  picture_dialog "$out" "$main_window" "About" alt+h a
elif [ "$mode" = warning ]; then
  picture_warning "$out"
  # Ending within four seconds is the cancel: the shutdown would have come six seconds later.
  if program_ends_within 4; then
    echo "cancelled: the program ended before the shutdown was due"
  else
    echo "the program did not end after the cancel" >&2
  fi
elif [ "$mode" = tray ]; then
  # The taskbar: the explorer's window as wide as the desktop along its bottom edge. Wine draws the
  # tray icons inside it (they have no X windows of their own), the first one in a square as high
  # as the taskbar at its right end; that square stops being plain when the icon is drawn.
  screen_box="$(window_box "$(xdotool search --onlyvisible --name "^$desktop - Wine desktop\$" | head -n1)")"
  read -r _ _ screen_w screen_h <<<"$screen_box"
  taskbar=""
  icon_drawn() {
    local id x y w h
    if [ -z "$taskbar" ]; then
      for id in $(xdotool search --onlyvisible --classname '^explorer\.exe$'); do
        read -r x y w h < <(window_box "$id")
        [ "$w" = "$screen_w" ] && [ $((y + h)) = "$screen_h" ] && [ "$h" -lt "$screen_h" ] && taskbar="$x $y $w $h"
      done
      [ -n "$taskbar" ] || return 1
    fi
    read -r x y w h <<<"$taskbar"
    [ "$(import -window root -crop "${h}x$h+$((x + w - h))+$y" +repage png:- | convert png:- -format %k info:)" -gt 1 ]
  }
  if ! wait_until 30 icon_drawn; then
    echo "the icon did not appear in the taskbar (${taskbar:-no taskbar found}); program output:" >&2
    cat "$scratch/program.log" >&2
    exit 1
  fi
  read -r x y w h <<<"$taskbar"
  picture_tray_menu "$out" $((x + w - h / 2)) $((y + h / 2)) qshutdown.exe
else
  sleep 2 # let it paint
  import -window root "$out"
fi
echo "saved $out"
