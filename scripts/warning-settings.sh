#!/usr/bin/env bash
# scripts/warning-settings.sh DIR [PERIOD UNIT]: writes DIR/settings.vrk for a demonstration of the
# warning window: Shutdown after a countdown of PERIOD (10) in UNIT (0 hours, 1 minutes, 2 seconds:
# the default), a 10-second warning, activated on start-up, no update check.
set -euo pipefail
dir="${1:?usage: warning-settings.sh DIR [PERIOD UNIT]}"
period="${2:-10}"
unit="${3:-2}"
lines=(True False False False False False False False # the action: Shutdown
       0 0 0 0 1          # forced, file before, file after waking, alarm sound, beeps
       0 0 1 1 0 0        # with Windows, minimised, activate on start-up, balloons, close exits, updates
       10 2000            # warning time, beep frequency
       "Select File..." "Select File..." "Type your Message text here" "Select File..."
       "$period" "$unit" 2 # the countdown's length and unit, run mode Countdown
       0 0 0 0 0 0 0      # week days
       "12:00:00 AM")
printf '%s\r\n' "${lines[@]}" >"$dir/settings.vrk"
