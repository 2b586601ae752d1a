#!/usr/bin/env bash
# Runs one scenario through qshutdown-sim and compares the transcript with the expected one.
set -u
sim=$1 scenario=$2 expected=${2%.sim}.expected
# The transcripts name the built-in web site, whatever the caller's environment says.
actual=$(env -u QSHUTDOWN_SITE "$sim" "$scenario" 2>&1; echo "exit $?")
if ! diff -u "$expected" <(printf '%s\n' "$actual"); then
  echo "transcript of $(basename "$scenario") differs from $(basename "$expected")"
  exit 1
fi
