#!/usr/bin/env bash
# scripts/stress-wine.sh [N]: runs the Windows test suite N times (default 10), each time on a new
# Wine prefix, as on a fresh clone; prints how many runs passed and exits non-zero if any failed.
# Expects a built win32 preset (cmake --build --preset win32).
set -uo pipefail
cd "$(dirname "$0")/.."
runs=${1:-10}
prefix=build/win32/wineprefix
log=build/stress-wine.log
: >"$log"
passed=0
for i in $(seq "$runs"); do
  rm -rf "$prefix"
  start=$(date +%s)
  if ctest --preset win32 -j "$(nproc)" >>"$log" 2>&1; then
    passed=$((passed + 1))
    result=passed
  else
    result="FAILED (see $log)"
  fi
  echo "run $i of $runs: $result in $(($(date +%s) - start)) s"
done
echo "stress-wine: $passed passed, $((runs - passed)) failed"
[ "$passed" -eq "$runs" ]
