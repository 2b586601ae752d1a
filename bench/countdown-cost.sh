#!/usr/bin/env bash
# bench/countdown-cost.sh [SECONDS]: what a pending countdown costs. Starts the built Linux program
# and KShutdown (Debian's kshutdown) side by side on one private Xvfb display, each counting down
# an hour with its window shown, then reads from /proc the processor time each used over SECONDS
# (60) and its resident and proportional memory. Both talk to a mock logind on a private system
# bus, so nothing here can switch the machine off. Run by hand; needs kshutdown installed.
set -euo pipefail
seconds="${1:-60}"
repo="$(cd "$(dirname "$0")/.." && pwd)"
program="${QS_BUILD:-$repo/build/linux}/src/platform/linux/qshutdown"
[ -x "$program" ] || { echo "build the Linux program first (cmake --build --preset linux)" >&2; exit 1; }
command -v kshutdown >/dev/null || { echo "install kshutdown first (apt-get install kshutdown)" >&2; exit 1; }

scratch="$(mktemp -d)"
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$scratch"
}
trap cleanup EXIT

display=120
while [ -e "/tmp/.X$display-lock" ]; do display=$((display + 1)); done
Xvfb ":$display" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
export DISPLAY=":$display" QT_QPA_PLATFORM=xcb
for _ in $(seq 50); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.1; done

bus() { # starts a private bus; prints its address
  dbus-daemon --session --nofork --nopidfile --print-address=3 3>"$scratch/$1" >/dev/null 2>&1 &
  pids+=($!)
  for _ in $(seq 50); do [ -s "$scratch/$1" ] && break; sleep 0.1; done
  head -n1 "$scratch/$1"
}
export DBUS_SYSTEM_BUS_ADDRESS="$(bus system)"
export DBUS_SESSION_BUS_ADDRESS="$(bus session)"
/usr/bin/python3 -m dbusmock --system --template logind >/dev/null 2>&1 &
pids+=($!)
sleep 1
mkdir -p "$scratch/home" "$scratch/runtime" "$scratch/app"
chmod 700 "$scratch/runtime"
export HOME="$scratch/home" XDG_CONFIG_HOME="$scratch/home/.config" XDG_RUNTIME_DIR="$scratch/runtime"

cp "$program" "$scratch/app/"
"$repo/scripts/warning-settings.sh" "$scratch/app" 1 0 # one hour
"$scratch/app/qshutdown" >"$scratch/qshutdown.log" 2>&1 &
qs_pid=$!
pids+=($qs_pid)
# KShutdown's "test" action only shows a message when it falls due.
kshutdown --test --time 60m >"$scratch/kshutdown.log" 2>&1 &
ks_pid=$!
pids+=($ks_pid)
sleep 5 # past start-up: only the countdown is measured

# Nanoseconds on a processor, all threads together (finer than the 10 ms ticks of /proc/PID/stat).
ticks() { cat /proc/"$1"/task/*/schedstat | awk '{ ns += $1 } END { printf "%d\n", ns }'; }
memory() { # resident and proportional set size in KiB
  local rss pss
  rss=$(awk '/^VmRSS:/ { print $2 }' "/proc/$1/status")
  pss=$(awk '/^Pss:/ { print $2 }' "/proc/$1/smaps_rollup")
  echo "$rss $pss"
}
qs_start=$(ticks $qs_pid)
ks_start=$(ticks $ks_pid)
sleep "$seconds"
qs_used=$(($(ticks $qs_pid) - qs_start))
ks_used=$(($(ticks $ks_pid) - ks_start))

row() { # name, ticks used, pid
  read -r rss pss < <(memory "$3")
  awk -v n="$1" -v t="$2" -v s="$seconds" -v rss="$rss" -v pss="$pss" 'BEGIN {
    printf "%-16s %10.2f %12.3f %10.1f %10.1f\n", n, t / 1e6, 100 * t / 1e9 / s, rss / 1024, pss / 1024 }'
}
printf "%-16s %10s %12s %10s %10s\n" "countdown of 1 h" "CPU ms" "% of a core" "RSS MiB" "PSS MiB"
row "Quorrel Shutdown" "$qs_used" "$qs_pid"
row "KShutdown" "$ks_used" "$ks_pid"
echo "(over $seconds s, on $(nproc) cores)"
