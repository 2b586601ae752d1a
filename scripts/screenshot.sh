#!/usr/bin/env bash
# scripts/screenshot.sh linux|win32 OUT.png [warning|tray|options|about]: starts the built program under Xvfb (Wine
# for win32), waits for the main window, saves a picture of the screen and ends the program.
# "warning" shows the warning window of a countdown; "tray" the icon in a tray (trayer on Linux, a
# Wine desktop's taskbar for win32) with its pop-up menu open; "options" and "about" that dialog,
# opened through the menu keys. For win32, QS_DPI=120 (or 144...) takes the picture on a screen of that
# many dots per inch.
set -euo pipefail
usage="usage: screenshot.sh linux|win32 OUT.png [warning|tray|options|about]"
case "${1:-}" in
  linux|win32) exec "$(dirname "$0")/screenshot-$1.sh" "${2:?$usage}" "${@:3}" ;;
  *) echo "$usage" >&2; exit 2 ;;
esac
