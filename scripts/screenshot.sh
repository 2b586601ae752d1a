#!/usr/bin/env bash
# scripts/screenshot.sh linux|win32 OUT.png [warning]: starts the built program under Xvfb (Wine for win32),
# waits for the main window, saves a picture of the screen and ends the program.
set -euo pipefail
case "${1:-}" in
  linux|win32) exec "$(dirname "$0")/screenshot-$1.sh" "${2:?usage: screenshot.sh linux|win32 OUT.png [warning]}" "${@:3}" ;;
  *) echo "usage: screenshot.sh linux|win32 OUT.png [warning]" >&2; exit 2 ;;
esac
