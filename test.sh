#!/usr/bin/env bash
# Installs what is missing, builds and runs every test suite, and reports each one even when an
# earlier one failed: the Windows unit and backend tests under Wine, the Linux unit, backend and
# scenario tests, and the Linux unit tests and scenarios again under AddressSanitizer and
# UndefinedBehaviorSanitizer. Exits non-zero when any suite failed.
set -uo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh || { echo "test.sh: installing the build's packages failed" >&2; exit 1; }
jobs=$(nproc)
logs=build/test-logs
mkdir -p "$logs"
summary=()
total_passed=0
total_failed=0
status=0

# run_suite PRESET DESCRIPTION: configures, builds and tests one preset; adds a summary line.
run_suite() {
  local preset=$1 description=$2 log="$logs/$1.log" passed=0 failed=0 note=""
  echo "=== $description ($preset) ==="
  if ! cmake --preset "$preset" >"$log" 2>&1 || ! cmake --build --preset "$preset" -j "$jobs" >>"$log" 2>&1; then
    tail -n 40 "$log"
    note="build failed, see $log"
    failed=1
  else
    ctest --preset "$preset" -j "$jobs" 2>&1 | tee -a "$log"
    local line
    line=$(grep -E '[0-9]+ tests? failed out of [0-9]+' "$log" | tail -n 1)
    if [[ $line =~ ([0-9]+)\ tests?\ failed\ out\ of\ ([0-9]+) ]]; then
      failed=${BASH_REMATCH[1]}
      passed=$((BASH_REMATCH[2] - failed))
    else
      note="no test result, see $log"
      failed=1
    fi
  fi
  [ "$failed" -eq 0 ] || status=1
  total_passed=$((total_passed + passed))
  total_failed=$((total_failed + failed))
  summary+=("$(printf '%-8s %-44s %6s %6s  %s' "$preset" "$description" "$passed" "$failed" "$note")")
}

run_suite win32 "Windows tests under Wine"
run_suite linux "Linux tests and scenarios"
run_suite ci "Linux unit tests and scenarios, ASan+UBSan"

echo
printf '%-8s %-44s %6s %6s\n' suite "what" passed failed
printf '%s\n' "${summary[@]}"
echo "$total_passed passed, $total_failed failed"
exit "$status"
