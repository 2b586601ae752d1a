# Sourced by the Wine scripts: the private, headless prefix beside the build and how it is made.
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX=${WINEPREFIX:-$here/build/win32/wineprefix}
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export WINEARCH=win32
# The session's sound server (wine-session.sh), when it runs.
pulse_state="$WINEPREFIX/.pulse"

# Points the PulseAudio clients started from here at the session's sound server; false when there
# is none.
use_session_pulse() {
  local dir pid
  [ -f "$pulse_state" ] && read -r dir pid <"$pulse_state" && kill -0 "$pid" 2>/dev/null || return 1
  export PULSE_SERVER="unix:$dir/native" PULSE_CLIENTCONFIG="$dir/client.conf" PULSE_COOKIE="$dir/cookie"
}

# Creates the prefix unless it is there, and waits until its wineserver has gone: nothing else may
# use a prefix that is still being made.
ensure_wine_prefix() {
  mkdir -p "$WINEPREFIX"
  local lock
  exec {lock}>"$WINEPREFIX/.created.lock"
  flock "$lock"
  if [ ! -f "$WINEPREFIX/.created" ]; then
    wineboot -i >/dev/null 2>&1 || true
    # No window manager runs here: Wine draws the frames itself and does not wait for one to
    # withdraw a hidden window (two seconds each time).
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || true
    wineserver -w || true
    [ -f "$WINEPREFIX/system.reg" ] || { echo "wineboot made no prefix at $WINEPREFIX" >&2; return 1; }
    touch "$WINEPREFIX/.created"
  fi
  exec {lock}>&-
}

# Wine programs started after this take DPI dots per inch as the screen's (each reads the value when
# it starts; the registry, and so the value, is the whole prefix's). 96 is Windows' own default.
set_wine_dpi() {
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null
}
# Back to the prefix's default.
clear_wine_dpi() {
  wine reg delete 'HKCU\Control Panel\Desktop' /v LogPixels /f >/dev/null 2>&1 || true
}
