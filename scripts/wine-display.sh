#!/usr/bin/env bash
# scripts/wine-display.sh start|stop: one Xvfb display for a whole test run under Wine.
# All Wine programs of a prefix share one wineserver and one desktop; were each test to bring its
# own display, the desktop would go down with the first test that ends and take windows of the
# others with it. ctest starts this before the Windows tests and stops it after them;
# wine-run.sh picks the display up from the prefix.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
export WINEPREFIX=${WINEPREFIX:-$here/build/win32/wineprefix}
state="$WINEPREFIX/.display"
mkdir -p "$WINEPREFIX"

stop() {
  if [ -f "$state" ]; then
    read -r _ pid <"$state" || true
    WINEDEBUG=-all wineserver -k 2>/dev/null || true # every Wine program of the prefix first
    [ -n "${pid:-}" ] && kill "$pid" 2>/dev/null || true
    rm -f "$state"
  fi
}

case "${1:-}" in
  start)
    stop # a display left over from a run that was cut short
    command -v Xvfb >/dev/null || { echo "no Xvfb: the Windows tests run without a display" >&2; exit 0; }
    ready="$(mktemp)"
    # -displayfd picks a free display number and reports it once the server takes clients.
    setsid Xvfb -displayfd 3 -nolisten tcp -screen 0 1024x768x24 3>"$ready" </dev/null >/dev/null 2>&1 &
    pid=$!
    for _ in $(seq 100); do [ -s "$ready" ] && break; sleep 0.1; done
    display="$(head -n1 "$ready")"
    rm -f "$ready"
    [ -n "$display" ] || { kill "$pid" 2>/dev/null; echo "Xvfb did not start" >&2; exit 1; }
    echo "$display $pid" >"$state"
    echo "Windows tests use display :$display"
    ;;
  stop) stop ;;
  *) echo "usage: wine-display.sh start|stop" >&2; exit 2 ;;
esac
