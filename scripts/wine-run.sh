#!/usr/bin/env bash
# Runs a Windows program under Wine in a private, headless prefix beside the build.
# Used by ctest as the cross-compiling emulator. Without a DISPLAY the program takes the test run's
# display (wine-session.sh), or else a private Xvfb for its run, so it can open windows.
set -e
. "$(dirname "$0")/wine-env.sh"
# Under ctest the session fixture has made the prefix already; run alone, the first use makes it.
ensure_wine_prefix
use_session_pulse || true
if [ -z "${DISPLAY:-}" ] && [ -f "$WINEPREFIX/.display" ]; then
  read -r display xvfb_pid <"$WINEPREFIX/.display" || true
  if [ -n "${xvfb_pid:-}" ] && kill -0 "$xvfb_pid" 2>/dev/null; then
    export DISPLAY=":$display"
  fi
fi
if [ -n "${DISPLAY:-}" ] || ! command -v Xvfb >/dev/null 2>&1; then
  exec wine "$@"
fi

# -displayfd picks a free display number (safe when ctest runs several at once) and reports it
# once the server accepts clients.
exec {ready}< <(exec Xvfb -displayfd 1 -nolisten tcp -screen 0 1024x768x24 2>/dev/null)
xvfb_pid=$!
stop_xvfb() { kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null || true; }
trap stop_xvfb EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
if read -r -t 20 display <&"$ready" && [ -n "$display" ]; then
  export DISPLAY=":$display"
fi
exec {ready}<&-
status=0
wine "$@" || status=$?
exit "$status"
