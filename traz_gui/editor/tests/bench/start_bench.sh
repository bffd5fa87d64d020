#!/usr/bin/env bash
# Runs the editor's start-up benchmark under Wine in a build tree's prefix
# (one wineserver for the run) and prints both mean times and their ratio.
#   start_bench.sh <build dir> [benchmark options]
set -euo pipefail
build=$(cd "$1" && pwd)
shift
here=$(cd "$(dirname "$0")" && pwd)
top=$(cd "$here/../../../.." && pwd)
source "$top/scripts/wine-env"
traz_wine_init "$build"
traz_wine_start || true  # a server of this prefix may run already
trap traz_wine_stop EXIT
bin="$build/bin"
wine "$bin/editor_start_bench.exe" "$(winepath -w "$bin/traz_gui.exe")" "$(winepath -w "$bin/minimal_window.exe")" \
  "$(winepath -w "$top/examples/estuary")" "$(winepath -w "$build/start_bench_work")" "$@" </dev/null | tr -d '\r'
