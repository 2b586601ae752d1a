#!/usr/bin/env bash
# Installs what is missing, builds both programs and runs every test: the Linux unit and backend
# tests, the scenario transcripts, and the Windows unit tests under Wine.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
jobs=$(nproc)
cmake --preset win32 >/dev/null
cmake --build --preset win32 -j "$jobs"
cmake --preset linux >/dev/null
cmake --build --preset linux -j "$jobs"
ctest --preset win32 -j "$jobs"
ctest --preset linux -j "$jobs"
