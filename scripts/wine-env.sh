# Sourced by the Wine scripts: the private, headless prefix beside the build and how it is made.
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX=${WINEPREFIX:-$here/build/win32/wineprefix}
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export WINEARCH=win32

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
