#!/usr/bin/env bash
# Runs a Windows program under Wine in a private, headless prefix beside the build.
# Used by ctest as the cross-compiling emulator. Without a DISPLAY the program takes the test run's
# display (wine-display.sh), or else a private Xvfb for its run, so it can open windows.
set -e
here=$(cd "$(dirname "$0")/.." && pwd)
export WINEPREFIX=${WINEPREFIX:-$here/build/win32/wineprefix}
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export WINEARCH=win32
# ctest starts several tests at once: only the first one creates the prefix, the others wait.
mkdir -p "$WINEPREFIX"
exec {prefix_lock}>"$WINEPREFIX/.created.lock"
flock "$prefix_lock"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  wineboot -i >/dev/null 2>&1 || true
  # No window manager runs here: Wine draws the frames itself and does not wait for one to
  # withdraw a hidden window (two seconds each time).
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || true
  wineserver -w || true
fi
exec {prefix_lock}>&-
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
