#!/usr/bin/env bash
# scripts/warning-settings.sh DIR: writes DIR/settings.vrk for a demonstration of the warning window:
# Shutdown after a 10-second countdown, a 10-second warning, activated on start-up, no update check.
set -euo pipefail
dir="${1:?usage: warning-settings.sh DIR}"
lines=(True False False False False False False False # the action: Shutdown
       0 0 0 0 1          # forced, file before, file after waking, alarm sound, beeps
       0 0 1 1 0 0        # with Windows, minimised, activate on start-up, balloons, close exits, updates
       10 2000            # warning time, beep frequency
       "Select File..." "Select File..." "Type your Message text here" "Select File..."
       10 2 2             # 10 of unit Seconds in run mode Countdown
       0 0 0 0 0 0 0      # week days
       "12:00:00 AM")
printf '%s\r\n' "${lines[@]}" >"$dir/settings.vrk"
