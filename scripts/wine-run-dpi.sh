#!/usr/bin/env bash
# scripts/wine-run-dpi.sh DPI PROGRAM [ARGS...]: runs a Windows program as wine-run.sh does, on a
# screen of DPI dots per inch, with QS_DPI=DPI in its environment. Wine reads the screen's DPI from
# the registry as each program starts, and every program of the prefix shares that registry: the
# value is set for this run and taken back after it, so ctest runs what uses this alone (RUN_SERIAL).
set -euo pipefail
scripts="$(cd "$(dirname "$0")" && pwd)"
# shellcheck source=wine-env.sh
. "$scripts/wine-env.sh"
ensure_wine_prefix
export QS_DPI="${1:?usage: wine-run-dpi.sh DPI PROGRAM [ARGS...]}"
shift
set_wine_dpi "$QS_DPI"
trap clear_wine_dpi EXIT
"$scripts/wine-run.sh" "$@"
