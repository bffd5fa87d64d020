#!/usr/bin/env bash
# Runs the editor's start-up cost program under Wine in a build tree's
# prefix (one wineserver for the run) and prints the medians and the ratio.
#   start_bench.sh <build dir> [rounds]
set -euo pipefail
build=$(cd "$1" && pwd)
rounds=${2:-9}
here=$(cd "$(dirname "$0")" && pwd)
top=$(cd "$here/../../../.." && pwd)
source "$top/scripts/wine-env"
traz_wine_init "$build"
traz_wine_start
trap traz_wine_stop EXIT
bin="$build/bin"
wine "$bin/editor_start_bench.exe" "$(winepath -w "$bin/traz_gui.exe")" "$(winepath -w "$bin/minimal_window.exe")" \
  "$(winepath -w "$top/examples/estuary")" "$(winepath -w "$build/start_bench_work")" "$rounds" </dev/null | tr -d '\r'
