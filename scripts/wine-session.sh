#!/usr/bin/env bash
# scripts/wine-session.sh start|stop: one Wine prefix, one wineserver and one Xvfb display for a
# whole test run under Wine. ctest runs "start" as a fixture before any Windows test and "stop"
# after the last one; wine-run.sh picks the display up from the prefix.
# The prefix is made before any test starts, and its wineserver runs from start to stop: a server
# that goes down between two tests (by default it stays 3 s after its last client) races with the
# next test connecting to it ("cannot connect", "connection reset by peer"). All Wine programs of a
# prefix share one desktop, so they share one display too. A PulseAudio server of the session's own
# with a null sink gives Wine's DirectSound a device to play into, never the machine's sound server.
set -euo pipefail
. "$(dirname "$0")/wine-env.sh"
state="$WINEPREFIX/.display"

stop() {
  wineserver -k 2>/dev/null || true # every Wine program of the prefix first
  wineserver -w 2>/dev/null || true
  if [ -f "$state" ]; then
    read -r _ pid <"$state" || true
    [ -n "${pid:-}" ] && kill "$pid" 2>/dev/null || true
    rm -f "$state"
  fi
  if [ -f "$pulse_state" ]; then
    read -r dir pid <"$pulse_state" || true
    [ -n "${pid:-}" ] && kill "$pid" 2>/dev/null || true
    [ -n "${dir:-}" ] && rm -rf "$dir"
    rm -f "$pulse_state"
  fi
}

# Starts the sound server and waits (bounded) until it answers; the tests that need sound fail
# without it, the others do not care.
start_pulse() {
  command -v pulseaudio >/dev/null && command -v pactl >/dev/null ||
    { echo "no pulseaudio or pactl: Wine has no sound device" >&2; return 0; }
  local dir pid
  dir="$(mktemp -d)"
  printf 'autospawn = no\n' >"$dir/client.conf"
  # The server's own files (cookie, state, runtime) stay in its folder.
  HOME="$dir" XDG_CONFIG_HOME="$dir/config" XDG_RUNTIME_DIR="$dir" PULSE_STATE_PATH="$dir/state" \
    PULSE_RUNTIME_PATH="$dir/runtime" PULSE_CLIENTCONFIG="$dir/client.conf" \
    setsid pulseaudio --daemonize=no -n --exit-idle-time=-1 --use-pid-file=no --realtime=no --disable-shm=yes \
    --high-priority=no --log-level=error "--load=module-native-protocol-unix auth-anonymous=1 socket=$dir/native" \
    "--load=module-null-sink sink_name=wine_tests" </dev/null >/dev/null 2>&1 &
  pid=$!
  echo "$dir $pid" >"$pulse_state"
  for _ in $(seq 100); do
    (use_session_pulse && pactl info >/dev/null 2>&1) && return 0
    sleep 0.1
  done
  echo "pulseaudio did not answer within 10 seconds" >&2
}

case "${1:-}" in
  start)
    stop # a session left over from a run that was cut short
    ensure_wine_prefix
    # Persistent until "stop"; returns once it takes clients. Its output must not hold ctest's pipe.
    wineserver -p </dev/null >/dev/null 2>&1
    # Wine's own services (services.exe, plugplay, ...) run as long as the server: started here,
    # they hold no test's output open, so ctest sees each test end when its program ends.
    wineboot </dev/null >/dev/null 2>&1
    clear_wine_dpi # a dpi that a run cut short left set
    start_pulse
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
    echo "Windows tests use prefix $WINEPREFIX and display :$display"
    ;;
  stop) stop ;;
  *) echo "usage: wine-session.sh start|stop" >&2; exit 2 ;;
esac
